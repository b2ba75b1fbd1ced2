#include "ControlsTestSupport.h"

#include <filesystem>

#include "GameResources.h"
#include "TImageBank.h"
#include "TPakFileManager.h"

namespace controlstest {

using gamedatatest::Runtime;

std::string ShotFolder() { return Runtime + "/../widget-screenshots/"; }

void TControlScreen::Draw() {
  plat::Cls();
  plat::SetBlend(plat::ALPHABLEND);
  if (Backdrop) plat::DrawImage(*Backdrop, 0, 0);
  if (OnDraw) OnDraw();
}

void ControlsTest::SetUp() {
  if (!gamedatatest::HasGameData("Data/menus/OK.png")) {
    GTEST_SKIP() << "no generated game data in " << Runtime
                 << " (configure with GS_GAME_DATA=ON or GS_EXTERNAL_DATA)";
  }
  plat::TBackendOptions options;
  options.Headless = true;
  ASSERT_TRUE(plat::Startup(options));
  ASSERT_TRUE(plat::Graphics(800, 600, 0, 60));
  gamedatatest::CreateGameWithData([](TTalvorineGame& game) { game.ChannelsCreate(16); });
  Game->CurrentTScreen = &screen;
  screen.Backdrop = PakMan->GetImage("titlescreen.jpg");
  std::filesystem::create_directories(ShotFolder());
  ready_ = true;
}

void ControlsTest::TearDown() {
  if (!ready_) return;
  feed_.Clear();
  screen.OnLogic = nullptr;
  screen.OnDraw = nullptr;
  screen.Backdrop.reset();
  if (Game) Game->CurrentTScreen = nullptr;
  gamedatatest::DestroyGameWithData();
  plat::Shutdown();
}

void ControlsTest::Script(const std::string& text) { feed_.Add(text); }

void ControlsTest::Steps(int n) {
  for (int i = 0; i < n; ++i) feed_.Step();
}

std::string ControlsTest::Shot(const std::string& name) {
  std::string file = ShotFolder() + name;
  gamedatatest::SaveShot(screen, file, 1);
  return file;
}

void ControlsTest::LoadInterfaceImage(const std::string& name) { InterfaceImageBank->Load(name); }

}  // namespace controlstest
