// A layout file as a level starts from it: read, walls worked out, the
// first deal made, a few steps run and the board drawn. Most fuzzed layouts
// hold no move, and each deal costs as much as the rest of the run, so a
// few deals stand for the game's thousand; the steps are the first ones,
// where the dealt jewels start to settle.
#include "FuzzTarget.h"
#include "Globals.h"
#include "SilentBoardMode.h"
#include "TBoardArt.h"
#include "TCellBox.h"
#include "TMousePointer.h"
#include "TVMouse.h"

GS_FUZZ_TARGET(layout) {
  FuzzSetUp();
  LogicDelta = 1.0f;
  plat::SeedRnd(1);
  std::string path = FuzzFile("level.layout", data, size);
  TSilentBoardMode mode;
  TVMouse mouse;
  TCellBox board(TBoardArt::Blank());
  board.GameMode = &mode;
  board.Mouse = &mouse;
  board.DealAttempts = 3;
  if (!board.ReadLayout(path)) return 0;
  board.GetLayoutCellMarbleCount();
  board.UpdateDrawWall();
  board.GenerateLevel();
  for (int step = 0; step < 3; ++step) board.Manage();
  board.Draw();
  return 0;
}
