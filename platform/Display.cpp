// The display: a window (or, headless, a memory surface) holding the back
// buffer (the logical 800 x 600 at one or two pixels per logical pixel, as
// the output's size asks), the flip with its frame pacing and the picture
// brought to the output's size, and the window's properties.
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "DrawState.h"
#include "FrameRecord.h"
#include "Internal.h"
#include "Resample.h"

namespace plat {

using internal::Backend;

namespace {

using Clock = std::chrono::steady_clock;

struct TDisplayExtras {
  bool renderStateDirty = true;
  TPixmap icon;
  // Frame pacing. Whether a vsync'd present really waits for the vertical
  // blank is found by watching the frame intervals (on a virtual display it
  // returns at once).
  enum class TVsync { Probing, Waits, NoWait } vsync = TVsync::Probing;
  int probeFrames = 0;
  double probeMs = 0;
  double intervalAverage = 0;
  Clock::time_point lastFlip{};
  Clock::time_point nextFrame{};
  // The end of the last pass that presented nothing (WaitFrame).
  Clock::time_point lastWait{};
  bool waitedSinceFlip = false;
};

// Frames sampled before deciding whether vsync works.
constexpr int kProbeFrames = 30;

TDisplayExtras& Extras() {
  static TDisplayExtras extras;
  return extras;
}

int BitsOfFormat(Uint32 format) {
  int bytes = SDL_BYTESPERPIXEL(format);
  return bytes >= 3 ? bytes * 8 : SDL_BITSPERPIXEL(format);
}

void AddMode(std::vector<TGraphicsMode>& modes, TGraphicsMode mode) {
  for (const auto& m : modes) {
    if (m.width == mode.width && m.height == mode.height && m.depth == mode.depth &&
        m.hertz == mode.hertz)
      return;
  }
  modes.push_back(mode);
}

int DisplayRefreshOfWindow(SDL_Window* window) {
  SDL_DisplayMode mode;
  int index = window ? SDL_GetWindowDisplayIndex(window) : 0;
  if (SDL_GetCurrentDisplayMode(std::max(0, index), &mode) != 0) return 0;
  return mode.refresh_rate;
}

// An OpenGL that rasterises on the processor (Mesa's llvmpipe on a virtual
// display) costs many times what SDL's own software renderer does.
bool RendersOnProcessor(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return false;
  if (std::strncmp(info.name, "opengl", 6) != 0) return false;
  using TGetString = const unsigned char* (*)(unsigned int);
  auto getString = reinterpret_cast<TGetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(0x1F01 /* GL_RENDERER */) : nullptr;
  if (!name) return false;
  std::string text(reinterpret_cast<const char*>(name));
  for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
    if (text.find(soft) != std::string::npos) return true;
  }
  return false;
}

// Mesa's driver modules keep allocations made once per process; unloaded
// with the renderer they would read as leaks. They stay loaded instead.
void KeepGraphicsDriversLoaded() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        std::string name = info->dlpi_name ? info->dlpi_name : "";
        bool driver = name.find("/dri/") != std::string::npos ||
                      name.find("libGLX_mesa") != std::string::npos ||
                      name.find("libLLVM") != std::string::npos;
        if (driver) dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD);
        return 0;
      },
      nullptr);
}

// Graphics hardware shows itself as a device node: a DRI node (every Mesa
// driver) or NVIDIA's own. Without one any OpenGL rasterises on the
// processor, and trying it costs a tenth of a second and tens of megabytes.
bool GraphicsHardwarePresent() {
  auto anyNamed = [](const char* folder, std::initializer_list<const char*> prefixes) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      std::string name = entry.path().filename().string();
      for (const char* prefix : prefixes) {
        if (name.rfind(prefix, 0) == 0) return true;
      }
    }
    return false;
  };
  return anyNamed("/dev/dri", {"renderD", "card"}) || anyNamed("/dev", {"nvidia"});
}

SDL_Renderer* CreateRenderer(SDL_Window* window, int driver) {
  // A renderer named in the environment is the user's explicit choice.
  bool chosenByUser = SDL_getenv("SDL_RENDER_DRIVER") != nullptr;
  if (!chosenByUser && !GraphicsHardwarePresent()) return nullptr;
  if (driver == 1 && !chosenByUser) SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_Renderer* renderer =
      SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
  if (renderer && !chosenByUser && RendersOnProcessor(renderer)) {
    KeepGraphicsDriversLoaded();
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
  }
  return renderer;
}

