// The game object on the headless display with the generated data loaded as
// the start-up loads it (game text, archive, faces, bank folders), for the
// tests of the layers under the screens; input through the scripted feed
// (the same one --script uses), each step the game's real logic step.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GameInput.h"
#include "GameResources.h"
#include "Globals.h"
#include "Platform.h"
#include "StartupSteps.h"
#include "TRunScript.h"
#include "TTalvorineGame.h"
#include "TVMouse.h"

namespace gamedatatest {

inline const std::string Runtime = GS_RUNTIME_DIR;

// The generated data is there: the archive and `file` under the runtime
// folder ("Data/menus/OK.png").
inline bool HasGameData(const std::string& file) {
  return plat::FileType(Runtime + "/" + file) == plat::FILETYPE_FILE &&
         plat::FileType(Runtime + "/data/resources/data.pak") == plat::FILETYPE_FILE;
}

// Creates the game with the frame's globals at their start values and its
// data loaded; the display must be open. `beforeLoad` runs on the new game
// before anything is loaded (channels, folders).
template <typename F>
TTalvorineGame& CreateGameWithData(F&& beforeLoad) {
  plat::SetVirtualClock(10000);
  ErrorsOnScreen = 0;
  UseEventInput();
  GameFlushKeys();
  VMouse = TVMouse();
  LogicDelta = 1;
  TTalvorineGame& game = CreateGame();
  game.DataPrefix = Runtime + "/";
  game.SetDefaultPaths();
  beforeLoad(game);
  game.Mouse.Load("pointer");
  LoadGameText();
  CreateArchiveManager();
  LoadFonts();
  SetBankPaths();
  return game;
}

inline void DestroyGameWithData() {
  ReleaseGameResources();
  DestroyGame();
  GameFlushKeys();
}

// Scripts posted on the steps they name, counted from the step they were
// given at.
class TScriptFeed {
 public:
  // Script lines whose step numbers count from the next step run.
  void Add(const std::string& text) {
    auto script = std::make_unique<TRunScript>();
    std::string error;
    ASSERT_TRUE(script->Parse(text, error)) << error;
    scripts_.emplace_back(StepsRun, std::move(script));
  }
  // One logic step with a whole delta, after posting the step's events.
  void Step() {
    ++StepsRun;
    for (const auto& [base, script] : scripts_) script->Post(StepsRun - base);
    if (ClockPerStep > 0) plat::AdvanceClock(ClockPerStep);
    Game->FixedRateLogic.SetDelta(1);
    LogicDelta = 1;
    Game->LogicWrapper();
  }
  void Clear() { scripts_.clear(); }

  long long StepsRun = 0;
  // Milliseconds of the virtual clock each step takes (0: the clock stands).
  int ClockPerStep = 0;

 private:
  std::vector<std::pair<long long, std::unique_ptr<TRunScript>>> scripts_;
};

// Draws a frame of `screen` with the pointer over it and saves it as `file`.
template <typename S>
void SaveShot(S& screen, const std::string& file, int compression = 9) {
  screen.Draw();
  Game->Mouse.Draw();
  auto pixmap = plat::GrabPixmap(0, 0, 800, 600);
  EXPECT_TRUE(pixmap && plat::SavePixmapPNG(*pixmap, file, compression)) << file;
}

}  // namespace gamedatatest
