#include <AL/al.h>

#include <algorithm>
#include <cmath>

#include "AudioImpl.h"

namespace plat {

namespace {

constexpr int kStreamBufferCount = 4;
constexpr int kChunksPerSecond = 4;      // each chunk holds a quarter of a second
constexpr int kChunksQueuedAtStart = 2;  // the stream thread adds the rest

double Clamp(double value, double lo, double hi, double fallback) {
  if (!std::isfinite(value)) return fallback;
  return std::clamp(value, lo, hi);
}

ALenum Format16(int channels) { return channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16; }

}  // namespace

TChannel::Impl::Impl() : system(TAudioSystem::Get()) {
  if (!system) return;
  std::lock_guard<std::recursive_mutex> lock(system->Mutex());
  system->Register(this);
}

TChannel::Impl::~Impl() {
  if (!system) return;
  std::lock_guard<std::recursive_mutex> lock(system->Mutex());
  Detach();
  system->Unregister(this);
}

int TChannel::Impl::SourceState() const {
  ALint value = AL_STOPPED;
  if (source) alGetSourcei(source, AL_SOURCE_STATE, &value);
  return value;
}

void TChannel::Impl::ApplyVolume() {
  if (source) alSourcef(source, AL_GAIN, float(volume));
}

// A mono source is placed on a unit circle in front of the listener, so the
// pan moves it from hard left to hard right at the same loudness. Stereo
// sources (music) are not positioned by OpenAL and keep their own image.
void TChannel::Impl::ApplyPan() {
  if (!source) return;
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(source, AL_POSITION, float(pan), 0.0f, -float(std::sqrt(1.0 - pan * pan)));
}

void TChannel::Impl::ApplyRate() {
  if (source) alSourcef(source, AL_PITCH, float(rate));
}

void TChannel::Impl::SetVolume(double value) {
  volume = Clamp(value, 0.0, 1.0, volume);
  ApplyVolume();
}

void TChannel::Impl::SetPan(double value) {
  pan = Clamp(value, -1.0, 1.0, pan);
  ApplyPan();
}

// OpenAL refuses a pitch of 0 or less; a rate that small is a standstill.
void TChannel::Impl::SetRate(double value) {
  rate = Clamp(value, 0.01, 16.0, rate);
  ApplyRate();
}

void TChannel::Impl::Start(const TSoundPtr& newSound, bool cued) {
  Stop();
  if (!newSound || !system || !system->DeviceOpen()) return;
  if (!source) source = system->AcquireSource(this);
  if (!source) return;  // every source is busy: the sound is dropped
  ApplyVolume();
  ApplyPan();
  ApplyRate();
  sound = newSound;
  bool ready = sound->impl->Streamed() ? StartStream() : AttachWhole();
  if (!ready) {
    Stop();
    return;
  }
  state = cued ? TState::Cued : TState::Playing;
  if (!cued) alSourcePlay(source);
}

bool TChannel::Impl::AttachWhole() {
  unsigned buffer = sound->impl->Buffer();
  if (!buffer) return false;
  alSourcei(source, AL_LOOPING, sound->looped ? AL_TRUE : AL_FALSE);
  alSourcei(source, AL_BUFFER, ALint(buffer));
  return true;
}

bool TChannel::Impl::StartStream() {
  std::string error;
  decoder = TVorbisStream::Open(sound->impl->encoded, error);
  if (!decoder) return false;
  decoderDone = false;
  if (streamBuffers.empty()) {
    alGetError();
    std::vector<ALuint> ids(kStreamBufferCount);
    alGenBuffers(kStreamBufferCount, ids.data());
    if (alGetError() != AL_NO_ERROR) return false;
    streamBuffers.assign(ids.begin(), ids.end());
  }
  freeBuffers = streamBuffers;
  alSourcei(source, AL_LOOPING, AL_FALSE);  // the decoder loops, not the source
  int queued = 0;
  while (queued < kChunksQueuedAtStart && QueueChunk()) ++queued;
  system->WakeStreamer();
  return queued > 0;
}

bool TChannel::Impl::QueueChunk() {
  if (decoderDone || freeBuffers.empty()) return false;
  const int channels = decoder->Channels();
  const size_t frames = size_t(std::max(1, decoder->Rate() / kChunksPerSecond));
  scratch.resize(frames * size_t(channels));
  size_t got = decoder->Read(scratch.data(), frames, sound->looped);
  if (got < frames) decoderDone = true;
  if (got == 0) return false;
  ALuint buffer = freeBuffers.back();
  freeBuffers.pop_back();
  alBufferData(buffer, Format16(channels), scratch.data(), ALsizei(got * size_t(channels) * 2),
               decoder->Rate());
  alSourceQueueBuffers(source, 1, &buffer);
  return true;
}

void TChannel::Impl::UnqueueProcessed() {
  ALint processed = 0;
  alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
  for (; processed > 0; --processed) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source, 1, &buffer);
    freeBuffers.push_back(buffer);
  }
}

void TChannel::Impl::Refill() {
  if (!Streaming() || !source) return;
  UnqueueProcessed();
  while (QueueChunk()) {
  }
  if (state != TState::Playing || SourceState() != AL_STOPPED) return;
  ALint queued = 0;
  alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
  if (queued > 0) {
    alSourcePlay(source);  // the queue ran dry during a long stall: go on
  } else if (decoderDone) {
    state = TState::Idle;  // played to its end
    decoder.reset();
  }
}

void TChannel::Impl::Stop() {
  if (source) {
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);  // also unqueues every stream buffer
  }
  freeBuffers = streamBuffers;
  decoder.reset();
  decoderDone = false;
  state = TState::Idle;
  sound.reset();
}

void TChannel::Impl::Pause() {
  if (state == TState::Playing && Active()) {
    alSourcePause(source);
    state = TState::Paused;
  }
}

void TChannel::Impl::Resume() {
  if (state != TState::Cued && state != TState::Paused) return;
  alSourcePlay(source);
  state = TState::Playing;
}

bool TChannel::Impl::Active() {
  if (state == TState::Cued || state == TState::Paused) return true;
  if (state == TState::Idle || !source) return false;
  int st = SourceState();
  if (st == AL_PLAYING || st == AL_PAUSED) return true;
  // A stream whose queue ran dry is still under way: the stream thread
  // refills and restarts it.
  if (Streaming() && !decoderDone) return true;
  state = TState::Idle;
  return false;
}

unsigned TChannel::Impl::TakeSource() {
  Stop();
  unsigned taken = source;
  source = 0;
  return taken;
}

void TChannel::Impl::Detach() {
  Stop();
  if (!system) return;
  system->DeleteSource(source);
  source = 0;
  if (!streamBuffers.empty()) {
    std::vector<ALuint> ids(streamBuffers.begin(), streamBuffers.end());
    alDeleteBuffers(ALsizei(ids.size()), ids.data());
  }
  streamBuffers.clear();
  freeBuffers.clear();
}

}  // namespace plat
