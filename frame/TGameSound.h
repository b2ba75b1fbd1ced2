// A named sound of a bank with its playback rate and volume factors.
#pragma once

#include <memory>
#include <string>

#include "Platform.h"

class TGameSound {
 public:
  // A file that does not load is a fatal error.
  static std::shared_ptr<TGameSound> Create(const std::string& file, int flags = 0);
  void Load(const std::string& file, int flags = 0);
  // Cues the sound on the channel, gives it the volume factor (times the
  // game's sound volume), the pan and the rate, then starts it.
  void PlayInChannel(const plat::TChannelPtr& channel, float pan);

  std::string name;
  plat::TSoundPtr sound;
  float pitch = 1.0f;
  float volume = 1.0f;
};

using TGameSoundPtr = std::shared_ptr<TGameSound>;

// Cues a sound on a channel (a fresh one when null), sets it up and starts
// it: the order every play of the game uses. A channel still playing is
// turned down first so that the cut is not heard as a click.
plat::TChannelPtr StartSound(const plat::TSoundPtr& sound, plat::TChannelPtr channel, float volume,
                             float pan, float rate);
