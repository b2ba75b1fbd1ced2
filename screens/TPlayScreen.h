// The level selection: the standard levels or the player's own, chosen by
// two radio buttons, played relaxed or against the clock, chosen by tabs
// above the grid, as pages of eight thumbnails with completion marks; or,
// on the time attack and endless tabs, the open board's one Start tile;
// "playsmall" (Enter) or a double click starts the selected level, "load"
// resumes a saved game, "custom" opens the editor, "back" (or Escape)
// returns to the title screen. Coming back from a level selects it again.
#pragma once

#include <memory>
#include <string>

#include "LevelThumbnail.h"
#include "TDialogOK.h"
#include "TMenuScreen.h"
#include "TOpenBoardTile.h"
#include "TPlayWay.h"
#include "TVLevelList.h"

class TSaveGameManager;

class TPlayScreen : public TMenuScreen {
 public:
  static constexpr const char* StandardType = "standardlevel";
  static constexpr const char* CustomType = "customlevel";
  // The tabs of the ways to play, in the order of playway::All.
  static constexpr const char* WayTabs[] = {"playrelaxed", "playclock", "playattack",
                                            "playendless"};
  static constexpr int LevelTypeY = 72, WayTabsY = 114, WayTabGap = 8;

  TPlayScreen();
  ~TPlayScreen() override;

  void Load() override;
  void Start() override;
  void Logic() override;
  void Draw() override;
  void Kill() override;
  int SetEscDestination() override;

  void ShowStandardLevelList();
  void ShowCustomLevelList();
  void SetFocusOrder();
  void StartLevel();
  void ShowSaveGameManager();

  // The list shown (one of the two below), null before Start and on the
  // open board's tabs.
  TVLevelList* ShownList() const;

  std::shared_ptr<TMenu> LevelTypeMenu;
  std::string CurrentLevelType = StandardType;
  std::shared_ptr<TMenu> PlayWayMenu;
  TPlayWay CurrentWay = TPlayWay::Relaxed;
  std::unique_ptr<TSaveGameManager> SaveGameManager;
  std::unique_ptr<TVLevelList> StandardLevelList;
  std::unique_ptr<TVLevelList> CustomLevelList;
  // The Start tile of time attack and endless, in the lists' place.
  std::unique_ptr<TOpenBoardTile> OpenBoardTile;
  // A level or saved game that could not be read, told over the screen.
  std::unique_ptr<TDialogOK> Message;

 private:
  void SetLevelTypeLooks();
  void SetWayLooks();
  void ShowLevelList(int custom);
  // What the way chosen shows: the list of the level type, or the tile.
  void ShowWay(int custom);
  void KillShown();
  void ManageSaveGameManager();
  void ShowProblem(const std::string& text);

  TLevelImageFunction Thumbnails;
};
