// Input: window-system events become the game's events (Windows virtual-key
// codes, logical mouse positions) and keep the polled tables up to date.
// Scripted events (PostEvent) go the same way, so a headless run sees input
// exactly as a player's would arrive.
#include <algorithm>
#include <array>
#include <deque>
#include <utility>

#include "FrameRecord.h"
#include "Internal.h"
#include "Pad.h"
#include "Utf8.h"

namespace plat {

using internal::Backend;

namespace {

// Events nobody drains are dropped oldest first rather than piling up.
constexpr size_t kMaxQueued = 4096;
constexpr size_t kMaxChars = 256;

struct TInputState {
  std::deque<TEvent> feed;
  std::deque<TEvent> posted;
  std::array<bool, 256> keyDown{};
  std::array<int, 256> keyHits{};
  std::deque<int> chars;
  int mouseX = 0, mouseY = 0, mouseZ = 0;
  std::array<bool, 4> mouseDown{};
  std::array<int, 4> mouseHits{};
};

TInputState& Input() {
  static TInputState state;
  return state;
}

bool ValidKey(int key) { return key >= 0 && key < 256; }
bool ValidButton(int button) { return button >= 1 && button <= 3; }

void ReleaseEverything() {
  Input().keyDown.fill(false);
  Input().mouseDown.fill(false);
}

// A key or button going down or up in its tables; a press counts a hit.
template <size_t N>
void Press(std::array<bool, N>& down, std::array<int, N>& hits, bool valid, int index,
           bool pressed) {
  if (!valid) return;
  down[size_t(index)] = pressed;
  if (pressed) ++hits[size_t(index)];
}

void UpdateTables(const TEvent& e) {
  auto& in = Input();
  switch (e.kind) {
    case EVENT_KEYDOWN:
    case EVENT_KEYUP:
      Press(in.keyDown, in.keyHits, ValidKey(e.data), e.data, e.kind == EVENT_KEYDOWN);
      break;
    case EVENT_KEYCHAR:
      if (in.chars.size() < kMaxChars) in.chars.push_back(e.data);
      break;
    case EVENT_MOUSEDOWN:
    case EVENT_MOUSEUP:
      Press(in.mouseDown, in.mouseHits, ValidButton(e.data), e.data, e.kind == EVENT_MOUSEDOWN);
      break;
    case EVENT_MOUSEMOVE:
      in.mouseX = e.x;
      in.mouseY = e.y;
      break;
    case EVENT_MOUSEWHEEL:
      in.mouseZ += e.data;
      break;
    case EVENT_APPSUSPEND:
      // Keys released while another window has the focus never report.
      ReleaseEverything();
      break;
    default:
      if (IsPadEvent(e.kind)) internal::UpdatePadTables(e);
      break;
  }
}

// The window's visibility and whether its picture is wanted again.
struct TWindowState {
  bool shown = true;
  bool redraw = false;
};

TWindowState& WindowState() {
  static TWindowState state;
  return state;
}

// Window state changes are kept here rather than fed to the game: a flush
// of the input must not lose them.
bool TakeWindowEvent(const TEvent& e) {
  auto& w = WindowState();
  switch (e.kind) {
    case EVENT_WINDOWHIDDEN:
      w.shown = false;
      return true;
    case EVENT_WINDOWSHOWN:
      w.shown = true;
      w.redraw = true;
      internal::PresentWhole();
      return true;
    case EVENT_WINDOWEXPOSED:
      w.redraw = true;
      internal::PresentWhole();
      return true;
    case EVENT_APPRESUME:
      w.redraw = true;
      internal::PresentWhole();
      return false;
    default:
      return false;
  }
}

void Deliver(const TEvent& e) {
  if (TakeWindowEvent(e)) return;
  UpdateTables(e);
  auto& feed = Input().feed;
  if (feed.size() >= kMaxQueued) feed.pop_front();
  feed.push_back(e);
}

void Deliver(TEventKind kind, int data, int x = 0, int y = 0) {
  TEvent e;
  e.kind = kind;
  e.data = data;
  e.x = x;
  e.y = y;
  Deliver(e);
}

int ButtonOfSdl(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_RIGHT:
      return 2;
    case SDL_BUTTON_MIDDLE:
      return 3;
    default:
      return 0;
  }
}

void TranslateKey(const SDL_KeyboardEvent& key, bool down) {
  int vk = internal::VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
  if (vk && !key.repeat) Deliver(down ? EVENT_KEYDOWN : EVENT_KEYUP, vk);
  if (!down) return;
  // Windows types these as characters too (repeating while held).
  if (key.keysym.sym == SDLK_BACKSPACE) Deliver(EVENT_KEYCHAR, 8);
  if (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) Deliver(EVENT_KEYCHAR, 13);
}

void TranslateWindowEvent(const SDL_WindowEvent& window) {
  switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
      Deliver(EVENT_APPSUSPEND, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      Deliver(EVENT_APPRESUME, 0);
      break;
    case SDL_WINDOWEVENT_HIDDEN:
    case SDL_WINDOWEVENT_MINIMIZED:
      Deliver(EVENT_WINDOWHIDDEN, 0);
      break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      Deliver(EVENT_WINDOWSHOWN, 0);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      Deliver(EVENT_WINDOWEXPOSED, 0);
      break;
    default:
      break;
  }
}

const std::pair<SDL_Keycode, int> kKeyTable[] = {
    {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},
    {SDLK_RETURN, 13},
    {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},
    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},
    {SDLK_HOME, 36},
    {SDLK_LEFT, 37},
    {SDLK_UP, 38},
    {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},
    {SDLK_PRINTSCREEN, 44},
    {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},
    {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},
    {SDLK_APPLICATION, 93},
    {SDLK_NUMLOCKCLEAR, 144},
    {SDLK_SCROLLLOCK, 145},
    {SDLK_LSHIFT, 160},
    {SDLK_RSHIFT, 161},
    {SDLK_LCTRL, 162},
    {SDLK_RCTRL, 163},
    {SDLK_LALT, 164},
    {SDLK_RALT, 165},
    {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

// Keys of other layouts fall back to the key's position.
const std::pair<SDL_Scancode, int> kScancodeTable[] = {
    {SDL_SCANCODE_KP_MULTIPLY, 106}, {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_MINUS, 109},    {SDL_SCANCODE_KP_PERIOD, 110},
    {SDL_SCANCODE_KP_DIVIDE, 111},   {SDL_SCANCODE_KP_ENTER, 13},
    {SDL_SCANCODE_SEMICOLON, 186},   {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},       {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},      {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},       {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_BACKSLASH, 220},   {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},  {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

int KeypadDigit(SDL_Scancode sc) {
  if (sc == SDL_SCANCODE_KP_0) return 96;
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 97 + (sc - SDL_SCANCODE_KP_1);
  return 0;
}

int PositionalKey(SDL_Scancode sc) {
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 65 + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return 49 + (sc - SDL_SCANCODE_1);
  if (sc == SDL_SCANCODE_0) return 48;
  for (const auto& [code, vk] : kScancodeTable) {
    if (code == sc) return vk;
  }
  return 0;
}

}  // namespace

// ---------------------------------------------------------------- internals

namespace internal {

int VirtualKeyFromSdl(SDL_Keycode sym, SDL_Scancode scancode) {
  if (int keypad = KeypadDigit(scancode)) return keypad;
  if (sym >= SDLK_a && sym <= SDLK_z) return 65 + (sym - SDLK_a);
  if (sym >= SDLK_0 && sym <= SDLK_9) return 48 + (sym - SDLK_0);
  if (sym >= SDLK_F1 && sym <= SDLK_F12) return 112 + (sym - SDLK_F1);
  if (sym >= SDLK_F13 && sym <= SDLK_F24) return 124 + (sym - SDLK_F13);
  for (const auto& [key, vk] : kKeyTable) {
    if (key == sym) return vk;
  }
  return PositionalKey(scancode);
}

void TranslateSdlEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key, event.type == SDL_KEYDOWN);
      break;
    case SDL_TEXTINPUT:
      for (char32_t c : CodePoints(event.text.text)) Deliver(EVENT_KEYCHAR, int(c));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (int button = ButtonOfSdl(event.button.button)) {
        int x = 0, y = 0;
        internal::WindowToLogical(event.button.x, event.button.y, x, y);
        Deliver(event.type == SDL_MOUSEBUTTONDOWN ? EVENT_MOUSEDOWN : EVENT_MOUSEUP, button, x, y);
      }
      break;
    case SDL_MOUSEMOTION: {
      // Window pixels to the logical display, through the letterbox.
      int x = 0, y = 0;
      internal::WindowToLogical(event.motion.x, event.motion.y, x, y);
      Deliver(EVENT_MOUSEMOVE, 0, x, y);
      break;
    }
    case SDL_MOUSEWHEEL: {
      int steps = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
      if (steps) Deliver(EVENT_MOUSEWHEEL, steps, Input().mouseX, Input().mouseY);
      break;
    }
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      break;
    case SDL_QUIT:
      Deliver(EVENT_APPTERMINATE, 0);
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      // The back buffer's pixels are gone: the next frame is drawn whole.
      internal::ForgetShownFrame();
      Deliver(EVENT_WINDOWEXPOSED, 0);
      break;
    default:
      internal::TranslatePadEvent(event);
      break;
  }
}

void ResetInput() {
  Input() = TInputState{};
  WindowState() = TWindowState{};
}

void DeliverEvent(const TEvent& event) { Deliver(event); }

}  // namespace internal

