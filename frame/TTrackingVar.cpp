#include "TTrackingVar.h"

#include "Platform.h"

void TTrackingVar::Init() {
  current = 0;
  maximum = 0;
}

std::string TTrackingVar::GetDisplay() const {
  return Label + std::to_string(current) + " (" + std::to_string(maximum) + ")";
}

void TTrackingVar::Display(int x, int y) const { plat::DrawText(GetDisplay(), x, y); }

void TDebugVar::Start() { startTime_ = plat::MilliSecs(); }

void TDebugVar::Calc() {
  current = plat::MilliSecs() - startTime_;
  if (current > maximum) maximum = current;
}

void TFPSCounter::Frame() {
  ++counter;
  int now = plat::MilliSecs();
  if (now - time < 1000) return;
  framerate = counter;
  if (minimum == 0 || framerate < minimum) minimum = framerate;
  current = framerate;
  if (current > maximum) maximum = current;
  counter = 0;
  time = now;
}
