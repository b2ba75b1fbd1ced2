// Audio entry points for the rest of the platform and for tests; nothing
// here names an OpenAL type.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Platform.h"

namespace plat {

// Closes the sound device and stops the stream thread; sounds and channels
// stay valid (silent) and work again after the next SetAudioDriver.
// Shutdown() calls it.
void AudioShutdown();

// What a channel holds and what OpenAL was told, read back for checks.
struct TChannelProbe {
  double volume = 0, pan = 0, rate = 0;  // as stored by the setters
  bool hasSource = false;
  bool running = false;  // the source is playing
  bool paused = false;   // the source is paused
  bool relative = false;
  bool looping = false;
  bool streaming = false;
  int queuedBuffers = 0;
  float gain = 0, pitch = 0, x = 0, y = 0, z = 0;
};
TChannelProbe ProbeChannel(const TChannelPtr& channel);

struct TSoundProbe {
  bool streamed = false;
  int channels = 0;
  int rate = 0;
  int bits = 0;
  int64_t frames = 0;    // -1 when a stream cannot tell
  size_t bytesHeld = 0;  // samples of a whole sound, compressed bytes of a stream
};
TSoundProbe ProbeSound(const TSoundPtr& sound);

int LiveSourceCount();  // OpenAL sources in use by channels
int MaxSourceCount();

}  // namespace plat
