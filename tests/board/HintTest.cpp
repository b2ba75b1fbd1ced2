// The hint list (its exact order and duplicates), the hint's timing, the
// deal and FillLevel.
#include <gtest/gtest.h>

#include <set>

#include "BoardTestSupport.h"

namespace {

using boardtest::BoardTest;
using TPair = std::pair<std::pair<int, int>, std::pair<int, int>>;

std::vector<TPair> Pairs(const TMatch3HintList& list) {
  std::vector<TPair> out;
  for (const TMatch3Hint& hint : list) {
    out.push_back({{hint.FirstCell->ArrayX, hint.FirstCell->ArrayY},
                   {hint.SecondCell->ArrayX, hint.SecondCell->ArrayY}});
  }
  return out;
}

class HintTest : public BoardTest {
 protected:
  // One logic step of the play mode: the board, then the hint.
  void PlayStep(int steps = 1) {
    for (int i = 0; i < steps; ++i) {
      board->Manage();
      mode.ManageHint();
    }
  }
  int LinesOnBoard() {
    int lines = 0;
    for (int x = 0; x < 18; ++x) {
      for (int y = 0; y < 14; ++y) lines += board->WillCreateMatch(x, y, Cell(x, y).Contents);
    }
    return lines;
  }
};

// (3, 2) has a move with the jewel above and with the one to its right.
const std::vector<std::string> TwoMoves = {"..1.", "1121"};

TEST_F(HintTest, ListFollowsTheScanOrderWithNeighboursAboveBelowLeftRight) {
  Paint(TwoMoves);
  EXPECT_EQ(
      Pairs(board->CreateHintList()),
      (std::vector<TPair>{{{3, 1}, {3, 2}}, {{3, 2}, {3, 1}}, {{3, 2}, {4, 2}}, {{4, 2}, {3, 2}}}));
  // The board step visits each column bottom-up.
  Step();
  ASSERT_TRUE(mode.HintList.has_value());
  EXPECT_EQ(
      Pairs(*mode.HintList),
      (std::vector<TPair>{{{3, 2}, {3, 1}}, {{3, 2}, {4, 2}}, {{3, 1}, {3, 2}}, {{4, 2}, {3, 2}}}));
}

TEST_F(HintTest, MoveCompletingTwoLinesIsListedFourTimes) {
  Paint({"12", "21", "21"});
  EXPECT_EQ(
      Pairs(board->CreateHintList()),
      (std::vector<TPair>{{{1, 1}, {2, 1}}, {{1, 1}, {2, 1}}, {{2, 1}, {1, 1}}, {{2, 1}, {1, 1}}}));
}

TEST_F(HintTest, SingleMoveIsListedTwiceAndAlwaysShown) {
  Paint({"1121", "3456"});
  Step();
  ASSERT_TRUE(mode.HintList.has_value());
  EXPECT_EQ(mode.HintList->size(), 2u);
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    plat::SeedRnd(seed);
    std::optional<TMatch3Hint> hint = mode.GetRandomHint();
    ASSERT_TRUE(hint.has_value());
    std::set<std::pair<int, int>> cells = {{hint->FirstCell->ArrayX, hint->FirstCell->ArrayY},
                                           {hint->SecondCell->ArrayX, hint->SecondCell->ArrayY}};
    EXPECT_EQ(cells, (std::set<std::pair<int, int>>{{3, 1}, {4, 1}}));
  }
}

TEST_F(HintTest, ExchangesWithAChainedJewelAreNeverListed) {
  Paint({"1121"});
  Layout(4, 1).IsChain = 1;
  EXPECT_TRUE(board->CreateHintList().empty());
  Layout(4, 1).IsChain = 0;
  Layout(3, 1).IsChain = 1;
  EXPECT_TRUE(board->CreateHintList().empty());
  Layout(1, 1).IsChain = 1;  // a chained jewel may still be part of the line
  Layout(3, 1).IsChain = 0;
  EXPECT_EQ(board->CreateHintList().size(), 2u);
}

TEST_F(HintTest, ListIsAbsentWhileJewelsMoveAndNoMoveIsFound) {
  Paint({"1", ".", "."});
  Step();
  EXPECT_FALSE(mode.HintList.has_value());
  Settle();
  Step();
  ASSERT_TRUE(mode.HintList.has_value());
  EXPECT_TRUE(mode.HintList->empty());
  // A move found elsewhere keeps the list even while something falls.
  NewBoard();
  Paint({"1121#6", "3456#."});
  Step();
  ASSERT_NE(Cell(6, 2).MoveLine, nullptr);
  ASSERT_TRUE(mode.HintList.has_value());
  EXPECT_EQ(mode.HintList->size(), 2u);
}

TEST_F(HintTest, ListIsAbsentRightAfterALineIsDestroyed) {
  // The line is found from its only unchained jewel, the last one scanned;
  // until then nothing was in motion.
  Paint({"111"});
  Layout(1, 1).IsChain = Layout(2, 1).IsChain = 1;
  Step();
  EXPECT_EQ(mode.DestroyStarts, 3);
  EXPECT_FALSE(mode.HintList.has_value());
}