int BackBufferWidth() { return internal::LogicalWidth() * internal::Scale(); }
int BackBufferHeight() { return internal::LogicalHeight() * internal::Scale(); }

// The output's size in pixels: the window's (its drawable part), or headless
// the size asked for at start-up.
void OutputSize(int& w, int& h) {
  auto& b = Backend();
  w = b.outputWidth > 0 ? b.outputWidth : internal::LogicalWidth();
  h = b.outputHeight > 0 ? b.outputHeight : internal::LogicalHeight();
  if (b.headless || !b.window) return;
  int ww = 0, wh = 0;
  SDL_GetWindowSizeInPixels(b.window, &ww, &wh);
  if (ww > 0 && wh > 0) {
    w = ww;
    h = wh;
  }
}

// Without an accelerated renderer the back buffer is a surface of our own,
// drawn by SDL's software renderer and copied to the window's surface only
// where it changed: presenting the whole window costs more than drawing a
// frame at rest.
bool OpenSoftwareBackBuffer(SDL_Window* window) {
  auto& b = Backend();
  // The window's surface straight to the display, not through OpenGL.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_Surface* shown = SDL_GetWindowSurface(window);
  if (!shown) return false;
  Uint32 format = shown->format->format;
  if (format != SDL_PIXELFORMAT_ARGB8888 && format != SDL_PIXELFORMAT_RGB888)
    format = SDL_PIXELFORMAT_ARGB8888;
  b.surface = SDL_CreateRGBSurfaceWithFormat(0, BackBufferWidth(), BackBufferHeight(), 32, format);
  if (!b.surface) return false;
  SDL_SetSurfaceBlendMode(b.surface, SDL_BLENDMODE_NONE);
  b.renderer = SDL_CreateSoftwareRenderer(b.surface);
  if (!b.renderer) {
    SDL_FreeSurface(b.surface);
    b.surface = nullptr;
    return false;
  }
  b.windowSurface = true;
  return true;
}

void ApplyIcon() {
  auto& b = Backend();
  auto& icon = Extras().icon;
  if (!b.window || icon.width <= 0 || icon.height <= 0) return;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      icon.pixels.data(), icon.width, icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return;
  SDL_SetWindowIcon(b.window, surface);
  SDL_FreeSurface(surface);
}

void ClearBackBuffer() {
  SDL_Renderer* r = internal::DrawTarget();
  if (!r) return;
  SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
  SDL_RenderClear(r);
}

bool OpenHeadless() {
  auto& b = Backend();
  b.surface = SDL_CreateRGBSurfaceWithFormat(0, BackBufferWidth(), BackBufferHeight(), 32,
                                             SDL_PIXELFORMAT_ARGB8888);
  if (!b.surface) return false;
  b.renderer = SDL_CreateSoftwareRenderer(b.surface);
  if (!b.renderer) {
    SDL_FreeSurface(b.surface);
    b.surface = nullptr;
    return false;
  }
  b.refreshRate = 60;
  return true;
}

