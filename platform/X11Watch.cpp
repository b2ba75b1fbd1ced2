// A window destroyed from outside (as `xdotool windowclose` does) leaves
// every later X request on it failing, and Xlib's default answer to that is
// to end the program on the spot. We answer those two errors ourselves and
// report the loss as a close request, so the game still exits in order.
// Every later request on the lost window fails again; the loss is reported
// once and the window is not drawn to any more. The loss of the X server
// itself is fatal for Xlib; the game's handler reports it before the end.
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <dlfcn.h>

#include <atomic>
#include <cstdlib>

#include "Internal.h"

namespace plat::internal {

namespace {

using TErrorHandler = int (*)(Display*, XErrorEvent*);
using TSetErrorHandler = TErrorHandler (*)(TErrorHandler);
using TSync = int (*)(Display*, Bool);
using TIOErrorHandler = int (*)(Display*);
using TSetIOErrorHandler = TIOErrorHandler (*)(TIOErrorHandler);

TErrorHandler previousHandler = nullptr;
TSync sync = nullptr;
std::atomic<bool> windowLost{false};
std::atomic<bool> lossReported{false};
bool videoAbandoned = false;

int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) {
    windowLost = true;
    return 0;
  }
  return previousHandler ? previousHandler(display, error) : 0;
}

// Xlib ends the process when this returns: report first, end ourselves.
int OnXIOError(Display*) {
  RunDisplayLostHandler();
  std::_Exit(1);
}

}  // namespace

void WatchForLostWindow() {
  static bool installed = false;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (installed || !driver || SDL_strcmp(driver, "x11") != 0) return;
  // SDL has loaded Xlib already; we only look it up, never load it.
  void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!xlib) return;
  auto setHandler = reinterpret_cast<TSetErrorHandler>(dlsym(xlib, "XSetErrorHandler"));
  sync = reinterpret_cast<TSync>(dlsym(xlib, "XSync"));
  auto setIOHandler = reinterpret_cast<TSetIOErrorHandler>(dlsym(xlib, "XSetIOErrorHandler"));
  if (setIOHandler) setIOHandler(OnXIOError);
  if (setHandler) {
    previousHandler = setHandler(OnXError);
    installed = true;
  }
  dlclose(xlib);
}

bool TakeLostWindow() { return windowLost && !lossReported.exchange(true); }

bool WindowIsLost() { return windowLost; }

bool VideoAbandoned() { return videoAbandoned; }

Display* WindowDisplay(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  return info.info.x11.display;
}

// The errors of destroying a window that is already gone arrive later; SDL
// hands error handling back to Xlib's default before it closes the display,
// so they are collected here, while ours still answers them.
void DestroyWindow(SDL_Window* window) {
  if (windowLost) {
    // SDL would hide the window first and wait for an unmap notice that a
    // window already gone never sends: the program would hang on its way
    // out. The lost window is left to the end of the process instead, and
    // so is the video system, whose shut-down would destroy it the same way.
    videoAbandoned = true;
    windowLost = false;
    lossReported = false;
    return;
  }
  Display* display = sync ? WindowDisplay(window) : nullptr;
  SDL_DestroyWindow(window);
  if (display) sync(display, False);
  windowLost = false;
  lossReported = false;
}

}  // namespace plat::internal
