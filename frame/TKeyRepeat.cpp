#include "TKeyRepeat.h"

#include "GameInput.h"
#include "Globals.h"

std::unique_ptr<TKeyRepeat> TKeyRepeat::Create(int initialDelayMs, int delayMs) {
  auto repeat = std::make_unique<TKeyRepeat>();
  repeat->InitialDelayLength = initialDelayMs;
  repeat->DelayLength = delayMs;
  return repeat;
}

void TKeyRepeat::ClearDelays() {
  InitialDelayCounter = 0;
  DelayCounter = 0;
}

int TKeyRepeat::GetKey(int key) { return Step(GameKeyDown(key) != 0); }

int TKeyRepeat::Step(bool down) {
  if (!down) {
    ClearDelays();
    LastState = 0;
    return 0;
  }
  int result = 0;
  if (LastState == 0) {
    InitialDelayCounter = AnimLengthFromMs(float(InitialDelayLength));
    result = 1;
  } else if (InitialDelayCounter > 0) {
    InitialDelayCounter -= LogicDelta;
    if (InitialDelayCounter <= 0) {
      InitialDelayCounter = 0;
      DelayCounter = int(AnimLengthFromMs(float(DelayLength)));
      result = 1;
    }
  } else if (DelayCounter >= 1) {
    // The interval counts in whole steps: a partial step still takes one off.
    DelayCounter = int(float(DelayCounter) - LogicDelta);
    if (DelayCounter <= 0) {
      DelayCounter = int(AnimLengthFromMs(float(DelayLength)));
      result = 1;
    }
  }
  LastState = 1;
  return result;
}
