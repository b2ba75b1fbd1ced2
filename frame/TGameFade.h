// The one screen fade: to black before a screen change, from black after.
#pragma once

#include <memory>

#include "Platform.h"

class TGameChannel;

class TGameFade {
 public:
  // Returns 1 when a fade started, 0 when one was already running.
  int Init(int lengthMs, int out, plat::TChannelPtr channel, int allowAnim, float startCounter);
  void Finish();
  // 1 when the fade ended this step, -1 when the player cut it short, else 0.
  int Manage();
  void CalcRatio();
  void FadeChannels();
  void Draw();
  int GetDone();

  int Length = 0;
  float Counter = 0;
  int Active = 0;
  int Out = 1;
  float Ratio = 0;
  int Done = 0;
  plat::TChannelPtr Channel;
  std::shared_ptr<TGameChannel> Channel2;
  int Channel2IsGameChannelArray = 1;
  int AllowAnim = 0;
  int FadeInAborted = 0;
  float FadeCounterBeforeAbort = 0;
  int SetToFullOnAbort = 1;
  int AbortKey = 0;
  // The channel the last fade-out silenced: the next fade-in (which names
  // no channel of its own) brings it back to the player's volume.
  plat::TChannelPtr SilencedChannel;
};