// Toggling full screen keeps the window and renderer (and so every texture).
bool ReuseWindow(int width, int height, bool full) {
  auto& b = Backend();
  if (SDL_SetWindowFullscreen(b.window, full ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
    return false;
  if (!full) SDL_SetWindowSize(b.window, width, height);
  b.refreshRate = DisplayRefreshOfWindow(b.window);
  return true;
}

// The software renderer copies the back buffer to the window every frame;
// in the window's own format that copy needs no conversion.
Uint32 BackBufferFormat(SDL_Window* window, SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  bool software = SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE);
  Uint32 format = software ? SDL_GetWindowPixelFormat(window) : Uint32(SDL_PIXELFORMAT_UNKNOWN);
  bool usable = format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888;
  return usable ? format : Uint32(SDL_PIXELFORMAT_ARGB8888);
}

// The renderer and back buffer of the open window, at the current scale.
bool OpenWindowBackBuffer() {
  auto& b = Backend();
  b.renderer = CreateRenderer(b.window, b.driver);
  if (!b.renderer && !OpenSoftwareBackBuffer(b.window)) return false;
  b.openedDriver = b.driver;
  // The back buffer is a texture copied to the window at present (or, with
  // software drawing, the surface itself).
  if (!b.windowSurface && SDL_RenderTargetSupported(b.renderer)) {
    b.target = SDL_CreateTexture(b.renderer, BackBufferFormat(b.window, b.renderer),
                                 SDL_TEXTUREACCESS_TARGET, BackBufferWidth(), BackBufferHeight());
  }
  if (b.target) {
    SDL_SetTextureBlendMode(b.target, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(b.target, SDL_ScaleModeLinear);
  }
  return true;
}

void CloseBackBuffer() {
  auto& b = Backend();
  if (b.target) SDL_DestroyTexture(b.target);
  b.target = nullptr;
  // Destroying the renderer frees every texture made for it.
  if (b.renderer) SDL_DestroyRenderer(b.renderer);
  b.renderer = nullptr;
  if (b.surface) SDL_FreeSurface(b.surface);
  b.surface = nullptr;
  b.windowSurface = false;
}

bool OpenWindow(int width, int height, bool full) {
  auto& b = Backend();
  Uint32 flags = SDL_WINDOW_RESIZABLE | (full ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  b.window = SDL_CreateWindow(b.options.WindowTitle.c_str(), SDL_WINDOWPOS_CENTERED,
                              SDL_WINDOWPOS_CENTERED, width, height, flags);
  if (!b.window) return false;
  internal::WatchForLostWindow();
  int ow = 0, oh = 0;
  OutputSize(ow, oh);
  b.scale = internal::ScaleForOutput(ow, oh);
  if (!OpenWindowBackBuffer()) {
    internal::DestroyWindow(b.window);
    b.window = nullptr;
    return false;
  }
  b.refreshRate = DisplayRefreshOfWindow(b.window);
  ApplyIcon();
  return true;
}

void StartMouseAtPointer() {
  auto& b = Backend();
  if (!b.window) return;
  int wx = 0, wy = 0;
  SDL_GetMouseState(&wx, &wy);
  int lx = 0, ly = 0;
  internal::WindowToLogical(wx, wy, lx, ly);
  TEvent move;
  move.kind = EVENT_MOUSEMOVE;
  move.x = lx;
  move.y = ly;
  PostEvent(move);
}

// The output pixels that show a rectangle of the back buffer (with a pixel
// more each way for the filter's reach), when the whole shows at `to`.
SDL_Rect OutputRectOf(const SDL_Rect& rect, const SDL_Rect& to) {
  const auto& b = Backend();
  double sx = double(to.w) / b.surface->w, sy = double(to.h) / b.surface->h;
  int left = to.x + int(std::floor(rect.x * sx)) - 1;
  int top = to.y + int(std::floor(rect.y * sy)) - 1;
  int right = to.x + int(std::ceil((rect.x + rect.w) * sx)) + 1;
  int bottom = to.y + int(std::ceil((rect.y + rect.h) * sy)) + 1;
  SDL_Rect out{left, top, right - left, bottom - top}, clipped;
  if (!SDL_IntersectRect(&out, &to, &clipped)) return SDL_Rect{0, 0, 0, 0};
  return clipped;
}

void PresentSurface() {
  auto& b = Backend();
  std::vector<SDL_Rect> rects;
  bool whole = internal::TakePresentRegions(rects);
  SDL_Surface* shown = SDL_GetWindowSurface(b.window);
  if (!shown) return;
  if (shown->w == b.surface->w && shown->h == b.surface->h) {
    if (whole) rects.assign(1, SDL_Rect{0, 0, shown->w, shown->h});
    if (rects.empty()) return;
    for (SDL_Rect rect : rects) {
      SDL_Rect to = rect;
      SDL_BlitSurface(b.surface, &rect, shown, &to);
    }
    SDL_UpdateWindowSurfaceRects(b.window, rects.data(), int(rects.size()));
  } else if (shown->format->format != b.surface->format->format) {
    SDL_Rect to = internal::LetterboxRect(shown->w, shown->h);
    SDL_FillRect(shown, nullptr, SDL_MapRGB(shown->format, 0, 0, 0));
    SDL_BlitScaled(b.surface, nullptr, shown, &to);
    SDL_UpdateWindowSurface(b.window);
  } else {
    // Resampled into the window with bars beside it; only what changed.
    SDL_Rect to = internal::LetterboxRect(shown->w, shown->h);
    if (whole) {
      SDL_FillRect(shown, nullptr, SDL_MapRGB(shown->format, 0, 0, 0));
      rects.assign(1, to);
    } else {
      for (SDL_Rect& rect : rects) rect = OutputRectOf(rect, to);
    }
    if (rects.empty()) return;
    if (SDL_LockSurface(shown) != 0) return;
    internal::TPixels from{static_cast<uint32_t*>(b.surface->pixels), b.surface->w, b.surface->h,
                           b.surface->pitch / 4};
    internal::TPixels into{static_cast<uint32_t*>(shown->pixels), shown->w, shown->h,
                           shown->pitch / 4};
    for (const SDL_Rect& rect : rects) internal::ResampleInto(from, into, to, rect);
    SDL_UnlockSurface(shown);
    // The bars go too when the whole is shown.
    if (whole) rects.assign(1, SDL_Rect{0, 0, shown->w, shown->h});
    SDL_UpdateWindowSurfaceRects(b.window, rects.data(), int(rects.size()));
  }
}

void Present(int sync) {
  auto& b = Backend();
  if (b.windowSurface) {
    PresentSurface();
    internal::CountPresent();
    return;
  }
  std::vector<SDL_Rect> ignored;
  internal::TakePresentRegions(ignored);
  SDL_Renderer* r = b.renderer;
  if (sync != b.vsyncApplied) {
    SDL_RenderSetVSync(r, sync ? 1 : 0);
    b.vsyncApplied = sync;
    Extras().vsync = TDisplayExtras::TVsync::Probing;
    Extras().probeFrames = 0;
    Extras().probeMs = 0;
  }
  if (b.target) {
    SDL_SetRenderTarget(r, nullptr);
    SDL_RenderSetClipRect(r, nullptr);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    int ow = 0, oh = 0;
    SDL_GetRendererOutputSize(r, &ow, &oh);
    SDL_Rect to = internal::LetterboxRect(ow, oh);
    SDL_RenderCopy(r, b.target, nullptr, &to);
  }
  SDL_RenderPresent(r);
  internal::InvalidateRenderState();
  internal::CountPresent();
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Watches the intervals of vsync'd frames: a vertical blank that really
// waits makes them a whole period even though the pacer let them go early.
void JudgeVsync(double intervalMs, double periodMs) {
  using TVsync = TDisplayExtras::TVsync;
  auto& e = Extras();
  if (e.vsync == TVsync::Probing) {
    e.probeMs += intervalMs;
    if (++e.probeFrames < kProbeFrames) return;
    e.vsync = e.probeMs / kProbeFrames >= 0.9 * periodMs ? TVsync::Waits : TVsync::NoWait;
    e.intervalAverage = periodMs;
  } else if (e.vsync == TVsync::Waits) {
    e.intervalAverage = e.intervalAverage * 0.9 + intervalMs * 0.1;
    if (e.intervalAverage < 0.85 * periodMs) e.vsync = TVsync::NoWait;
  }
}

// Never spin. While the vertical blank paces the frames, sleep only to
// three quarters of a period (the present waits out the rest); otherwise
// keep a schedule at the refresh rate and sleep until each frame is due.
void PaceFrame(int sync) {
  auto& e = Extras();
  int hertz = Backend().refreshRate > 0 ? Backend().refreshRate : 60;
  double periodMs = 1000.0 / hertz;
  auto period =
      std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / hertz));
  auto now = Clock::now();
  bool first = e.lastFlip.time_since_epoch().count() == 0;
  // An interval with passes that presented nothing says nothing of vsync.
  if (sync && Backend().renderer && !first && !e.waitedSinceFlip)
    JudgeVsync(Milliseconds(now - e.lastFlip), periodMs);
  e.waitedSinceFlip = false;
  bool blankPaces = sync && Backend().renderer && e.vsync != TDisplayExtras::TVsync::NoWait;
  if (blankPaces && !first) {
    std::this_thread::sleep_until(e.lastFlip + period * 3 / 4);
  } else if (e.nextFrame.time_since_epoch().count() == 0 || now > e.nextFrame + period) {
    e.nextFrame = now + period;  // late (or the first frame): start the schedule afresh
  } else {
    std::this_thread::sleep_until(e.nextFrame);
    e.nextFrame += period;
  }
  e.lastFlip = Clock::now();
}

// One frame period after the last flip or wait; a pass that ran late waits
// no longer. A flip that follows presents at once and keeps the schedule.
void PaceWithoutPresent() {
  auto& e = Extras();
  int hertz = Backend().refreshRate > 0 ? Backend().refreshRate : 60;
  auto period =
      std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / hertz));
  auto now = Clock::now();
  Clock::time_point last = std::max(e.lastFlip, e.lastWait);
  Clock::time_point due = last + period;
  if (last.time_since_epoch().count() == 0) {
    due = now + period;
  } else if (now > due) {
    due = now;
  }
  std::this_thread::sleep_until(due);
  e.lastWait = due;
  e.nextFrame = due + period;
  e.waitedSinceFlip = true;
}

}  // namespace