// ---------------------------------------------------------------- window state

bool DisplayShown() { return WindowState().shown; }

bool TakeRedrawRequest() { return std::exchange(WindowState().redraw, false); }

// ---------------------------------------------------------------- feed

void PollSystem() {
  auto& in = Input();
  while (!in.posted.empty()) {
    TEvent e = in.posted.front();
    in.posted.pop_front();
    Deliver(e);
  }
  if (internal::TakeTerminationSignal()) Deliver(EVENT_APPTERMINATE, 0);
  if (Backend().headless || !Backend().sdlVideo) {
    internal::PumpPads();
    return;
  }
  SDL_Event event;
  while (SDL_PollEvent(&event)) internal::TranslateSdlEvent(event);
  if (internal::TakeLostWindow()) Deliver(EVENT_APPTERMINATE, 0);
}

bool PollEvent(TEvent& event) {
  auto& feed = Input().feed;
  if (feed.empty()) PollSystem();
  if (feed.empty()) return false;
  event = feed.front();
  feed.pop_front();
  return true;
}

void PostEvent(const TEvent& event) {
  auto& posted = Input().posted;
  if (posted.size() >= kMaxQueued) posted.pop_front();
  posted.push_back(event);
}

void FlushEvents() {
  // Input is dropped; a close request (window, signal) is not input and
  // would otherwise be lost when it comes during loading.
  auto& feed = Input().feed;
  bool closeRequested = std::any_of(feed.begin(), feed.end(),
                                    [](const TEvent& e) { return e.kind == EVENT_APPTERMINATE; });
  feed.clear();
  Input().posted.clear();
  if (closeRequested) feed.push_back(TEvent{EVENT_APPTERMINATE, 0, 0, 0});
}

