// The real game, headless, in this test program: a temporary game folder
// (the built game's data linked in, a "layouts" folder of the test's own), a
// temporary home for the player's files, the whole start-up through the
// loading screen, then logic steps run exactly as the main loop runs them,
// with scripted input and the last frame kept for reading and saving.
//
// The frame's globals and the hooks the layers install are put back after
// each test, so tests do not leak into each other.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Platform.h"
#include "TestSupport.h"

class TGameScreen;
class TScreen;
class TRunScript;
class TMenu;

namespace screentest {

class ScreenTest : public ::testing::Test {
 protected:
  ScreenTest();
  ~ScreenTest() override;
  void SetUp() override;
  void TearDown() override;

  // ---- before StartGame
  // A layout file "<name>.layout" in the standard levels (custom 0, the
  // game folder's "layouts/") or the player's own levels (custom 1, the
  // profile folder). One string per interior row from the top: ' ' no
  // playing cell, '.' a normal cell, 'c' a normal cell that makes new
  // jewels, 'm' a marble cell. Every playing cell is filled at the start.
  // Returns its path.
  std::string AddLevel(const std::string& name, const std::vector<std::string>& rows,
                       int custom = 0);
  // A small default board (a 6 x 4 block, two marble cells, jewels made
  // along its top row).
  std::string AddLevel(const std::string& name, int custom = 0);
  // A player known to the game: its profile file, and, with last, the
  // settings' "PROFILE NAME" (so the title screen selects it at once).
  void MakePlayer(const std::string& name, bool last = true);
  // A setting written into the settings file before start ("FADE", "0").
  void SetSetting(const std::string& key, const std::string& value);
  // Screen fades as the player sees them (500 ms); false: every change of
  // screen happens within one step. The maker's splash is always skipped.
  bool Fades = true;
  // false: the last frame of each run is not kept (quicker step-by-step
  // runs that do not look at the picture).
  bool KeepFrames = true;
  // The run's --language code ("" for none).
  std::string Language;
  // The run's --size: the display the picture is drawn for (0: 800 x 600).
  int OutputWidth = 0, OutputHeight = 0;

  // ---- running
  // Start-up as the program does it, up to the first logic step; false when
  // the start-up asked to exit.
  bool StartGame();
  // The program ends as after a clean exit and starts again over the same
  // folders and settings file (what the last run left in it); false when
  // the new start-up asked to exit.
  bool RestartGame();
  // The program ends and everything it saved (players, scores, settings) is
  // forgotten, as if it had never run here; StartGame starts it afresh.
  void EndAndForget();
  // A first run (no player made before): start-up up to the title's name
  // prompt, open for typing; false when it did not come.
  bool StartAtNamePrompt();
  // Scripted input in the format of docs/script.md, with step numbers
  // counted from the last step run (1 = the next step).
  void Script(const std::string& text);
  // Runs n logic steps through the main loop, drawing a frame after every
  // three (15 ms of the virtual clock) as on a display of about 60 Hz;
  // false when the game ended on the way.
  bool Steps(int n);
  // Runs at least one frame, then steps until done() holds (checked after
  // each frame) or the limit is reached; true when it held.
  bool RunUntil(const std::function<bool()>& done, int limit = 2000);
  // Runs until no screen fade is active and the current screen is `screen`.
  bool RunUntilShown(const TScreen* screen, int limit = 400);
  // Starts the game for the player made before, and opens the level editor
  // on `screen`, which leaves to the first screen; false when it did not show.
  bool StartInEditor(TGameScreen& screen);
  // The same with the level of that layout file on `screen`.
  bool StartInLevel(TGameScreen& screen, const std::string& layoutPath, int custom = 0);
  // From the title (once it shows) through "play" to the level selection;
  // false when it did not show.
  bool OpenLevelSelection();
  // The pointer moved to (x, y) in the next step, the left button down the
  // step after and up the step after that, then stepsAfter more steps.
  bool Click(int x, int y, int stepsAfter = 5);
  // A click on the centre of the menu's button of that name (where it takes
  // clicks); fails the test when there is no such button.
  bool ClickButton(const TMenu* menu, const std::string& name, int stepsAfter = 5);
  // The left button pressed at (x0, y0), the pointer moved to (x1, y1) over
  // `steps` steps, then released there.
  bool Drag(int x0, int y0, int x1, int y1, int steps);
  // A key hit in the next step ("esc", "enter", "left", ...), then
  // stepsAfter more steps.
  bool Key(const std::string& key, int stepsAfter = 5);

  long long Step() const;
  TScreen* Current() const;
  bool Exited() const;  // the program has left through the exit screen

  // The frame drawn last, and one pixel of it (0xRRGGBB).
  const plat::TPixmap& Frame() const;
  uint32_t Pixel(int x, int y) const;
  // Saves the last frame as "<name>.png" in the build tree's folder of test
  // screenshots (for looking at them); returns the file.
  std::string Shot(const std::string& name) const;

  // ---- folders
  std::string GameFolder() const { return dir_.File("game") + "/"; }
  std::string SharedFolder() const;   // the game's shared data folder, ends in "/"
  std::string ProfileFolder() const;  // SharedFolder() + "profiles/"
  std::string SettingsFile() const;   // SharedFolder() + "gleamstrand.ini"

 private:
  void StopGame();
  void SaveGlobals();
  void RestoreGlobals();
  void WriteSettings();

  testsupport::TempDir dir_;
  struct TSaved;
  std::unique_ptr<TSaved> saved_;
  std::vector<std::pair<std::string, std::string>> settings_;
  std::vector<std::unique_ptr<TRunScript>> scripts_;
  std::shared_ptr<plat::TPixmap> frame_;
  int stepsPerFrame_ = 3;
  bool grab_ = false;
  bool started_ = false;
  bool ended_ = false;
  bool keepSettingsFile_ = false;
};

}  // namespace screentest
