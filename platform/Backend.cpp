// Start-up and shut-down of the backend, the clock, the random source and
// the priorities.
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <functional>
#include <random>

#include "AudioInternal.h"
#include "DrawState.h"
#include "FrameRecord.h"
#include "Internal.h"

namespace plat {

namespace internal {

TBackendState& Backend() {
  static TBackendState state;
  return state;
}

int LogicalWidth() { return std::max(1, Backend().options.LogicalWidth); }
int LogicalHeight() { return std::max(1, Backend().options.LogicalHeight); }

namespace {

volatile std::sig_atomic_t terminationSignals = 0;

void OnTerminationSignal(int) { terminationSignals = 1; }

}  // namespace

void InstallTerminationSignals() {
  struct sigaction action = {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  // Restarting keeps a blocking read or sleep from failing half-way.
  action.sa_flags = SA_RESTART;
  // A closed terminal or a logout (SIGHUP), Ctrl+\ (SIGQUIT) and SIGUSR1
  // end the game in order too: the settings stay as they are.
  for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1})
    sigaction(signal, &action, nullptr);
  // A reader gone from a pipe (standard output piped away) is no reason to
  // stop: the write fails and the game goes on.
  signal(SIGPIPE, SIG_IGN);
}

namespace {

std::function<void()>& DisplayLostHandler() {
  static std::function<void()> handler;
  return handler;
}

}  // namespace

void RunDisplayLostHandler() {
  static bool ran = false;
  if (ran || !DisplayLostHandler()) return;
  ran = true;
  DisplayLostHandler()();
}

bool TakeTerminationSignal() {
  if (!terminationSignals) return false;
  terminationSignals = 0;
  return true;
}

}  // namespace internal

using internal::Backend;

bool Startup(const TBackendOptions& options) {
  if (Backend().started) Shutdown();
  auto& b = Backend();
  b.options = options;
  b.headless = options.Headless;
  b.virtualClock = 0;
  b.framePeriod = 1000.0 / 60.0;
  b.fullScreen = false;
  b.scale = 1;
  b.outputWidth = std::max(0, options.OutputWidth);
  b.outputHeight = std::max(0, options.OutputHeight);
  // Headless runs draw into memory and never touch the window system, so
  // they work without a display.
  if (!b.headless) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    b.sdlVideo = true;
    // No pad subsystem is no pads, not a failed start.
    internal::StartPads();
  }
  internal::InstallTerminationSignals();
  internal::ResetDrawState();
  internal::ResetInput();
  internal::ResetFrames();
  b.started = true;
  return true;
}

void Shutdown() {
  auto& b = Backend();
  AudioShutdown();
  internal::ResetFrames();
  EndGraphics();
  internal::StopPads();
  internal::ResetInput();
  internal::DrawState().font.reset();
  if (b.sdlVideo) {
    if (!internal::VideoAbandoned()) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    b.sdlVideo = false;
  }
  b.started = false;
  b.headless = false;
}

bool IsHeadless() { return Backend().headless; }

void SetDisplayLostHandler(std::function<void()> handler) {
  internal::DisplayLostHandler() = std::move(handler);
}

// ---------------------------------------------------------------- time

int MilliSecs() {
  if (Backend().headless) return int(Backend().virtualClock);
  return int(SDL_GetTicks64());
}

void Delay(int ms) {
  if (ms <= 0) return;
  if (Backend().headless) {
    Backend().virtualClock += ms;
  } else {
    SDL_Delay(Uint32(ms));
  }
}

void AdvanceClock(int ms) {
  if (Backend().headless && ms > 0) Backend().virtualClock += ms;
}

void SetVirtualClock(int ms) {
  if (Backend().headless) Backend().virtualClock = ms;
}

void SetHeadlessFramePeriod(double ms) {
  if (ms > 0) Backend().framePeriod = ms;
}

// ---------------------------------------------------------------- chance

namespace {

std::mt19937& Generator() {
  static std::mt19937 generator;
  return generator;
}

std::mt19937& DrawGenerator() {
  static std::mt19937 generator;
  return generator;
}

// A seed of the drawing source that is not the play's, so the two do not
// run in step.
constexpr uint32_t kDrawSeedMix = 0x9E3779B9u;

double UnitOf(std::mt19937& generator) { return double(generator()) / 4294967296.0; }

uint32_t lastSeed = std::mt19937::default_seed;

}  // namespace

void SeedRnd(uint32_t seed) {
  lastSeed = seed;
  Generator().seed(seed);
  DrawGenerator().seed(seed ^ kDrawSeedMix);
}

int RndSeed() { return int(lastSeed); }

// Scaling a 32-bit draw rather than std::uniform_int_distribution keeps the
// sequence the same on every standard library.
int Rand(int lo, int hi) {
  if (lo > hi) std::swap(lo, hi);
  uint64_t range = uint64_t(int64_t(hi) - int64_t(lo)) + 1;
  uint64_t draw = Generator()();
  return int(int64_t(lo) + int64_t((draw * range) >> 32));
}

double Rnd(double lo, double hi) { return lo + (hi - lo) * UnitOf(Generator()); }

double DrawRnd(double lo, double hi) { return lo + (hi - lo) * UnitOf(DrawGenerator()); }

// ---------------------------------------------------------------- priorities

namespace {

int NiceOfProcessPriority(int value) {
  if (value == 1) return -5;
  if (value == 2) return -10;
  return 0;
}

// Thread values follow the Windows scale: -15 idle .. 0 normal .. 15 critical.
int NiceOfThreadPriority(int value) {
  if (value >= 15) return -10;
  if (value <= -15) return 19;
  return std::clamp(-2 * value, -10, 10);
}

}  // namespace

void SetProcessPriority(int value) {
  // Raising needs privileges the player may lack; that is not an error.
  (void)setpriority(PRIO_PROCESS, 0, NiceOfProcessPriority(value));
}

void SetThreadPriority(int value) {
  auto tid = id_t(syscall(SYS_gettid));
  (void)setpriority(PRIO_PROCESS, tid, NiceOfThreadPriority(value));
}

}  // namespace plat

// Leak checking (sanitizer builds only read this): the session bus library
// that SDL uses keeps allocations it never hands back. What the game
// allocates is still checked.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
