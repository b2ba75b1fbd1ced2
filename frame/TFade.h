// A blocking fade of one picture with its own drawing loop (the maker's
// splash); it returns when done or when the player presses a key or button.
#pragma once

#include "Platform.h"

class TFade {
 public:
  void Init(float lengthMs, plat::TImagePtr image, plat::TChannelPtr channel);
  void Reset();
  void CentreImage();
  // 1 when finished, -1 when skipped by a key or mouse press.
  int FadeDo(int out);
  // 0 when the time ran out, -1 when skipped.
  int WaitForTime(float ms);
  void MoveBackground(float now, float elapsed);
  void Draw();
  void Full();
  void Zero();

  plat::TChannelPtr Channel;
  plat::TImagePtr Image;
  int X = 0, Y = 0;
  float Length = 0;
  float StartTime = 0, Elapsed = 0, LastTime = 0;
  float Ratio = 0;
  plat::TImagePtr Background;
  float BackgroundX = 0, BackgroundY = 0;
  float BackgroundZoom = 1.0f;
  float BackgroundXSpeed = 0, BackgroundYSpeed = 0, BackgroundZoomSpeed = 0;
  float BackgroundFadeTime = 0;
  float BackgroundAlpha = 0;
  int Out = 0;

 private:
  bool Skipped();
};
