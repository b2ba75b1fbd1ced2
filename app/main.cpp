// Gleamstrand: program entry, command line and the main loop.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <memory>

#include "CommandLine.h"
#include "Globals.h"
#include "InstallEffects.h"
#include "InstallWidgets.h"
#include "Platform.h"
#include "PlatformDemo.h"
#include "StartupSteps.h"
#include "TAutoPlay.h"
#include "TFrameLog.h"
#include "TGameScreens.h"
#include "TRunScript.h"
#include "TTalvorineGame.h"

namespace {

// The autoplay bot of --autoplay, while the game runs.
std::unique_ptr<TAutoPlay> AutoPlay;
// The --frame-log file.
TFrameLog FrameLog;

// The lock is per player: a file in the player's data folder, however the
// folder is reached.
std::string InstanceLockFolder() {
  return plat::CommonDataFolder() + "/Talvorine Games/Cavernglow";
}

// Scripted input before each step, screenshots before each flip.
void InstallRunControl(TTalvorineGame& game, const TRunScript& script, TScreenshotQueue& shots) {
  game.StepLimit = RunOptions.Steps;
  game.BeforeLogicStep = [&script](long long step) {
    script.Post(step);
    if (AutoPlay) AutoPlay->BeforeStep(step);
  };
  game.BeforeFlip = [&shots, &game] {
    for (const std::string& file : shots.TakeDue(game.LogicSteps)) {
      std::fprintf(stderr, "gleamstrand: could not save the screenshot %s\n", file.c_str());
    }
  };
}

void ReportMissedScreenshots(const TScreenshotQueue& shots) {
  for (const auto& [step, file] : shots.Pending()) {
    std::fprintf(stderr, "gleamstrand: no screenshot %s: the run ended before step %lld\n",
                 file.c_str(), step);
  }
}

void MainLoop(const TScreenshotQueue& shots) {
  Game->FixedRateLogic.Init();
  Game->NoTimingTicks = 3;
  FrameLog.PassStarts();
  while (Game->MainLogicLoop() != -1) {
    if (AutoPlay && AutoPlay->SkipsDrawing()) {
      // Nobody looks: the virtual clock moves on by the longest pass. A due
      // screenshot draws its frame outside game time, so that taking it
      // leaves the passes, and with them the play, as they were.
      if (shots.Due(Game->LogicSteps)) Game->ScreenDrawUnshown();
      plat::AdvanceClock(TAutoPlay::UndrawnPassMs);
      continue;
    }
    if (Game->FrameDue(shots.Due(Game->LogicSteps))) {
      Game->ScreenDraw();
      FrameLog.Update(plat::FramesPresented(), Game->LogicSteps, Game->FrameSchedule.LastChange());
    } else {
      Game->SkipFrame();
    }
    MusicRotate(0);
    FrameLog.PassStarts();
  }
}

// Start-up, the main loop and the exit, inside the catch-all handler. A
// fatal report has been shown already and ends without the good-exit marker.
int RunGame(const TRunScript& script) {
  TScreenshotQueue shots;
  for (const auto& [step, file] : RunOptions.Screenshots) shots.Add(step, file);
  int status = 1;
  try {
    try {
      if (GameSetup()) {
        InstallRunControl(*Game, script, shots);
        MainLoop(shots);
      }
      status = EndGame();
    } catch (const TFatalError&) {
      throw;
    } catch (const std::exception& e) {
      ReportException(e);
      status = EndGame();
    } catch (...) {
      ReportException("unknown error", false);
      status = EndGame();
    }
  } catch (const TFatalError&) {
    status = 1;
  }
  ReportMissedScreenshots(shots);
  return status;
}

// The read-only data lies beside the program in a build tree; installed, in
// ../share/gleamstrand (bin/ and share/ under one prefix) or, as Debian lays
// out games, ../share/games/gleamstrand (games/ and share/games/).
std::string ReadOnlyDataDir() {
  std::string app = plat::AppDir();
  if (plat::FileType(app + "/Data") == plat::FILETYPE_DIR) return app;
#if defined(GS_INSTALLED_DATA) && defined(GS_PACKAGED_DATA)
  for (const char* relative : {GS_INSTALLED_DATA, GS_PACKAGED_DATA}) {
    std::string installed = app + "/" + relative;
    if (plat::FileType(installed + "/Data") == plat::FILETYPE_DIR) return installed;
  }
#endif
  return app;
}

// Relative files are meant from where the program was started.
std::string Anchored(const std::string& path) {
  return path.empty() || path[0] == '/' ? path : plat::CurrentDir() + "/" + path;
}

void AnchorScreenshotPaths() {
  for (auto& shot : RunOptions.Screenshots) shot.second = Anchored(shot.second);
}

// The bot of --autoplay LEVELS [--player NAME]; its custom layout paths are
// meant from where the program was started. Its options without it (--moves)
// are refused here too.
bool CreateAutoPlay(std::string& error) {
  std::vector<TAutoPlay::TLevel> list;
  if (!RunOptions.AutoPlay.empty() &&
      !TAutoPlay::ParseLevels(RunOptions.AutoPlay, "layouts/", list, error, plat::CurrentDir())) {
    return false;
  }
  std::string player = RunOptions.Player.empty() ? "Autoplay" : RunOptions.Player;
  uint32_t seed = RunOptions.HasSeed ? RunOptions.Seed : uint32_t(std::time(nullptr));
  AutoPlay = std::make_unique<TAutoPlay>(std::move(list), player, seed, RunOptions.Headless);
  // The open board's ways are items of --autoplay, not modes.
  if (!RunOptions.Mode.empty() &&
      (!playway::Parse(RunOptions.Mode, AutoPlay->Way) || playway::OnOpenBoard(AutoPlay->Way))) {
    error = "--mode needs relaxed or clock, not \"" + RunOptions.Mode + "\"";
    AutoPlay.reset();
    return false;
  }
  AutoPlay->EndlessMoves = RunOptions.Moves;
  if (!AutoPlay->CheckOptions(error)) {
    AutoPlay.reset();
    return false;
  }
  AutoPlay->Keys = RunOptions.Keys || RunOptions.Pad;
  AutoPlay->Pad = RunOptions.Pad;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--demo") == 0) return RunPlatformDemo(argc - 1, argv + 1);
  std::string error;
  if (!ParseCommandLine(argc, argv, RunOptions, error)) {
    std::fprintf(stderr, "gleamstrand: %s\n\n%s", error.c_str(), UsageText().c_str());
    return 2;
  }
  if (RunOptions.Help || RunOptions.Version) {
    std::printf("%s", RunOptions.Help ? UsageText().c_str() : VersionText().c_str());
    return 0;
  }
  TRunScript script;
  if (!RunOptions.Script.empty() && !script.Load(RunOptions.Script, error)) {
    std::fprintf(stderr, "gleamstrand: --script: %s\n", error.c_str());
    return 2;
  }
  AnchorScreenshotPaths();
  if (!RunOptions.FrameLog.empty() && !FrameLog.Open(Anchored(RunOptions.FrameLog))) {
    std::fprintf(stderr, "gleamstrand: --frame-log: cannot write %s\n",
                 RunOptions.FrameLog.c_str());
    return 2;
  }
  if ((!RunOptions.AutoPlay.empty() || RunOptions.Moves > 0) && !CreateAutoPlay(error)) {
    std::fprintf(stderr, "gleamstrand: %s\n", error.c_str());
    return 2;
  }
  // Read-only data is found from the program's folder wherever it is started from.
  plat::ChangeDir(ReadOnlyDataDir());
  ScreenWidth = 800;
  ScreenHeight = 600;
  if (!plat::SingleInstanceLock(InstanceLockFolder())) {
    // A second start ends silently while a copy runs; but a bot run that
    // played nothing must not report the levels as played.
    if (RunOptions.AutoPlay.empty()) return 0;
    std::fprintf(stderr,
                 "gleamstrand: another copy of Gleamstrand uses this data folder; nothing was "
                 "played\n");
    return 1;
  }

  plat::TBackendOptions backend;
  backend.Headless = RunOptions.Headless;
  backend.OutputWidth = RunOptions.OutputWidth;
  backend.OutputHeight = RunOptions.OutputHeight;
  if (!plat::Startup(backend)) {
    std::fprintf(stderr, "gleamstrand: the display and sound system could not start\n");
    return 1;
  }
  SeedRandom();
  InstallWidgets();
  InstallEffects();
  InstallGameScreens();
  int status = RunGame(script);
  // A run that ended before the bot did (the window closed, --steps) is no result.
  if (AutoPlay && status == 0) {
    status = AutoPlay->Done() ? AutoPlay->ExitStatus() : TAutoPlay::StatusError;
  }
  AutoPlay.reset();
  ReleaseGameScreens();
  ReleaseStartupObjects();
  DestroyGame();
  plat::Shutdown();
  return status;
}
