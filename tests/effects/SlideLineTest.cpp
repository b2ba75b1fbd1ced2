// Slide lines: where a line stands before, during and after its phases, and
// the colour a list shares among its lines.
#include <gtest/gtest.h>

#include "../widgets/DrawTestSupport.h"
#include "TSlideLine.h"

namespace {

using namespace drawtest;

class SlideLineTest : public DrawTest {};

TEST_F(SlideLineTest, BeforeStartALineStandsAtItsLastEndPoint) {
  TSlideLine line;
  line.InitLine("Row", 0, 100, 400, 100, 600);
  line.AddPhaseSpecial(400, 100, 400, 100, 500);
  line.AddPhaseSpecial(400, 100, 500, 300, 100);
  EXPECT_FLOAT_EQ(line.GetX(), 500);
  EXPECT_FLOAT_EQ(line.GetY(), 300);
}

// As the high-score rows do: a wait at the start, a 600 ms move, a hold.
TEST_F(SlideLineTest, ALinePassesThroughItsPhasesAndRestsAtTheEnd) {
  TSlideLine line;
  line.InitLine("Row", -300, 200, 100, 200, 60);  // 12 steps of waiting...
  line.StartX[0] = line.EndX[0] = -300;           // ...at the start point
  line.CalcDistance();
  line.AddPhaseSpecial(-300, 200, 100, 200, 600);  // 120 steps
  line.AddPhaseSpecial(100, 200, 100, 200, 500);
  line.Start();
  for (int i = 0; i < 12; ++i) line.Manage();
  EXPECT_EQ(line.CurrentPhase, 1);
  EXPECT_FLOAT_EQ(line.GetX(), -300);
  for (int i = 0; i < 60; ++i) line.Manage();
  EXPECT_NEAR(line.GetX(), -100, 1e-3);  // halfway: the midpoint
  EXPECT_FLOAT_EQ(line.GetY(), 200);
  for (int i = 0; i < 60; ++i) line.Manage();
  EXPECT_EQ(line.CurrentPhase, 2);
  EXPECT_FLOAT_EQ(line.GetX(), 100);
  for (int i = 0; i < 100; ++i) line.Manage();
  EXPECT_EQ(line.Active, 0);
  EXPECT_FLOAT_EQ(line.GetX(), 100);
}

TEST_F(SlideLineTest, APhaseOfNoLengthEndsAtItsFirstStep) {
  TSlideLine line;
  line.InitLine("Row", 0, 0, 0, 0, 0);
  line.AddPhaseSpecial(0, 0, 200, 0, 100);
  line.Start();
  line.Manage();
  EXPECT_EQ(line.CurrentPhase, 1);
  EXPECT_FLOAT_EQ(line.DX, 200);
}

TEST_F(SlideLineTest, TheListsColourIsSharedByAllItsLines) {
  plat::TFontPtr face = Face(25);
  plat::SetImageFont(face);
  TSlideLineList list;
  auto a = list.Add("First", 100, 100, 100, 100, 100);
  auto b = list.Add("Second", 100, 200, 300, 200, 100);
  EXPECT_EQ(a->Color, b->Color);
  list.Color->Set(0, 255, 0, 1);
  EXPECT_EQ(b->Color->G, 255);
  list.Start();
  for (int i = 0; i < 10; ++i) list.Manage();
  EXPECT_NEAR(b->GetX(), 200, 1e-3);
  list.Draw();
  plat::TPixmap pix = Grab();
  EXPECT_GT(CountPixels(pix, 100, 100, 200, 140, [](uint32_t p) { return Green(p) > 200; }), 10);
  EXPECT_GT(CountPixels(pix, 200, 200, 300, 240, [](uint32_t p) { return Green(p) > 200; }), 10);
  EXPECT_EQ(CountPixels(pix, 0, 0, 800, 600, [](uint32_t p) { return Red(p) > 40; }), 0);
  int r, g, bl;
  plat::GetColor(r, g, bl);
  EXPECT_EQ(r + g + bl, 3 * 255);
}

}  // namespace
