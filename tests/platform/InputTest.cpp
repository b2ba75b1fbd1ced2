// Input: scripted and window-system events reach both the event feed and
// the polled tables, with Windows key codes and 16-bit characters.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <vector>

#include "HeadlessDisplay.h"
#include "Internal.h"

using namespace plat;

namespace {

TEvent Make(TEventKind kind, int data, int x = 0, int y = 0) {
  TEvent e;
  e.kind = kind;
  e.data = data;
  e.x = x;
  e.y = y;
  return e;
}

std::vector<TEvent> Drain() {
  std::vector<TEvent> events;
  TEvent e;
  while (PollEvent(e)) events.push_back(e);
  return events;
}

class InputTest : public gfxtest::HeadlessDisplay {};

TEST_F(InputTest, PostedEventsReachTheFeedAndTheTablesInOrder) {
  PostEvent(Make(EVENT_KEYDOWN, KEY_A));
  PostEvent(Make(EVENT_MOUSEMOVE, 0, 120, 340));
  PostEvent(Make(EVENT_MOUSEDOWN, 2, 120, 340));
  PostEvent(Make(EVENT_MOUSEWHEEL, -3));
  EXPECT_FALSE(KeyDown(KEY_A));  // not before the next pump
  PollSystem();
  EXPECT_TRUE(KeyDown(KEY_A));
  EXPECT_EQ(MouseX(), 120);
  EXPECT_EQ(MouseY(), 340);
  EXPECT_TRUE(MouseDown(2));
  EXPECT_FALSE(MouseDown(1));
  EXPECT_EQ(MouseZ(), -3);

  auto events = Drain();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].kind, EVENT_KEYDOWN);
  EXPECT_EQ(events[0].data, KEY_A);
  EXPECT_EQ(events[1].kind, EVENT_MOUSEMOVE);
  EXPECT_EQ(events[1].x, 120);
  EXPECT_EQ(events[2].kind, EVENT_MOUSEDOWN);
  EXPECT_EQ(events[3].data, -3);

  PostEvent(Make(EVENT_KEYUP, KEY_A));
  PostEvent(Make(EVENT_MOUSEUP, 2));
  Flip(0);  // flipping pumps too
  EXPECT_FALSE(KeyDown(KEY_A));
  EXPECT_FALSE(MouseDown(2));
  EXPECT_EQ(Drain().size(), 2u);
}

TEST_F(InputTest, HitsCountPressesAndResetWhenRead) {
  for (int i = 0; i < 3; ++i) {
    PostEvent(Make(EVENT_KEYDOWN, KEY_SPACE));
    PostEvent(Make(EVENT_KEYUP, KEY_SPACE));
  }
  PostEvent(Make(EVENT_MOUSEDOWN, 1));
  PollSystem();
  EXPECT_EQ(KeyHit(KEY_SPACE), 3);
  EXPECT_EQ(KeyHit(KEY_SPACE), 0);
  EXPECT_EQ(MouseHit(1), 1);
  EXPECT_EQ(MouseHit(1), 0);
  EXPECT_EQ(KeyHit(-1), 0);
  EXPECT_EQ(MouseHit(7), 0);

  PostEvent(Make(EVENT_KEYDOWN, KEY_ENTER));
  PostEvent(Make(EVENT_MOUSEDOWN, 3));
  PollSystem();
  FlushKeys();
  FlushMouse();
  EXPECT_EQ(KeyHit(KEY_ENTER), 0);
  EXPECT_FALSE(KeyDown(KEY_ENTER));
  EXPECT_EQ(MouseHit(3), 0);
  EXPECT_EQ(MouseZ(), 0);
}

TEST_F(InputTest, TypedCharactersQueueInOrder) {
  for (int c : {int('G'), 0xE9, 0x20AC, 8}) PostEvent(Make(EVENT_KEYCHAR, c));
  PollSystem();
  EXPECT_EQ(GetChar(), 'G');
  EXPECT_EQ(GetChar(), 0xE9);
  EXPECT_EQ(GetChar(), 0x20AC);
  EXPECT_EQ(GetChar(), 8);
  EXPECT_EQ(GetChar(), 0);
}

