// One frame of the title and of a game board at rest, through the real game
// headless (software drawing into memory, as on a machine without a
// graphics card): "AtRest" is what a pass that draws costs now (the screen
// drawn into a record and compared with the last: nothing to draw, nothing
// to present); "Whole" is the same frame drawn in full, what every frame
// cost before only changes were drawn.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "Globals.h"
#include "InstallEffects.h"
#include "InstallWidgets.h"
#include "StartupSteps.h"
#include "TGameScreens.h"
#include "TRunScript.h"
#include "TTalvorineGame.h"

namespace {

// The game, started once for all the benchmarks of this file, for a player
// "Bench" in a scratch data folder.
class TBenchGame {
 public:
  TBenchGame() {
    char folder[] = "/tmp/gleamstrand-bench-XXXXXX";
    if (!mkdtemp(folder)) return;
    home_ = folder;
    setenv("XDG_DATA_HOME", home_.c_str(), 1);
    std::string shared = home_ + "/Talvorine Games/Cavernglow/";
    plat::CreateDir(shared + "profiles", true);
    std::ofstream(shared + "profiles/Bench.dat", std::ios::binary) << std::string("\1\0\0\0", 4);
    std::ofstream(shared + "gleamstrand.ini")
        << "FULL SCREEN=0\r\nFADE=0\r\nPROFILE NAME=Bench\r\n";
    plat::TBackendOptions backend;
    backend.Headless = true;
    if (!plat::Startup(backend) || !plat::ChangeDir(GS_RUNTIME_DIR)) return;
    RunOptions = TRunOptions();
    RunOptions.Headless = true;
    RunOptions.HasSeed = true;
    RunOptions.Seed = 1;
    SeedRandom();
    InstallWidgets();
    InstallEffects();
    InstallGameScreens();
    started_ = GameSetup();
    if (!started_) return;
    Game->BeforeLogicStep = [this](long long step) { script_.Post(step); };
    Game->FixedRateLogic.Init();
  }
  ~TBenchGame() {
    if (Game) EndGame();
    ReleaseGameScreens();
    ReleaseStartupObjects();
    DestroyGame();
    plat::Shutdown();
    if (!home_.empty()) plat::DeleteDir(home_, true);
  }

  bool Started() const { return started_ && Game; }

  // Runs the main loop, drawing every pass, until logic step `until`.
  void RunTo(long long until) {
    while (Started() && Game->LogicSteps < until && Game->MainLogicLoop() != -1) {
      Game->ScreenDraw();
    }
  }
  void Script(const std::string& text) {
    std::string error;
    script_.Parse(text, error);
  }

 private:
  std::string home_;
  bool started_ = false;
  TRunScript script_;
};

TBenchGame& Bench() {
  static TBenchGame game;
  return game;
}

// The title (its pointer away from the menu), then a first level's board.
enum class TScene { Title, Board };

bool ShowScene(TScene scene) {
  TBenchGame& game = Bench();
  if (!game.Started()) return false;
  static bool scripted = false;
  if (!scripted) {
    // The title's Play, the level selection's Play, the pointer aside.
    game.Script(
        "300 move 780 300\n600 click left 400 209\n900 click left 151 542\n"
        "1500 move 780 300\n");
    scripted = true;
  }
  game.RunTo(scene == TScene::Title ? 500 : 2500);
  return true;
}

void FrameAtRest(benchmark::State& state, TScene scene) {
  if (!ShowScene(scene)) {
    state.SkipWithError("the game did not start (is the game's data built?)");
    return;
  }
  for (auto _ : state) Game->ScreenDraw();
}

void FrameWhole(benchmark::State& state, TScene scene) {
  if (!ShowScene(scene)) {
    state.SkipWithError("the game did not start (is the game's data built?)");
    return;
  }
  for (auto _ : state) {
    plat::Cls();  // the back buffer is unknown: the frame is drawn in full
    Game->ScreenDraw();
  }
}

void BM_TitleFrameAtRest(benchmark::State& state) { FrameAtRest(state, TScene::Title); }
void BM_TitleFrameWhole(benchmark::State& state) { FrameWhole(state, TScene::Title); }
void BM_BoardFrameAtRest(benchmark::State& state) { FrameAtRest(state, TScene::Board); }
void BM_BoardFrameWhole(benchmark::State& state) { FrameWhole(state, TScene::Board); }

// Title first: the scenes are reached in order.
BENCHMARK(BM_TitleFrameAtRest);
BENCHMARK(BM_TitleFrameWhole);
BENCHMARK(BM_BoardFrameAtRest);
BENCHMARK(BM_BoardFrameWhole);

}  // namespace
