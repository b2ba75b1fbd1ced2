// A board of its own run on the headless backend with the real pictures and
// bursts, saving what a player would see at each moment of a move.
#include <gtest/gtest.h>

#include <filesystem>

#include "BoardTestSupport.h"
#include "GameResources.h"
#include "TImageBank.h"
#include "TSmashParticle.h"

namespace {

using boardtest::BoardTest;

const std::string Runtime = GS_RUNTIME_DIR;
const std::string ShotFolder = Runtime + "/../board-screenshots/";

// An irregular shape round a hole, marble in the middle, chains, create
// cells under the top edge, and empty cells that fill by falling.
const std::vector<std::string> Shape = {"###..........###", "##............##", "#......mm......#",
                                        "#....mmmmmm.....", ".....mm##mm.....", "....mm####mm....",
                                        "....mm####mm....", ".....mm##mm.....", "#....mmmmmm....#",
                                        "#......mm......#", "##............##", "###...#..#...###"};

class ScreenshotTest : public BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    if (plat::FileType(Runtime + "/Data/graphics/cell1.png") != plat::FILETYPE_FILE ||
        plat::FileType(Runtime + "/data/resources/score1.par") != plat::FILETYPE_FILE) {
      GTEST_SKIP() << "no generated game data in " << Runtime
                   << " (configure with GS_GAME_DATA=ON or GS_EXTERNAL_DATA)";
    }
    ASSERT_TRUE(plat::Graphics(800, 600, 0, 60));
    LoadBanks();
    // The bursts are read from "data/resources/" beside the program.
    oldFolder_ = plat::CurrentDir();
    ASSERT_TRUE(plat::ChangeDir(Runtime));
    std::filesystem::create_directories(ShotFolder);
  }

  void TearDown() override {
    if (!oldFolder_.empty()) plat::ChangeDir(oldFolder_);
    board.reset();
    ReleaseGameResources();
    TSmashParticle::SetImage(plat::TImagePtr());
    plat::EndGraphics();
    BoardTest::TearDown();
  }

  void LoadBanks() {
    CreateBanks();
    std::string graphics = Runtime + "/Data/graphics/";
    for (const auto& bank : {CellImageBank, WallImageBank, InterfaceImageBank}) {
      bank->SetPath(graphics);
    }
    for (const char* name : {"cellnormal", "cellnormalmo", "cellmarble", "cellmarblemo",
                             "cellchain", "cellcreate", "cellfill", "cellempty", "cellmarked",
                             "cellhint", "cell1", "cell2", "cell3", "cell4", "cell5", "cell6"}) {
      CellImageBank->Load(name);
    }
    for (const TWallRule& rule : WallRules) {
      WallImageBank->Load(rule.Tile);
      if (rule.Decoration) WallImageBank->Load(rule.Decoration);
    }
    InterfaceImageBank->Load("score1");
    InterfaceImageBank->Load("score2");
    ASSERT_TRUE(TSmashParticle::SetImage(graphics + "particles.png"));
  }

  void MakeBoard() {
    board = std::make_unique<TCellBox>(TBoardArt::FromBanks());
    board->GameMode = &mode;
    board->Mouse = &mouse;
    Paint(Shape);
    for (int x = 1; x <= 16; ++x) {
      for (int y = 1; y <= 12; ++y) {
        TLayoutCell& cell = Layout(x, y);
        if (cell.Contents == 0) continue;
        // Rows 1 and 2 and the cells under the hole start empty; new jewels
        // come in along the top edge only, so the cells under the hole fill
        // by sliding in diagonally.
        cell.IsFill = y > 2 && !(y == 9 && x >= 8 && x <= 9);
        cell.IsCreate = y <= 2 && Layout(x, y - 1).Contents == 0;
      }
    }
    for (auto [x, y] : {std::pair{3, 6}, {4, 7}, {13, 6}, {12, 7}, {8, 11}})
      Layout(x, y).IsChain = 1;
    // A rebuild with most of the nine decorations on show.
    for (uint32_t seed = 1;; ++seed) {
      plat::SeedRnd(seed);
      board->UpdateDrawWall();
      if (board->DecorationsPlaced() >= 5 || seed > 500) break;
    }
    plat::SeedRnd(99);
    ASSERT_EQ(board->GenerateLevel(), 1);
  }

  // One frame as the play mode draws it.
  void DrawFrame() {
    plat::SetClsColor(18, 16, 30);
    plat::Cls();
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetAlpha(1);
    plat::SetColor(255, 255, 255);
    board->Draw();
    mode.DrawHint(board->LayoutHintImage);
  }

  // Draws a frame and saves it.
  std::shared_ptr<plat::TPixmap> Shot(const std::string& name) {
    DrawFrame();
    auto pixmap = plat::GrabPixmap(0, 0, 800, 600);
    EXPECT_TRUE(pixmap && plat::SavePixmapPNG(*pixmap, ShotFolder + name + ".png"));
    plat::Flip(0);
    return pixmap;
  }

  bool AnyDiagonalFall(int& x, int& y) {
    for (x = 1; x <= 16; ++x) {
      for (y = 1; y <= 12; ++y) {
        const TCell& cell = Cell(x, y);
        if (cell.MoveLine && cell.MoveLine->StartX != cell.MoveLine->EndX &&
            cell.MoveLine->Animation->GetRatioInv() > 0.4f) {
          return true;
        }
      }
    }
    return false;
  }

  // Logic steps with a frame drawn every third one, as at 60 frames a
  // second: bursts advance as they are drawn.
  void PlayStep(int steps = 1) {
    for (int i = 0; i < steps; ++i) {
      board->Manage();
      mode.ManageHint();
      if (++stepCount_ % 3 == 0) DrawFrame();
    }
  }
  void PlayUntilSettled() {
    do {
      PlayStep();
    } while (!IsBoardSettled());
  }

  int stepCount_ = 0;

  std::string oldFolder_;
};

