// The help page, shared by the help screen and the help panel of the
// in-game menu: one picture and the game's help text on the dark panel, the
// rule of the stars under it, and under the panel the rules of the other
// ways to play: the time limits against the clock, then time attack and
// endless, each after its name.
#pragma once

class THelpPage {
 public:
  static constexpr int TextX = 285;
  static constexpr int TextBottomY = 406;
  // The stars' rule: its last line, and the gap between its lines.
  static constexpr int StarsBottomY = 453, StarsLineGap = 21;
  // The ways' rules under the panel, in one face with a dark ring (they
  // cross the bright crystals): the clock's lines centred from WaysY, then
  // a line for each way of the open board, its name before its rule.
  static constexpr int WaysY = 484, WaysFontSize = 16, WaysLineGap = 18;
  // Between a way's name and its rule.
  static constexpr int WayNameGap = 10;
  // The owner's "ok" stands this far below the screen's middle.
  static constexpr int OkBelow = 276;
  static void Draw();

 private:
  // The open board's ways from y down: the names right-aligned in one
  // column, the rules in the next, the two centred together.
  static void DrawOpenBoardRules(float y);
};
