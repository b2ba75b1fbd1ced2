// Animation timers, countdowns and sine counters, stepped by whole logic
// steps (5 ms each).
#include <gtest/gtest.h>

#include "Globals.h"
#include "TAnimation.h"
#include "TCounter.h"
#include "TSineCounter.h"

namespace {

class TimersTest : public ::testing::Test {
 protected:
  void SetUp() override { LogicDelta = 1; }
};

int StepsUntilEnd(TAnimation& anim, int limit = 1000) {
  for (int i = 1; i <= limit; ++i) {
    if (anim.Manage() == 1) return i;
  }
  return -1;
}

TEST_F(TimersTest, ACountDownTimerOf200msRunsFortyStepsFromOneToZero) {
  auto anim = TAnimation::Create(200, 0, 0, 0);
  EXPECT_FLOAT_EQ(anim->Length[0], 40.0f);
  EXPECT_EQ(anim->Active, 0);  // made, not started
  anim->Start();
  EXPECT_FLOAT_EQ(anim->GetRatio(), 1.0f);
  EXPECT_FLOAT_EQ(anim->GetRatioInv(), 0.0f);
  for (int i = 0; i < 20; ++i) anim->Manage();
  EXPECT_FLOAT_EQ(anim->GetRatio(), 0.5f);
  EXPECT_NEAR(anim->GetRatioInvSine180(), 0.5f, 1e-6);
  EXPECT_EQ(StepsUntilEnd(*anim), 20);
  EXPECT_EQ(anim->Active, 0);
  EXPECT_EQ(anim->Finished, 1);
  EXPECT_FLOAT_EQ(anim->GetRatio(), 0.0f);
  EXPECT_FLOAT_EQ(anim->GetRatioInv(), 1.0f);
}

TEST_F(TimersTest, AReverseTimerLeftActiveHoldsItsEndValue) {
  auto anim = TAnimation::Create(100, 1, 1, 0);
  anim->Start();
  EXPECT_FLOAT_EQ(anim->GetRatio(), 0.0f);
  EXPECT_EQ(StepsUntilEnd(*anim), 21);  // ends once the counter passes 20
  EXPECT_EQ(anim->Active, 1);
  EXPECT_EQ(anim->Finished, 1);
  EXPECT_FLOAT_EQ(anim->GetRatio(), 1.0f);
  EXPECT_FLOAT_EQ(anim->GetRatioSine(), 1.0f);
}

TEST_F(TimersTest, ACyclingTimerNeverFinishesAndSignalsEveryPhaseBoundary) {
  auto anim = TAnimation::Create(50, 0, 0, 1);
  anim->AddPhase(100);
  anim->Start();
  EXPECT_EQ(StepsUntilEnd(*anim), 10);
  EXPECT_EQ(anim->CurrentPhase, 1);
  EXPECT_FLOAT_EQ(anim->Counter, 20.0f);  // the new phase starts at its full length
  EXPECT_EQ(StepsUntilEnd(*anim), 20);
  EXPECT_EQ(anim->CurrentPhase, 0);
  EXPECT_EQ(StepsUntilEnd(*anim), 10);
  EXPECT_EQ(anim->Finished, 0);
  EXPECT_EQ(anim->Active, 1);
}

TEST_F(TimersTest, AnimationFramesStayWithinTheStrip) {
  auto anim = TAnimation::Create(200, 0, 0, 0);
  anim->Start();
  EXPECT_EQ(anim->GetAnimFrame(8), 0);
  for (int i = 0; i < 39; ++i) anim->Manage();
  EXPECT_EQ(anim->GetAnimFrame(8), 7);
  auto reverse = TAnimation::Create(200, 1, 1, 0);
  reverse->Start();
  StepsUntilEnd(*reverse);
  EXPECT_EQ(reverse->GetAnimFrame(8), 7);  // held at its end, never 8
}

TEST_F(TimersTest, StartResumesAPausedCountDownAndStopEndsAtOnce) {
  auto anim = TAnimation::Create(100, 0, 0, 0);
  anim->Start();
  for (int i = 0; i < 5; ++i) anim->Manage();
  anim->Active = 0;
  anim->Start();
  EXPECT_FLOAT_EQ(anim->Counter, 15.0f);  // resumed, not restarted
  anim->Reset();
  EXPECT_FLOAT_EQ(anim->Counter, 20.0f);
  anim->Stop();
  EXPECT_EQ(anim->Active, 0);
  EXPECT_EQ(anim->Finished, 1);
}

TEST_F(TimersTest, APartialStepAdvancesByItsFraction) {
  auto anim = TAnimation::Create(10, 0, 0, 0);  // two steps
  anim->Start();
  LogicDelta = 0.5f;
  EXPECT_EQ(anim->Manage(), 0);
  EXPECT_FLOAT_EQ(anim->Counter, 1.5f);
}

TEST_F(TimersTest, AZeroLengthTimerReadsAsEndedRatherThanNotANumber) {
  auto anim = TAnimation::Create(0, 0, 0, 0);
  anim->Start();
  EXPECT_FLOAT_EQ(anim->GetRatio(), 0.0f);
  EXPECT_EQ(anim->GetAnimFrame(4), 0);
  EXPECT_EQ(anim->Manage(), 1);
}

TEST_F(TimersTest, ACounterEndsOnceAndThenStaysIdle) {
  auto counter = TCounter::Create(15, 0);
  EXPECT_EQ(counter->CounterLength, 3);
  EXPECT_EQ(counter->Manage(), 0);  // not running
  counter->Activate();
  EXPECT_EQ(counter->Manage(), 0);
  EXPECT_EQ(counter->Manage(), 0);
  EXPECT_EQ(counter->Manage(), 1);
  EXPECT_EQ(counter->Active, 0);
  EXPECT_EQ(counter->Manage(), 0);
}

TEST_F(TimersTest, ACounterListRemovesExactlyTheCountersThatEnded) {
  TCounterList list;
  auto a = list.AddNew(10);  // 2 steps
  auto b = list.AddNew(20);  // 4 steps
  auto c = list.AddNew(10);
  list.Manage(1);
  EXPECT_EQ(list.Count(), 3u);
  list.Manage(1);
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.Counters.front(), b);
  EXPECT_EQ(a->Active, 0);
  EXPECT_EQ(c->Active, 0);
  list.Manage(0);
  list.Manage(0);
  EXPECT_EQ(list.Count(), 1u);  // without remove the ended one stays
  EXPECT_EQ(b->Active, 0);
}

TEST_F(TimersTest, ASineCounterWrapsWithItsOvershootAndStaysNonNegative) {
  TSineCounter sine;
  sine.Init(0, 180, 50);
  for (int i = 0; i < 3; ++i) sine.Manage();
  EXPECT_FLOAT_EQ(sine.Counter, 150.0f);
  sine.Manage();
  EXPECT_FLOAT_EQ(sine.Counter, 20.0f);  // 200 - 180
  for (int i = 0; i < 50; ++i) {
    sine.Manage();
    EXPECT_GE(sine.ratio, 0.0f);
    EXPECT_LT(sine.Counter, 180.0f);
  }
  sine.SetCounter(90);
  EXPECT_FLOAT_EQ(sine.ratio, 1.0f);
}

TEST_F(TimersTest, ASineCounterRunningBackwardsWrapsUpwards) {
  TSineCounter sine;
  sine.Init(0, 360, -100);
  sine.Manage();
  EXPECT_FLOAT_EQ(sine.Counter, 260.0f);
  EXPECT_LT(sine.ratio, 0.0f);
}

}  // namespace
