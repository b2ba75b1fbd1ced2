// The maker's splash: a logo faded in, held and faded out on black, with its
// sound, before the display is used by screens. Any key or click ends it.
#pragma once

#include <string>

#include "Platform.h"
#include "TFade.h"

class TSplashScreen {
 public:
  // A logo or sound file that does not load is a fatal error.
  void Init(const std::string& imageFile, const std::string& soundFile, int sound, int fadeSound);
  void InitTimes(float inMs, float fullMs, float outMs);
  // 0 when shown to the end, -1 when skipped.
  int DoSplash();
  void CleanUp();

  plat::TImagePtr Image;
  plat::TSoundPtr Sample;
  int Sound = 1;
  float SampleRate = 1.0f;
  int FadeSound = 0;
  plat::TChannelPtr Channel;
  TFade fade;
  float TimeIn = 1000, TimeFull = 1000, TimeOut = 1000;
  int OriginalPolledInputState = 0;
  plat::TImagePtr background;
  float BackgroundXSpeed = 0, BackgroundYSpeed = 0, BackgroundZoomSpeed = 0;
  float BackgroundFadeTime = 0;

 private:
  void StartSound();
  int RunFades();
};
