// The rules as the board step runs them, one logic step of delta 1 at a time
// (5 ms): selection, exchanges, lines, scoring, falls, chains and created
// jewels.
#include <gtest/gtest.h>

#include "BoardTestSupport.h"

namespace {

using boardtest::BoardTest;
using Rows = std::vector<std::string>;

constexpr int SwitchSteps = 30;   // 150 ms
constexpr int DestroySteps = 40;  // 200 ms
constexpr int FallSteps = 40;     // 200 ms per row
constexpr int AppearSteps = 80;   // 400 ms

class RulesTest : public BoardTest {
 protected:
  // Clicks (x1, y1), then (x2, y2): press and release, one step each.
  void ClickPair(int x1, int y1, int x2, int y2) {
    Click(x1, y1);
    Click(x2, y2);
  }
  void Click(int x, int y) {
    Press(x, y);
    Step();
    Release();
    Step();
  }
  int FadingCount() {
    int n = 0;
    for (int x = 0; x < 18; ++x) {
      for (int y = 0; y < 14; ++y) n += Cell(x, y).DestroyAnimation ? 1 : 0;
    }
    return n;
  }
  Rows Shown(int rows, int columns) { return boardtest::Picture(*board, rows, columns); }
};

TEST_F(RulesTest, ExchangeWithoutLineGoesOverAndBackAndPlaysTheInvalidSound) {
  Paint({"12", "34"});
  Click(1, 1);
  EXPECT_EQ(board->MarkedCell1, &Cell(1, 1));
  EXPECT_NE(Cell(1, 1).Glow, nullptr);
  Press(2, 1);
  Step();  // the exchange starts in this step
  Release();
  ASSERT_TRUE(board->IsCellSwitchAnimation());
  EXPECT_EQ(Cell(1, 1).X, board::CentreX(1));
  Step(SwitchSteps / 2);
  EXPECT_EQ(Cell(1, 1).X, board::CentreX(1) + 18);
  EXPECT_EQ(Cell(2, 1).X, board::CentreX(2) - 18);
  // Clicks during the exchange are ignored.
  Press(1, 2);
  Step();
  Release();
  Step(SwitchSteps / 2 - 2);
  EXPECT_EQ(mode.InvalidSounds, 0);
  Step();  // 150 ms: over, no line, back
  EXPECT_EQ(mode.InvalidSounds, 1);
  EXPECT_EQ(Cell(1, 1).X, board::CentreX(2));
  EXPECT_TRUE(board->IsCellSwitchAnimation());
  Step(SwitchSteps - 1);
  EXPECT_TRUE(board->IsCellSwitchAnimation());
  Step();  // 150 ms more: home again
  EXPECT_FALSE(board->IsCellSwitchAnimation());
  EXPECT_EQ(board->MarkedCell1, nullptr);
  EXPECT_EQ(board->MarkedCell2, nullptr);
  EXPECT_EQ(Cell(1, 1).Glow, nullptr);
  EXPECT_EQ(Cell(1, 1).X, board::CentreX(1));
  EXPECT_EQ(Cell(2, 1).X, board::CentreX(2));
  EXPECT_EQ(Shown(2, 2), (Rows{"12", "34"}));
  EXPECT_EQ(mode.DestroyStarts + mode.MatchSounds + mode.BonusChecks, 0);
  EXPECT_EQ(mode.InvalidSounds, 1);
  EXPECT_EQ(mode.Moves, 0) << "an exchange that swaps back is no move";
}

TEST_F(RulesTest, ExchangeMakingTwoLinesDestroysBothAndLosesNoFallingJewel) {
  Paint({"34", "12", "21", "21"});
  mode.ResetHintTimer(100);
  ClickPair(1, 2, 2, 2);  // its last step is the exchange's first
  Step(SwitchSteps - 2);
  EXPECT_EQ(mode.DestroyStarts, 0);
  Step();
  EXPECT_EQ(mode.DestroyStarts, 6);
  EXPECT_EQ(mode.ScoreAdder, 150);
  EXPECT_EQ(mode.BonusCounter, 2);
  EXPECT_EQ(mode.BonusChecks, 2);
  EXPECT_EQ(mode.MatchSounds, 2);
  EXPECT_EQ(mode.ShowHelpMessage, 0);
  EXPECT_EQ(mode.HintAnimation, nullptr) << "a successful exchange drops the hint";
  EXPECT_EQ(mode.InvalidSounds, 0);
  EXPECT_EQ(mode.Moves, 1) << "one move, however many lines it makes";
  // Each cell is back on its own centre with the other's jewel, fading.
  EXPECT_EQ(Cell(1, 2).Contents, 2);
  EXPECT_EQ(Cell(2, 2).Contents, 1);
  EXPECT_EQ(Cell(1, 2).X, board::CentreX(1));
  EXPECT_EQ(Cell(2, 2).X, board::CentreX(2));
  EXPECT_EQ(FadingCount(), 6);
  EXPECT_EQ(board->MarkedCell1, nullptr);
  Settle();
  EXPECT_EQ(Shown(4, 2), (Rows{"..", "..", "..", "34"}));
  EXPECT_EQ(mode.DestroyStarts, 6);
}

TEST_F(RulesTest, LineOfFiveScores125AndOnMarble250TurningTheCellsNormal) {
  Paint({"11211", "34156"});
  ClickPair(3, 1, 3, 2);
  Step(SwitchSteps);
  EXPECT_EQ(mode.DestroyStarts, 5);
  EXPECT_EQ(mode.ScoreAdder, 125);
  EXPECT_EQ(mode.BonusCounter, 1);

  NewBoard();
  Paint({"AABAA", "34156"});
  ClickPair(3, 1, 3, 2);
  Step(SwitchSteps);
  EXPECT_EQ(mode.DestroyStarts, 5);
  EXPECT_EQ(mode.ScoreAdder, 250);
  EXPECT_EQ(Cell(1, 1).ScoreType, 2);
  EXPECT_EQ(board->GetLayoutCellMarbleCount(), 5) << "marble stays while the jewel fades";
  Step(DestroySteps);
  EXPECT_EQ(board->GetLayoutCellMarbleCount(), 0);
  EXPECT_EQ(Shown(1, 5), Rows{"....."});
}

TEST_F(RulesTest, ExchangeIntoTheCornerOfAnLOrTDestroysBothArmsScoringTheCornerTwice) {
  // L: arms up and to the right of (1, 3); the 1 below comes up into it.
  Paint({"1", "1", "211", "1"});
  ClickPair(1, 3, 1, 4);
  Step(SwitchSteps);
  EXPECT_EQ(mode.DestroyStarts, 6);
  EXPECT_EQ(mode.ScoreAdder, 150);
  EXPECT_EQ(mode.BonusCounter, 1);
  EXPECT_EQ(FadingCount(), 5);

  // T: a stem over the middle of a row; the 1 below comes up into it.
  NewBoard();
  Paint({"#1", "#1", "121", "#1"});
  ClickPair(2, 3, 2, 4);
  Step(SwitchSteps);
  EXPECT_EQ(mode.DestroyStarts, 6);
  EXPECT_EQ(mode.ScoreAdder, 150);
  EXPECT_EQ(FadingCount(), 5);
}

TEST_F(RulesTest, AnLFoundFromAnArmEndLosesOnlyThatArm) {
  // Found from (1, 3) first (x outer, bottom-up): the row goes, the column
  // over the fading corner is no line any more and stays.
  Paint({"##1", "##1", "111"});
  Step();
  EXPECT_EQ(mode.DestroyStarts, 3);
  EXPECT_EQ(mode.ScoreAdder, 75);
  Settle();
  EXPECT_EQ(mode.DestroyStarts, 3);
  // The column fell after the row had gone; its upper jewel slid aside.
  EXPECT_EQ(Shown(3, 3), (Rows{"##.", "##.", ".11"}));

  // The same with a T whose stem rises from the middle.
  NewBoard();
  Paint({"#1#", "#1#", "111"});
  Step();
  EXPECT_EQ(mode.DestroyStarts, 3);
  Settle();
  EXPECT_EQ(mode.DestroyStarts, 3);
  EXPECT_EQ(Shown(3, 3), (Rows{"#.#", "#.#", "11."}));
}

TEST_F(RulesTest, JewelsFallStraightThenLowerLeftThenLowerRight) {
  Paint({".1.", "..."});
  Step();
  EXPECT_EQ(Shown(2, 3), (Rows{"...", ".1."}));
  EXPECT_NE(Cell(2, 2).MoveLine, nullptr);

  NewBoard();
  Paint({"#1#", ".#."});
  Step();
  EXPECT_EQ(Shown(2, 3), (Rows{"#.#", "1#."}));

  NewBoard();
  Paint({"#1#", "2#."});
  Step();
  EXPECT_EQ(Shown(2, 3), (Rows{"#.#", "2#1"}));

  // A fading jewel below still holds its place.
  NewBoard();
  Paint({"1", "2"});
  Cell(1, 2).StartDestroyAnimation();
  Step();
  EXPECT_EQ(Cell(1, 1).MoveLine, nullptr);
  EXPECT_EQ(Cell(1, 1).Contents, 1);
}

TEST_F(RulesTest, AWholeColumnFallsTogetherTurningHalfARowAtATime) {
  Paint({"1", "2", "3", ".", "."});
  Step();
  EXPECT_EQ(Shown(5, 1), (Rows{".", "1", "2", "3", "."}));
  for (int y = 2; y <= 4; ++y) EXPECT_NE(Cell(1, y).MoveLine, nullptr);
  // Half-way down the first row the jewel has turned a quarter.
  Step(FallSteps / 2);
  EXPECT_EQ(Cell(1, 4).CurrentRotationDegree, 90);
  EXPECT_EQ(Cell(1, 4).Y, board::CentreY(3) + 18);
  Settle();
  EXPECT_EQ(Shown(5, 1), (Rows{".", ".", "1", "2", "3"}));
  EXPECT_EQ(Cell(1, 5).Y, board::CentreY(5));
  EXPECT_EQ(Cell(1, 5).RotationDegree, 0) << "two rows: a whole turn";
  EXPECT_EQ(Cell(1, 3).RotationDegree, 0);
  NewBoard();
  Paint({"1", "."});
  Settle();
  EXPECT_EQ(Cell(1, 2).RotationDegree, 180);
  EXPECT_EQ(Cell(1, 2).CurrentRotationDegree, 180);
}

TEST_F(RulesTest, ChainedJewelsStayPutCannotBeChosenAndBreakFreeInALine) {
  Paint({"3", ".", "4"});
  Layout(1, 1).IsChain = 1;
  Step(5);
  EXPECT_EQ(Cell(1, 1).Contents, 3);
  Click(1, 1);
  EXPECT_EQ(board->MarkedCell1, nullptr);

  // Only chained jewels in the line: never found.
  Paint({"111"});
  for (int x = 1; x <= 3; ++x) Layout(x, 1).IsChain = 1;
  Step(3);
  EXPECT_EQ(mode.DestroyStarts, 0);

  // A line from an unchained jewel runs over the chained ones.
  Paint({"111"});
  Layout(1, 1).IsChain = 1;
  Layout(3, 1).IsChain = 1;
  Step();
  EXPECT_EQ(mode.DestroyStarts, 3);
  EXPECT_EQ(Layout(1, 1).IsChain, 1) << "the chain holds while the jewel fades";
  Step(DestroySteps);
  EXPECT_EQ(Layout(1, 1).IsChain, 0);
  EXPECT_EQ(Layout(3, 1).IsChain, 0);
  EXPECT_EQ(Shown(1, 3), Rows{"..."});
}

TEST_F(RulesTest, CreateCellUnderAnEmptyLayoutCellRefillsWithAFadeIn) {
  Paint({".", "."});
  Layout(1, 1).IsCreate = 1;
  Layout(1, 2).IsCreate = 1;  // below a playing cell: filled by falls only
  Step();
  ASSERT_NE(Cell(1, 1).Contents, 0);
  EXPECT_EQ(Cell(1, 2).Contents, 0);
  ASSERT_NE(Cell(1, 1).AppearAnimation, nullptr);
  Step(AppearSteps / 2);
  EXPECT_NEAR(Cell(1, 1).AppearAnimation->GetRatioInv(), 0.5, 0.02);
  EXPECT_EQ(Cell(1, 1).MoveLine, nullptr) << "no fall while fading in";
  Step(AppearSteps / 2 - 1);
  ASSERT_NE(Cell(1, 1).AppearAnimation, nullptr);
  // Once it has faded in it falls, and the emptied create cell is refilled
  // in the same step.
  Step();
  EXPECT_NE(Cell(1, 2).MoveLine, nullptr);
  EXPECT_NE(Cell(1, 2).Contents, 0);
  EXPECT_NE(Cell(1, 1).Contents, 0);
  ASSERT_NE(Cell(1, 1).AppearAnimation, nullptr);
  EXPECT_EQ(Cell(1, 1).AppearAnimation->GetRatioInv(), 0.0f);
}

TEST_F(RulesTest, HoldingTheButtonAndMovingOntoANeighbourExchangesWithoutARelease) {
  Paint({"123", "456"});
  Press(1, 1);
  Step();
  EXPECT_EQ(board->MarkedCell1, &Cell(1, 1));
  MouseAt(board::CentreX(1) + 10, board::CentreY(1), true);
  Step();
  EXPECT_FALSE(board->IsCellSwitchAnimation());
  MouseTo(2, 1, true);
  Step();
  EXPECT_TRUE(board->IsCellSwitchAnimation());
  EXPECT_EQ(board->MarkedCell2, &Cell(2, 1));
  EXPECT_EQ(mouse.LeftClick() > 1, true) << "the button was never released";
}

TEST_F(RulesTest, HoldingTheButtonAndMovingOntoANonNeighbourMovesTheSelection) {
  Paint({"123", "456"});
  Press(1, 1);
  Step();
  MouseTo(2, 2, true);  // diagonal: not a neighbour
  Step();
  EXPECT_FALSE(board->IsCellSwitchAnimation());
  EXPECT_EQ(board->MarkedCell1, &Cell(2, 2));
  EXPECT_EQ(board->MarkedCell2, nullptr);
  EXPECT_EQ(Cell(1, 1).Glow, nullptr);
  MouseTo(3, 2, true);
  Step();
  EXPECT_TRUE(board->IsCellSwitchAnimation());
  EXPECT_EQ(board->MarkedCell1, &Cell(2, 2));
  EXPECT_EQ(board->MarkedCell2, &Cell(3, 2));
}

TEST_F(RulesTest, FirstMarkWhoseJewelHasFallenAwayIsDropped) {
  Paint({"2", "1", "3", "14"});
  Click(1, 1);
  ASSERT_EQ(board->MarkedCell1, &Cell(1, 1));
  // The jewels under the mark go; the marked jewel falls away from its cell.
  Cell(1, 2).StartDestroyAnimation();
  Step(DestroySteps + 1);
  ASSERT_EQ(Cell(1, 1).Contents, 0);
  Release();
  Settle();
  ASSERT_EQ(Cell(1, 2).Contents, 2);
  Click(1, 2);  // next to the old mark, which holds no jewel now
  EXPECT_FALSE(board->IsCellSwitchAnimation());
  EXPECT_EQ(board->MarkedCell1, &Cell(1, 2));
  EXPECT_EQ(Cell(1, 1).Glow, nullptr);
}

TEST_F(RulesTest, ScoreMarkRisesFor400msAfterTheJewelHasGone) {
  Paint({"1", "1", "1"});
  Step();
  const TCell& cell = Cell(1, 1);
  ASSERT_NE(cell.ScorePosition, nullptr);
  EXPECT_EQ(cell.ScorePosition->StartY, board::CentreY(1));
  EXPECT_EQ(cell.ScorePosition->EndY, board::CentreY(1) - 50);
  EXPECT_EQ(cell.ScoreType, 1);
  Step(DestroySteps);
  EXPECT_EQ(cell.Contents, 0);
  EXPECT_EQ(cell.DestroyAnimation, nullptr);
  EXPECT_NE(cell.ScorePosition, nullptr) << "the mark rises for 400 ms";
  Step(DestroySteps);
  EXPECT_EQ(cell.ScorePosition, nullptr);
}

}  // namespace
