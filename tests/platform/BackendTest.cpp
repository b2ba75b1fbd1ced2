// The headless backend: virtual clock, random source, display modes.
#include <gtest/gtest.h>

#include <set>

#include "HeadlessDisplay.h"

using namespace plat;

namespace {

class BackendTest : public gfxtest::HeadlessDisplay {};

TEST_F(BackendTest, VirtualClockMovesOnlyThroughDelayFlipAndAdvance) {
  EXPECT_TRUE(IsHeadless());
  SetVirtualClock(1000);
  EXPECT_EQ(MilliSecs(), 1000);
  Cls();
  DrawRect(0, 0, 10, 10);
  PollSystem();
  EXPECT_EQ(MilliSecs(), 1000);
  Delay(25);
  EXPECT_EQ(MilliSecs(), 1025);
  AdvanceClock(5);
  EXPECT_EQ(MilliSecs(), 1030);
  for (int i = 0; i < 6; ++i) Flip(1);  // six sixtieths of a second
  EXPECT_EQ(MilliSecs(), 1130);
  SetHeadlessFramePeriod(5);
  Flip(0);
  EXPECT_EQ(MilliSecs(), 1135);
  Delay(-10);
  AdvanceClock(-10);
  EXPECT_EQ(MilliSecs(), 1135);
}

TEST_F(BackendTest, SeededRandomSourceRepeatsAndStaysInRange) {
  SeedRnd(1234);
  EXPECT_EQ(RndSeed(), 1234);
  std::vector<int> first;
  for (int i = 0; i < 50; ++i) first.push_back(Rand(1, 6));
  SeedRnd(1234);
  std::set<int> seen;
  for (int i = 0; i < 50; ++i) {
    int v = Rand(1, 6);
    EXPECT_EQ(v, first[size_t(i)]);
    seen.insert(v);
  }
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6}));  // inclusive at both ends
  for (int i = 0; i < 200; ++i) {
    int swapped = Rand(10, 3);
    EXPECT_GE(swapped, 3);
    EXPECT_LE(swapped, 10);
    double real = Rnd(-1.5, 2.5);
    EXPECT_GE(real, -1.5);
    EXPECT_LT(real, 2.5);
  }
  EXPECT_EQ(Rand(7, 7), 7);
  EXPECT_GE(Rand(INT32_MIN, INT32_MAX), INT32_MIN);  // the widest range does not overflow
}

TEST_F(BackendTest, ModesOfferTheLogicalSizeAtEveryDepth) {
  for (int depth : {32, 24, 16}) EXPECT_TRUE(GraphicsModeExists(800, 600, depth, 0));
  EXPECT_TRUE(GraphicsModeExists(800, 600, 32, DesktopRefreshRate()));
  EXPECT_FALSE(GraphicsModeExists(123, 45, 32, 0));
  EXPECT_TRUE(GraphicsOpen());
  EXPECT_FALSE(IsFullScreen());
  EXPECT_EQ(GraphicsRefreshRate(), 60);
  EndGraphics();
  EXPECT_EQ(GraphicsRefreshRate(), -1);
  SetProcessPriority(0);  // best effort, never an error
  SetThreadPriority(0);
}

TEST(BackendRestart, StartupAfterShutdownWorksAgain) {
  TBackendOptions options;
  options.Headless = true;
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(Startup(options));
    ASSERT_TRUE(Graphics(800, 600, 0, 0));
    DrawRect(0, 0, 4, 4);
    EXPECT_EQ(GrabPixmap(1, 1, 1, 1)->ReadPixel(0, 0), 0xFFFFFFFFu);
    Shutdown();
    EXPECT_FALSE(GraphicsOpen());
  }
  EXPECT_FALSE(Graphics(800, 600, 0, 0));  // not started
}

}  // namespace