TEST_F(InputTest, FocusLossReleasesHeldKeysAndFlushEventsEmptiesTheFeed) {
  PostEvent(Make(EVENT_KEYDOWN, KEY_LCONTROL));
  PostEvent(Make(EVENT_MOUSEDOWN, 1));
  PostEvent(Make(EVENT_APPSUSPEND, 0));
  PollSystem();
  EXPECT_FALSE(KeyDown(KEY_LCONTROL));
  EXPECT_FALSE(MouseDown(1));
  FlushEvents();
  TEvent e;
  EXPECT_FALSE(PollEvent(e));
}

SDL_Event KeyEvent(Uint32 type, SDL_Keycode sym, SDL_Scancode scancode, bool repeat = false) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  e.type = type;
  e.key.keysym.sym = sym;
  e.key.keysym.scancode = scancode;
  e.key.repeat = repeat ? 1 : 0;
  return e;
}

TEST_F(InputTest, SdlKeysMapToWindowsKeyCodes) {
  using internal::VirtualKeyFromSdl;
  struct {
    SDL_Keycode sym;
    SDL_Scancode scancode;
    int vk;
  } const cases[] = {
      {SDLK_a, SDL_SCANCODE_A, 65},
      {SDLK_z, SDL_SCANCODE_Z, 90},
      {SDLK_0, SDL_SCANCODE_0, 48},
      {SDLK_9, SDL_SCANCODE_9, 57},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
      {SDLK_UP, SDL_SCANCODE_UP, 38},
      {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39},
      {SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
      {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8},
      {SDLK_TAB, SDL_SCANCODE_TAB, 9},
      {SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},
      {SDLK_SPACE, SDL_SCANCODE_SPACE, 32},
      {SDLK_DELETE, SDL_SCANCODE_DELETE, 46},
      {SDLK_INSERT, SDL_SCANCODE_INSERT, 45},
      {SDLK_HOME, SDL_SCANCODE_HOME, 36},
      {SDLK_END, SDL_SCANCODE_END, 35},
      {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 33},
      {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 34},
      {SDLK_F1, SDL_SCANCODE_F1, 112},
      {SDLK_F12, SDL_SCANCODE_F12, 123},
      {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 160},
      {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 161},
      {SDLK_LCTRL, SDL_SCANCODE_LCTRL, 162},
      {SDLK_RCTRL, SDL_SCANCODE_RCTRL, 163},
      {SDLK_LALT, SDL_SCANCODE_LALT, 164},
      {SDLK_RALT, SDL_SCANCODE_RALT, 165},
      {SDLK_KP_0, SDL_SCANCODE_KP_0, 96},
      {SDLK_KP_9, SDL_SCANCODE_KP_9, 105},
      {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, 186},
      {SDLK_SLASH, SDL_SCANCODE_SLASH, 191},
      {SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, 192},
      {SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, 219},
      {SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, 222},
      {SDLK_PAUSE, SDL_SCANCODE_PAUSE, 19},
      // A key of another layout (an o with umlaut on the semicolon key).
      {SDL_Keycode(0xF6), SDL_SCANCODE_SEMICOLON, 186},
  };
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyFromSdl(c.sym, c.scancode), c.vk) << c.sym;
}

