// The help page, shared by the help screen and the help panel of the
// in-game menu: one picture and the game's help text on the dark panel, the
// rule of the stars under it, and under the panel the rules of the other
// ways to play: the time limits against the clock, then time attack and
// endless, each after its name.
#pragma once

class THelpPage {
 public:
  // The panel ("blackback") is drawn centred at (PanelX, PanelY); its rim
  // and gold inlay take PanelFrame pixels in from its edge. The text keeps
  // to the area right of the picture inside the inlay: each line of the help
  // and of the stars' rule starts at TextX and ends, drop shadow and all,
  // before TextRight (the data generator holds the texts to TextWidth).
  static constexpr int PanelX = 400, PanelY = 300, PanelFrame = 11;
  static constexpr int TextX = 285, TextRight = 727;
  static constexpr int TextShadow = 2;
  static constexpr int TextWidth = TextRight - TextShadow - TextX;
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
