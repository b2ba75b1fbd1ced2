// The one owner of the game's screens: each screen is made once when the
// screens layer is installed and lives until the program ends; screens find
// each other (and the program finds the first one) through it.
//
// The screen graph: title -> level selection, help, options, high scores or
// the exit; level selection -> the game screen or back to the title; the
// game screen -> itself (next level) or the level selection; the others ->
// the title. Every change is the standard 500 ms fade (ChangeTo).
#pragma once

#include <memory>

class TScreen;
class TTitleScreen;
class TPlayScreen;
class TOptionsScreen;
class THelpScreen;
class THighScoreScreen;
class TGameScreen;

class TGameScreens {
 public:
  TGameScreens();
  ~TGameScreens();
  TGameScreens(const TGameScreens&) = delete;
  TGameScreens& operator=(const TGameScreens&) = delete;

  // The screen shown once loading has finished: the title screen.
  TScreen* FirstScreen() const;

  // Starts the standard screen fade to `to` (500 ms, the music channel faded
  // with it when withMusic). Returns false, changing nothing, while a fade
  // runs: a second request during a fade is ignored.
  static bool ChangeTo(TScreen* to, bool withMusic = false);

  std::unique_ptr<TTitleScreen> Title;
  std::unique_ptr<TPlayScreen> Play;
  std::unique_ptr<TOptionsScreen> Options;
  std::unique_ptr<THelpScreen> Help;
  std::unique_ptr<THighScoreScreen> HighScores;
  // The game screen, which also owns the program-wide game state (the
  // game-play object, the high-score table, the in-game interface).
  std::unique_ptr<TGameScreen> GameScreen;
};

// The owner while the screens layer is installed, else null.
extern TGameScreens* Screens;

// Makes the owner and installs the screens layer's start-up hooks (the
// first screen, the high-score table).
void InstallGameScreens();
// Leaves the current screen (Kill) and drops every screen; before the
// platform closes.
void ReleaseGameScreens();
