// A long run on many random layouts with random legal and illegal moves,
// checking after every step what must always hold on a board.
#include <gtest/gtest.h>

#include "BoardTestSupport.h"

namespace {

using boardtest::BoardTest;

constexpr int TotalSteps = 200000;
constexpr int StepsPerLayout = 2500;

// Records each score the board hands over, so that every point can be
// traced to one destroy start.
class TScoringMode : public boardtest::TRecordingMode {
 public:
  void AddPendingScore(int points) override {
    TRecordingMode::AddPendingScore(points);
    if (points != 25 && points != 50) ++BadScores;
    ++StartsThisStep;
  }
  int BadScores = 0;
  int StartsThisStep = 0;
};

class InvariantRunTest : public BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    board->GameMode = &scoring;
  }

  // An irregular shape: holes, marble, chains, create cells along the top
  // of each column and under holes, fill marks on most cells.
  void RandomLayout() {
    board->Clear();
    board->GameMode = &scoring;
    board->Mouse = &mouse;
    int holes = plat::Rand(0, 25);
    for (int x = 1; x <= 16; ++x) {
      for (int y = 1; y <= 12; ++y) {
        TLayoutCell& cell = Layout(x, y);
        cell.Contents = plat::Rand(0, 99) < holes ? 0 : plat::Rand(1, 2);
        cell.IsChain = plat::Rand(0, 11) == 0;
        cell.IsFill = plat::Rand(0, 9) != 0;
      }
    }
    for (int x = 1; x <= 16; ++x) {
      for (int y = 1; y <= 12; ++y) {
        bool underHole = Layout(x, y - 1).Contents == 0;
        Layout(x, y).IsCreate = Layout(x, y).Contents != 0 && underHole && plat::Rand(0, 2) != 0;
      }
    }
    board->UpdateDrawWall();
    board->GenerateLevel();
  }

  // Clicks or drags: a neighbour (legal or not, as the board decides), a
  // far cell, a chained or empty one, or a point off the board.
  void RandomMove() {
    // Often a move the board lists, so that lines and cascades keep coming.
    if (scoring.HintList && !scoring.HintList->empty() && plat::Rand(0, 2) != 0) {
      const TMatch3Hint& hint =
          (*scoring.HintList)[size_t(plat::Rand(0, int(scoring.HintList->size()) - 1))];
      int x1 = hint.FirstCell->ArrayX, y1 = hint.FirstCell->ArrayY;
      int x2 = hint.SecondCell->ArrayX, y2 = hint.SecondCell->ArrayY;
      pendingInput_ = {{x1, y1, true}, {x1, y1, false}, {x2, y2, true}, {x2, y2, false}};
      return;
    }
    int x = plat::Rand(0, 17), y = plat::Rand(0, 13);
    static const int dx[] = {1, -1, 0, 0, 2, 1};
    static const int dy[] = {0, 0, 1, -1, 0, 1};
    int d = plat::Rand(0, 5);
    bool drag = plat::Rand(0, 2) == 0;
    pendingInput_ = {{x, y, true}, {x, y, drag}, {x + dx[d], y + dy[d], true}, {0, 0, false}};
    if (plat::Rand(0, 30) == 0) pendingInput_[2] = {-5, 40, true};
  }

  void FeedInput() {
    if (pendingInput_.empty()) {
      if (plat::Rand(0, 25) == 0) RandomMove();
      return;
    }
    Input in = pendingInput_.front();
    pendingInput_.erase(pendingInput_.begin());
    MouseAt(board::CentreX(in.x), board::CentreY(in.y), in.down);
  }

  // Worked out afresh: would `colour` at (x, y) complete a line of settled
  // jewels? Plain loops, as this runs for every hint of every step.
  bool MakesLine(int x, int y, int colour) const {
    const TOwnedGrid<std::shared_ptr<TCell>>& grid = board->Cells;
    auto same = [&](int cx, int cy) {
      if (cx < 0 || cx > 17 || cy < 0 || cy > 13) return false;
      const TCell* c = grid.At(cx, cy);
      return c->Contents == colour && !c->MoveLine && !c->AppearAnimation && !c->DestroyAnimation;
    };
    int across = 0, down = 0;
    for (int i = 1; same(x - i, y); ++i) ++across;
    for (int i = 1; same(x + i, y); ++i) ++across;
    for (int i = 1; same(x, y - i); ++i) ++down;
    for (int i = 1; same(x, y + i); ++i) ++down;
    return across >= 2 || down >= 2;
  }

  // Empty when the hint list holds only real moves; else what is wrong.
  std::string HintProblem() const {
    if (!scoring.HintList) return "";
    for (const TMatch3Hint& hint : *scoring.HintList) {
      TCell& a = *hint.FirstCell;
      TCell& b = *hint.SecondCell;
      auto where = [&] {
        return std::to_string(a.ArrayX) + "," + std::to_string(a.ArrayY) + " - " +
               std::to_string(b.ArrayX) + "," + std::to_string(b.ArrayY);
      };
      if (&a != board->Cells.At(a.ArrayX, a.ArrayY)) return "hint from another board";
      if (!TCellBox::IsCellsNextToEachOther(&a, &b)) return "not neighbours: " + where();
      if (!a.HasJewel() || !b.HasJewel()) return "empty cell in hint " + where();
      if (a.LayoutCell().IsChain || b.LayoutCell().IsChain) return "chained hint " + where();
      std::swap(a.Contents, b.Contents);
      bool line =
          MakesLine(a.ArrayX, a.ArrayY, a.Contents) || MakesLine(b.ArrayX, b.ArrayY, b.Contents);
      std::swap(a.Contents, b.Contents);
      if (!line) return "hint makes no line: " + where();
    }
    return "";
  }

  // Empty when every cell is sound; else what is wrong where.
  std::string CellProblem() const {
    const TCellBox& b = *board;
    int freshFades = 0;
    for (int x = 0; x < 18; ++x) {
      for (int y = 0; y < 14; ++y) {
        const TCell& cell = *b.Cells.At(x, y);
        auto at = [x, y] { return " at " + std::to_string(x) + "," + std::to_string(y); };
        if (cell.Contents < 0 || cell.Contents > 6) return "colour out of range" + at();
        if (!cell.HasJewel()) {
          if (cell.DestroyAnimation) return "an empty cell fades" + at();
          continue;
        }
        if (b.Layout.At(x, y)->Contents == 0) return "jewel on a non-playing cell" + at();
        bool inExchange = &cell == b.MarkedCell1 || &cell == b.MarkedCell2;
        if (cell.MoveLine) {
          if (cell.MoveLine->EndX != cell.GetCalculatedX() ||
              cell.MoveLine->EndY != cell.GetCalculatedY()) {
            return "fall ends elsewhere" + at();
          }
        } else if (!cell.AppearAnimation && !cell.DestroyAnimation && !inExchange) {
          if (cell.X != cell.GetCalculatedX() || cell.Y != cell.GetCalculatedY()) {
            return "resting jewel off its cell" + at();
          }
        }
        if (cell.DestroyAnimation) {
          if (!cell.DestroyAnimation->Active) return "stopped fade" + at();
          if (cell.DestroyAnimation->Counter == cell.DestroyAnimation->Length[0]) ++freshFades;
        }
        if (cell.AppearAnimation && !cell.AppearAnimation->Active) return "stopped fade-in" + at();
      }
    }
    // Every destroy start scores, and nothing scores without one.
    if ((scoring.StartsThisStep > 0) != (freshFades > 0) || scoring.StartsThisStep < freshFades) {
      return "destroy starts " + std::to_string(freshFades) + " but scores " +
             std::to_string(scoring.StartsThisStep);
    }
    return "";
  }

  struct Input {
    int x, y;
    bool down;
  };
  std::vector<Input> pendingInput_;
  TScoringMode scoring;
};

