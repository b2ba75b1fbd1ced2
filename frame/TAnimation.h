// A timer of one or more phases, stepped by the logic delta and read as a
// ratio. Lengths are given in ms and turned into logic steps once, when set.
#pragma once

#include <memory>

class TAnimation {
 public:
  static constexpr int MAX_PHASES = 50;

  static std::unique_ptr<TAnimation> Create(int length, int leaveActive, int reverse, int cycle);
  void Init(int length, int leaveActive, int reverse, int cycle);
  void AddPhase(int length);
  void Start();
  void Reset();
  void Stop();
  void Clear();
  // 1 when a phase ended in this step.
  int Manage();
  // 1 when the whole timer ended.
  int EndAnim();

  float GetRatio() const;
  float GetRatioSine() const;
  float GetRatioSine180() const;
  float GetRatioInv() const;
  float GetRatioInvSine() const;
  float GetRatioInvSine180() const;
  int GetAnimFrame(int frames) const;

  int Active = 0;
  float Counter = 0;
  int CurrentPhase = 0;
  int Finished = 0;
  int TotalPhases = 1;
  int Cycle = 0;
  float Length[MAX_PHASES] = {};
  int LeaveActive = 0;
  int Reverse = 0;

 private:
  void StartPhase();
};
