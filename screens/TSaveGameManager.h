// The game's file chooser: a dialog listing the files of one extension in
// one folder (without the extension, sorted by name), eight lines at a time
// with "Up" and "Down", and "Load", "Delete" (after a confirmation) and
// "Cancel". It only chooses and deletes; its callers load what was chosen.
// Used for saved games ("save") and custom layouts ("layout").
#pragma once

#include <memory>
#include <string>

#include "TChooserDialog.h"
#include "TMenu.h"
#include "TSaveGameList.h"

class TVListBox;

class TSaveGameManager : public TChooserDialog {
 public:
  static constexpr int VisibleLines = 8;

  TSaveGameManager();
  ~TSaveGameManager() override;

  static std::unique_ptr<TSaveGameManager> Create(const std::string& caption, plat::TImagePtr image,
                                                  int width, int height, int left,
                                                  const std::string& extension,
                                                  const std::string& directory,
                                                  const std::string& deleteMessage);
  // The chooser as the game shows it: over the profile folder, on the
  // "manager" panel, with the game text of captionKey, the "Delete File"
  // question and the game's own dialogs; started at once.
  static std::unique_ptr<TSaveGameManager> CreateForGame(const std::string& extension,
                                                         const std::string& captionKey);

  void Start() override;
  // 0 while open, 1 when a name was chosen, -1 when cancelled.
  int Manage() override;
  int Draw() override;
  void Kill() override;
  int OKClick() override;
  int CancelClick() override;
  void DeleteSaveGameCheck();
  void FillList();
  void MenuArrowCreate();
  void BoxSize();
  void ClickSound() override;
  void MenuCreate(int gap);

  // The name chosen (valid after Manage returned 1), without extension.
  std::string ChosenName() const;
  // The shown range of the list (first and last index, inclusive).
  int StartList() const;
  int EndList() const;
  // The line of the file `name`, matched as the game's lists match names:
  // without regard to letter case, the exact spelling first. Line -1 when
  // none matches; then Alike holds the names that differ from it only in
  // letter case when there are several.
  struct TNameMatch {
    int Line = -1;
    std::vector<std::string> Alike;
  };
  TNameMatch FindName(const std::string& name) const;
  // Where a click brings line `index` closer: the scroll arrow toward it
  // while it is out of view, else the line itself. False once the line is
  // selected (or there is no such line).
  bool PointToward(int index, int& x, int& y) const;

  std::string Extension = "dat";
  std::string Directory;
  std::string DeleteMessage = "Do you want to delete this file?";
  std::unique_ptr<TVListBox> ListBox;
  TSaveGameList Files{"", "dat"};
  std::shared_ptr<TMenu> MenuArrowUp, MenuArrowDown;
  int NavButtonsXPosition = -1;
  // Each line also shows (for saves) the score and when the file was saved.
  int ShowDetails = 0;

 private:
  // Back to the top of the list with nothing selected.
  void ResetView();
  void SelectNone();
  void PlaceColumns();
  void FillDetails();
  // "Load" and "Delete" are greyed out while nothing is selected.
  void UpdateButtons();

  int boxX_ = 0, boxY_ = 0, boxW_ = 0, boxH_ = 0;
};