TEST_F(InvariantRunTest, TwoHundredThousandRandomStepsKeepTheBoardSound) {
  plat::SeedRnd(20240607);
  int layouts = 0, exchanges = 0, reshuffles = 0;
  for (int step = 0; step < TotalSteps; ++step) {
    if (step % StepsPerLayout == 0) {
      RandomLayout();
      ++layouts;
    }
    if (plat::Rand(0, 4000) == 0) {
      board->GenerateLevel();
      ++reshuffles;
    }
    FeedInput();
    scoring.StartsThisStep = 0;
    bool wasSwitching = board->IsCellSwitchAnimation();
    ASSERT_NO_THROW(board->Manage()) << "step " << step;
    if (!wasSwitching && board->IsCellSwitchAnimation()) ++exchanges;
    std::string problem = CellProblem();
    if (problem.empty()) problem = HintProblem();
    ASSERT_EQ(problem, "") << "at step " << step << " of layout " << layouts;
  }
  RecordProperty("exchanges", exchanges);
  RecordProperty("invalid", scoring.InvalidSounds);
  RecordProperty("destroyStarts", scoring.DestroyStarts);
  RecordProperty("reshuffles", reshuffles);
  EXPECT_EQ(scoring.BadScores, 0);
  EXPECT_EQ(scoring.ScoreAdder % 25, 0);
  EXPECT_EQ(layouts, TotalSteps / StepsPerLayout);
  // The run exercised what it is meant to.
  EXPECT_GT(exchanges, 500);
  EXPECT_GT(scoring.InvalidSounds, 100);
  EXPECT_GT(scoring.DestroyStarts, 5000);
  EXPECT_GT(reshuffles, 10);
}

}  // namespace
