// The logic timer: how many 5 ms logic steps each pass of the main loop
// runs, with a cap on the elapsed time of one pass and a history that
// smooths timer jitter.
#pragma once

#include <functional>
#include <vector>

#include "TTrackingVar.h"

class TGame;

class TFixedRateLogic : public TTrackingVar {
 public:
  // owner: the game whose Fast, VSync and window position the timer reads
  // (may be null: then neither fast mode nor window moves apply).
  explicit TFixedRateLogic(TGame* owner = nullptr);

  void Init();
  void Create();
  void CalcMS();
  void SetDelta(float d);
  void SetDefaultFramerate(int n);
  void SetThreshold(int n);
  void HistoryClear();
  void Calc();

  // The millisecond clock; plat::MilliSecs unless a test substitutes one.
  std::function<int()> Clock;

  int FramerateDefault = 200;
  float Framerate = 200.0f;
  double LastTime = 0;
  double TmpMS = 0;
  double NumTicks = 0;
  double LastNumTicks = 0;
  float MS = 5.0f;  // computed at construction so durations convert before Init
  float DeltaMultiplier = 1.0f;
  float FullDelta = 0;
  int Threshold = 50;
  int JitterCorrection = 1;
  int HistorySize = 1;
  int HistorySizeMax = 50;
  std::vector<int> History;
  int HistoryCounter = 0;
  int First = 0;
  int FirstMax = 5;
  int IgnoreHistoryOnSpeedUp = 1;

 private:
  double Smooth();
  TGame* owner_;
};
