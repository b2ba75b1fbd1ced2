// The title screen, the hub of the game: the menu to the level selection,
// help, options, high scores and the exit, the player's welcome and the
// version line. After loading it also chooses the player: the last one, or
// the player manager, or (with no player at all) the name prompt, which
// must be answered before the menu can be used.
#pragma once

#include <memory>

#include "TDialogTextInput.h"
#include "TMenuScreen.h"

class TVPlayerManager;

class TTitleScreen : public TMenuScreen {
 public:
  // The menu's buttons, top to bottom, and the one placed apart.
  static constexpr const char* ButtonImages[] = {"play", "help", "options", "highscore", "Exit"};
  static constexpr const char* ChangePlayerButton = "changeplayer";
  static constexpr int ChangePlayerY = 560;
  static constexpr int VersionX = 790, VersionY = 576;
  static constexpr int WelcomeBottomY = 535;

  TTitleScreen();
  ~TTitleScreen() override;

  void Load() override;
  void Logic() override;
  void Draw() override;
  void Kill() override;
  int SetEscDestination() override;

  void PromptForName();
  void SetupPrompt();
  void DrawWelcome() const;
  void ShowPlayerManager();
  // The player was chosen without the start-up prompt (the bot's player):
  // the name prompt or manager opened for want of one goes.
  void PlayerChosen();

  // The first-run name prompt and the player manager, null when closed.
  std::unique_ptr<TDialogTextInput> EnterName;
  std::unique_ptr<TVPlayerManager> PlayerManager;

 private:
  bool DialogShowing() const;
  void DrawVersion() const;
};