// ---------------------------------------------------------------- polled

bool KeyDown(int key) { return ValidKey(key) && Input().keyDown[size_t(key)]; }

int KeyHit(int key) {
  if (!ValidKey(key)) return 0;
  return std::exchange(Input().keyHits[size_t(key)], 0);
}

int GetChar() {
  auto& chars = Input().chars;
  if (chars.empty()) return 0;
  int c = chars.front();
  chars.pop_front();
  return c;
}

void FlushKeys() {
  auto& in = Input();
  in.keyDown.fill(false);
  in.keyHits.fill(0);
  in.chars.clear();
}

int MouseX() { return Input().mouseX; }
int MouseY() { return Input().mouseY; }
int MouseZ() { return Input().mouseZ; }
bool MouseDown(int button) { return ValidButton(button) && Input().mouseDown[size_t(button)]; }

int MouseHit(int button) {
  if (!ValidButton(button)) return 0;
  return std::exchange(Input().mouseHits[size_t(button)], 0);
}

void FlushMouse() {
  auto& in = Input();
  in.mouseDown.fill(false);
  in.mouseHits.fill(0);
  in.mouseZ = 0;
}

void MoveMouse(int x, int y) {
  Input().mouseX = x;
  Input().mouseY = y;
  auto& b = Backend();
  if (b.headless || !b.window) return;
  int wx = 0, wy = 0;
  internal::LogicalToWindow(x, y, wx, wy);
  SDL_WarpMouseInWindow(b.window, wx, wy);
}

void ShowMouse() {
  if (Backend().sdlVideo) SDL_ShowCursor(SDL_ENABLE);
}

void HideMouse() {
  if (Backend().sdlVideo) SDL_ShowCursor(SDL_DISABLE);
}

void DesktopMouse(int& x, int& y) {
  auto& b = Backend();
  if (!b.headless && b.sdlVideo) {
    SDL_GetGlobalMouseState(&x, &y);
    return;
  }
  x = Input().mouseX;
  y = Input().mouseY;
}

}  // namespace plat
