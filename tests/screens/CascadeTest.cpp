// A long cascade in the real game, headless: jewels fall an odd number of
// rows and rest turned by half a turn, and each still looks as it does
// upright in the frame drawn, so that no jewel reads as a seventh kind.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ScreenTestSupport.h"
#include "TCell.h"
#include "TCellBox.h"
#include "TGameMode.h"
#include "TGameScreen.h"

namespace {

using screentest::ScreenTest;

class Cascade : public ScreenTest {
 protected:
  TCellBox& Board() { return *screen_.GamePlay.GameMode->Board(); }
  bool Settled() {
    for (int x = 0; x < 18; ++x) {
      for (int y = 0; y < 14; ++y) {
        const TCell& cell = *Board().Cells[x][y];
        if (cell.HasJewel() && !cell.IsSettled()) return false;
      }
    }
    return true;
  }
  // Mean difference per channel (0..255) of the 30 x 30 pixels around a
  // cell centre between two frames.
  static double Difference(const plat::TPixmap& a, const plat::TPixmap& b, int cx, int cy) {
    long sum = 0;
    for (int y = cy - 15; y < cy + 15; ++y) {
      for (int x = cx - 15; x < cx + 15; ++x) {
        uint32_t p = a.ReadPixel(x, y), q = b.ReadPixel(x, y);
        for (int shift : {0, 8, 16})
          sum += std::abs(int((p >> shift) & 255) - int((q >> shift) & 255));
      }
    }
    return double(sum) / (30.0 * 30.0 * 3.0);
  }

  TGameScreen screen_;
};

TEST_F(Cascade, JewelsRestingUpsideDownLookAsTheyDoUpright) {
  // A full board that makes jewels along its top row.
  std::vector<std::string> rows(12, "................");
  rows[0] = "cccccccccccccccc";
  rows[11] = "....mmmmmmmm....";
  MakePlayer("Ada");
  ASSERT_TRUE(StartInLevel(screen_, AddLevel("full", rows)));
  Script("1 move 795 595");
  ASSERT_TRUE(RunUntil([&] { return Settled(); }, 2000));
  // The lower seven rows emptied at once: everything above falls seven
  // rows, new jewels fall from the top, and lines form on the way.
  for (int x = 1; x <= 16; ++x) {
    for (int y = 6; y <= 12; ++y) Board().Cells[x][y]->ClearContents();
  }
  ASSERT_TRUE(Steps(20));
  EXPECT_FALSE(Settled());
  ASSERT_TRUE(RunUntil([&] { return Settled(); }, 4000));
  ASSERT_TRUE(Steps(3));
  Shot("cascade-at-rest");
  const plat::TPixmap drawn = Frame();

  // The same board drawn with every jewel upright.
  std::vector<const TCell*> turned, upright;
  int colours[7] = {};
  for (int x = 1; x <= 16; ++x) {
    for (int y = 1; y <= 12; ++y) {
      TCell& cell = *Board().Cells[x][y];
      ASSERT_TRUE(cell.HasJewel()) << x << "," << y;
      EXPECT_TRUE(cell.CurrentRotationDegree == 0 || cell.CurrentRotationDegree == 180);
      if (cell.CurrentRotationDegree == 180) {
        turned.push_back(&cell);
        ++colours[cell.Contents];
      } else {
        upright.push_back(&cell);
      }
      cell.RotationDegree = cell.CurrentRotationDegree = 0;
    }
  }
  ASSERT_TRUE(Steps(3));
  const plat::TPixmap redrawn = Frame();
  // Enough of every kind rests upside down for the check to mean something.
  for (int c = 1; c <= 6; ++c) EXPECT_GE(colours[c], 2) << "colour " << c;
  ASSERT_GE(turned.size(), 40u);
  // Jewels already upright are drawn alike both times: the frames differ in
  // nothing else.
  for (const TCell* cell : upright) {
    EXPECT_LT(Difference(drawn, redrawn, cell->X, cell->Y), 2.0)
        << "upright jewel " << cell->Contents << " at " << cell->ArrayX << "," << cell->ArrayY;
  }
  for (const TCell* cell : turned) {
    EXPECT_LT(Difference(drawn, redrawn, cell->X, cell->Y), 6.0)
        << "jewel " << cell->Contents << " at " << cell->ArrayX << "," << cell->ArrayY;
  }
}

}  // namespace
