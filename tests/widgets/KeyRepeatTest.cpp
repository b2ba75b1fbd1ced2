// Auto-repeat of a held key: at once, after 400 ms, then every 100 ms.
#include <gtest/gtest.h>

#include <vector>

#include "GameInput.h"
#include "Globals.h"
#include "TKeyRepeat.h"
#include "TMouseRepeat.h"

namespace {

// The steps (1-based) on which a key held for n steps acts.
std::vector<int> ActingSteps(TKeyRepeat& repeat, int n) {
  std::vector<int> acting;
  for (int step = 1; step <= n; ++step) {
    if (repeat.Step(true)) acting.push_back(step);
  }
  return acting;
}

TEST(KeyRepeatTest, AHeldKeyActsAtOnceAfter400msThenEvery100ms) {
  LogicDelta = 1;
  auto repeat = TKeyRepeat::Create(400, 100);
  // 5 ms steps: step 1, then 80 steps later, then every 20 steps.
  EXPECT_EQ(ActingSteps(*repeat, 130), (std::vector<int>{1, 81, 101, 121}));
}

TEST(KeyRepeatTest, ReleasingStartsOverWithAnImmediateAction) {
  LogicDelta = 1;
  auto repeat = TKeyRepeat::Create(400, 100);
  ActingSteps(*repeat, 50);
  EXPECT_EQ(repeat->Step(false), 0);
  EXPECT_FLOAT_EQ(repeat->InitialDelayCounter, 0.0f);
  EXPECT_EQ(repeat->Step(true), 1);
  EXPECT_EQ(repeat->Step(true), 0);
}

TEST(KeyRepeatTest, APartialStepTakesAWholeStepOffTheInterval) {
  auto repeat = TKeyRepeat::Create(10, 20);  // 2 steps, then every 4
  LogicDelta = 1;
  EXPECT_EQ(ActingSteps(*repeat, 3), (std::vector<int>{1, 3}));
  LogicDelta = 0.2f;
  EXPECT_EQ(repeat->Step(true), 0);
  EXPECT_EQ(repeat->DelayCounter, 3);  // int(4 - 0.2)
}

TEST(KeyRepeatTest, GetKeyWatchesTheKeyTable) {
  LogicDelta = 1;
  GameFlushKeys();
  auto repeat = TKeyRepeat::Create(400, 100);
  EXPECT_EQ(repeat->GetKey(plat::KEY_DOWN), 0);
  plat::TEvent down;
  down.kind = plat::EVENT_KEYDOWN;
  down.data = plat::KEY_DOWN;
  GameInputFeed(down, nullptr);
  EXPECT_EQ(repeat->GetKey(plat::KEY_DOWN), 1);
  EXPECT_EQ(repeat->GetKey(plat::KEY_DOWN), 0);
  GameFlushKeys();
  EXPECT_EQ(repeat->GetKey(plat::KEY_DOWN), 0);
  EXPECT_EQ(repeat->LastState, 0);
}

TEST(KeyRepeatTest, AMouseRepeatWithoutAGameNeverActs) {
  auto repeat = TMouseRepeat::Create(400, 100);
  EXPECT_EQ(repeat->GetButton(), 0);
}

}  // namespace
