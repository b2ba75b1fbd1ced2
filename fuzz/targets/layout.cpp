// A layout file as a level starts from it: read, walls worked out, the
// first deal made, a few steps run and the board drawn. Most fuzzed layouts
// hold no move, and each deal costs as much as the rest of the run, so a
// few deals stand for the game's thousand; the steps are the first ones,
// where the dealt jewels start to settle.
#include "FuzzBoard.h"
#include "FuzzTarget.h"

GS_FUZZ_TARGET(layout) {
  FuzzSetUp();
  std::string path = FuzzFile("level.layout", data, size);
  TFuzzBoard fuzz;
  TCellBox& board = fuzz.Board;
  board.DealAttempts = 3;
  if (!board.ReadLayout(path)) return 0;
  board.GetLayoutCellMarbleCount();
  board.UpdateDrawWall();
  board.GenerateLevel();
  fuzz.Play(3);
  return 0;
}
