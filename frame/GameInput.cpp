#include "GameInput.h"

#include <array>

#include "TGamePad.h"
#include "TMousePointer.h"
#include "TNavInput.h"
#include "TTalvorineGame.h"

namespace {

constexpr int kKeys = 256;
constexpr int kRing = 256;

struct TKeyState {
  std::array<int, kKeys> down{};
  std::array<int, kKeys> hits{};
  std::array<int, kRing> ring{};
  long long written = 0;
  long long read = 0;
  int polled = 0;
};

TKeyState keys;

bool InTable(int key) { return key >= 0 && key < kKeys; }

void FeedMouseButton(TMousePointer& mouse, int button, int down) {
  int* flags[] = {nullptr, &mouse.b1, &mouse.b2, &mouse.b3};
  int* hits[] = {nullptr, &mouse.h1, &mouse.h2, &mouse.h3};
  if (button < 1 || button > 3) return;
  if (down) {
    // A press makes any earlier, unconsumed hits stale.
    mouse.ClearMouseHit();
    ++*hits[button];
  }
  *flags[button] = down;
  mouse.CalcButtonTotals();
}

}  // namespace

int GameKeyDown(int key) {
  if (keys.polled) return plat::KeyDown(key) ? 1 : 0;
  return InTable(key) ? keys.down[size_t(key)] : 0;
}

int GameKeyHit(int key) {
  if (keys.polled) return plat::KeyHit(key) > 0 ? 1 : 0;
  if (!InTable(key) || keys.hits[size_t(key)] == 0) return 0;
  keys.hits[size_t(key)] = 0;
  return 1;
}

int GameGetChar() {
  if (keys.polled) return plat::GetChar();
  if (keys.read == keys.written) return 0;
  return keys.ring[size_t(keys.read++ % kRing)];
}

int GameFirstKeyHit() {
  for (int key = 0; key < kKeys; ++key) {
    if (keys.hits[size_t(key)] == 1) return key;
  }
  return -1;
}

int GameAnyKeyHit() { return GameFirstKeyHit() >= 0 ? 1 : 0; }

void GameFlushKeys() {
  NavInput.Flush();
  if (keys.polled) {
    plat::FlushKeys();
    return;
  }
  keys.down.fill(0);
  keys.hits.fill(0);
  keys.written = keys.read = 0;
  GamePad.Flush();
}

void GameFlushMouse() {
  if (keys.polled) {
    plat::FlushMouse();
  } else if (Game) {
    Game->Mouse.ClearButtons();
  }
}

void UseEventInput() {
  keys.polled = 0;
  plat::FlushEvents();
}

void UsePolledInput() { keys.polled = 1; }

int GameInputPolled() { return keys.polled; }

int PolledAnyHit() {
  int hit = 0;
  for (int key = 1; key < kKeys; ++key) hit |= plat::KeyHit(key) > 0;
  for (int button = 1; button <= 3; ++button) hit |= plat::MouseHit(button) > 0;
  return hit;
}

int GameCharsPending() { return int(keys.written - keys.read); }

void GameInputFeed(const plat::TEvent& event, TMousePointer* mouse) {
  switch (event.kind) {
    case plat::EVENT_KEYDOWN:
      if (InTable(event.data)) {
        keys.down[size_t(event.data)] = 1;
        ++keys.hits[size_t(event.data)];
      }
      break;
    case plat::EVENT_KEYUP:
      if (InTable(event.data)) keys.down[size_t(event.data)] = 0;
      break;
    case plat::EVENT_KEYCHAR:
      // Characters beyond a full ring of unread ones are dropped.
      if (keys.written - keys.read < kRing) keys.ring[size_t(keys.written++ % kRing)] = event.data;
      break;
    case plat::EVENT_MOUSEDOWN:
    case plat::EVENT_MOUSEUP:
      if (mouse) FeedMouseButton(*mouse, event.data, event.kind == plat::EVENT_MOUSEDOWN);
      break;
    case plat::EVENT_MOUSEMOVE:
      if (mouse) {
        mouse->x = event.x;
        mouse->y = event.y;
      }
      break;
    case plat::EVENT_MOUSEWHEEL:
      if (mouse) mouse->z += event.data;
      break;
    default:
      if (plat::IsPadEvent(event.kind)) GamePad.Feed(event);
      break;
  }
}
