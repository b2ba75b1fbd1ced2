#include "TFixedRateLogic.h"

#include <algorithm>
#include <numeric>

#include "Globals.h"
#include "Platform.h"
#include "TGame.h"

TFixedRateLogic::TFixedRateLogic(TGame* owner) : Clock(plat::MilliSecs), owner_(owner) {
  CalcMS();
  Create();
}

void TFixedRateLogic::Init() {
  CalcMS();
  LastTime = Clock();
  NumTicks = 0;
  LastNumTicks = 1;
  SetDelta(1);
  TTrackingVar::Init();
  First = FirstMax;
}

void TFixedRateLogic::Create() { History.assign(size_t(std::max(HistorySizeMax, 1)), 0); }

void TFixedRateLogic::CalcMS() {
  // A rate below one step per second would divide by zero; hold it at one.
  MS = 1000.0f / float(std::max(int(Framerate), 1));
}

void TFixedRateLogic::SetDelta(float d) {
  LogicDelta = d * DeltaMultiplier;
  FullDelta = d;
}

void TFixedRateLogic::SetDefaultFramerate(int n) {
  FramerateDefault = n;
  Framerate = float(n);
}

void TFixedRateLogic::SetThreshold(int n) { Threshold = n; }

void TFixedRateLogic::HistoryClear() {
  std::fill_n(History.begin(), std::min<size_t>(size_t(HistorySize), History.size()), 0);
  HistorySize = 1;
  HistoryCounter = 0;
}

// The average elapsed time over the history, the raw time during the first
// passes after Init.
double TFixedRateLogic::Smooth() {
  if (First > 0) {
    --First;
    return TmpMS;
  }
  if (History.size() < size_t(HistorySizeMax)) Create();
  History[size_t(HistoryCounter)] = int(TmpMS);
  double sum = std::accumulate(History.begin(), History.begin() + HistorySize, 0.0);
  double avg = sum / HistorySize;
  ++HistoryCounter;
  if (HistorySize < HistorySizeMax) ++HistorySize;
  if (HistoryCounter >= HistorySize) HistoryCounter = 0;
  return avg;
}

void TFixedRateLogic::Calc() {
  if (owner_ && owner_->Fast) {
    NumTicks = 1;
    current = int(NumTicks);
    return;
  }
  if (owner_) {
    int wx = 0, wy = 0;
    owner_->QueryWindowPosition(wx, wy);
    if (wx != owner_->WindowX || wy != owner_->WindowY) {
      // The time spent dragging the window is dropped, not caught up.
      Init();
      owner_->SetWindowCoords();
      owner_->SetClientCoords();
    }
  }
  double now = Clock();
  if (now < LastTime) {
    NumTicks = LastNumTicks;  // the counter wrapped
  } else {
    TmpMS = std::min(now - LastTime, double(Threshold));
    double avg = Smooth();
    double chosen = TmpMS;
    if (JitterCorrection) {
      bool vsync = owner_ ? owner_->VSync == 1 : true;
      bool speedUp = IgnoreHistoryOnSpeedUp && vsync && TmpMS < avg - 1;
      chosen = speedUp ? TmpMS : avg;
    }
    NumTicks = chosen / MS;
  }
  LastTime = now;
  LastNumTicks = NumTicks;
  if (NumTicks > maximum) maximum = int(NumTicks);
  current = int(NumTicks);
}
