// One list of levels on the level selection: the layout files of a folder,
// sorted by name, shown eight to a page as thumbnails with their names, a
// check mark on the levels the player has finished and the selected
// level's size; on a list with bests (the standard levels) also each
// finished level's best stars, the selected level's par and best line, and
// the stars of the page and of the whole list; arrow buttons and arrow keys turn the pages (the
// last page is always full), a click selects and a double click asks to start.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "LevelThumbnail.h"
#include "Platform.h"
#include "TFocusRing.h"
#include "TLevelBests.h"
#include "TLevelPars.h"
#include "TMenu.h"
#include "TSineCounter.h"

class TCompletionFile;

class TVLevelList : public TFocusItem {
 public:
  static constexpr int NumLevelItemsDefault = 8;
  // Item centres: four a row, two rows.
  static constexpr int ItemX[4] = {100, 300, 500, 700};
  static constexpr int ItemY[2] = {217, 360};
  static constexpr int ItemHalfWidth = 80, ItemHalfHeight = 50;
  static constexpr int CaptionMinFontSize = 14;
  static constexpr int SizeLineY = 443, SizeLineWidth = 330;
  // The selected level's best line, under the size line between the arrows.
  static constexpr int BestLineY = 466;
  // The page indicator (with the page's stars), under the best line.
  static constexpr int PageLineY = 490;
  // The whole list's stars, left of the level types (clear of the save
  // chooser's panel and of the tabs of the ways under them).
  static constexpr int TotalStarsX = 89, TotalStarsY = 80;
  // A finished level's stars, on its tile's lower edge.
  static constexpr int TileStarsBelow = 62, TileStarSize = 18, TileStarGap = 2;
  static constexpr int NoStars = -1;
  static constexpr int NoLevelsY = 250;

  TVLevelList();
  ~TVLevelList();

  static std::unique_ptr<TVLevelList> Create(
      const std::string& folderPath, const std::string& filePrefix, const std::string& currentLevel,
      const std::string& levelSizeText, const std::string& noLevelsText, int trimLevelTextZeros,
      int drawOffsetX, int drawOffsetY, const std::string& levelCompletedFile,
      const std::string& levelCompletedPath);
  void Init();
  void ScanLevelFolder();
  void CreateMenu();
  void CreateImages(int recalculate);
  int CalculateCurrentPagePosition(int index) const;
  void UpdateCurrentPagePosition();
  int CheckLevelCompleted(const std::string& path);
  int GetIndexOfLevelList(const std::string& name) const;
  void MoveLeft();
  void MoveRight();

  void Manage();
  void ManageMenu();
  void ManageGlowAnimation();
  void ManageLevels();
  void ManageKeyboard();
  void Draw();
  void DrawMenu();
  void DrawLevels();
  void DrawLevelImage(int index);
  // The selected item's caption: its number and the level's own name.
  std::string SelectedCaption(const std::string& name) const;
  // An item's parts at its centre: the frame (lit and pulsing with glow
  // 0..1 when selected), a picture, the caption on its name strip.
  static void DrawItemFrame(float cx, float cy, bool selected, float glow);
  static void DrawItemPicture(const plat::TImagePtr& image, float cx, float cy);
  static void DrawItemCaption(const std::string& caption, float cx, float cy);
  void DrawStarTotals() const;
  void Kill();

  // Centre of item place i (0..7).
  static int ItemCentreX(int index) { return ItemX[index % 4]; }
  static int ItemCentreY(int index) { return ItemY[index / 4]; }
  // The name as shown: leading zeros removed when TrimLevelTextZeros.
  std::string DisplayName(const std::string& name) const;
  // The page shown (from 1) and the number of pages; the last page, always
  // full, may share levels with the one before it.
  int PageNumber() const;
  int PageCount() const;
  // "Page 2 of 10" (the game text "Page Indicator"), with the page's stars
  // on a list with bests ("Page 2 of 10 · Stars 9 / 24").
  std::string PageText() const;
  // "Stars 57 / 240" (the game text "Stars Total").
  std::string StarsText(int stars, int levels) const;
  // The selected level's best line, "" when it has none (or the list keeps
  // no bests).
  std::string SelectedBestLine() const;
  // The file of the selected level (folder + name + "." + prefix), "" when
  // the list is empty.
  std::string CurrentLevelPath() const;
  // The file of a listed level (its name is text, the folder a path).
  std::string LevelPath(const std::string& name) const;

  // ---- the focus: the arrows move the selection through the grid (and
  // over to the next or previous page at its ends), Accept starts the
  // selected level as a double click does. The selected level is framed.
  bool CanFocus() const override { return !LevelList.empty(); }
  void SetFocused(bool focused) override { Focused = focused ? 1 : 0; }
  bool FocusCommand(TNavCommand command) override;
  bool TakesFirstCommand() const override { return true; }
  int Focused = 0;

  std::shared_ptr<TMenu> NavigationMenu;
  std::string FolderPath;
  std::string FilePrefix;
  std::string LevelCompletedFile = "standard";
  std::string LevelCompletedPath;
  std::vector<std::string> LevelList;
  std::vector<plat::TImagePtr> ImageList;
  std::vector<std::string> LevelSizeList;
  std::vector<std::string> LevelCompletedList;
  // The best stars of each level of the page: 0..3, or NoStars (not
  // finished, or a list without bests).
  std::vector<int> LevelStarsList;
  // The player's bests file ("" for a list without bests), read again with
  // every page; the stars of the page and of the whole list.
  std::string BestsPath;
  std::unique_ptr<TLevelBests> Bests;
  int PageStars = 0, TotalStars = 0;
  // The levels' pars, shown beside the selected level's size.
  TLevelPars Pars;
  std::string ParText = "Par: NNN";
  // Where the count goes in LevelSizeText ("Marble cells: {cells}").
  static constexpr const char* CellsPlaceholder = "{cells}";
  std::string StarsTotalText = "Stars NNN / TTT";
  // Against the clock: a level's time limit in ms from its path and its
  // size, shown beside the par; none while relaxed.
  std::function<int(const std::string& path, int size)> TimeLimitFunction;
  std::string TimeLimitText = "Time limit: NNN";
  // Open only while a page is being built.
  std::unique_ptr<TCompletionFile> CompletedIniFile;
  int CurrentPagePosition = -1;
  std::string CurrentLevel;
  int CurrentLevelID = 0;
  int StartLevel = 0;
  std::string LevelSizeText = "Cards";
  std::string PageIndicatorText = "Page NNN of TTT";
  std::string NoLevelsText = "There are no levels currently available";
  int TrimLevelTextZeros = 1;
  int DrawOffsetX = 0, DrawOffsetY = 0;
  TSineCounter GlowCounter;
  float Glow = 0;
  int NumLevelItems = NumLevelItemsDefault;
  TLevelImageFunction CreateLevelImageFunction;
  // A level's own name from its path ("" for none); the selected level's
  // caption carries it beside the number.
  std::function<std::string(const std::string& path)> LevelNameFunction;

 private:
  int startPending_ = 0;  // Accept came before this step's ManageLevels
};
