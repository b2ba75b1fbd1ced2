#include "TGameFade.h"

#include <algorithm>

#include "GameInput.h"
#include "Globals.h"
#include "TTalvorineGame.h"

int TGameFade::Init(int lengthMs, int out, plat::TChannelPtr channel, int allowAnim,
                    float startCounter) {
  if (Active) return 0;  // a running fade is never restarted
  Length = int(Game->CalcAnimLength(lengthMs));
  Counter = startCounter;
  Active = 1;
  Out = out;
  GameFlushKeys();
  Done = 0;
  if (!out && !channel) channel = SilencedChannel;
  SilencedChannel.reset();
  Channel = std::move(channel);
  Channel2.reset();
  AllowAnim = allowAnim;
  FadeInAborted = 0;
  FadeCounterBeforeAbort = 0;
  SetToFullOnAbort = 1;
  AbortKey = -1;
  if (Out) Game->FadeMusic = 1;
  Ratio = Out ? 1.0f : 0.0f;
  if (startCounter > 0) CalcRatio();
  if (Game->Fade == 0 || Game->NoFade == 1) Finish();
  return 1;
}

void TGameFade::Finish() {
  Active = 0;
  Done = 1;
  if (Out) {
    Ratio = 0;
  } else {
    if (SetToFullOnAbort) Ratio = 1;
    if (FadeInAborted) FadeCounterBeforeAbort = Counter;
  }
  FadeChannels();
  if (Out && Channel) SilencedChannel = Channel;
  if (Out) {
    if (Channel2) Game->GameChannelStop(Channel2, Channel2IsGameChannelArray);
    Game->SpeechStop();
  }
  bool fading = Game->Fade == 1 && Game->NoFade == 0;
  if (!Out) {
    if (Game->CurrentTScreen) Game->CurrentTScreen->PostFadeIn();
  } else if (fading) {
    // The last frame of a fade-out is black, with the pointer.
    plat::Cls();
    if (!Game->FadeMouse) Game->Mouse.Draw();
    plat::Flip(1);
  }
  Game->NoFade = 0;
  GameFlushKeys();
}

int TGameFade::Manage() {
  if (!Active) return 0;
  int key = GameFirstKeyHit();
  if (key >= 0 || Game->Mouse.h1 > 0) {
    if (!Out) {
      FadeInAborted = 1;
      AbortKey = key;
    }
    Finish();
    return -1;
  }
  Counter += LogicDelta;
  CalcRatio();
  FadeChannels();
  if (Counter >= float(Length)) {
    Finish();
    return 1;
  }
  return 0;
}

void TGameFade::CalcRatio() {
  // A fade of no length is complete at once.
  Ratio = Length > 0 ? std::clamp(Counter / float(Length), 0.0f, 1.0f) : 1.0f;
  if (Out) Ratio = 1.0f - Ratio;
}

void TGameFade::FadeChannels() {
  if (Channel) plat::SetChannelVolume(Channel, Ratio * Game->MusicVolume / 100.0);
  if (Channel2) Game->GameChannelSetVolume(Channel2, Ratio * Game->SoundVolume / 100.0f);
  if (Game->SpeechChannel) {
    plat::SetChannelVolume(Game->SpeechChannel, Ratio * Game->SpeechVolume / 100.0);
  }
}

void TGameFade::Draw() {
  if (!Active) return;
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(0, 0, 0);
  plat::SetAlpha(1.0 - Ratio);
  plat::DrawRect(0, 0, ScreenWidth, ScreenHeight);
  plat::SetAlpha(1);
  plat::SetColor(255, 255, 255);
}

int TGameFade::GetDone() {
  if (!Done) return 0;
  Done = 0;
  return 1;
}
