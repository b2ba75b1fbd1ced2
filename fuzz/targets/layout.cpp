// A layout file as a level starts from it: read, walls worked out, the
// first deal made, some steps run and the board drawn.
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
  if (!board.ReadLayout(path)) return 0;
  board.GetLayoutCellMarbleCount();
  board.UpdateDrawWall();
  board.GenerateLevel();
  for (int step = 0; step < 20; ++step) board.Manage();
  board.Draw();
  return 0;
}
