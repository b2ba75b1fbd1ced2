// The help screen: the help page (THelpPage) and "ok" (or Escape) back to
// the title screen.
#pragma once

#include "TMenuScreen.h"

class THelpScreen : public TMenuScreen {
 public:
  THelpScreen() { name = "help"; }
  void Load() override;
  void Logic() override;
  void Draw() override;
  int SetEscDestination() override;
};
