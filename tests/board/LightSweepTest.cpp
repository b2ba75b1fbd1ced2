// The slow diagonal light sweep over the layout tiles, in its first pass and
// in every pass after the clock starts over.
#include <gtest/gtest.h>

#include "BoardTestSupport.h"

namespace {

using boardtest::BoardTest;

class LightSweepTest : public BoardTest {
 protected:
  const TGlow& Glow(int x, int y) const {
    return *board->CellsLights[size_t(x * board::GridHeight + y)];
  }
  // Steps until the sweep clock reaches `at` (after `passes` restarts).
  void StepTo(float at, int passes) {
    int restarts = 0;
    float last = board->lightCounter;
    while (restarts < passes || board->lightCounter < at) {
      board->Manage();
      if (board->lightCounter < last) ++restarts;
      last = board->lightCounter;
    }
  }
  // Tiles lit at this moment (drawn a second time with their glow).
  bool Lit(int x, int y) const { return Glow(x, y).numWraps == 1; }
};

TEST_F(LightSweepTest, EveryPassLightsTheTilesDiagonalByDiagonal) {
  Paint({"1212", "2121"});
  // Half-way: the tiles of diagonal 16 are in their second glow cycle, those
  // near the top-left corner are already past it, the far ones not there yet.
  const float middle = 3000 + 16 * 20 + 106 + 50;
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    StepTo(100, pass);
    EXPECT_FALSE(Lit(8, 8));  // the sweep has not started
    EXPECT_EQ(Glow(8, 8).numWraps, 0);
    StepTo(middle, pass);
    EXPECT_TRUE(Lit(8, 8));
    EXPECT_FALSE(Lit(1, 1));
    EXPECT_FALSE(Lit(16, 12));
    EXPECT_EQ(Glow(16, 12).numWraps, 0);
  }
}

}  // namespace
