// The game modes under test run inside the real game object on the headless
// backend with the generated pictures, texts and fonts: a screen of the
// test's own is current and runs the game-play object, input arrives through
// the scripted feed (the same one --script uses) and each step is the game's
// real logic step with the logic delta 1 and 5 ms of virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../widgets/GameDataTestSupport.h"
#include "TGameModeEditor.h"
#include "TGameModeMatch3.h"
#include "TGamePlay.h"
#include "TScreen.h"

namespace modetest {

// The game screen's part in these tests: run and draw the game-play object.
class TModeScreen : public TScreen {
 public:
  void Logic() override;
  void Draw() override;
  TGamePlay* Play = nullptr;
  plat::TImagePtr Backdrop;
};

class ModeTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A layout file in the test's data folder. Rows as in boardtest::Paint
  // for the shape ('.' normal, 'm' marble, ' ' or '#' none, jewel digits
  // and letters count as their cell); every playing cell is filled at the
  // start, and the top cell of each column creates jewels.
  std::string WriteLayout(const std::string& name, const std::vector<std::string>& rows);
  // The play mode on a new level (the layout of `rows`), as level selection
  // starts it.
  TGameModeMatch3& StartMatch3(const std::vector<std::string>& rows);
  TGameModeEditor& StartEditor();
  // Replaces the jewels (and shape) of the play mode's board by the picture
  // and makes it the first deal (one that did not fail).
  void SetDeal(const std::vector<std::string>& rows);

  // Script lines whose step numbers count from the next step run.
  void Script(const std::string& text);
  void Steps(int n);
  void Step() { Steps(1); }
  // The pointer along a row or column of cells, one cell a step, with the
  // button ("left" or "right") held: a brush stroke in the editor.
  void Stroke(const std::string& button, int x1, int y1, int x2, int y2);
  // A key hit ("x", "lctrl", ...) and a step after it.
  void Key(const std::string& key);
  // How often the mode played the sound since the level started.
  int Played(const std::string& sound) const;
  // Draws a frame of the screen with the pointer and saves it beside the
  // build's game folder; returns the file.
  std::string Shot(const std::string& name);

  TState state;
  TGamePlay play{state};
  TModeScreen screen;
  std::vector<std::string> sounds;
  bool ready = false;

 private:
  gamedatatest::TScriptFeed feed_;
  int layouts_ = 0;
};

}  // namespace modetest
