#include "TMouseRepeat.h"

#include "TTalvorineGame.h"

std::unique_ptr<TMouseRepeat> TMouseRepeat::Create(int initialDelayMs, int delayMs) {
  auto repeat = std::make_unique<TMouseRepeat>();
  repeat->InitialDelayLength = initialDelayMs;
  repeat->DelayLength = delayMs;
  return repeat;
}

int TMouseRepeat::GetButton() { return Step(Game && Game->Mouse.GetMb() > 0); }
