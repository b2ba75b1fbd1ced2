// The logic timer with a clock the test moves by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "FrameTestSupport.h"
#include "TFixedRateLogic.h"
#include "TGame.h"

namespace {

class FixedRateLogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.QueryWindowPosition = [this](int& x, int& y) {
      x = windowX;
      y = windowY;
    };
    game.QueryClientPosition = [](int& x, int& y) { x = y = 0; };
    logic.Clock = [this] { return now; };
    logic.Init();
  }

  // One pass after ms of real time.
  double Pass(int ms) {
    now += ms;
    logic.Calc();
    return logic.NumTicks;
  }

  void WarmUp(int passes, int ms) {
    for (int i = 0; i < passes; ++i) Pass(ms);
  }

  int now = 100000;
  int windowX = 0, windowY = 0;
  TGame game;
  TFixedRateLogic& logic = game.FixedRateLogic;
};

TEST_F(FixedRateLogicTest, AStallIsCappedAtTenStepsWithoutSmoothing) {
  logic.JitterCorrection = 0;
  WarmUp(10, 16);
  EXPECT_DOUBLE_EQ(Pass(200), 10.0);
  EXPECT_EQ(logic.current, 10);
  EXPECT_DOUBLE_EQ(logic.TmpMS, 50.0);
}

TEST_F(FixedRateLogicTest, AStallDuringTheFirstFivePassesUsesTheRawCappedTime) {
  // Smoothing is on, but the first passes after Init take the raw time.
  EXPECT_DOUBLE_EQ(Pass(16), 16.0 / 5.0);
  EXPECT_DOUBLE_EQ(Pass(200), 10.0);
  EXPECT_DOUBLE_EQ(Pass(3), 3.0 / 5.0);
  EXPECT_EQ(logic.First, 2);
}

TEST_F(FixedRateLogicTest, AStallWithAFullHistoryIsSpreadThroughTheAverage) {
  WarmUp(5 + 60, 16);  // five raw passes, then more than 50 history entries
  ASSERT_EQ(logic.HistorySize, 50);
  EXPECT_NEAR(Pass(200), (49 * 16 + 50) / 50.0 / 5.0, 1e-9);
  EXPECT_NEAR(3.336, logic.NumTicks, 1e-9);
}

TEST_F(FixedRateLogicTest, SixteenMillisecondFramesRunThreeWholeStepsAndAFifth) {
  WarmUp(5 + 60, 16);
  double ticks = Pass(16);
  EXPECT_EQ(int(std::floor(ticks)), 3);
  EXPECT_NEAR(std::fmod(ticks, 1.0), 0.2, 1e-9);
}

TEST_F(FixedRateLogicTest, AFasterFrameWithVSyncBypassesTheHistory) {
  WarmUp(5 + 60, 16);
  game.VSync = 1;
  EXPECT_DOUBLE_EQ(Pass(10), 2.0);  // 10 ms is more than 1 ms below the 16 ms average
  game.VSync = 0;
  EXPECT_GT(Pass(10), 2.0);  // without VSync the average holds
}

TEST_F(FixedRateLogicTest, ACounterThatWrapsRepeatsTheLastStepCount) {
  WarmUp(3, 15);
  double last = logic.NumTicks;
  now -= 1000;
  EXPECT_DOUBLE_EQ(Pass(0), last);
  EXPECT_DOUBLE_EQ(logic.LastTime, double(now));
  EXPECT_DOUBLE_EQ(Pass(10), 2.0);  // and it runs on from the new counter
}

TEST_F(FixedRateLogicTest, AMovedWindowResetsTheTimer) {
  WarmUp(10, 16);
  now += 40;  // the time spent dragging
  windowX = 120;
  EXPECT_DOUBLE_EQ(Pass(0), 0.0);
  EXPECT_EQ(game.WindowX, 120);
  EXPECT_EQ(logic.First, logic.FirstMax - 1);  // Init, then this raw pass
  EXPECT_DOUBLE_EQ(Pass(16), 16.0 / 5.0);      // no catch-up of the dragging time
}

TEST_F(FixedRateLogicTest, FastModeRunsOneStepPerPass) {
  game.FastOn();
  EXPECT_DOUBLE_EQ(Pass(200), 1.0);
  game.FastOff();
  EXPECT_DOUBLE_EQ(Pass(10), 2.0);
}

TEST_F(FixedRateLogicTest, HistoryClearStartsTheAverageAfresh) {
  WarmUp(5, 16);
  WarmUp(20, 30);
  logic.HistoryClear();
  EXPECT_EQ(logic.HistorySize, 1);
  EXPECT_DOUBLE_EQ(Pass(10), 2.0);  // the average is this pass alone
}

TEST_F(FixedRateLogicTest, SlowMotionLengthensStepsAndDurations) {
  EXPECT_FLOAT_EQ(logic.MS, 5.0f);
  EXPECT_FLOAT_EQ(game.CalcAnimLength(500), 100.0f);
  game.SlowMotionOn();
  EXPECT_FLOAT_EQ(logic.MS, 20.0f);
  EXPECT_FLOAT_EQ(game.CalcAnimLength(500), 100.0f);  // 500 / 20 / 0.25
  EXPECT_EQ(game.CalcMilliSecsFromFrames(100), 500);
  game.SlowMotionOff();
  EXPECT_FLOAT_EQ(logic.MS, 5.0f);
  EXPECT_EQ(game.CalcMilliSecsFromFrames(7.9f), 39);
}

TEST_F(FixedRateLogicTest, SetDeltaAppliesTheMultiplier) {
  logic.DeltaMultiplier = 0.5f;
  logic.SetDelta(0.2f);
  EXPECT_FLOAT_EQ(LogicDelta, 0.1f);
  EXPECT_FLOAT_EQ(logic.FullDelta, 0.2f);
}

}  // namespace
