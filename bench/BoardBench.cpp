// One board step, TCellBox::Manage(), on a full 16 x 12 board: settled (the
// hint search runs for every jewel) and in the middle of a large cascade.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "Globals.h"
#include "TCellBox.h"
#include "TVMouse.h"

namespace {

class TBenchMode : public TBoardMode {
 public:
  void PlayMatchSound() override {}
  void PlayInvalidSound() override {}
  void PlayHintSound() override {}
  void CheckBonusCounter() override {}
  void AddPendingScore(int points) override { Pending += points; }
  int Pending = 0;
};

// A full board with create cells along the top, dealt from a fixed seed.
std::unique_ptr<TCellBox> FullBoard(TBenchMode& mode, TVMouse& mouse, uint32_t seed) {
  auto board = std::make_unique<TCellBox>(TBoardArt::Blank());
  board->GameMode = &mode;
  board->Mouse = &mouse;
  board->SetupCells(0, 1);
  for (int x = 1; x <= 16; ++x) {
    for (int y = 1; y <= 12; ++y) board->Layout[x][y]->IsFill = 1;
    board->Layout[x][1]->IsCreate = 1;
  }
  board->UpdateDrawWall();
  plat::SeedRnd(seed);
  board->GenerateLevel();
  return board;
}

bool IsSettled(const TCellBox& board) {
  for (int x = 1; x <= 16; ++x) {
    for (int y = 1; y <= 12; ++y) {
      const TCell& cell = *board.Cells[x][y];
      if (!cell.HasJewel() || !cell.IsSettled()) return false;
    }
  }
  return true;
}

void BM_BoardStepSettled(benchmark::State& state) {
  LogicDelta = 1.0f;
  TBenchMode mode;
  TVMouse mouse;
  auto board = FullBoard(mode, mouse, 7);
  for (auto _ : state) {
    board->Manage();
    benchmark::DoNotOptimize(mode.HintList);
  }
  state.counters["hints"] = double(mode.HintList ? mode.HintList->size() : 0);
}
BENCHMARK(BM_BoardStepSettled);

// Each iteration destroys the lower half of a freshly dealt board and runs
// the cascade that follows (falls, new jewels, further lines) until the
// board is full and settled; the time is reported per step.
void BM_BoardStepCascade(benchmark::State& state) {
  LogicDelta = 1.0f;
  TVMouse mouse;
  long steps = 0;
  uint32_t seed = 1;
  for (auto _ : state) {
    TBenchMode mode;
    auto board = FullBoard(mode, mouse, seed++);
    for (int x = 1; x <= 16; ++x) {
      for (int y = 7; y <= 12; ++y) board->Cells[x][y]->StartDestroyAnimation();
    }
    int run = 0;
    std::chrono::duration<double> seconds{0};
    do {
      auto start = std::chrono::steady_clock::now();
      board->Manage();
      seconds += std::chrono::steady_clock::now() - start;
      ++run;
    } while ((run < 50 || !IsSettled(*board)) && run < 20000);
    state.SetIterationTime(seconds.count() / run);
    steps += run;
  }
  state.counters["steps/cascade"] = double(steps) / double(state.iterations());
}
// Whole cascades are long: a few of them make a steady figure.
BENCHMARK(BM_BoardStepCascade)->UseManualTime()->Iterations(30);

}  // namespace
