// A saved game (".save"): both boards read, then the board in play run and
// searched for moves as a resumed game would.
#include "FuzzTarget.h"
#include "Globals.h"
#include "SilentBoardMode.h"
#include "TBoardArt.h"
#include "TCellBox.h"
#include "TSavedGame.h"
#include "TVMouse.h"

GS_FUZZ_TARGET(savedgame) {
  FuzzSetUp();
  LogicDelta = 1.0f;
  plat::SeedRnd(1);
  std::string path = FuzzFile("game.save", data, size);
  TSilentBoardMode mode;
  TVMouse mouse;
  TCellBox firstDeal(TBoardArt::Blank());
  TCellBox current(TBoardArt::Blank());
  for (TCellBox* board : {&firstDeal, &current}) {
    board->GameMode = &mode;
    board->Mouse = &mouse;
  }
  int elapsed = 0, score = 0;
  if (!TSavedGame::Read(path, elapsed, score, firstDeal, current)) return 0;
  current.UpdateDrawWall();
  current.CreateHintList();
  for (int step = 0; step < 3; ++step) current.Manage();
  current.Draw();
  return 0;
}
