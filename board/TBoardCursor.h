// The board cursor: a glowing frame around one cell that the navigation
// commands move (TNavInput through the game screen's TFocusRing). It holds
// only its place and the commands of the step; the board (a jewel pick and
// exchange) and the editor (paint and erase) act on them in their own step,
// with the same rules as the pointer.
#pragma once

#include <functional>
#include <vector>

#include "TFocusRing.h"

class TBoardCursor : public TFocusItem {
 public:
  // Whether the cursor may stand on a grid position.
  using TCellTest = std::function<bool(int x, int y)>;
  // Where the pointer's cell is (false when the pointer is off the board).
  using TPointerCell = std::function<bool(int& x, int& y)>;

  // ---- TFocusItem
  bool CanFocus() const override { return Enabled; }
  void SetFocused(bool focused) override;
  // Takes the arrows, Accept and Erase; Back only while Picking says a
  // jewel is picked (Escape then drops it).
  bool FocusCommand(TNavCommand command) override;

  // The next allowed position from (X, Y) one direction on (dx, dy), skipping
  // positions the test refuses; false at the edge (the cursor stays).
  bool Step(int dx, int dy, int& toX, int& toY) const;
  // The step of an arrow command (false for any other command).
  static bool Direction(TNavCommand command, int& dx, int& dy);
  // Moves the cursor one step; false when it stays put.
  bool Move(int dx, int dy);
  // Places the cursor where it starts: the pointer's cell when allowed,
  // else the allowed position nearest the board's centre.
  void Place();
  // The commands of this step, in arrival order; the owner takes them.
  std::vector<TNavCommand> TakeCommands();

  TCellTest Allowed;
  TPointerCell PointerCell;
  // A jewel is picked (Back drops it instead of reaching the menu).
  std::function<bool()> Picking;
  int Enabled = 1;
  int Visible = 0;
  int X = -1, Y = -1;
  int Width = 0, Height = 0;  // the grid's size

 private:
  std::vector<TNavCommand> pending_;
};
