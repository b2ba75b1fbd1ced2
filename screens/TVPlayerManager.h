// The player manager: a dialog listing the players (sorted by name, the
// current one marked) with "OK" (choose the selected player), "Create" (the
// name prompt, up to the limit), "Rename" (a prompt for the selected
// player's new name), "Delete" (after a confirmation naming the player;
// never the last player) and "Cancel". TPlayerManager is the framework's dialog; TVPlayerManager
// adds the game's clean-up after a player is deleted.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "TChooserDialog.h"
#include "TDialogTextInput.h"
#include "TGameImage.h"

class TListBox;

class TPlayerManager : public TChooserDialog {
 public:
  TPlayerManager();
  ~TPlayerManager() override;

  void Start() override;
  // 0 while open, 1 when a player was chosen, -1 when cancelled.
  int Manage() override;
  int Draw() override;
  void Kill() override;
  int OKClick() override;
  int CancelClick() override;
  void DeleteProfileCheck();
  void RenameProfile();
  // Selects the listed name that equals name regardless of letter case.
  void SelectName(const std::string& name);
  void FillList();
  void HighlightCurrentPlayer();
  // The current player's line reads MessageCurrentPlayer ("NNN" the name).
  void MarkCurrentPlayer();
  // The current player is one of the listed names.
  bool CurrentPlayerListed() const;
  void ClickSound() override;
  void MenuCreate(int gap);

  // The names listed, and the one selected ("" for none).
  const std::vector<std::string>& Names() const;
  std::string SelectedName() const;

  int Limit = 10;
  int DrawDisabled = 0;
  int AutoAcceptAfterCreate = 1;
  TGameImagePtr FrontFrame, Header;
  int FrontFrameX = 0, FrontFrameY = 0, HeaderX = 0, HeaderY = 0;
  std::unique_ptr<TListBox> ListBox;
  std::function<std::unique_ptr<TDialogTextInput>(int withCancel)> EnterNamePromptFunc;
  // Builds the rename prompt for a player; accepting a name renames it.
  std::function<std::unique_ptr<TDialogTextInput>(const std::string& name)> RenamePromptFunc;
  // The open name prompt: a new player's, or (Renaming) a new name's.
  std::unique_ptr<TDialogTextInput> EnterName;
  int Renaming = 0;
  std::string MessageCannotCreate = "You cannot create any more players!";
  std::string MessageCannotDelete = "The list must contain at least one player!";
  // "NNN", when there, becomes the selected player's name.
  std::string MessageConfirmDelete = "Are you sure you want to delete this player?";
  std::string MessageCurrentPlayer;
  // Shown in the empty list: how to add the first player.
  std::string MessageNoPlayer;

 protected:
  // A player's file is gone (the game removes its records too).
  virtual void PlayerDeleted(const std::string& name) { (void)name; }

 private:
  void PlaceList();
  void DrawNoPlayerHint();
};

class TVPlayerManager : public TPlayerManager {
 public:
  static std::unique_ptr<TVPlayerManager> Create(const std::string& caption, plat::TImagePtr image,
                                                 int width, int height, int left, int limit);

  // Called after a player's file has been deleted, with the deleted name.
  std::function<void(TVPlayerManager& manager, const std::string& name)> CustomDeleteFunction;

 protected:
  void PlayerDeleted(const std::string& name) override;
};