// ---------------------------------------------------------------- internals

namespace internal {

SDL_Renderer* DrawTarget() {
  auto& b = Backend();
  if (!b.renderer) return nullptr;
  auto& extras = Extras();
  if (extras.renderStateDirty) {
    if (b.target) SDL_SetRenderTarget(b.renderer, b.target);
    SDL_Rect clip = ToBackBuffer(ViewportRect());
    SDL_RenderSetClipRect(b.renderer, &clip);
    extras.renderStateDirty = false;
  }
  return b.renderer;
}

void InvalidateRenderState() { Extras().renderStateDirty = true; }

int Scale() { return std::max(1, Backend().scale); }

int ScaleForOutput(int width, int height) {
  double scale = std::min(double(width) / LogicalWidth(), double(height) / LogicalHeight());
  return scale > 1.25 ? 2 : 1;
}

SDL_Rect ToBackBuffer(const SDL_Rect& logical) {
  int k = Scale();
  return SDL_Rect{logical.x * k, logical.y * k, logical.w * k, logical.h * k};
}

void FollowOutputSize() {
  auto& b = Backend();
  if (!b.renderer || WindowIsLost()) return;
  int ow = 0, oh = 0;
  OutputSize(ow, oh);
  int scale = ScaleForOutput(ow, oh);
  if (scale == b.scale) return;
  b.scale = scale;
  SDL_Window* window = b.window;
  CloseBackBuffer();
  bool opened = b.headless ? OpenHeadless() : OpenWindowBackBuffer();
  if (!opened && window) {
    // No back buffer at the new scale: the old one serves.
    b.scale = scale == 1 ? 2 : 1;
    opened = OpenWindowBackBuffer();
  }
  b.generation++;
  b.vsyncApplied = -1;
  InvalidateRenderState();
  ClearBackBuffer();
  ForgetShownFrame();
  ImagesFollowScale();
  if (!opened) RunDisplayLostHandler();
}

namespace {

struct TLetterbox {
  double scale = 1, offsetX = 0, offsetY = 0;
};

TLetterbox Letterbox() {
  TLetterbox box;
  auto& b = Backend();
  if (!b.window) return box;
  int ww = 0, wh = 0;
  SDL_GetWindowSize(b.window, &ww, &wh);
  if (ww <= 0 || wh <= 0) return box;
  box.scale = std::min(double(ww) / LogicalWidth(), double(wh) / LogicalHeight());
  box.offsetX = (ww - LogicalWidth() * box.scale) / 2;
  box.offsetY = (wh - LogicalHeight() * box.scale) / 2;
  return box;
}

}  // namespace

void WindowToLogical(int wx, int wy, int& lx, int& ly) {
  TLetterbox box = Letterbox();
  lx = int(std::floor((wx - box.offsetX) / box.scale));
  ly = int(std::floor((wy - box.offsetY) / box.scale));
}

void LogicalToWindow(int lx, int ly, int& wx, int& wy) {
  TLetterbox box = Letterbox();
  wx = int(std::lround(box.offsetX + (lx + 0.5) * box.scale));
  wy = int(std::lround(box.offsetY + (ly + 0.5) * box.scale));
}

}  // namespace internal