TEST_F(InputTest, SdlKeyboardEventsBecomeKeysAndCharacters) {
  internal::TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_p, SDL_SCANCODE_P));
  internal::TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_p, SDL_SCANCODE_P, true));  // repeat
  internal::TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE));
  SDL_Event text;
  std::memset(&text, 0, sizeof text);
  text.type = SDL_TEXTINPUT;
  std::strcpy(text.text.text, "a\xC3\xA9\xE2\x82\xAC");  // a, e-acute, euro sign
  internal::TranslateSdlEvent(text);
  internal::TranslateSdlEvent(KeyEvent(SDL_KEYUP, SDLK_p, SDL_SCANCODE_P));

  auto events = Drain();
  ASSERT_EQ(events.size(), 7u);
  EXPECT_EQ(events[0].kind, EVENT_KEYDOWN);
  EXPECT_EQ(events[0].data, KEY_P);
  EXPECT_EQ(events[1].kind, EVENT_KEYDOWN);
  EXPECT_EQ(events[1].data, KEY_BACKSPACE);
  EXPECT_EQ(events[2].kind, EVENT_KEYCHAR);
  EXPECT_EQ(events[2].data, 8);
  EXPECT_EQ(events[3].data, 'a');
  EXPECT_EQ(events[4].data, 0xE9);
  EXPECT_EQ(events[5].data, 0x20AC);
  EXPECT_EQ(events[6].kind, EVENT_KEYUP);
  EXPECT_EQ(KeyHit(KEY_P), 1);  // the repeat is no new press
  EXPECT_EQ(GetChar(), 8);
}

TEST_F(InputTest, SdlMouseAndWindowEventsBecomeTheGamesEvents) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.x = 10;
  e.button.y = 20;
  internal::TranslateSdlEvent(e);
  e.button.button = SDL_BUTTON_MIDDLE;
  internal::TranslateSdlEvent(e);
  std::memset(&e, 0, sizeof e);
  e.type = SDL_MOUSEMOTION;
  e.motion.x = 640;
  e.motion.y = 480;
  internal::TranslateSdlEvent(e);
  std::memset(&e, 0, sizeof e);
  e.type = SDL_MOUSEWHEEL;
  e.wheel.y = 1;
  e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  internal::TranslateSdlEvent(e);
  std::memset(&e, 0, sizeof e);
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  internal::TranslateSdlEvent(e);
  e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  internal::TranslateSdlEvent(e);
  e.type = SDL_QUIT;
  internal::TranslateSdlEvent(e);

  auto events = Drain();
  ASSERT_EQ(events.size(), 7u);
  EXPECT_EQ(events[0].kind, EVENT_MOUSEDOWN);
  EXPECT_EQ(events[0].data, 2);
  EXPECT_EQ(events[0].x, 10);
  EXPECT_EQ(events[1].data, 3);
  EXPECT_EQ(events[2].kind, EVENT_MOUSEMOVE);
  EXPECT_EQ(MouseX(), 640);
  EXPECT_EQ(events[3].kind, EVENT_MOUSEWHEEL);
  EXPECT_EQ(events[3].data, -1);
  EXPECT_EQ(events[4].kind, EVENT_APPSUSPEND);
  EXPECT_EQ(events[5].kind, EVENT_APPRESUME);
  EXPECT_EQ(events[6].kind, EVENT_APPTERMINATE);
}

TEST_F(InputTest, HeadlessMouseMovesWhereTold) {
  MoveMouse(33, 44);
  EXPECT_EQ(MouseX(), 33);
  EXPECT_EQ(MouseY(), 44);
  int x = 0, y = 0;
  DesktopMouse(x, y);
  EXPECT_EQ(x, 33);
  EXPECT_EQ(y, 44);
}

TEST_F(InputTest, TerminationSignalsBecomeOneCloseRequestEach) {
  ASSERT_EQ(std::raise(SIGTERM), 0);  // the platform's handler, not the default
  std::vector<TEvent> events = Drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, EVENT_APPTERMINATE);
  EXPECT_TRUE(Drain().empty());  // reported once
  ASSERT_EQ(std::raise(SIGINT), 0);
  events = Drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, EVENT_APPTERMINATE);
}

TEST_F(InputTest, FlushingInputKeepsACloseRequest) {
  PostEvent(Make(EVENT_KEYDOWN, KEY_A));
  PostEvent(Make(EVENT_APPTERMINATE, 0));
  PostEvent(Make(EVENT_MOUSEDOWN, 1));
  PollSystem();
  FlushEvents();
  std::vector<TEvent> events = Drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, EVENT_APPTERMINATE);
}

}  // namespace
