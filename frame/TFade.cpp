#include "TFade.h"

#include <algorithm>

#include "GameInput.h"
#include "Globals.h"
#include "TTalvorineGame.h"

void TFade::Init(float lengthMs, plat::TImagePtr image, plat::TChannelPtr channel) {
  Length = lengthMs;
  Image = std::move(image);
  Channel = std::move(channel);
  Reset();
}

void TFade::Reset() {
  StartTime = LastTime = float(plat::MilliSecs());
  Elapsed = 0;
}

void TFade::CentreImage() {
  if (!Image) return;
  X = (ScreenWidth - plat::ImageWidth(*Image)) / 2;
  Y = (ScreenHeight - plat::ImageHeight(*Image)) / 2;
}

bool TFade::Skipped() {
  plat::PollSystem();
  if (!PolledAnyHit()) return false;
  plat::FlushKeys();
  plat::FlushMouse();
  return true;
}

int TFade::FadeDo(int out) {
  Out = out;
  plat::FlushKeys();
  while (true) {
    if (Elapsed > Length) {
      plat::FlushMouse();
      return 1;
    }
    if (Skipped()) return -1;
    float now = float(plat::MilliSecs());
    Elapsed = now - StartTime;
    Ratio = Length > 0 ? std::clamp(Elapsed / Length, 0.0f, 1.0f) : 1.0f;
    if (Out == 1) Ratio = 1.0f - Ratio;
    if (Background) MoveBackground(now, Elapsed);
    Draw();
  }
}

int TFade::WaitForTime(float ms) {
  Out = -1;
  Reset();
  Ratio = 1;
  while (Elapsed <= ms) {
    if (Skipped()) return -1;
    float now = float(plat::MilliSecs());
    Elapsed = now - StartTime;
    if (Background) MoveBackground(now, Elapsed);
    Draw();
  }
  return 0;
}

void TFade::MoveBackground(float now, float elapsed) {
  float seconds = (now - LastTime) / 1000.0f;
  BackgroundX += seconds * BackgroundXSpeed;
  BackgroundY += seconds * BackgroundYSpeed;
  BackgroundZoom += seconds * BackgroundZoomSpeed;
  if (Out == -1 || BackgroundFadeTime <= 0) {
    BackgroundAlpha = 1;
  } else if (Out == 0) {
    BackgroundAlpha = std::min(elapsed / BackgroundFadeTime, 1.0f);
  } else {
    BackgroundAlpha =
        std::max(1.0f - (elapsed - (Length - BackgroundFadeTime)) / BackgroundFadeTime, 0.0f);
  }
  LastTime = now;
}

void TFade::Draw() {
  plat::Cls();
  plat::SetBlend(plat::ALPHABLEND);
  if (Background) {
    plat::SetScale(BackgroundZoom, BackgroundZoom);
    plat::SetAlpha(BackgroundAlpha);
    plat::DrawImage(*Background, -BackgroundX * BackgroundZoom, -BackgroundY * BackgroundZoom);
    plat::SetScale(1, 1);
  }
  if (Image) {
    plat::SetAlpha(Ratio);
    plat::DrawImage(*Image, X, Y);
  }
  plat::SetAlpha(1);
  if (Channel) plat::SetChannelVolume(Channel, Ratio * Game->SoundVolume / 100.0);
  plat::Flip(FlipSync);
}

void TFade::Full() {
  Ratio = 1;
  Draw();
}

void TFade::Zero() {
  Ratio = 0;
  Draw();
}