// ---------------------------------------------------------------- modes

int DesktopWidth() {
  SDL_DisplayMode mode;
  if (Backend().headless || SDL_GetDesktopDisplayMode(0, &mode) != 0)
    return internal::LogicalWidth();
  return mode.w;
}

int DesktopHeight() {
  SDL_DisplayMode mode;
  if (Backend().headless || SDL_GetDesktopDisplayMode(0, &mode) != 0)
    return internal::LogicalHeight();
  return mode.h;
}

int DesktopRefreshRate() {
  SDL_DisplayMode mode;
  if (Backend().headless) return 60;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
  return mode.refresh_rate;
}

std::vector<TGraphicsMode> GraphicsModes() {
  std::vector<TGraphicsMode> modes;
  if (!Backend().started) return modes;
  if (!Backend().headless) {
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
      SDL_DisplayMode m;
      if (SDL_GetDisplayMode(0, i, &m) == 0)
        AddMode(modes, {m.w, m.h, BitsOfFormat(m.format), m.refresh_rate});
    }
  }
  // The logical size is always on offer: full screen scales it onto the
  // desktop's own mode.
  for (int depth : {32, 24, 16})
    AddMode(modes,
            {internal::LogicalWidth(), internal::LogicalHeight(), depth, DesktopRefreshRate()});
  return modes;
}

