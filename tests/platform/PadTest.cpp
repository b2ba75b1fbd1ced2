// Game controllers: a virtual joystick, seen through SDL's game-controller
// interface, reaches the event feed and the polled pad tables; plugging it
// in and pulling it out report themselves; SDL_GAMECONTROLLERCONFIG maps a
// joystick SDL does not know.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "HeadlessDisplay.h"
#include "Pad.h"

using namespace plat;

namespace {

std::vector<TEvent> Drain() {
  std::vector<TEvent> events;
  TEvent e;
  while (PollEvent(e)) events.push_back(e);
  return events;
}

std::vector<TEvent> PadEvents() {
  std::vector<TEvent> pad;
  for (const TEvent& e : Drain()) {
    if (IsPadEvent(e.kind)) pad.push_back(e);
  }
  return pad;
}

bool Has(const std::vector<TEvent>& events, TEventKind kind, int data) {
  for (const TEvent& e : events) {
    if (e.kind == kind && e.data == data) return true;
  }
  return false;
}

class PadTest : public gfxtest::HeadlessDisplay {
 protected:
  void TearDown() override {
    unsetenv("SDL_GAMECONTROLLERCONFIG");
    HeadlessDisplay::TearDown();
  }
};

TEST_F(PadTest, WithoutAPadNothingHappens) {
  PollSystem();
  EXPECT_EQ(PadCount(), 0);
  EXPECT_TRUE(PadEvents().empty());
  EXPECT_FALSE(PadButtonDown(PAD_A));
  EXPECT_EQ(PadButtonHit(PAD_A), 0);
  EXPECT_EQ(PadAxis(PAD_LEFTX), 0);
  EXPECT_FALSE(VirtualPadAttached());
  EXPECT_EQ(VirtualPadGuid(), "");
  SetVirtualPadButton(PAD_A, true);  // no pad: ignored, no crash
  EXPECT_FALSE(DetachVirtualPad());
}

TEST_F(PadTest, AVirtualPadPlugsInPressesMovesAndIsPulledOut) {
  ASSERT_TRUE(AttachVirtualPad());
  EXPECT_TRUE(VirtualPadAttached());
  PollSystem();
  auto plugged = PadEvents();
  ASSERT_FALSE(plugged.empty());
  EXPECT_EQ(plugged.back().kind, EVENT_PADADDED);
  EXPECT_EQ(plugged.back().data, 1);
  EXPECT_EQ(PadCount(), 1);

  SetVirtualPadButton(PAD_A, true);
  SetVirtualPadButton(PAD_RIGHTSHOULDER, true);
  SetVirtualPadAxis(PAD_LEFTY, -30000);
  EXPECT_FALSE(PadButtonDown(PAD_A));  // not before the next pump
  PollSystem();
  auto pressed = PadEvents();
  EXPECT_TRUE(Has(pressed, EVENT_PADDOWN, PAD_A));
  EXPECT_TRUE(Has(pressed, EVENT_PADDOWN, PAD_RIGHTSHOULDER));
  EXPECT_TRUE(Has(pressed, EVENT_PADAXIS, PAD_LEFTY));
  EXPECT_FALSE(Has(pressed, EVENT_PADDOWN, PAD_B));
  EXPECT_TRUE(PadButtonDown(PAD_A));
  EXPECT_FALSE(PadButtonDown(PAD_B));
  EXPECT_EQ(PadAxis(PAD_LEFTY), -30000);
  EXPECT_EQ(PadButtonHit(PAD_A), 1);
  EXPECT_EQ(PadButtonHit(PAD_A), 0);  // consumed

  SetVirtualPadButton(PAD_RIGHTSHOULDER, false);
  PollSystem();
  EXPECT_TRUE(Has(PadEvents(), EVENT_PADUP, PAD_RIGHTSHOULDER));
  EXPECT_FALSE(PadButtonDown(PAD_RIGHTSHOULDER));
  EXPECT_TRUE(PadButtonDown(PAD_A));

  // Pulled out with A held and the stick pushed: both let go, then the news.
  ASSERT_TRUE(DetachVirtualPad());
  PollSystem();
  auto pulled = PadEvents();
  ASSERT_FALSE(pulled.empty());
  EXPECT_TRUE(Has(pulled, EVENT_PADUP, PAD_A));
  EXPECT_EQ(pulled.back().kind, EVENT_PADREMOVED);
  EXPECT_EQ(pulled.back().data, 0);
  EXPECT_EQ(PadCount(), 0);
  EXPECT_FALSE(PadButtonDown(PAD_A));
  EXPECT_EQ(PadAxis(PAD_LEFTY), 0);

  // And plugged in again it works at once.
  ASSERT_TRUE(AttachVirtualPad());
  SetVirtualPadButton(PAD_START, true);
  PollSystem();
  auto again = PadEvents();
  EXPECT_TRUE(Has(again, EVENT_PADADDED, 1));
  EXPECT_TRUE(Has(again, EVENT_PADDOWN, PAD_START));
}

TEST_F(PadTest, AJoystickWithoutAMappingIsNoPadUntilTheVariableNamesIt) {
  ASSERT_TRUE(AttachVirtualPad(true));
  std::string guid = VirtualPadGuid();
  ASSERT_EQ(guid.size(), 32u);
  SetVirtualPadButton(3, true);
  PollSystem();
  EXPECT_TRUE(PadEvents().empty());
  EXPECT_EQ(PadCount(), 0);

  // The mapping is read when the subsystem starts: start again with it.
  Shutdown();
  std::string mapping = guid + "," + VirtualPadName + ",a:b3,b:b2,x:b1,y:b0,leftx:a0,lefty:a1,";
  setenv("SDL_GAMECONTROLLERCONFIG", mapping.c_str(), 1);
  TBackendOptions options;
  options.Headless = true;
  ASSERT_TRUE(Startup(options));
  ASSERT_TRUE(AttachVirtualPad(true));
  EXPECT_EQ(VirtualPadGuid(), guid);
  PollSystem();
  EXPECT_EQ(PadCount(), 1);
  SetVirtualPadButton(3, true);  // the joystick's fourth button is A here
  PollSystem();
  auto events = PadEvents();
  EXPECT_TRUE(Has(events, EVENT_PADDOWN, PAD_A));
  EXPECT_FALSE(Has(events, EVENT_PADDOWN, PAD_Y));
}

TEST_F(PadTest, ScriptNamesOfButtonsAndSticks) {
  EXPECT_EQ(PadButtonOfName("A"), PAD_A);
  EXPECT_EQ(PadButtonOfName("start"), PAD_START);
  EXPECT_EQ(PadButtonOfName("select"), PAD_BACK);
  EXPECT_EQ(PadButtonOfName("lb"), PAD_LEFTSHOULDER);
  EXPECT_EQ(PadButtonOfName("rightshoulder"), PAD_RIGHTSHOULDER);
  EXPECT_EQ(PadButtonOfName("dpleft"), PAD_LEFT);
  EXPECT_EQ(PadButtonOfName("up"), PAD_UP);
  EXPECT_EQ(PadButtonOfName("z"), -1);
  EXPECT_EQ(PadAxisOfName("LeftX"), PAD_LEFTX);
  EXPECT_EQ(PadAxisOfName("righty"), PAD_RIGHTY);
  EXPECT_EQ(PadAxisOfName("wheel"), -1);
}

}  // namespace
