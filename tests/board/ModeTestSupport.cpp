#include "ModeTestSupport.h"

#include <filesystem>

#include "BoardTestSupport.h"
#include "GameInput.h"
#include "GameResources.h"
#include "Globals.h"
#include "StartupSteps.h"
#include "TCellBox.h"
#include "TImageBank.h"
#include "TPakFileManager.h"
#include "TSmashParticle.h"
#include "TTalvorineGame.h"
#include "TVMouse.h"

namespace modetest {

namespace {
const std::string Runtime = GS_RUNTIME_DIR;
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
  if (plat::FileType(Runtime + "/Data/graphics/cell1.png") != plat::FILETYPE_FILE ||
      plat::FileType(Runtime + "/data/resources/data.pak") != plat::FILETYPE_FILE) {
    GTEST_SKIP() << "no generated game data in " << Runtime
                 << " (configure with GS_GAME_DATA=ON or GS_EXTERNAL_DATA)";
  }
  ASSERT_TRUE(plat::Graphics(800, 600, 0, 60));
  plat::SetVirtualClock(10000);
  plat::SeedRnd(4321);
  ErrorsOnScreen = 0;
  UseEventInput();
  GameFlushKeys();
  VMouse = TVMouse();
  LogicDelta = 1;
  TTalvorineGame& game = CreateGame();
  game.DataPrefix = Runtime + "/";
  game.SetDefaultPaths();
  game.ProfilePath = boardtest::DataFolder();
  game.Mouse.Load("pointer");
  LoadGameText();
  CreateArchiveManager();
  LoadFonts();
  SetBankPaths();
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
  scripts_.clear();
  play.GameMode.reset();
  play.ParticleList.reset();
  screen.Play = nullptr;
  screen.Backdrop.reset();
  if (Game) Game->CurrentTScreen = nullptr;
  ReleaseGameResources();
  TSmashParticle::SetImage(plat::TImagePtr());
  DestroyGame();
  GameFlushKeys();
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

void ModeTest::Script(const std::string& text) {
  auto script = std::make_unique<TRunScript>();
  std::string error;
  ASSERT_TRUE(script->Parse(text, error)) << error;
  scripts_.emplace_back(stepsRun, std::move(script));
}

void ModeTest::Steps(int n) {
  for (int i = 0; i < n; ++i) {
    ++stepsRun;
    for (const auto& [base, script] : scripts_) script->Post(stepsRun - base);
    plat::AdvanceClock(5);
    Game->FixedRateLogic.SetDelta(1);
    LogicDelta = 1;
    Game->LogicWrapper();
  }
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
  screen.Draw();
  Game->Mouse.Draw();
  std::string file = ShotFolder + name;
  auto pixmap = plat::GrabPixmap(0, 0, 800, 600);
  EXPECT_TRUE(pixmap && plat::SavePixmapPNG(*pixmap, file)) << file;
  return file;
}

}  // namespace modetest
