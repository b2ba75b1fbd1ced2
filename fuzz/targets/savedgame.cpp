// A saved game (".save"): both boards read, then the board in play run and
// searched for moves as a resumed game would.
#include "FuzzBoard.h"
#include "FuzzTarget.h"
#include "TSavedGame.h"

GS_FUZZ_TARGET(savedgame) {
  FuzzSetUp();
  std::string path = FuzzFile("game.save", data, size);
  TFuzzBoard fuzz;
  TCellBox firstDeal(TBoardArt::Blank());
  fuzz.Wire(firstDeal);
  TCellBox& current = fuzz.Board;
  int elapsed = 0, score = 0;
  if (!TSavedGame::Read(path, elapsed, score, firstDeal, current)) return 0;
  current.UpdateDrawWall();
  current.CreateHintList();
  fuzz.Play(3);
  return 0;
}
