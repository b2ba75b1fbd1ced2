// What the player sees of the play mode, saved as pictures for looking at:
// the board fading in, the help box, the progress bar, the hint, the bonus
// boxes and the reshuffle question. (The editor's picture is taken by its
// own test.)
#include <gtest/gtest.h>

#include "BoardTestSupport.h"
#include "ModeTestSupport.h"
#include "TCellBox.h"

namespace {

using modetest::ModeTest;

const std::vector<std::string> Shape = {"###..........###", "##............##", "#......mm......#",
                                        "#....mmmmmm.....", ".....mm..mm.....", "....mm....mm....",
                                        "....mm....mm....", ".....mm..mm.....", "#....mmmmmm....#",
                                        "#......mm......#", "##............##", "###..........###"};

class ModeScreenshotTest : public ModeTest {};

TEST_F(ModeScreenshotTest, PlayingALevel) {
  TGameModeMatch3& mode = StartMatch3(Shape);
  Steps(100);
  ASSERT_TRUE(mode.StartGameAnimation);
  Shot("play-1-fading-in.png");

  // Some marble cells cleared, the help box still up, a hint on show.
  Steps(300);
  int cleared = 0;
  for (int x = 1; x <= 16 && cleared < 14; ++x) {
    for (int y = 1; y <= 12 && cleared < 14; ++y) {
      if (mode.CellBox->Layout[x][y]->Contents == 2) {
        mode.CellBox->Layout[x][y]->Contents = 1;
        ++cleared;
      }
    }
  }
  EXPECT_GT(mode.ProgressPercent(), 0);
  EXPECT_LT(mode.ProgressPercent(), 100);
  mode.ResetHintTimer(100);
  Steps(150);
  EXPECT_TRUE(mode.CurrentHint);
  EXPECT_EQ(mode.ShowHelpMessage, 1);
  Shot("play-2-help-progress-hint.png");

  // A running window of seven matches, then its result.
  mode.ShowHelpMessage = 0;
  mode.BonusCounter = 7;
  mode.CheckBonusCounter();
  Step();
  Shot("play-3-bonus-counter.png");
  Steps(800);
  ASSERT_TRUE(mode.BonusEndAnimation);
  Shot("play-4-bonus-points.png");
}

TEST_F(ModeScreenshotTest, TheReshuffleQuestion) {
  TGameModeMatch3& mode = StartMatch3(Shape);
  std::vector<std::string> rows = Shape;
  // Colours in a pattern that offers no move.
  const char* pattern[] = {"12", "34", "56", "21", "43", "65"};
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 16; ++x) {
      char& c = rows[size_t(y)][size_t(x)];
      if (c == '#') continue;
      int colour = pattern[((x / 2) + y) % 6][x % 2] - '0';
      c = c == 'm' ? char('A' + colour - 1) : char('0' + colour);
    }
  }
  SetDeal(rows);
  Steps(400);
  ASSERT_TRUE(mode.ShufflePieces);
  Shot("play-5-reshuffle.png");
}

}  // namespace
