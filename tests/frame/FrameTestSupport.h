// A headless platform, a temporary home for the player's files and a fresh
// game object, for the tests of the frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "GameInput.h"
#include "Globals.h"
#include "Platform.h"
#include "TTalvorineGame.h"
#include "TVMouse.h"
#include "TestSupport.h"

namespace frametest {

// XDG_DATA_HOME and HOME point into a temporary folder for the test's life.
class TempHome {
 public:
  TempHome() {
    Save("XDG_DATA_HOME", oldXdg_, hadXdg_);
    Save("HOME", oldHome_, hadHome_);
    setenv("XDG_DATA_HOME", (dir_.Path() + "/share").c_str(), 1);
    setenv("HOME", dir_.Path().c_str(), 1);
  }
  ~TempHome() {
    Restore("XDG_DATA_HOME", oldXdg_, hadXdg_);
    Restore("HOME", oldHome_, hadHome_);
  }
  const std::string& Path() const { return dir_.Path(); }
  // The game's shared data folder inside it.
  std::string DataFolder() const { return dir_.Path() + "/share/Talvorine Games/Cavernglow/"; }

 private:
  static void Save(const char* name, std::string& value, bool& had) {
    const char* current = std::getenv(name);
    had = current != nullptr;
    if (had) value = current;
  }
  static void Restore(const char* name, const std::string& value, bool had) {
    if (had) {
      setenv(name, value.c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  testsupport::TempDir dir_;
  std::string oldXdg_, oldHome_;
  bool hadXdg_ = false, hadHome_ = false;
};

// Headless backend with its display open, a game object whose folders are
// set up (not yet Init), and the frame globals at their start values.
class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::TBackendOptions options;
    options.Headless = true;
    ASSERT_TRUE(plat::Startup(options));
    ASSERT_TRUE(plat::Graphics(800, 600, 0, 60));
    plat::SetVirtualClock(10000);
    ErrorsOnScreen = 0;
    FailureReported = 0;
    StartupStage = 0;
    LoadStartTime = 0;
    UseEventInput();
    GameFlushKeys();
    VMouse = TVMouse();
    game = &CreateGame();
    game->SetSubPathWrapper("Talvorine Games/Cavernglow");
  }
  void TearDown() override {
    DestroyGame();
    GameFlushKeys();
    plat::Shutdown();
  }

  // Runs one logic step with a whole delta, after posting the events.
  int Step() {
    game->FixedRateLogic.SetDelta(1);
    return game->LogicWrapper();
  }
  int Steps(int n) {
    int result = 1;
    for (int i = 0; i < n && result != -1; ++i) result = Step();
    return result;
  }
  static void Post(plat::TEventKind kind, int data = 0, int x = 0, int y = 0) {
    plat::TEvent event;
    event.kind = kind;
    event.data = data;
    event.x = x;
    event.y = y;
    plat::PostEvent(event);
  }
  static void PressKey(int key) {
    Post(plat::EVENT_KEYDOWN, key);
    Post(plat::EVENT_KEYUP, key);
  }

  TempHome home;
  TTalvorineGame* game = nullptr;
};

}  // namespace frametest
