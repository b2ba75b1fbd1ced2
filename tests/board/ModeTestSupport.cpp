#include "ModeTestSupport.h"

#include <algorithm>
#include <filesystem>

#include "BoardTestSupport.h"
#include "GameResources.h"
#include "TCellBox.h"
#include "TImageBank.h"
#include "TPakFileManager.h"
#include "TSmashParticle.h"

namespace modetest {

namespace {
using gamedatatest::Runtime;
const std::string ShotFolder = Runtime + "/../mode-screenshots/";
}  // namespace

void TModeScreen::Logic() {
  if (Play) Play->Logic();
}

void TModeScreen::Draw() {
  plat::Cls();
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetAlpha(1);
  plat::SetColor(255, 255, 255);
  if (Backdrop) plat::DrawImage(*Backdrop, 400, 300);
  if (Play) Play->Draw();
}

void ModeTest::SetUp() {
  if (!gamedatatest::HasGameData("Data/graphics/cell1.png")) {
    GTEST_SKIP() << "no generated game data in " << Runtime
                 << " (configure with GS_GAME_DATA=ON or GS_EXTERNAL_DATA)";
  }
  ASSERT_TRUE(plat::Graphics(800, 600, 0, 60));
  plat::SeedRnd(4321);
  gamedatatest::CreateGameWithData(
      [](TTalvorineGame& game) { game.ProfilePath = boardtest::DataFolder(); });
  feed_.ClockPerStep = 5;
  LoadInterfaceImages();
  ASSERT_TRUE(TSmashParticle::SetImage(Runtime + "/Data/graphics/particles.png"));
  Game->CurrentTScreen = &screen;
  screen.Play = &play;
  screen.Backdrop = PakMan->GetImage("gamescreen1.jpg");
  if (screen.Backdrop) plat::MidHandleImage(*screen.Backdrop);
  std::filesystem::create_directories(ShotFolder);
  ready = true;
}

void ModeTest::TearDown() {
  if (!ready) return;
  feed_.Clear();
  play.GameMode.reset();
  play.ParticleList.reset();
  screen.Play = nullptr;
  screen.Backdrop.reset();
  if (Game) Game->CurrentTScreen = nullptr;
  TSmashParticle::SetImage(plat::TImagePtr());
  gamedatatest::DestroyGameWithData();
  plat::EndGraphics();
}

std::string ModeTest::WriteLayout(const std::string& name, const std::vector<std::string>& rows) {
  TCellBox board(TBoardArt::Blank());
  boardtest::Paint(board, rows);
  for (int x = 1; x <= 16; ++x) {
    bool top = true;
    for (int y = 1; y <= 12; ++y) {
      TLayoutCell& cell = *board.Layout[x][y];
      if (cell.Contents == 0) continue;
      cell.IsFill = 1;
      cell.IsCreate = top;
      top = false;
    }
  }
  std::string path = boardtest::DataFolder() + name + ".layout";
  EXPECT_EQ(board.WriteLayout(path), 1);
  return path;
}

TGameModeMatch3& ModeTest::StartMatch3(const std::vector<std::string>& rows) {
  std::string path = WriteLayout("level" + std::to_string(++layouts_), rows);
  play.Init(TGameMode::TypeMatch3);
  TGameModeMatch3& mode = *play.Match3();
  mode.SoundHook = [this](const std::string& name) { sounds.push_back(name); };
  mode.Init(path, 0);
  return mode;
}

TGameModeEditor& ModeTest::StartEditor() {
  play.Init(TGameMode::TypeEditor);
  play.GameMode->Init("", 0);
  return *play.Editor();
}

void ModeTest::SetDeal(const std::vector<std::string>& rows) {
  TGameModeMatch3& mode = *play.Match3();
  boardtest::Paint(*mode.CellBox, rows);
  mode.AddOriginalUndo();
  mode.DealFailed = mode.FirstDealFailed = 0;
  mode.TotalMarbles = mode.OriginalPuzzle->CellBox->GetLayoutCellMarbleCount();
}

void ModeTest::Script(const std::string& text) { feed_.Add(text); }

void ModeTest::Steps(int n) {
  for (int i = 0; i < n; ++i) feed_.Step();
}

void ModeTest::Stroke(const std::string& button, int x1, int y1, int x2, int y2) {
  auto at = [](int x, int y) {
    return std::to_string(board::CentreX(x)) + " " + std::to_string(board::CentreY(y));
  };
  std::string script = "1 move " + at(x1, y1) + "\n2 down " + button + "\n";
  int step = 3;
  for (int x = x1, y = y1;;) {
    script += std::to_string(step++) + " move " + at(x, y) + "\n";
    if (x == x2 && y == y2) break;
    x += x2 > x ? 1 : x2 < x ? -1 : 0;
    y += y2 > y ? 1 : y2 < y ? -1 : 0;
  }
  script += std::to_string(step + 1) + " up " + button + "\n";
  Script(script);
  Steps(step + 3);
}

void ModeTest::Key(const std::string& key) {
  Script("1 key " + key);
  Steps(2);
}

int ModeTest::Played(const std::string& sound) const {
  return int(std::count(sounds.begin(), sounds.end(), sound));
}

std::string ModeTest::Shot(const std::string& name) {
  std::string file = ShotFolder + name;
  gamedatatest::SaveShot(screen, file);
  return file;
}

}  // namespace modetest
