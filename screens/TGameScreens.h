// The one owner of the game's screens: each screen is made once when the
// screens layer is installed and lives until the program ends; screens find
// each other (and the program finds the first one) through it.
#pragma once

#include <memory>

class TScreen;
class TFirstScreen;

class TGameScreens {
 public:
  TGameScreens();
  ~TGameScreens();
  TGameScreens(const TGameScreens&) = delete;
  TGameScreens& operator=(const TGameScreens&) = delete;

  // The screen shown once loading has finished.
  TScreen* FirstScreen() const;

  // Starts the standard screen fade to `to` (500 ms, the music channel faded
  // with it when withMusic). Returns false, changing nothing, while a fade
  // runs: a second request during a fade is ignored.
  static bool ChangeTo(TScreen* to, bool withMusic = false);

  std::unique_ptr<TFirstScreen> First;
};

// The owner while the screens layer is installed, else null.
extern TGameScreens* Screens;

// Makes the owner and installs the screens layer's start-up hooks.
void InstallGameScreens();
// Leaves the current screen (Kill) and drops every screen; before the
// platform closes.
void ReleaseGameScreens();