TEST_F(HintTest, HintFadesInAfterTheDelayStaysAndFadesOutPlayingItsSoundOnce) {
  Paint({"1121", "3456"});
  PlayStep();
  mode.ResetHintTimer(100);
  for (int step = 1; step <= 20; ++step) {
    PlayStep();
    if (step < 20) {
      EXPECT_LT(mode.HintAlpha(), 0) << "step " << step;
    }
  }
  // 100 ms: the fade-in starts, the move is chosen, the sound plays.
  ASSERT_TRUE(mode.CurrentHint.has_value());
  EXPECT_EQ(mode.HintSounds, 1);
  EXPECT_NEAR(mode.HintAlpha(), 0.0, 1e-6);
  PlayStep(50);
  EXPECT_NEAR(mode.HintAlpha(), 0.5, 1e-6);
  PlayStep(49);
  EXPECT_NEAR(mode.HintAlpha(), 0.99, 1e-6);
  PlayStep();  // 600 ms: fully shown for 4000 ms
  EXPECT_EQ(mode.HintAlpha(), 1.0f);
  PlayStep(799);
  EXPECT_EQ(mode.HintAlpha(), 1.0f);
  PlayStep();  // 4600 ms: the fade-out
  EXPECT_NEAR(mode.HintAlpha(), 1.0, 1e-6);
  PlayStep(50);
  EXPECT_NEAR(mode.HintAlpha(), 0.5, 1e-6);
  PlayStep(49);
  EXPECT_GT(mode.HintAlpha(), 0.0);
  ASSERT_NE(mode.HintAnimation, nullptr);
  PlayStep();  // 5100 ms: gone
  EXPECT_EQ(mode.HintAnimation, nullptr);
  EXPECT_FALSE(mode.CurrentHint.has_value());
  EXPECT_LT(mode.HintAlpha(), 0);
  EXPECT_EQ(mode.HintSounds, 1);
}

TEST_F(HintTest, HintWaitsForTheBoardToSettleAndStaysSilentWithoutAMove) {
  Paint({"1", ".", "."});
  PlayStep();
  mode.ResetHintTimer(0);
  PlayStep(5);
  EXPECT_FALSE(mode.CurrentHint.has_value()) << "no list while jewels fall";
  EXPECT_EQ(mode.HintSounds, 1) << "the list is unknown, not empty";

  NewBoard();
  Paint({"1234"});
  PlayStep();
  mode.ResetHintTimer(0);
  PlayStep(5);
  EXPECT_FALSE(mode.CurrentHint.has_value());
  EXPECT_EQ(mode.HintSounds, 0);
}

TEST_F(HintTest, RandomHintFavoursMovesListedMoreOften) {
  auto a = std::make_shared<TCell>(), b = std::make_shared<TCell>();
  mode.HintList = TMatch3HintList{{a, b}, {a, b}, {a, b}, {b, a}};
  int first = 0;
  for (int i = 0; i < 4000; ++i) first += mode.GetRandomHint()->FirstCell == a ? 1 : 0;
  EXPECT_NEAR(first, 3000, 150);
  mode.HintList->clear();
  EXPECT_FALSE(mode.GetRandomHint().has_value());
  mode.HintList.reset();
  EXPECT_FALSE(mode.GetRandomHint().has_value());
}

TEST_F(HintTest, DealLeavesNoLineAndAMoveOnManyLayouts) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    plat::SeedRnd(seed);
    NewBoard();
    board->SetupCells(0, 1);
    for (int x = 1; x <= 16; ++x) {
      for (int y = 1; y <= 12; ++y) {
        Layout(x, y).Contents = plat::Rand(0, 9) == 0 ? 0 : plat::Rand(1, 2);
        Layout(x, y).IsFill = plat::Rand(0, 5) != 0;
        Layout(x, y).IsChain = plat::Rand(0, 7) == 0;
      }
    }
    ASSERT_EQ(board->GenerateLevel(), 1) << "seed " << seed;
    EXPECT_EQ(LinesOnBoard(), 0) << "seed " << seed;
    EXPECT_FALSE(board->CreateHintList().empty());
    for (int x = 1; x <= 16; ++x) {
      for (int y = 1; y <= 12; ++y) {
        bool dealt = Layout(x, y).Contents != 0 && Layout(x, y).IsFill;
        EXPECT_EQ(Cell(x, y).HasJewel(), dealt) << x << "," << y;
        EXPECT_EQ(Cell(x, y).HasSetContents, 0);
      }
    }
    board->CheckCells();
    EXPECT_EQ(mode.DestroyStarts, 0);
  }
}

TEST_F(HintTest, ReshuffleRecoloursTheOccupiedCellsAndFillsEmptyFillCells) {
  board->SetupCells(0, 1);
  Layout(9, 9).IsFill = 1;
  for (int x = 1; x <= 6; ++x) {
    Cell(x, 3).SetContents(1 + x % 2);
    Cell(x, 4).SetContents(1);
  }
  Cell(2, 4).RotationDegree = 180;
  ASSERT_EQ(board->GenerateLevel(), 1);
  for (int x = 1; x <= 16; ++x) {
    for (int y = 1; y <= 12; ++y) {
      bool occupied = (x <= 6 && (y == 3 || y == 4)) || (x == 9 && y == 9);
      EXPECT_EQ(Cell(x, y).HasJewel(), occupied) << x << "," << y;
    }
  }
  EXPECT_EQ(Cell(2, 4).RotationDegree, 180);
  EXPECT_EQ(LinesOnBoard(), 0);
}

