// The key tables, the typed-character ring and the shared click tracker.
#include <gtest/gtest.h>

#include "GameInput.h"
#include "TMousePointer.h"
#include "TVMouse.h"

namespace {

plat::TEvent Event(plat::TEventKind kind, int data = 0, int x = 0, int y = 0) {
  plat::TEvent event;
  event.kind = kind;
  event.data = data;
  event.x = x;
  event.y = y;
  return event;
}

class KeyTableTest : public ::testing::Test {
 protected:
  void SetUp() override { GameFlushKeys(); }
  void TearDown() override { GameFlushKeys(); }
  void Feed(const plat::TEvent& event) { GameInputFeed(event, &pointer); }
  TMousePointer pointer;
};

TEST_F(KeyTableTest, KeysAreDownUntilReleasedAndAHitIsConsumedOnce) {
  Feed(Event(plat::EVENT_KEYDOWN, 'A'));
  EXPECT_EQ(GameKeyDown('A'), 1);
  EXPECT_EQ(GameKeyHit('A'), 1);
  EXPECT_EQ(GameKeyHit('A'), 0);
  EXPECT_EQ(GameKeyDown('A'), 1);
  Feed(Event(plat::EVENT_KEYUP, 'A'));
  EXPECT_EQ(GameKeyDown('A'), 0);
  EXPECT_EQ(GameKeyDown(-1), 0);
  EXPECT_EQ(GameKeyHit(-5), 0);
  Feed(Event(plat::EVENT_KEYDOWN, 300));  // outside the table: ignored, not a crash
  EXPECT_EQ(GameFirstKeyHit(), -1);
}

TEST_F(KeyTableTest, FirstKeyHitIsTheLowestSingleHitAndIsNotConsumed) {
  EXPECT_EQ(GameFirstKeyHit(), -1);
  EXPECT_EQ(GameAnyKeyHit(), 0);
  Feed(Event(plat::EVENT_KEYDOWN, 90));
  Feed(Event(plat::EVENT_KEYDOWN, 40));
  Feed(Event(plat::EVENT_KEYDOWN, 40));  // two hits: not "exactly one"
  EXPECT_EQ(GameFirstKeyHit(), 90);
  EXPECT_EQ(GameFirstKeyHit(), 90);
  EXPECT_EQ(GameAnyKeyHit(), 1);
  EXPECT_EQ(GameKeyHit(90), 1);
  EXPECT_EQ(GameFirstKeyHit(), -1);
}

TEST_F(KeyTableTest, TheCharacterRingKeepsOrderAndDropsBeyond256Unread) {
  for (int i = 0; i < 300; ++i) Feed(Event(plat::EVENT_KEYCHAR, 'a' + i % 26));
  EXPECT_EQ(GameCharsPending(), 256);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(GameGetChar(), 'a' + i % 26) << i;
  EXPECT_EQ(GameGetChar(), 0);
  // Reading makes room again; the ring wraps round its slots.
  for (int i = 0; i < 10; ++i) Feed(Event(plat::EVENT_KEYCHAR, 'A' + i));
  EXPECT_EQ(GameGetChar(), 'A');
  GameFlushKeys();
  EXPECT_EQ(GameGetChar(), 0);
}

TEST_F(KeyTableTest, AMousePressClearsEarlierHitsAndCountsButtons) {
  Feed(Event(plat::EVENT_MOUSEDOWN, 2));
  Feed(Event(plat::EVENT_MOUSEUP, 2));
  Feed(Event(plat::EVENT_MOUSEDOWN, 1));
  EXPECT_EQ(pointer.mh, 1);
  EXPECT_EQ(pointer.h1, 1);
  EXPECT_EQ(pointer.h2, 0);
  EXPECT_EQ(pointer.mb, 1);
  Feed(Event(plat::EVENT_MOUSEDOWN, 3));
  EXPECT_EQ(pointer.mb, 2);
  EXPECT_EQ(pointer.GetMh(1), 1);
  EXPECT_EQ(pointer.mh, 0);
  Feed(Event(plat::EVENT_MOUSEMOVE, 0, 120, 45));
  Feed(Event(plat::EVENT_MOUSEWHEEL, -2));
  Feed(Event(plat::EVENT_MOUSEWHEEL, 5));
  EXPECT_EQ(pointer.x, 120);
  EXPECT_EQ(pointer.y, 45);
  EXPECT_EQ(pointer.z, 3);
  Feed(Event(plat::EVENT_MOUSEDOWN, 7));  // no such button
  EXPECT_EQ(pointer.mb, 2);
}

// The click tracker stepped every 5 ms with an explicit pointer.
class ClickTrackerTest : public ::testing::Test {
 protected:
  void Step(bool control = false) {
    now += 5;
    tracker.UpdateMouseClicks(pointer, control, now);
  }
  void Hold(int steps) {
    for (int i = 0; i < steps; ++i) Step();
  }
  void Press(int x, int y) {
    pointer.x = x;
    pointer.y = y;
    pointer.b1 = 1;
    Step();
  }
  void Release() {
    pointer.b1 = 0;
    Step();
  }
  // Waits ms with the button up.
  void Wait(int ms) {
    for (int t = 0; t < ms; t += 5) Step();
  }

