// The program's own first screen until the title screen exists: a calm
// picture of circling jewels, the name and the frame keys.
#pragma once

#include "TDrawable.h"
#include "TScreen.h"
#include "TSineCounter.h"

class TStartScreen : public TScreen {
 public:
  TStartScreen() { name = "start"; }
  void Start() override;
  void Logic() override;
  void Draw() override;

 private:
  TSineCounter orbit_;
  TSineCounter glow_;
};

// The paused picture when "paused.png" is not there: a dark panel with text.
class TPausedText : public TDrawable {
 public:
  void Draw() override;
};

// A white arrow with a dark outline, its point the hot spot (0, 0): the
// pointer when "pointer.png" is not there.
plat::TImagePtr MakeArrowPointer();