bool GraphicsModeExists(int width, int height, int depth, int hertz) {
  for (const auto& m : GraphicsModes()) {
    if (m.width != width || m.height != height) continue;
    if (depth != 0 && m.depth != depth) continue;
    if (hertz != 0 && m.hertz != 0 && m.hertz != hertz) continue;
    return true;
  }
  return false;
}

void SetGraphicsDriver(int driver) { Backend().driver = driver == 1 ? 1 : 0; }

// ---------------------------------------------------------------- open, close

bool Graphics(int width, int height, int depth, int /*hertz: the monitor's mode never changes*/) {
  auto& b = Backend();
  if (!b.started || width <= 0 || height <= 0) return false;
  bool full = depth > 0;
  if (b.window && b.renderer && b.openedDriver == b.driver && ReuseWindow(width, height, full)) {
    b.fullScreen = full;
    internal::PresentWhole();
    internal::FollowOutputSize();
    return true;
  }
  EndGraphics();
  if (b.headless) {
    int ow = 0, oh = 0;
    OutputSize(ow, oh);
    b.scale = internal::ScaleForOutput(ow, oh);
  }
  bool opened = b.headless ? OpenHeadless() : OpenWindow(width, height, full);
  if (!opened) return false;
  b.fullScreen = full;
  b.generation++;
  b.vsyncApplied = -1;
  Extras().nextFrame = {};
  Extras().lastFlip = {};
  internal::InvalidateRenderState();
  ClearBackBuffer();
  internal::ForgetShownFrame();
  StartMouseAtPointer();
  return true;
}

void EndGraphics() {
  auto& b = Backend();
  CloseBackBuffer();
  if (b.window) internal::DestroyWindow(b.window);
  b.window = nullptr;
  b.generation++;
  b.fullScreen = false;
  internal::InvalidateRenderState();
}

bool GraphicsOpen() { return Backend().renderer != nullptr; }
bool IsFullScreen() { return GraphicsOpen() && Backend().fullScreen; }

int GraphicsRefreshRate() {
  if (!GraphicsOpen() || Backend().refreshRate <= 0) return -1;
  return Backend().refreshRate;
}

// ---------------------------------------------------------------- window

std::string GraphicsDriverName() {
  SDL_RendererInfo info;
  if (!Backend().renderer || SDL_GetRendererInfo(Backend().renderer, &info) != 0) return "";
  return info.name ? info.name : "";
}

void SetWindowTitle(const std::string& title) {
  auto& b = Backend();
  b.options.WindowTitle = title;
  if (!b.window) return;
  SDL_SetWindowTitle(b.window, title.c_str());
}

void SetWindowIcon(const TPixmap& icon) {
  Extras().icon = icon;
  ApplyIcon();
}

void GetWindowPosition(int& x, int& y) {
  x = y = 0;
  auto& b = Backend();
  if (!b.window) return;
  SDL_GetWindowPosition(b.window, &x, &y);
  int top = 0, left = 0;
  if (SDL_GetWindowBordersSize(b.window, &top, &left, nullptr, nullptr) == 0) {
    x -= left;
    y -= top;
  }
}

void GetClientPosition(int& x, int& y) {
  x = y = 0;
  if (Backend().window) SDL_GetWindowPosition(Backend().window, &x, &y);
}

