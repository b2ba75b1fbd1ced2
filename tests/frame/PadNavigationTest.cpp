// The pad as a navigation device: its buttons and stick become the same
// commands the keys give, and the stick has a dead zone that holds.
#include <gtest/gtest.h>

#include "GameInput.h"
#include "TGamePad.h"
#include "TNavInput.h"

namespace {

void Feed(plat::TEventKind kind, int button) {
  plat::TEvent event;
  event.kind = kind;
  event.data = button;
  GameInputFeed(event, nullptr);
}

class PadNavigation : public ::testing::Test {
 protected:
  void SetUp() override {
    GameFlushKeys();
    InstallPadNavigation();
    NavInput.Flush();
  }
  void TearDown() override {
    for (int button = 0; button < plat::PAD_BUTTONS; ++button) Feed(plat::EVENT_PADUP, button);
    GameFlushKeys();
    NavInput.SetSource(TNavDevice::Pad, nullptr);
  }
};

TEST_F(PadNavigation, TheStickPointsOnlyBeyondItsDeadZoneAndHoldsItsWay) {
  using plat::PAD_DOWN, plat::PAD_LEFT, plat::PAD_RIGHT, plat::PAD_UP;
  EXPECT_EQ(TGamePad::StickDirection(0, 0, -1), -1);
  EXPECT_EQ(TGamePad::StickDirection(15999, 0, -1), -1);
  EXPECT_EQ(TGamePad::StickDirection(16000, 3000, -1), PAD_RIGHT);
  EXPECT_EQ(TGamePad::StickDirection(-20000, 25000, -1), PAD_DOWN);
  EXPECT_EQ(TGamePad::StickDirection(0, -32768, -1), PAD_UP);
  EXPECT_EQ(TGamePad::StickDirection(-32768, 0, -1), PAD_LEFT);
  // Once pointing, a smaller push keeps the way; another way needs the full push.
  EXPECT_EQ(TGamePad::StickDirection(12000, 0, PAD_RIGHT), PAD_RIGHT);
  EXPECT_EQ(TGamePad::StickDirection(10999, 0, PAD_RIGHT), -1);
  EXPECT_EQ(TGamePad::StickDirection(12000, 0, PAD_LEFT), -1);
}

// The button the bot's hands press for a command gives that command, once
// while held: the hands and the pad read the one table.
TEST_F(PadNavigation, TheButtonForACommandGivesItOnceWhileHeld) {
  for (TNavCommand command :
       {TNavCommand::Up, TNavCommand::Down, TNavCommand::Left, TNavCommand::Right,
        TNavCommand::Accept, TNavCommand::Back, TNavCommand::Erase, TNavCommand::PageUp,
        TNavCommand::PageDown, TNavCommand::Hint, TNavCommand::Pause}) {
    const int button = TGamePad::ButtonFor(command);
    ASSERT_GE(button, 0) << int(command);
    Feed(plat::EVENT_PADDOWN, button);
    NavInput.Step();
    EXPECT_EQ(NavInput.Hit(command), 1) << button;
    EXPECT_EQ(NavInput.LastDevice, TNavDevice::Pad);
    NavInput.Step();
    EXPECT_EQ(NavInput.Hit(command), 0) << button;
    Feed(plat::EVENT_PADUP, button);
    NavInput.Step();
  }
  EXPECT_EQ(TGamePad::ButtonFor(TNavCommand::FocusNext), -1);  // the pad has no Tab
  // A tap released within the step still counts once.
  Feed(plat::EVENT_PADDOWN, plat::PAD_A);
  Feed(plat::EVENT_PADUP, plat::PAD_A);
  NavInput.Step();
  EXPECT_EQ(NavInput.Hit(TNavCommand::Accept), 1);
}

}  // namespace
