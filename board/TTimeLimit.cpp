#include "TTimeLimit.h"

#include <algorithm>

#include "TLevelClock.h"
#include "TLevelPars.h"

int TTimeLimit::ForCustomLevel(int marbleCells) {
  const long long ms = CustomBaseMs + (long long)std::max(marbleCells, 0) * CustomPerMarbleMs;
  return int(std::min<long long>(ms, MaxLimitMs));
}

int TTimeLimit::ForLevel(const std::string& path, int custom, int marbleCells,
                         const TLevelPars* pars) {
  if (!custom) {
    TLevelPars read;
    if (!pars) {
      read.LoadStandard();
      pars = &read;
    }
    if (int seconds = pars->LimitOf(path); seconds > 0) {
      return std::min(seconds, MaxLimitMs / 1000) * 1000;
    }
  }
  return ForCustomLevel(marbleCells);
}

int TTimeLimit::ForWay(TPlayWay way, const std::string& path, int custom, int marbleCells) {
  switch (way) {
    case TPlayWay::Clock:
      return ForLevel(path, custom, marbleCells);
    case TPlayWay::Attack:
      return AttackMs;
    default:
      return 0;
  }
}

int TTimeLimit::Remaining() const {
  if (!Active()) return 0;
  return std::clamp(LimitMs - LevelClock.Elapsed(), 0, LimitMs);
}

void TTimeLimit::SetRemaining(int remainingMs) {
  remainingMs = std::clamp(remainingMs, 0, MaxLimitMs);
  LimitMs = std::max(1, std::min(LevelClock.Elapsed(), MaxLimitMs) + remainingMs);
}