TEST_F(HintTest, DealOnALayoutWithoutAnyPossibleMoveGivesUpAndKeepsTheLastDeal) {
  Paint({"..", ".."});
  for (int x = 1; x <= 2; ++x) {
    for (int y = 1; y <= 2; ++y) Layout(x, y).IsFill = 1;
  }
  EXPECT_EQ(board->GenerateLevel(), 0);
  EXPECT_EQ(LinesOnBoard(), 0);
  for (int x = 1; x <= 2; ++x) {
    for (int y = 1; y <= 2; ++y) EXPECT_TRUE(Cell(x, y).HasJewel());
  }
}

TEST_F(HintTest, FillLevelWithoutCreateCellsLeavesThemAlone) {
  Paint({"...", "...", "1.."});
  Layout(1, 1).IsFill = Layout(2, 1).IsFill = Layout(1, 3).IsFill = 1;
  Layout(2, 1).IsCreate = 1;
  Layout(3, 3).IsCreate = 1;  // no fill mark: never filled
  board->FillLevel(4, 0);
  EXPECT_EQ(boardtest::Picture(*board, 3, 3), (std::vector<std::string>{"4..", "...", "4.."}));
  board->FillLevel(5, 1);
  EXPECT_EQ(boardtest::Picture(*board, 3, 3), (std::vector<std::string>{"55.", "...", "5.."}));
  board->FillLevel(0, 1);
  EXPECT_EQ(boardtest::Picture(*board, 3, 3), (std::vector<std::string>{"...", "...", "..."}));
}

}  // namespace

namespace {

// An independent line test: would the jewel at (x, y) be part of three or
// more of its colour in a row or a column?
bool InLine(const TCellBox& board, int x, int y) {
  int colour = board.Cells[x][y]->Contents;
  if (colour == 0) return false;
  auto same = [&](int cx, int cy) {
    return cx >= 0 && cx < 18 && cy >= 0 && cy < 14 && board.Cells[cx][cy]->Contents == colour;
  };
  for (auto [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
    int run = 1;
    for (int k = 1; same(x + k * dx, y + k * dy); ++k) ++run;
    for (int k = 1; same(x - k * dx, y - k * dy); ++k) ++run;
    if (run >= 3) return true;
  }
  return false;
}

// Every exchange of two unchained neighbouring jewels that makes a line, by
// trying them all; each pair once, the cell nearer the top left first.
std::set<TPair> BruteForceMoves(TCellBox& board) {
  std::set<TPair> moves;
  for (int x = 0; x < 18; ++x) {
    for (int y = 0; y < 14; ++y) {
      for (auto [x2, y2] : {std::pair{x + 1, y}, std::pair{x, y + 1}}) {
        if (x2 >= 18 || y2 >= 14) continue;
        TCell& a = *board.Cells[x][y];
        TCell& b = *board.Cells[x2][y2];
        if (!a.HasJewel() || !b.HasJewel()) continue;
        if (board.Layout[x][y]->IsChain || board.Layout[x2][y2]->IsChain) continue;
        std::swap(a.Contents, b.Contents);
        if (InLine(board, x, y) || InLine(board, x2, y2)) moves.insert({{x, y}, {x2, y2}});
        std::swap(a.Contents, b.Contents);
      }
    }
  }
  return moves;
}

std::set<TPair> Unordered(const std::vector<TPair>& pairs) {
  std::set<TPair> out;
  for (auto [a, b] : pairs) out.insert(a < b ? TPair{a, b} : TPair{b, a});
  return out;
}

}  // namespace

TEST_F(HintTest, TheListHoldsEveryMoveABruteForceSearchFinds) {
  // Few colours and gaps make every shape of move common: XX?X, X?XX, X?X
  // across a gap, L and T shapes, moves that make two lines.
  int boards = 0, moves = 0;
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    plat::SeedRnd(seed);
    int colours = 2 + int(seed % 3);
    std::vector<std::string> rows;
    for (int y = 0; y < 12; ++y) {
      std::string row;
      for (int x = 0; x < 16; ++x) {
        int roll = plat::Rand(0, 19);
        row += roll == 0 ? '#' : roll == 1 ? '.' : char('0' + plat::Rand(1, colours));
      }
      rows.push_back(row);
    }
    NewBoard();
    Paint(rows);
    if (seed % 5 == 0) Layout(plat::Rand(1, 16), plat::Rand(1, 12)).IsChain = 1;
    std::set<TPair> expected = BruteForceMoves(*board);
    EXPECT_EQ(Unordered(Pairs(board->CreateHintList())), expected);
    moves += int(expected.size());
    ++boards;
  }
  EXPECT_GT(moves, boards * 10);  // the boards were rich in moves
}
