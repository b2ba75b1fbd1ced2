// What a sound and a channel hold behind the public handles. Used by the
// audio sources of this folder only; every member runs under the audio
// system's lock.
#pragma once

#include <memory>
#include <vector>

#include "AudioDecode.h"
#include "AudioSystem.h"
#include "Platform.h"
#include "VorbisStream.h"

namespace plat {

struct TSound::Impl {
  Impl();
  ~Impl();
  bool Streamed() const { return encoded != nullptr; }
  // The OpenAL copy of pcm, made the first time it is needed on the
  // current device. 0 when the device refused it.
  unsigned Buffer();
  void ReleaseBuffer();

  std::shared_ptr<TAudioSystem> system;
  // Whole sounds keep their samples beside the OpenAL copy so they survive a
  // switch of driver (which loses every buffer).
  TPcm pcm;
  // Streamed sounds keep only the compressed file.
  TSharedBytes encoded;
  int channels = 0;
  int rate = 0;
  int64_t frames = 0;
  unsigned buffer = 0;
};

struct TChannel::Impl {
  enum class TState { Idle, Cued, Playing, Paused };

  Impl();
  ~Impl();
  void Start(const TSoundPtr& newSound, bool cued);
  void Stop();
  void Pause();
  void Resume();
  // Playing, paused or cued; notices a sound that has ended.
  bool Active();
  void SetVolume(double value);
  void SetPan(double value);
  void SetRate(double value);

  // For the stream thread: queues fresh chunks, restarts after a starved
  // pause, and notices the end.
  bool Streaming() const { return decoder != nullptr && state != TState::Idle; }
  void Refill();
  // Gives the source back to the system (reclaimed by another channel).
  unsigned TakeSource();
  // Drops every OpenAL object (the device is about to close).
  void Detach();

  std::shared_ptr<TAudioSystem> system;
  unsigned source = 0;
  TSoundPtr sound;
  TState state = TState::Idle;
  double volume = 1.0;
  double pan = 0.0;
  double rate = 1.0;

  // Streaming: this channel's own decoder and its ring of buffers.
  std::unique_ptr<TVorbisStream> decoder;
  bool decoderDone = false;
  std::vector<unsigned> streamBuffers;
  std::vector<unsigned> freeBuffers;
  std::vector<int16_t> scratch;

 private:
  void ApplyVolume();
  void ApplyPan();
  void ApplyRate();
  bool AttachWhole();
  bool StartStream();
  bool QueueChunk();
  void UnqueueProcessed();
  int SourceState() const;
};

}  // namespace plat
