#include "AudioSystem.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "AudioImpl.h"

namespace plat {

namespace {

// Set once the instance has been destroyed at exit, so that late callers
// (destructors of other statics) get null instead of a dead object.
bool g_instanceGone = false;

struct TInstanceHolder {
  std::shared_ptr<TAudioSystem> instance = std::make_shared<TAudioSystem>();
  ~TInstanceHolder() { g_instanceGone = true; }
};

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

bool IsOpenableName(const std::string& name) {
  return StartsWithNoCase(name, "OpenAL") || StartsWithNoCase(name, "DirectSound") ||
         StartsWithNoCase(name, "FreeAudio");
}

constexpr auto kStreamPeriod = std::chrono::milliseconds(20);
// How long after opening the device's clock is compared with the real one,
// and how far ahead of it a device that paces can never be.
constexpr auto kProbeTime = std::chrono::milliseconds(150);
constexpr int64_t kAheadNs = 400'000'000;
// The clock-driven mix: its rate, and the most it catches up at once.
constexpr int kMixRate = 44100;
constexpr int64_t kMostFramesAtOnce = kMixRate / 10;

int64_t DeviceClockNs(ALCdevice* device) {
  static auto getInteger64 =
      reinterpret_cast<LPALCGETINTEGER64VSOFT>(alcGetProcAddress(nullptr, "alcGetInteger64vSOFT"));
  if (!getInteger64 || !alcIsExtensionPresent(device, "ALC_SOFT_device_clock")) return -1;
  ALCint64SOFT clock = 0;
  getInteger64(device, ALC_DEVICE_CLOCK_SOFT, 1, &clock);
  return clock;
}

}  // namespace

std::shared_ptr<TAudioSystem> TAudioSystem::Get() {
  if (g_instanceGone) return nullptr;
  static TInstanceHolder holder;
  return holder.instance;
}

TAudioSystem::~TAudioSystem() { Close(); }

// Whether this run may open a sound device at all.
//  - GS_AUDIO_DEVICE=0 never opens one (a silent run on any machine).
//  - GS_AUDIO_DEVICE=1 opens one even in headless mode.
//  - Headless runs (tests, scripted runs) otherwise stay silent, unless
//    ALSOFT_CONF names an OpenAL configuration: that is how a test asks for
//    a device, normally the wave-file writer.
bool TAudioSystem::DeviceAllowed() const {
  const char* forced = std::getenv("GS_AUDIO_DEVICE");
  if (forced && std::string(forced) == "0") return false;
  if (!IsHeadless()) return true;
  if (forced && std::string(forced) == "1") return true;
  return std::getenv("ALSOFT_CONF") != nullptr;
}

bool TAudioSystem::Select(const std::string& name) {
  Close();
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (StartsWithNoCase(name, "None") && name.size() == 4) return true;
  if (!IsOpenableName(name) || !DeviceAllowed() || !OpenDevice()) return false;
  driver_ = "OpenAL";
  stopStreamer_ = false;
  streamer_ = std::thread(&TAudioSystem::StreamLoop, this);
  return true;
}

namespace {

// Without a sound card OpenAL, and the ALSA library it probes, report every
// failed probe on standard error: some twenty lines for one missing device.
// While a device is opened or closed their output goes nowhere; the game
// says once what it means.
class TQuietStandardError {
 public:
  TQuietStandardError() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~TQuietStandardError() {
    std::fflush(stderr);
    if (saved_ < 0) return;
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  TQuietStandardError(const TQuietStandardError&) = delete;
  TQuietStandardError& operator=(const TQuietStandardError&) = delete;

 private:
  int saved_ = -1;
};

void SayPlayingSilently() {
  static bool said = false;
  if (said) return;
  said = true;
  std::fputs("no sound device: playing silently\n", stderr);
}

}  // namespace

bool TAudioSystem::OpenDevice() {
  // OpenAL's own log stays quiet unless the player asks for it.
  setenv("ALSOFT_LOGLEVEL", "0", 0);
  bool opened = false;
  {
    TQuietStandardError quiet;
    device_ = alcOpenDevice(nullptr);
    if (device_) {
      context_ = alcCreateContext(device_, nullptr);
      opened = context_ && alcMakeContextCurrent(context_);
      if (!opened) CloseDevice();
    }
  }
  if (!opened) {
    SayPlayingSilently();
    return false;
  }
  // Channels pan by direction only; nothing is attenuated by distance.
  alDistanceModel(AL_NONE);
  probeDeviceStart_ = DeviceClockNs(device_);
  probing_ = probeDeviceStart_ >= 0;
  probeStart_ = TClock::now();
  clocked_ = false;
  return true;
}

void TAudioSystem::CheckPacing() {
  auto wall = TClock::now() - probeStart_;
  if (wall < kProbeTime) return;
  probing_ = false;
  int64_t deviceNs = DeviceClockNs(device_) - probeDeviceStart_;
  int64_t wallNs = std::chrono::duration_cast<std::chrono::nanoseconds>(wall).count();
  if (deviceNs < 3 * wallNs + kAheadNs) return;
  // What plays now stops: it was never heard.
  for (TChannel::Impl* channel : channels_) channel->Detach();
  for (TSound::Impl* sound : sounds_) sound->ReleaseBuffer();
  CloseDevice();
  liveSources_ = 0;
  if (!OpenLoopback()) driver_ = "None";
}

bool TAudioSystem::OpenLoopback() {
  auto openLoopback = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
      alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
  if (!openLoopback) return false;
  TQuietStandardError quiet;
  device_ = openLoopback(nullptr);
  if (!device_) return false;
  const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                               ALC_STEREO_SOFT,
                               ALC_FORMAT_TYPE_SOFT,
                               ALC_SHORT_SOFT,
                               ALC_FREQUENCY,
                               kMixRate,
                               0};
  context_ = alcCreateContext(device_, attributes);
  if (!context_ || !alcMakeContextCurrent(context_)) {
    CloseDevice();
    return false;
  }
  alDistanceModel(AL_NONE);
  clocked_ = true;
  mixStart_ = TClock::now();
  framesMixed_ = 0;
  return true;
}

// Mixes as many frames as the real clock has run since the last time.
void TAudioSystem::MixByClock() {
  static auto render =
      reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
  if (!render || !device_) return;
  int64_t due =
      std::chrono::duration_cast<std::chrono::microseconds>(TClock::now() - mixStart_).count() *
      kMixRate / 1'000'000;
  int64_t frames = due - framesMixed_;
  if (frames > kMostFramesAtOnce) {
    // Fell behind (the machine stalled): the time lost is not made up.
    framesMixed_ = due - kMostFramesAtOnce;
    frames = kMostFramesAtOnce;
  }
  if (frames <= 0) return;
  discard_.resize(size_t(frames) * 2);
  render(device_, discard_.data(), ALCsizei(frames));
  framesMixed_ += frames;
}

void TAudioSystem::CloseDevice() {
  TQuietStandardError quiet;
  if (context_) {
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    context_ = nullptr;
  }
  if (device_) {
    alcCloseDevice(device_);
    device_ = nullptr;
  }
}

void TAudioSystem::Close() {
  {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    stopStreamer_ = true;
    wake_.notify_all();
  }
  if (streamer_.joinable()) streamer_.join();
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  // Channels first: a buffer cannot be deleted while a source holds it.
  for (TChannel::Impl* channel : channels_) channel->Detach();
  for (TSound::Impl* sound : sounds_) sound->ReleaseBuffer();
  CloseDevice();
  liveSources_ = 0;
  driver_ = "None";
  probing_ = false;
  clocked_ = false;
}

unsigned TAudioSystem::AcquireSource(TChannel::Impl* requester) {
  if (!DeviceOpen()) return 0;
  if (liveSources_ < kMaxSources) {
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() == AL_NO_ERROR && source != 0) {
      ++liveSources_;
      return source;
    }
  }
  for (TChannel::Impl* channel : channels_) {
    if (channel != requester && channel->source != 0 && !channel->Active())
      return channel->TakeSource();
  }
  return 0;
}

void TAudioSystem::DeleteSource(unsigned source) {
  if (source == 0) return;
  ALuint id = source;
  alDeleteSources(1, &id);
  --liveSources_;
}

void TAudioSystem::StreamLoop() {
  std::unique_lock<std::recursive_mutex> lock(mutex_);
  while (!stopStreamer_) {
    if (probing_) CheckPacing();
    if (clocked_) MixByClock();
    bool streaming = false;
    for (TChannel::Impl* channel : channels_) {
      if (!channel->Streaming()) continue;
      channel->Refill();
      streaming = true;
    }
    if (streaming || probing_ || clocked_)
      wake_.wait_for(lock, kStreamPeriod);
    else
      wake_.wait(lock);
  }
}

}  // namespace plat
