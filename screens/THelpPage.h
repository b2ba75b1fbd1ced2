// The help page, shared by the help screen and the help panel of the
// in-game menu: one picture and the game's help text on the dark panel, the
// rule of the stars under it, and under the panel the rule of the time
// limits against the clock.
#pragma once

class THelpPage {
 public:
  static constexpr int TextX = 285;
  static constexpr int TextBottomY = 406;
  // The stars' rule: its last line, and the gap between its lines.
  static constexpr int StarsBottomY = 453, StarsLineGap = 21;
  // The clock's rule, centred under the panel.
  static constexpr int ClockBottomY = 508, ClockLineGap = 20;
  // The owner's "ok" stands this far below the screen's middle.
  static constexpr int OkBelow = 260;
  static void Draw();
};
