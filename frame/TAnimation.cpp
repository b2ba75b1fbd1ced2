#include "TAnimation.h"

#include <algorithm>

#include "Degrees.h"
#include "Globals.h"

std::unique_ptr<TAnimation> TAnimation::Create(int length, int leaveActive, int reverse,
                                               int cycle) {
  auto anim = std::make_unique<TAnimation>();
  anim->Init(length, leaveActive, reverse, cycle);
  return anim;
}

void TAnimation::Init(int length, int leaveActive, int reverse, int cycle) {
  Length[0] = AnimLengthFromMs(float(length));
  LeaveActive = leaveActive;
  Reverse = reverse;
  Cycle = cycle;
  CurrentPhase = 0;
  TotalPhases = 1;
  Finished = 0;
}

void TAnimation::AddPhase(int length) {
  if (TotalPhases >= MAX_PHASES) return;  // the phase table is full
  Length[TotalPhases] = AnimLengthFromMs(float(length));
  ++TotalPhases;
}

void TAnimation::Start() {
  if (Reverse) {
    Counter = 0;
  } else if (Counter <= 0) {
    Counter = Length[CurrentPhase];
  }
  CurrentPhase = 0;
  Active = 1;
  Finished = 0;
}

void TAnimation::Reset() {
  Counter = 0;
  Start();
}

void TAnimation::Stop() {
  CurrentPhase = TotalPhases - 1;
  EndAnim();
}

void TAnimation::Clear() {
  Counter = 0;
  Active = 0;
  CurrentPhase = 0;
  TotalPhases = 1;
  Finished = 0;
}

int TAnimation::Manage() {
  if (!Active) return 0;
  if (Reverse) {
    Counter += LogicDelta;
    if (Counter > Length[CurrentPhase]) {
      EndAnim();
      return 1;
    }
    return 0;
  }
  Counter -= LogicDelta;
  if (Counter <= 0) {
    EndAnim();
    return 1;
  }
  return 0;
}

void TAnimation::StartPhase() { Counter = Reverse ? 0 : Length[CurrentPhase]; }

int TAnimation::EndAnim() {
  ++CurrentPhase;
  if (CurrentPhase >= TotalPhases) {
    if (!Cycle) {
      Finished = 1;
      if (LeaveActive) {
        CurrentPhase = TotalPhases - 1;
        Counter = Reverse ? Length[CurrentPhase] : 0;
      } else {
        Counter = 0;
        CurrentPhase = 0;
        Active = 0;
      }
      return 1;
    }
    CurrentPhase = 0;
  }
  StartPhase();
  return 0;
}

// A phase of no length reads as already run out.
float TAnimation::GetRatio() const {
  float length = Length[CurrentPhase];
  if (length <= 0) return Reverse ? 1.0f : 0.0f;
  return Counter / length;
}

float TAnimation::GetRatioSine() const { return SinDeg(90.0f * GetRatio()); }
float TAnimation::GetRatioSine180() const { return SinDeg(90.0f * GetRatio()); }
float TAnimation::GetRatioInv() const { return 1.0f - GetRatio(); }
float TAnimation::GetRatioInvSine() const { return SinDeg(90.0f * (1.0f - GetRatio())); }
float TAnimation::GetRatioInvSine180() const {
  return 0.5f + SinDeg(180.0f * (1.0f - GetRatio()) - 90.0f) / 2.0f;
}

int TAnimation::GetAnimFrame(int frames) const {
  int whole = int(Length[CurrentPhase]);
  if (whole <= 0 || frames <= 0) return 0;
  float c = Counter / float(whole);
  int frame = Reverse ? int(c * float(frames)) : int(float(frames) * (1.0f - c));
  return std::clamp(frame, 0, frames - 1);
}
