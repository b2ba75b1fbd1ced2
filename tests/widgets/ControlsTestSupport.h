// The controls under test run inside the real game object on the headless
// backend with the generated data: a screen of the test's own is current,
// input arrives through the scripted feed (the same one --script uses) and
// each step is the game's real logic step.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "GameDataTestSupport.h"
#include "Platform.h"
#include "TScreen.h"

namespace controlstest {

// Where the screenshots of the controls are written (beside the build's
// game folder).
std::string ShotFolder();

// The current screen while a test runs: its Logic and Draw call the test.
class TControlScreen : public TScreen {
 public:
  void Logic() override {
    if (OnLogic) OnLogic();
  }
  void Draw() override;
  std::function<void()> OnLogic;
  std::function<void()> OnDraw;
  plat::TImagePtr Backdrop;
};

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Script lines whose step numbers count from the next step run; the
  // events are posted when that step comes.
  void Script(const std::string& text);
  // Runs n logic steps (whole deltas).
  void Steps(int n);
  void Step() { Steps(1); }
  // Draws a frame of the current screen (with the pointer) and saves it.
  std::string Shot(const std::string& name);
  // Loads an interface picture into the bank the dialogs take theirs from.
  void LoadInterfaceImage(const std::string& name);

  TControlScreen screen;

 private:
  gamedatatest::TScriptFeed feed_;
  bool ready_ = false;
};

}  // namespace controlstest
