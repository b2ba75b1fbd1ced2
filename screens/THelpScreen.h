// The help screen: one picture and the game's help text on a dark panel,
// and "ok" (or Escape) back to the title screen.
#pragma once

#include "TMenuScreen.h"

class THelpScreen : public TMenuScreen {
 public:
  static constexpr int TextX = 285;
  static constexpr int TextBottomY = 434;

  THelpScreen() { name = "help"; }
  void Load() override;
  void Logic() override;
  void Draw() override;
  int SetEscDestination() override;
};
