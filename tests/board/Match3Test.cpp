// The match-three mode stepped through the real game's logic step: the bonus
// window, the end of a level, the progress bar, the reshuffle offer and the
// restart from the first deal.
#include <gtest/gtest.h>

#include "BoardTestSupport.h"
#include "ModeTestSupport.h"
#include "TCellBox.h"

namespace {

using boardtest::Picture;
using modetest::ModeTest;

// Rows 1..5 hold up to 25 runs of three that the first step destroys (run k
// of a row at columns 3k+1..3k+3, each colour differing from its neighbours
// across and down); row 11 keeps one move on a marble cell, so that the
// level neither ends nor runs out of moves.
std::vector<std::string> Runs(int count, bool onMarble = false) {
  std::vector<std::string> rows(12, "################");
  for (int run = 0; run < count; ++run) {
    int row = run / 5, k = run % 5;
    int colour = (k + row) % 6;
    for (int i = 0; i < 3; ++i) {
      rows[size_t(row)][size_t(3 * k + i)] = char((onMarble ? 'A' : '1') + colour);
    }
  }
  rows[10] = "AA21############";
  return rows;
}

// Puts the jewels of run k of row 1 onto its (empty) cells.
void PutRun(TGameModeMatch3& mode, int k) {
  for (int i = 0; i < 3; ++i) mode.CellBox->Cells[3 * k + 1 + i][1]->SetContents(k % 6 + 1);
}

class Match3Test : public ModeTest {
 protected:
  TGameModeMatch3& Start(const std::vector<std::string>& rows) {
    TGameModeMatch3& mode = StartMatch3(rows);
    SetDeal(rows);
    return mode;
  }
  // Steps as the in-game interface polls the mode; the step at which the
  // level was declared over, or -1.
  int StepsUntilOver(TGameModeMatch3& mode, int limit) {
    for (int i = 1; i <= limit; ++i) {
      Step();
      if (mode.IsGameFinished()) return i;
    }
    return -1;
  }
};

// ---------------------------------------------------------------- the bonus window

TEST_F(Match3Test, FiveMatchesWithinTheWindowShowFiftyBonusPoints) {
  // Two runs now, three more 3 s later: one window of five matches.
  std::vector<std::string> rows = Runs(2);
  rows[0] = "111222.........#";
  TGameModeMatch3& mode = Start(rows);
  Step();
  EXPECT_EQ(mode.BonusCounter, 2);
  EXPECT_EQ(Played("score"), 2);
  EXPECT_EQ(mode.ShowHelpMessage, 0);
  Steps(600);
  for (int k = 2; k < 5; ++k) PutRun(mode, k);
  Step();
  EXPECT_EQ(mode.BonusCounter, 5);
  Steps(790);
  EXPECT_TRUE(mode.BonusAnimation);
  EXPECT_FALSE(mode.BonusEndAnimation);
  Steps(20);
  ASSERT_TRUE(mode.BonusEndAnimation);
  EXPECT_EQ(mode.BonusTotalPoints, 50);
  EXPECT_EQ(mode.BonusCounter, 0);
  EXPECT_EQ(Played("applause2"), 0);
  EXPECT_EQ(play.ShowVictoryParticles, 0);
  // The bonus is shown, not added: 15 jewels of 25 points each.
  Steps(700);
  EXPECT_FALSE(mode.BonusEndAnimation);
  EXPECT_EQ(play.Score + play.ScoreAdder, 15 * 25);
}

TEST_F(Match3Test, FourMatchesOrAGapLongerThanTheWindowShowNoBonus) {
  std::vector<std::string> rows = Runs(4);
  TGameModeMatch3& mode = Start(rows);
  Steps(820);
  EXPECT_FALSE(mode.BonusEndAnimation);
  EXPECT_FALSE(mode.BonusAnimation);
  EXPECT_EQ(mode.BonusCounter, 0);
  EXPECT_EQ(mode.BonusTotalPoints, 0);

  rows = Runs(2);
  rows[0] = "111222.........#";
  TGameModeMatch3& again = Start(rows);
  Steps(820);
  for (int k = 2; k < 5; ++k) PutRun(again, k);
  Steps(820);
  EXPECT_FALSE(again.BonusEndAnimation);
  EXPECT_EQ(again.BonusTotalPoints, 0);
}

TEST_F(Match3Test, TwentyFiveMatchesPlayTheApplauseAndAskForFireworks) {
  TGameModeMatch3& mode = Start(Runs(25));
  Step();
  EXPECT_EQ(mode.BonusCounter, 25);
  Steps(810);
  ASSERT_TRUE(mode.BonusEndAnimation);
  EXPECT_EQ(mode.BonusTotalPoints, 21 * 50);
  EXPECT_EQ(Played("applause2"), 1);
  EXPECT_EQ(play.ShowVictoryParticles, 1);
  EXPECT_TRUE(play.ParticleList);
  // The fireworks stop once the box has been shown for its first 2 s.
  Steps(420);
  EXPECT_EQ(play.ShowVictoryParticles, 0);
  EXPECT_TRUE(mode.BonusEndAnimation);
  Steps(300);
  EXPECT_FALSE(mode.BonusEndAnimation);
}

// ---------------------------------------------------------------- end of level, progress

TEST_F(Match3Test, TheLastMarbleClearedDuringABonusWindowEndsTheLevelAfterItsDisplay) {
  std::vector<std::string> rows = Runs(5, true);
  rows[10] = "1121############";
  TGameModeMatch3& mode = Start(rows);
  int cleared = 0;
  while (!mode.IsFinished() && cleared < 200) {
    Step();
    ++cleared;
  }
  ASSERT_TRUE(mode.IsFinished());
  int over = StepsUntilOver(mode, 1000);
  // 2000 + 1000 + 500 ms of bonus display after the last marble went.
  EXPECT_NEAR(over, 700, 3);
  EXPECT_EQ(mode.BonusTotalPoints, 50);

  // Without a bonus to show the level ends at once.
  rows = Runs(3, true);
  rows[10] = "1121############";
  TGameModeMatch3& quick = Start(rows);
  Steps(60);
  ASSERT_TRUE(quick.IsFinished());
  EXPECT_EQ(StepsUntilOver(quick, 10), 1);
}

TEST_F(Match3Test, ProgressBarIsEmptyHalfAndFull) {
  std::vector<std::string> rows = Runs(0);
  rows[0] = "AAA3mmm#########";
  rows[10] = "1121############";
  TGameModeMatch3& mode = Start(rows);
  EXPECT_EQ(mode.ProgressPercent(), 0);
  Steps(60);
  EXPECT_EQ(mode.ProgressPercent(), 50);
  for (int x = 5; x <= 7; ++x) mode.CellBox->Cells[x][1]->SetContents(2);
  Steps(60);
  EXPECT_EQ(mode.ProgressPercent(), 100);
  EXPECT_TRUE(mode.IsFinished());
}

// ---------------------------------------------------------------- the reshuffle offer

// Jewels at rest without a move on a layout that has room for moves, and a
// marble cell that keeps the level going.
const std::vector<std::string> NoMove = {"1212", "3434", "1212", "####", "m"};

TEST_F(Match3Test, AJewelFallingIntoAPassedColumnDoesNotTriggerTheOffer) {
  // The jewel at (2, 1) can only fall sideways into (1, 2), whose column the
  // board's step has already passed: for that step the board lists no move
  // without saying it is busy.
  TGameModeMatch3& mode = Start({"#1", ".#", "##", "####m"});
  bool transient = false;
  for (int i = 0; i < 100 && !mode.ShufflePieces; ++i) {
    Step();
    bool emptyList = mode.HintList && mode.HintList->empty();
    if (emptyList && !mode.IsBoardAtRest()) {
      transient = true;
      EXPECT_FALSE(mode.ShufflePieces) << "offered at step " << i;
    }
  }
  EXPECT_TRUE(transient) << "the board never listed no move while a jewel fell";
  // Once the jewel has landed there is truly no move: now it is offered.
  EXPECT_TRUE(mode.ShufflePieces);
  EXPECT_TRUE(mode.IsBoardAtRest());
}

TEST_F(Match3Test, AcceptingTheReshuffleDealsAgainWithTheScoreAtZero) {
  TGameModeMatch3& mode = Start(NoMove);
  play.Score = 340;
  Steps(320);
  ASSERT_EQ(Played("startgame"), 1);
  ASSERT_TRUE(mode.ShufflePieces);
  EXPECT_EQ(mode.HasShownShufflePiecesDialog, 1);
  const auto before = Picture(*mode.CellBox);
  Script("1 key y");
  for (int i = 0; i < 200 && mode.ShufflePieces; ++i) Step();
  EXPECT_FALSE(mode.ShufflePieces);
  EXPECT_EQ(play.Score, 0);
  EXPECT_NE(Picture(*mode.CellBox), before);
  EXPECT_EQ(mode.HasShownShufflePiecesDialog, 0);
  ASSERT_TRUE(mode.StartGameAnimation);
  Steps(310);
  EXPECT_EQ(Played("startgame"), 2);
  EXPECT_FALSE(mode.ShufflePieces);
}

TEST_F(Match3Test, DecliningKeepsTheOfferAwayForTheRestOfTheDeal) {
  TGameModeMatch3& mode = Start(NoMove);
  Steps(5);
  ASSERT_TRUE(mode.ShufflePieces);
  const auto before = Picture(*mode.CellBox);
  Script("1 key n");
  for (int i = 0; i < 200 && mode.ShufflePieces; ++i) Step();
  EXPECT_FALSE(mode.ShufflePieces);
  Steps(400);
  EXPECT_FALSE(mode.ShufflePieces);
  EXPECT_EQ(Picture(*mode.CellBox), before);
  // The board was frozen while the question was open and runs again.
  EXPECT_TRUE(mode.HintList && mode.HintList->empty());
  // A new deal from the interface may be offered again.
  mode.HintList.reset();
  mode.Shuffle();
  EXPECT_EQ(mode.HasShownShufflePiecesDialog, 0);
}

TEST_F(Match3Test, ADealThatFoundNoMoveIsNotOfferedAgainAndAgain) {
  // Four cells in a square can never line up three.
  TGameModeMatch3& mode = StartMatch3({"..", "..", "##", "###m"});
  EXPECT_EQ(mode.DealFailed, 1);
  Steps(400);
  EXPECT_FALSE(mode.ShufflePieces);
  mode.Reset();
  Steps(50);
  EXPECT_FALSE(mode.ShufflePieces);
}

TEST_F(Match3Test, AReshuffleWhileJewelsFadeOutKeepsEveryNewJewel) {
  TGameModeMatch3& mode = Start(Runs(1, true));
  Step();
  ASSERT_TRUE(mode.CellBox->Cells[1][1]->DestroyAnimation);
  const int marbles = mode.CellBox->GetLayoutCellMarbleCount();
  mode.Shuffle();
  Steps(100);
  // The fades that were running end with the old jewels, not the new ones.
  EXPECT_EQ(mode.CellBox->GetLayoutCellMarbleCount(), marbles);
  for (int x = 1; x <= 3; ++x) EXPECT_TRUE(mode.CellBox->Cells[x][1]->HasJewel()) << x;
}

// ---------------------------------------------------------------- restart

TEST_F(Match3Test, ResetRestoresTheFirstDealTheScoreAndTheHelpBox) {
  TGameModeMatch3& mode =
      StartMatch3({"........", "...mm...", "..mmmm..", "...mm...", "........", "........"});
  const auto firstDeal = Picture(*mode.CellBox);
  Steps(20);
  ASSERT_TRUE(mode.HintList && !mode.HintList->empty());
  const TMatch3Hint move = mode.HintList->front();
  auto centre = [](const TCell& cell) {
    return std::to_string(board::CentreX(cell.ArrayX)) + " " +
           std::to_string(board::CentreY(cell.ArrayY));
  };
  Script("1 down left " + centre(*move.FirstCell) + "\n3 up left\n6 down left " +
         centre(*move.SecondCell) + "\n8 up left");
  Steps(400);
  EXPECT_EQ(mode.ShowHelpMessage, 0);
  EXPECT_GT(play.Score, 0);
  EXPECT_NE(Picture(*mode.CellBox), firstDeal);
  mode.ResetHintTimer(100);
  Steps(40);
  ASSERT_TRUE(mode.CurrentHint);

  mode.Reset();
  EXPECT_EQ(Picture(*mode.CellBox), firstDeal);
  EXPECT_EQ(play.Score, 0);
  EXPECT_EQ(mode.ShowHelpMessage, 1);
  EXPECT_FALSE(mode.CurrentHint);
  EXPECT_FALSE(mode.HintAnimation);
  // The restored board is a copy: playing it leaves the first deal alone.
  Steps(5);
  mode.CellBox->Cells[4][1]->ClearContents();
  EXPECT_EQ(Picture(*mode.OriginalPuzzle->CellBox), firstDeal);
}

}  // namespace
