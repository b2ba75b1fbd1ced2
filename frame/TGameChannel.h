// A channel of the sound-effect pool.
#pragma once

#include <memory>
#include <string>

#include "Platform.h"

class TGameChannel {
 public:
  static std::shared_ptr<TGameChannel> Create();
  // Stops the channel's sound.
  void Kill();
  bool Playing() const { return Channel && plat::ChannelPlaying(Channel); }

  plat::TChannelPtr Channel;
  std::string name;
  int Reserved = 0;          // never handed out by the pool
  int PlayWhenFinished = 1;  // handed out only once its sound has ended
  float OriginalVolume = 1.0f;
};

using TGameChannelPtr = std::shared_ptr<TGameChannel>;
