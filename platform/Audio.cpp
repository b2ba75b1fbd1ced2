#include <AL/al.h>

#include <cstdio>

#include "AudioImpl.h"
#include "AudioInternal.h"

namespace plat {

namespace {

ALenum PcmFormat(const TPcm& pcm) {
  if (pcm.bits == 8) return pcm.channels == 2 ? AL_FORMAT_STEREO8 : AL_FORMAT_MONO8;
  return pcm.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

// Locks the system a handle belongs to; empty (and unlocked) without one.
std::unique_lock<std::recursive_mutex> LockFor(const std::shared_ptr<TAudioSystem>& system) {
  if (!system) return {};
  return std::unique_lock<std::recursive_mutex>(system->Mutex());
}

bool LoadStreamed(const TSharedBytes& bytes, TSound::Impl& impl, std::string& error) {
  std::unique_ptr<TVorbisStream> probe = TVorbisStream::Open(bytes, error);
  if (!probe) return false;
  impl.encoded = bytes;
  impl.channels = probe->Channels();
  impl.rate = probe->Rate();
  impl.frames = probe->TotalFrames();
  return true;
}

bool LoadWhole(std::vector<uint8_t> bytes, TSoundFormat format, TSound::Impl& impl,
               std::string& error) {
  bool ok = format == TSoundFormat::Wav
                ? DecodeWav(bytes, impl.pcm, error)
                : DecodeVorbis(std::make_shared<const std::vector<uint8_t>>(std::move(bytes)),
                               impl.pcm, error);
  if (!ok) return false;
  impl.channels = impl.pcm.channels;
  impl.rate = impl.pcm.rate;
  impl.frames = int64_t(impl.pcm.Frames());
  return true;
}

TSoundPtr MakeSound(std::vector<uint8_t> bytes, int flags, std::string& error) {
  auto sound = std::make_shared<TSound>();
  sound->looped = (flags & SOUND_LOOP) != 0;
  TSoundFormat format = SniffSoundFormat(bytes);
  bool ok = false;
  if (format == TSoundFormat::Unknown) {
    error = "neither a WAV nor an Ogg Vorbis file";
  } else if (format == TSoundFormat::Vorbis && (flags & SOUND_STREAM)) {
    ok = LoadStreamed(std::make_shared<const std::vector<uint8_t>>(std::move(bytes)), *sound->impl,
                      error);
  } else {
    ok = LoadWhole(std::move(bytes), format, *sound->impl, error);
  }
  return ok ? sound : nullptr;
}

// Runs an operation on a channel's state under its system's lock; a null
// channel is a no-op.
template <typename Op>
void WithChannel(const TChannelPtr& channel, Op op) {
  if (!channel) return;
  auto lock = LockFor(channel->impl->system);
  op(*channel->impl);
}

TChannelPtr StartOn(const TSoundPtr& sound, TChannelPtr channel, bool cued) {
  if (!sound) return channel;
  if (!channel) channel = AllocChannel();
  WithChannel(channel, [&](TChannel::Impl& impl) { impl.Start(sound, cued); });
  return channel;
}

}  // namespace

// ---------------------------------------------------------------- sounds

TSound::Impl::Impl() : system(TAudioSystem::Get()) {
  auto lock = LockFor(system);
  if (system) system->Register(this);
}

TSound::Impl::~Impl() {
  auto lock = LockFor(system);
  if (!system) return;
  ReleaseBuffer();
  system->Unregister(this);
}

unsigned TSound::Impl::Buffer() {
  if (buffer || !system || !system->DeviceOpen()) return buffer;
  alGetError();
  ALuint id = 0;
  alGenBuffers(1, &id);
  if (alGetError() != AL_NO_ERROR) return 0;
  alBufferData(id, PcmFormat(pcm), pcm.samples.data(), ALsizei(pcm.samples.size()), pcm.rate);
  if (alGetError() != AL_NO_ERROR) {
    alDeleteBuffers(1, &id);
    return 0;
  }
  buffer = id;
  return buffer;
}

void TSound::Impl::ReleaseBuffer() {
  if (!buffer) return;
  ALuint id = buffer;
  alDeleteBuffers(1, &id);
  buffer = 0;
}

TSound::TSound() : impl(std::make_unique<Impl>()) {}
TSound::~TSound() = default;

TChannel::TChannel() : impl(std::make_unique<Impl>()) {}
TChannel::~TChannel() = default;

// ---------------------------------------------------------------- driver

bool SetAudioDriver(const std::string& name) {
  auto system = TAudioSystem::Get();
  return system && system->Select(name);
}

std::string AudioDriver() {
  auto system = TAudioSystem::Get();
  auto lock = LockFor(system);
  return system ? system->DriverName() : "None";
}

void AudioShutdown() {
  if (auto system = TAudioSystem::Get()) system->Close();
}

// ---------------------------------------------------------------- loading

TSoundPtr LoadSound(const std::string& path, int flags) {
  std::vector<uint8_t> bytes;
  if (!LoadBytes(path, bytes)) return nullptr;
  std::string error;
  TSoundPtr sound = MakeSound(std::move(bytes), flags, error);
  if (!sound) std::fprintf(stderr, "Cannot load sound \"%s\": %s\n", path.c_str(), error.c_str());
  return sound;
}

TSoundPtr LoadSound(TStream& stream, int flags) {
  std::string error;
  return MakeSound(stream.ReadAll(), flags, error);
}

// ---------------------------------------------------------------- channels

TChannelPtr AllocChannel() { return std::make_shared<TChannel>(); }

TChannelPtr PlaySound(const TSoundPtr& sound, TChannelPtr channel) {
  return StartOn(sound, std::move(channel), false);
}

TChannelPtr CueSound(const TSoundPtr& sound, TChannelPtr channel) {
  return StartOn(sound, std::move(channel), true);
}

void SetChannelVolume(const TChannelPtr& channel, double volume) {
  WithChannel(channel, [&](TChannel::Impl& impl) { impl.SetVolume(volume); });
}

void SetChannelPan(const TChannelPtr& channel, double pan) {
  WithChannel(channel, [&](TChannel::Impl& impl) { impl.SetPan(pan); });
}

void SetChannelRate(const TChannelPtr& channel, double rate) {
  WithChannel(channel, [&](TChannel::Impl& impl) { impl.SetRate(rate); });
}

void PauseChannel(const TChannelPtr& channel) {
  WithChannel(channel, [](TChannel::Impl& impl) { impl.Pause(); });
}

void ResumeChannel(const TChannelPtr& channel) {
  WithChannel(channel, [](TChannel::Impl& impl) { impl.Resume(); });
}

void StopChannel(const TChannelPtr& channel) {
  WithChannel(channel, [](TChannel::Impl& impl) { impl.Stop(); });
}

bool ChannelPlaying(const TChannelPtr& channel) {
  bool playing = false;
  WithChannel(channel, [&](TChannel::Impl& impl) { playing = impl.Active(); });
  return playing;
}

// ---------------------------------------------------------------- inspection

TChannelProbe ProbeChannel(const TChannelPtr& channel) {
  TChannelProbe probe;
  WithChannel(channel, [&](TChannel::Impl& impl) {
    probe.volume = impl.volume;
    probe.pan = impl.pan;
    probe.rate = impl.rate;
    probe.streaming = impl.Streaming();
    if (!impl.source) return;
    probe.hasSource = true;
    ALint state = 0, relative = 0, looping = 0, queued = 0;
    alGetSourcei(impl.source, AL_SOURCE_STATE, &state);
    alGetSourcei(impl.source, AL_SOURCE_RELATIVE, &relative);
    alGetSourcei(impl.source, AL_LOOPING, &looping);
    alGetSourcei(impl.source, AL_BUFFERS_QUEUED, &queued);
    alGetSourcef(impl.source, AL_GAIN, &probe.gain);
    alGetSourcef(impl.source, AL_PITCH, &probe.pitch);
    alGetSource3f(impl.source, AL_POSITION, &probe.x, &probe.y, &probe.z);
    probe.paused = state == AL_PAUSED;
    probe.running = state == AL_PLAYING;
    probe.relative = relative == AL_TRUE;
    probe.looping = looping == AL_TRUE;
    probe.queuedBuffers = queued;
  });
  return probe;
}

TSoundProbe ProbeSound(const TSoundPtr& sound) {
  TSoundProbe probe;
  if (!sound) return probe;
  auto lock = LockFor(sound->impl->system);
  const TSound::Impl& impl = *sound->impl;
  probe.streamed = impl.Streamed();
  probe.channels = impl.channels;
  probe.rate = impl.rate;
  probe.bits = impl.Streamed() ? 16 : impl.pcm.bits;
  probe.frames = impl.frames;
  probe.bytesHeld = impl.Streamed() ? impl.encoded->size() : impl.pcm.samples.size();
  return probe;
}

int LiveSourceCount() {
  auto system = TAudioSystem::Get();
  auto lock = LockFor(system);
  return system ? system->LiveSources() : 0;
}

int MaxSourceCount() { return TAudioSystem::kMaxSources; }

}  // namespace plat
