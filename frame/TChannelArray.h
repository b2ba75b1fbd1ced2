// The pool of sound-effect channels and the volume budget they share. A
// burst of more sounds than free channels drops the extra sounds instead of
// cutting off playing ones.
#pragma once

#include <memory>
#include <vector>

#include "TGameChannel.h"
#include "TGameSound.h"

class TChannelArray {
 public:
  static std::shared_ptr<TChannelArray> Create(int n);

  // The next free channel after the last one handed out, or null.
  TGameChannelPtr GetChannel();
  // Shares MaxVol among the playing channels plus extra, at most 1 each;
  // applies and returns it.
  float BalanceVolumes(int extra);
  void SetVolume(float v);
  // Plays in the given channel, or in a free one (null when none is free or
  // sound is off).
  TGameChannelPtr PlayGameSound(const TGameSoundPtr& sound, TGameChannelPtr channel, float volume,
                                float pan);
  // Replaces the channel with a fresh one at the end of the pool.
  void StopGameChannel(const TGameChannelPtr& channel);
  void Kill();
  void Manage() { BalanceVolumes(0); }
  int CountPlaying() const;
  // 1-based; null out of range.
  TGameChannelPtr ChannelByIndex(int i) const;
  int Count() const { return int(Channels.size()); }

  std::vector<TGameChannelPtr> Channels;
  float MaxVol = 1.5f;
  TGameChannelPtr Current;

 private:
  bool Free(const TGameChannel& channel) const;
};
