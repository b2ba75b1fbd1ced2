#include "AudioSystem.h"

#include <AL/al.h>
#include <AL/alc.h>
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
  return true;
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
    bool streaming = false;
    for (TChannel::Impl* channel : channels_) {
      if (!channel->Streaming()) continue;
      channel->Refill();
      streaming = true;
    }
    if (streaming)
      wake_.wait_for(lock, kStreamPeriod);
    else
      wake_.wait(lock);
  }
}

}  // namespace plat