void CentreWindow() {
  auto& b = Backend();
  if (!b.window || b.fullScreen) return;
  // SDL waits up to a tenth of a second for the window manager to move a
  // window; one that already stands centred (as a new one does) stays.
  SDL_Rect bounds;
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(b.window, &x, &y);
  SDL_GetWindowSize(b.window, &w, &h);
  if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(b.window)), &bounds) == 0 &&
      x == bounds.x + (bounds.w - w) / 2 && y == bounds.y + (bounds.h - h) / 2)
    return;
  SDL_SetWindowPosition(b.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

bool WindowLost() { return internal::WindowIsLost(); }

bool WindowIsForeground() {
  auto& b = Backend();
  if (b.headless) return true;
  return b.window && (SDL_GetWindowFlags(b.window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

// ---------------------------------------------------------------- frame

void Cls() {
  const auto& st = internal::DrawState();
  internal::SubmitClear(SDL_Color{Uint8(st.clsRed), Uint8(st.clsGreen), Uint8(st.clsBlue), 255});
}

void WaitFrame() {
  auto& b = Backend();
  if (b.headless) {
    b.virtualClock += b.framePeriod;
  } else {
    PaceWithoutPresent();
  }
  PollSystem();
}

void Flip(int sync) {
  auto& b = Backend();
  if (b.headless) {
    b.virtualClock += b.framePeriod;
    if (b.renderer) internal::CountPresent();
  } else {
    // A window destroyed from outside takes no more frames.
    if (b.renderer && !internal::WindowIsLost()) Present(sync);
    PaceFrame(sync);
  }
  PollSystem();
}

namespace {

// Back-buffer pixels, opaque whatever alpha the blending left in them; an
// empty pixmap when they cannot be read.
TPixmap ReadBackBuffer(const SDL_Rect& rect) {
  SDL_Renderer* r = internal::DrawTarget();
  TPixmap read(rect.w, rect.h);
  if (!r ||
      SDL_RenderReadPixels(r, &rect, SDL_PIXELFORMAT_ARGB8888, read.pixels.data(), rect.w * 4) != 0)
    return TPixmap();
  for (auto& p : read.pixels) p |= 0xFF000000u;
  return read;
}

}  // namespace

namespace internal {

std::shared_ptr<TPixmap> GrabBackBuffer(int x, int y, int w, int h) {
  FlushRecording();
  if (!DrawTarget() || w <= 0 || h <= 0) return nullptr;
  int k = Scale();
  auto pixmap = std::make_shared<TPixmap>(w * k, h * k, 0xFF000000u);
  SDL_Rect want{x, y, w, h};
  SDL_Rect screen{0, 0, LogicalWidth(), LogicalHeight()};
  SDL_Rect part;
  if (!SDL_IntersectRect(&want, &screen, &part)) return pixmap;
  TPixmap read = ReadBackBuffer(ToBackBuffer(part));
  for (int row = 0; row < read.height; ++row) {
    for (int col = 0; col < read.width; ++col)
      pixmap->WritePixel((part.x - x) * k + col, (part.y - y) * k + row, read.ReadPixel(col, row));
  }
  return pixmap;
}

}  // namespace internal

std::shared_ptr<TPixmap> GrabPixmap(int x, int y, int w, int h) {
  auto dense = internal::GrabBackBuffer(x, y, w, h);
  if (!dense || internal::Scale() == 1) return dense;
  return std::make_shared<TPixmap>(internal::ScaleDensity(*dense, internal::Scale(), 1, true));
}

std::shared_ptr<TPixmap> GrabOutputPixmap() {
  internal::FlushRecording();
  if (!internal::DrawTarget()) return nullptr;
  int ow = 0, oh = 0;
  OutputSize(ow, oh);
  TPixmap whole = ReadBackBuffer(SDL_Rect{0, 0, BackBufferWidth(), BackBufferHeight()});
  if (whole.width <= 0) return nullptr;
  if (whole.width == ow && whole.height == oh) return std::make_shared<TPixmap>(std::move(whole));
  auto out = std::make_shared<TPixmap>(ow, oh, 0xFF000000u);
  internal::TPixels from{whole.pixels.data(), whole.width, whole.height, whole.width};
  internal::TPixels into{out->pixels.data(), ow, oh, ow};
  SDL_Rect to = internal::LetterboxRect(ow, oh);
  internal::ResampleInto(from, into, to, to);
  return out;
}

int BackBufferScale() { return internal::Scale(); }

void SetHeadlessOutputSize(int width, int height) {
  auto& b = Backend();
  if (!b.headless) return;
  b.outputWidth = std::max(0, width);
  b.outputHeight = std::max(0, height);
}

}  // namespace plat
