// The scripted feed's pad commands: they parse into actions at their steps
// and, posted, move a virtual pad that the platform's feed reports like a
// plugged-in one.
#include <gtest/gtest.h>

#include <vector>

#include "Pad.h"
#include "TRunScript.h"

namespace {

std::vector<plat::TEvent> PadEventsAfterPost(const TRunScript& script, long long step) {
  script.Post(step);
  plat::PollSystem();
  std::vector<plat::TEvent> pad;
  plat::TEvent e;
  while (plat::PollEvent(e)) {
    if (plat::IsPadEvent(e.kind)) pad.push_back(e);
  }
  return pad;
}

bool Has(const std::vector<plat::TEvent>& events, plat::TEventKind kind, int data) {
  for (const auto& e : events) {
    if (e.kind == kind && e.data == data) return true;
  }
  return false;
}

class PadScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::TBackendOptions options;
    options.Headless = true;
    ASSERT_TRUE(plat::Startup(options));
  }
  void TearDown() override { plat::Shutdown(); }
};

TEST_F(PadScriptTest, PadCommandsParseIntoActionsAtTheirSteps) {
  TRunScript script;
  std::string error;
  ASSERT_TRUE(
      script.Parse("3 pad-plug\n"
                   "4 pad A\n"
                   "6 paddown rb\n"
                   "7 stick -100 50\n"
                   "8 padup RB\n"
                   "9 pad-unplug\n",
                   error))
      << error;
  EXPECT_EQ(script.EventCount(), 0u);  // a pad is not window events
  ASSERT_NE(script.PadActionsAt(3), nullptr);
  EXPECT_EQ((*script.PadActionsAt(3))[0].Kind, TPadAction::Plug);
  const auto& press = *script.PadActionsAt(4);
  EXPECT_EQ(press[0].Button, plat::PAD_A);
  EXPECT_TRUE(press[0].Down);
  const auto& release = *script.PadActionsAt(5);  // a press lets go one step later
  EXPECT_EQ(release[0].Button, plat::PAD_A);
  EXPECT_FALSE(release[0].Down);
  const auto& stick = *script.PadActionsAt(7);
  EXPECT_EQ(stick[0].Kind, TPadAction::Stick);
  EXPECT_EQ(stick[0].X, -32767);
  EXPECT_EQ(stick[0].Y, 16383);
  EXPECT_EQ((*script.PadActionsAt(9))[0].Kind, TPadAction::Unplug);

  const char* const bad[] = {"4 pad",         "4 pad z",        "4 stick 1",
                             "4 stick 101 0", "4 pad-plug now", "4 pad a b"};
  for (const char* text : bad) {
    TRunScript wrong;
    EXPECT_FALSE(wrong.Parse(std::string("1 close\n") + text + "\n", error)) << text;
    EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << error;
  }
}

TEST_F(PadScriptTest, PostedPadCommandsReachTheFeedThroughTheVirtualPad) {
  TRunScript script;
  std::string error;
  ASSERT_TRUE(
      script.Parse("1 pad-plug\n"
                   "2 pad a\n"
                   "4 stick 0 -100\n"
                   "5 pad-unplug\n",
                   error))
      << error;
  auto plugged = PadEventsAfterPost(script, 1);
  EXPECT_TRUE(Has(plugged, plat::EVENT_PADADDED, 1));
  EXPECT_EQ(plat::PadCount(), 1);
  auto pressed = PadEventsAfterPost(script, 2);
  EXPECT_TRUE(Has(pressed, plat::EVENT_PADDOWN, plat::PAD_A));
  EXPECT_TRUE(plat::PadButtonDown(plat::PAD_A));
  auto released = PadEventsAfterPost(script, 3);
  EXPECT_TRUE(Has(released, plat::EVENT_PADUP, plat::PAD_A));
  EXPECT_FALSE(plat::PadButtonDown(plat::PAD_A));
  PadEventsAfterPost(script, 4);
  EXPECT_EQ(plat::PadAxis(plat::PAD_LEFTY), -32767);
  auto pulled = PadEventsAfterPost(script, 5);
  EXPECT_TRUE(Has(pulled, plat::EVENT_PADREMOVED, 0));
  EXPECT_EQ(plat::PadAxis(plat::PAD_LEFTY), 0);
  EXPECT_EQ(plat::PadCount(), 0);
}

TEST_F(PadScriptTest, AButtonWithoutAPlugPlugsThePadInFirst) {
  TRunScript script;
  std::string error;
  ASSERT_TRUE(script.Parse("1 paddown start\n", error)) << error;
  auto events = PadEventsAfterPost(script, 1);
  EXPECT_TRUE(Has(events, plat::EVENT_PADADDED, 1));
  EXPECT_TRUE(Has(events, plat::EVENT_PADDOWN, plat::PAD_START));
}

}  // namespace
