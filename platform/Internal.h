// State shared by the platform's own sources. Only platform/ includes this
// header; it is the one place where SDL types meet the game's interface.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "Platform.h"

namespace plat::internal {

struct TBackendState {
  bool started = false;
  bool headless = false;
  bool sdlVideo = false;  // the SDL video subsystem is ours to quit
  TBackendOptions options;

  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Surface* surface = nullptr;  // headless back buffer
  SDL_Texture* target = nullptr;   // windowed back buffer, scaled to the window by Flip
  // Software drawing: `surface` is the back buffer and Flip copies what
  // changed to the window's own surface.
  bool windowSurface = false;
  // Bumped whenever the renderer goes away or is replaced: textures made for
  // an older renderer are gone and are re-made from the CPU pixels.
  uint64_t generation = 1;
  bool fullScreen = false;
  int driver = 0;        // chosen by SetGraphicsDriver
  int openedDriver = 0;  // the one the current renderer was made for
  int refreshRate = 0;   // of the display the window is on; 0 unknown
  int vsyncApplied = -1;
  // The back buffer holds `scale` pixels per logical pixel each way (1, or 2
  // when the output is more than 1.25 times the logical size): drawing is
  // as sharp as the output shows it. Headless, outputWidth x outputHeight is
  // the picture's size as a display would show it.
  int scale = 1;
  int outputWidth = 0, outputHeight = 0;

  double virtualClock = 0;
  double framePeriod = 1000.0 / 60.0;
};

TBackendState& Backend();
int LogicalWidth();
int LogicalHeight();
// Back-buffer pixels per logical pixel.
int Scale();
// The back buffer's scale for an output of that many pixels.
int ScaleForOutput(int width, int height);
// Chooses the scale again when the output's size changed (a resize, full
// screen): the back buffer is made anew and every picture follows it.
void FollowOutputSize();
// A rectangle of the display read at the back buffer's density (black
// outside the display); null when no display is open.
std::shared_ptr<TPixmap> GrabBackBuffer(int x, int y, int w, int h);
// A rectangle of logical pixels in back-buffer pixels.
SDL_Rect ToBackBuffer(const SDL_Rect& logical);
// Every picture loaded from a file takes the set painted for the new scale
// (Image.cpp); called once the back buffer has changed scale.
void ImagesFollowScale();

// The renderer to draw with, with the back buffer selected and the drawing
// state's clip applied; null when no display is open.
SDL_Renderer* DrawTarget();
// The renderer's state (target, clip) must be applied again before drawing.
void InvalidateRenderState();

// Window pixels to logical pixels and back, through the letterbox.
void WindowToLogical(int wx, int wy, int& lx, int& ly);
void LogicalToWindow(int lx, int ly, int& wx, int& wy);

// Feeds one SDL event to the event queue and the polled tables.
void TranslateSdlEvent(const SDL_Event& event);
// Windows virtual-key code of an SDL key; 0 when it has none.
int VirtualKeyFromSdl(SDL_Keycode sym, SDL_Scancode scancode);
void ResetInput();
// Puts one event into the feed and the polled tables.
void DeliverEvent(const TEvent& event);

// Game controllers. StartPads brings up SDL's game-controller subsystem
// (windowed start-up, or the first virtual pad); StopPads closes every pad.
bool StartPads();
void StopPads();
// Drains SDL's queue where no window pumps it (headless runs).
void PumpPads();
// An SDL controller event into the feed; false for other events.
bool TranslatePadEvent(const SDL_Event& event);
void UpdatePadTables(const TEvent& event);

// Keeps Xlib from ending the program when the window is destroyed from
// outside; TakeLostWindow then reports (once per window) that it happened,
// and WindowIsLost stays true until the window is destroyed by us.
void WatchForLostWindow();
bool TakeLostWindow();
bool WindowIsLost();
// True once a lost window was left undestroyed: SDL's video system must then
// not be shut down either (it would try to destroy the window).
bool VideoAbandoned();

// SIGTERM, SIGINT, SIGHUP, SIGQUIT and SIGUSR1 become one close request
// each (SDL's own handlers are not used: headless runs have no SDL event
// loop); SIGPIPE is ignored.
void InstallTerminationSignals();
bool TakeTerminationSignal();
// Calls the handler given to SetDisplayLostHandler, once.
void RunDisplayLostHandler();
void DestroyWindow(SDL_Window* window);

}  // namespace plat::internal