  int now = 50000;
  TMousePointer pointer;
  TVMouse tracker;
};

TEST_F(ClickTrackerTest, APressIsAClickForOneStepAndThenCountsAsHeld) {
  Press(10, 10);
  EXPECT_EQ(tracker.LeftClick(), 1);
  Hold(3);
  EXPECT_EQ(tracker.LeftClick(), 4);
  Release();
  EXPECT_EQ(tracker.LeftClick(), 0);
  pointer.b2 = 1;
  Step();
  EXPECT_EQ(tracker.RightClick(), 1);
}

// A tap: the press and its release arrive in one drain of events, so the
// pointer shows only the hit on the step that follows.
TEST_F(ClickTrackerTest, APressReleasedWithinOneStepStillClicks) {
  auto tap = [&](int button) {
    (button == 1 ? pointer.h1 : pointer.h2) = 1;
    Step();
    pointer.h1 = pointer.h2 = 0;
  };
  pointer.x = pointer.y = 60;
  tap(1);
  EXPECT_EQ(tracker.LeftClick(), 1);
  Step();
  EXPECT_EQ(tracker.LeftClick(), 0);
  Wait(100);
  tap(1);
  EXPECT_EQ(tracker.DoubleClick(), 1);
  tap(2);
  EXPECT_EQ(tracker.RightClick(), 1);
  Step();
  EXPECT_EQ(tracker.RightClick(), 0);
  // Released and pressed again between two steps: a new press, not a hold.
  Press(60, 60);
  Hold(5);
  tap(1);  // the button is still down
  EXPECT_EQ(tracker.LeftClick(), 1);
}

TEST_F(ClickTrackerTest, ControlWithTheLeftButtonIsARightClick) {
  pointer.b1 = 1;
  Step(true);
  EXPECT_EQ(tracker.RightClick(), 1);
  EXPECT_EQ(tracker.LeftClick(), 0);
  Step(true);
  EXPECT_EQ(tracker.RightClick(), 2);
}

TEST_F(ClickTrackerTest, ASecondPressInsideTheSquareAndTimeIsADoubleClick) {
  Press(100, 100);
  EXPECT_EQ(tracker.DoubleClick(), 0);
  Release();
  Wait(395);
  Press(129, 100);  // 400 ms later, 29 pixels to the right
  EXPECT_EQ(tracker.DoubleClick(), 1);
  Step();
  EXPECT_EQ(tracker.DoubleClick(), 0);  // only on the press step
}

TEST_F(ClickTrackerTest, ThirtyPixelsAwayIsNoDoubleClick) {
  Press(100, 100);
  Release();
  Wait(395);
  Press(130, 100);
  EXPECT_EQ(tracker.DoubleClick(), 0);
}

TEST_F(ClickTrackerTest, TheWindowClosesAfter500Milliseconds) {
  Press(100, 100);
  Release();
  Wait(500);
  Press(100, 100);
  EXPECT_EQ(tracker.DoubleClick(), 0);
}

TEST_F(ClickTrackerTest, ThreeQuickPressesGiveTwoDoubleClicks) {
  Press(50, 50);
  Release();
  Press(50, 50);
  EXPECT_EQ(tracker.DoubleClick(), 1);
  Release();
  Press(50, 50);
  EXPECT_EQ(tracker.DoubleClick(), 1);
}

TEST_F(ClickTrackerTest, AStallOverASecondDoesNotShortenTheWindow) {
  Press(50, 50);
  Release();
  now += 3000;  // the game stalled between two steps
  Press(50, 50);
  EXPECT_EQ(tracker.DoubleClick(), 1);
}

TEST_F(ClickTrackerTest, ADragStartsBeyondDraggingPixels) {
  Press(200, 200);
  EXPECT_EQ(tracker.Drag(), 0);  // records the start
  pointer.x = 203;
  pointer.y = 201;
  Step();
  EXPECT_EQ(tracker.Drag(), 0);  // 4 pixels: not beyond 4
  pointer.x = 204;
  Step();
  EXPECT_EQ(tracker.Drag(), 1);
  pointer.x = 200;
  Step();
  EXPECT_EQ(tracker.Drag(), 1);  // stays a drag until released
  Release();
  EXPECT_EQ(tracker.Drag(), 0);
  EXPECT_EQ(tracker.DragStartX, -1);
}

TEST_F(ClickTrackerTest, TheGameUsesTwoDraggingPixels) {
  tracker.DraggingPixels = 2;
  Press(10, 10);
  tracker.Drag();
  pointer.x = 12;
  pointer.y = 11;
  Step();
  EXPECT_EQ(tracker.Drag(), 1);
}

}  // namespace
