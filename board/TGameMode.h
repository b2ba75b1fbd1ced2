// A game mode: the rule set the game screen runs on a board. The game-play
// object creates one (1 = editor, 2 = match-three) and forwards the screen's
// logic and drawing to it. The base versions do nothing and return 0.
#pragma once

#include <string>

class TCellBox;

class TGameMode {
 public:
  static constexpr int TypeEditor = 1;
  static constexpr int TypeMatch3 = 2;

  TGameMode() = default;
  virtual ~TGameMode() = default;
  TGameMode(const TGameMode&) = delete;
  TGameMode& operator=(const TGameMode&) = delete;

  // A fresh board and a reset mode state.
  virtual void Clear() {}
  virtual void Draw() {}
  // The level has ended: drop the selection and any open dialog.
  virtual void GameFinished() {}
  // Starts a level from a layout file (custom: 1 for the player's own).
  virtual void Init(const std::string& name, int custom);
  // 1 once the level is over and its end effects have run.
  virtual int IsGameFinished() { return 0; }
  // Resumes a saved game; 1 on success, 0 when the file cannot be read
  // (the mode is then as after Clear and the caller tells the player).
  virtual int LoadGame(const std::string& path);
  virtual void Logic() {}
  // Back to the level's first deal.
  virtual void Reset() {}
  // A hint after `delay` ms.
  virtual void ResetHintTimer(int delay);
  // Saves the game to name + ".save"; 1 on success, 0 on failure (the old
  // file is left whole and the failure logged).
  virtual int SaveGame(const std::string& name);
  // A new deal on the same layout, score 0.
  virtual void Shuffle() {}

  // The board the mode runs (null when it has none).
  virtual TCellBox* Board() const { return nullptr; }

  int GameType = 0;

  // A file the player asked for could not be read or written: the message
  // goes to the error log only; play goes on and the caller tells the player.
  static void LogFailure(const std::string& message);
};
