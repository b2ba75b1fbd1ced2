// One step of the match-three mode, TGameModeMatch3::Logic(), on a settled
// full board while a bonus window runs and a hint is on show: the board
// step with its hint search, the hint's timing, the score counter and the
// bonus window.
#include <benchmark/benchmark.h>

#include "Globals.h"
#include "Platform.h"
#include "TCellBox.h"
#include "TGameModeMatch3.h"
#include "TGamePlay.h"
#include "TVMouse.h"

namespace {

void BM_Match3Logic(benchmark::State& state) {
  LogicDelta = 1.0f;
  plat::SeedRnd(7);
  TState gameState;
  TGamePlay play(gameState);
  play.Art = TBoardArt::Blank();
  TVMouse mouse;
  TGameModeMatch3 mode(play, play.Art);
  mode.Mouse = &mouse;
  mode.Clear();
  TCellBox& board = *mode.CellBox;
  board.SetupCells(0, 1);
  for (int x = 1; x <= 16; ++x) {
    for (int y = 1; y <= 12; ++y) board.Layout[x][y]->IsFill = 1;
    board.Layout[x][1]->IsCreate = 1;
    board.Layout[x][6]->Contents = 2;
  }
  board.UpdateDrawWall();
  mode.Shuffle();
  mode.AddOriginalUndo();
  mode.TotalMarbles = board.GetLayoutCellMarbleCount();
  // Past the fade-in, with the hint fading in and points to count.
  for (int i = 0; i < 400; ++i) mode.Logic();
  play.ScoreAdder = 1 << 30;
  for (auto _ : state) {
    if (!mode.BonusAnimation) {
      mode.BonusCounter = 6;
      mode.CheckBonusCounter();
    }
    if (!mode.HintAnimation) mode.ResetHintTimer(0);
    mode.Logic();
    benchmark::DoNotOptimize(play.Score);
  }
  state.counters["hints"] = double(mode.HintList ? mode.HintList->size() : 0);
  state.counters["shown"] = mode.CurrentHint ? 1 : 0;
}
BENCHMARK(BM_Match3Logic);

}  // namespace
