// When the main loop draws, given what the last frame changed, input and
// the window's state.
#include <gtest/gtest.h>

#include "TFrameSchedule.h"

namespace {

constexpr double kPass = 1000.0 / 60;  // one pass on a 60 Hz display

class FrameScheduleTest : public ::testing::Test {
 protected:
  // Draws the first frame (always shown), which changed everything.
  void SetUp() override {
    ASSERT_TRUE(schedule.Due(0, true, false));
    EXPECT_TRUE(schedule.Drawn(plat::FRAME_CHANGED, 0));
  }
  TFrameSchedule schedule;
};

TEST_F(FrameScheduleTest, AfterAChangeTheNextPassDrawsAgain) {
  EXPECT_TRUE(schedule.Due(kPass, true, false));
  EXPECT_TRUE(schedule.Drawn(plat::FRAME_CHANGED, kPass));
  EXPECT_TRUE(schedule.Due(2 * kPass, true, false));
}

TEST_F(FrameScheduleTest, AtRestTheScreenIsLookedAtOnlyAtTheAmbientRate) {
  EXPECT_FALSE(schedule.Drawn(plat::FRAME_SAME, kPass));  // nothing to show
  int draws = 0;
  double now = kPass;
  for (int pass = 0; pass < 60; ++pass) {  // one second
    now += kPass;
    if (!schedule.Due(now, true, false)) continue;
    ++draws;
    EXPECT_TRUE(schedule.Drawn(plat::FRAME_AMBIENT, now));  // the sparkles moved
  }
  EXPECT_LE(draws, TFrameSchedule::AmbientRate);
  EXPECT_GE(draws, TFrameSchedule::AmbientRate - 1);
}

TEST_F(FrameScheduleTest, InputDrawsAtOnce) {
  schedule.Drawn(plat::FRAME_SAME, kPass);
  EXPECT_FALSE(schedule.Due(2 * kPass, true, false));
  schedule.Input();
  EXPECT_TRUE(schedule.Due(2 * kPass, true, false));
  EXPECT_TRUE(schedule.Drawn(plat::FRAME_CHANGED, 2 * kPass));  // the pointer moved
}

TEST_F(FrameScheduleTest, AHiddenWindowDrawsNothingUntilShown) {
  schedule.Input();
  EXPECT_FALSE(schedule.Due(kPass, false, false));
  EXPECT_FALSE(schedule.Due(kPass * 100, false, false));
  // A screenshot is taken all the same.
  EXPECT_TRUE(schedule.Due(kPass * 100, false, true));
}

TEST_F(FrameScheduleTest, AForcedFrameIsShownEvenUnchanged) {
  schedule.Drawn(plat::FRAME_SAME, kPass);
  schedule.Force();  // exposed, resized, focus regained
  EXPECT_TRUE(schedule.Due(2 * kPass, true, false));
  EXPECT_TRUE(schedule.Drawn(plat::FRAME_SAME, 2 * kPass));
  EXPECT_EQ(schedule.LastChange(), plat::FRAME_SAME);
  // Once only.
  EXPECT_FALSE(schedule.Due(3 * kPass, true, false));
  EXPECT_FALSE(schedule.Drawn(plat::FRAME_SAME, 4 * kPass));
}

}  // namespace