uint32_t PixelAt(const plat::TPixmap& p, int x, int y) { return p.ReadPixel(x, y) & 0xFFFFFF; }

// Pixels of the cell square round (cx, cy) that differ between two frames.
int DifferingPixels(const plat::TPixmap& a, const plat::TPixmap& b, int cx, int cy) {
  int n = 0;
  for (int y = cy - 18; y < cy + 18; ++y) {
    for (int x = cx - 18; x < cx + 18; ++x) n += PixelAt(a, x, y) != PixelAt(b, x, y) ? 1 : 0;
  }
  return n;
}

TEST_F(ScreenshotTest, AMoveFromDealToHint) {
  MakeBoard();
  auto dealt = Shot("1-dealt");
  // A wall tile lines the hole; jewels lie on the playing cells.
  EXPECT_NE(PixelAt(*dealt, board::CentreX(7), board::CentreY(6)), 0x12101Eu);
  EXPECT_NE(PixelAt(*dealt, board::CentreX(5), board::CentreY(5)), 0x12101Eu);

  // The empty top rows and the cells under the hole fill by falls, some of
  // them diagonal.
  int fx = 0, fy = 0;
  int steps = 0;
  while (!AnyDiagonalFall(fx, fy) && steps < 2000) {
    PlayStep();
    ++steps;
  }
  ASSERT_LT(steps, 2000) << "no diagonal fall happened";
  Shot("2-falling-diagonally");
  PlayUntilSettled();
  PlayStep(60);
  ASSERT_TRUE(mode.HintList && !mode.HintList->empty());

  // Select the first jewel of a listed move.
  TMatch3Hint move = mode.HintList->front();
  int x1 = move.FirstCell->ArrayX, y1 = move.FirstCell->ArrayY;
  int x2 = move.SecondCell->ArrayX, y2 = move.SecondCell->ArrayY;
  MouseTo(x1, y1, true);
  PlayStep();
  MouseTo(x1, y1, false);
  PlayStep();
  ASSERT_EQ(board->MarkedCell1, &Cell(x1, y1));
  auto selected = Shot("3-selected");

  MouseTo(x2, y2, true);
  PlayStep();
  MouseTo(x2, y2, false);
  PlayStep(14);
  ASSERT_TRUE(board->IsCellSwitchAnimation());
  auto midway = Shot("4-exchange-midway");
  EXPECT_NE(PixelAt(*selected, board::CentreX(x1), board::CentreY(y1)),
            PixelAt(*midway, board::CentreX(x1), board::CentreY(y1)));

  PlayStep(16 + 12);
  ASSERT_GT(mode.DestroyStarts, 0);
  int bursts = 0;
  for (int x = 1; x <= 16; ++x) {
    for (int y = 1; y <= 12; ++y) bursts += Cell(x, y).Particle ? 1 : 0;
  }
  EXPECT_GT(bursts, 0);
  Shot("5-destroy-bursts");

  PlayUntilSettled();
  PlayStep(60);
  ASSERT_TRUE(mode.HintList && !mode.HintList->empty());
  mode.ResetHintTimer(100);
  PlayStep(20 + 100 + 200);
  ASSERT_TRUE(mode.CurrentHint.has_value());
  EXPECT_EQ(mode.HintAlpha(), 1.0f);
  auto hinted = Shot("6-hint");
  const TCell& hintCell = *mode.CurrentHint->FirstCell;
  mode.ResetHint();
  auto plain = Shot("6b-no-hint");
  EXPECT_GT(DifferingPixels(*hinted, *plain, hintCell.X, hintCell.Y), 20);

  // The light sweep, half-way across the board: each tile lights up in its
  // second glow cycle, starting 3000 units in and 20 more per diagonal.
  const float middle = 3000 + 15 * 20 + 106 + 50;
  while (board->lightCounter < middle - 150 || board->lightCounter > middle) board->Manage();
  while (board->lightCounter < middle) PlayStep();
  auto swept = Shot("7-light-sweep");
  EXPECT_GT(DifferingPixels(*swept, *plain, board::CentreX(8), board::CentreY(8)), 20);
  EXPECT_EQ(DifferingPixels(*swept, *plain, board::CentreX(2), board::CentreY(1)), 0);
}

}  // namespace
