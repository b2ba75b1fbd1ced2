#include "ControlsTestSupport.h"

#include <filesystem>
#include <map>
#include <memory>

#include "GameInput.h"
#include "GameResources.h"
#include "Globals.h"
#include "StartupSteps.h"
#include "TImageBank.h"
#include "TPakFileManager.h"
#include "TTalvorineGame.h"
#include "TVMouse.h"

namespace controlstest {

namespace {

const std::string Runtime = GS_RUNTIME_DIR;

// The scripts of the running test, each with the step it counts from.
std::vector<std::pair<long long, std::unique_ptr<TRunScript>>>& Scripts() {
  static std::vector<std::pair<long long, std::unique_ptr<TRunScript>>> scripts;
  return scripts;
}

}  // namespace

std::string ShotFolder() { return Runtime + "/../widget-screenshots/"; }

void TControlScreen::Draw() {
  plat::Cls();
  plat::SetBlend(plat::ALPHABLEND);
  if (Backdrop) plat::DrawImage(*Backdrop, 0, 0);
  if (OnDraw) OnDraw();
}

void ControlsTest::SetUp() {
  if (plat::FileType(Runtime + "/Data/menus/OK.png") != plat::FILETYPE_FILE ||
      plat::FileType(Runtime + "/data/resources/data.pak") != plat::FILETYPE_FILE) {
    GTEST_SKIP() << "no generated game data in " << Runtime
                 << " (configure with GS_GAME_DATA=ON or GS_EXTERNAL_DATA)";
  }
  plat::TBackendOptions options;
  options.Headless = true;
  ASSERT_TRUE(plat::Startup(options));
  ASSERT_TRUE(plat::Graphics(800, 600, 0, 60));
  plat::SetVirtualClock(10000);
  ErrorsOnScreen = 0;
  UseEventInput();
  GameFlushKeys();
  VMouse = TVMouse();
  LogicDelta = 1;
  TTalvorineGame& game = CreateGame();
  game.DataPrefix = Runtime + "/";
  game.SetDefaultPaths();
  game.ChannelsCreate(16);
  game.Mouse.Load("pointer");
  LoadGameText();
  CreateArchiveManager();
  LoadFonts();
  SetBankPaths();
  Game->CurrentTScreen = &screen;
  screen.Backdrop = PakMan->GetImage("titlescreen.jpg");
  std::filesystem::create_directories(ShotFolder());
  Scripts().clear();
  ready_ = true;
}

void ControlsTest::TearDown() {
  if (!ready_) return;
  Scripts().clear();
  screen.OnLogic = nullptr;
  screen.OnDraw = nullptr;
  screen.Backdrop.reset();
  if (Game) Game->CurrentTScreen = nullptr;
  ReleaseGameResources();
  DestroyGame();
  GameFlushKeys();
  plat::Shutdown();
}

void ControlsTest::Script(const std::string& text) {
  auto script = std::make_unique<TRunScript>();
  std::string error;
  ASSERT_TRUE(script->Parse(text, error)) << error;
  Scripts().emplace_back(stepsRun, std::move(script));
}

void ControlsTest::Steps(int n) {
  for (int i = 0; i < n; ++i) {
    ++stepsRun;
    for (const auto& [base, script] : Scripts()) script->Post(stepsRun - base);
    Game->FixedRateLogic.SetDelta(1);
    LogicDelta = 1;
    Game->LogicWrapper();
  }
}

std::string ControlsTest::Shot(const std::string& name) {
  screen.Draw();
  Game->Mouse.Draw();
  std::string file = ShotFolder() + name;
  auto pixmap = plat::GrabPixmap(0, 0, 800, 600);
  EXPECT_TRUE(pixmap && plat::SavePixmapPNG(*pixmap, file, 1)) << file;
  return file;
}

void ControlsTest::LoadInterfaceImage(const std::string& name) { InterfaceImageBank->Load(name); }

}  // namespace controlstest
