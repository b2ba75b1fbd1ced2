#include "TFrameSchedule.h"

namespace {
// A pass that comes this early still counts as on time: passes of one
// display period then look every second pass at 60 Hz.
constexpr double kEarlyMs = 1.0;
}  // namespace

bool TFrameSchedule::Due(double nowMs, bool shown, bool wanted) const {
  if (wanted) return true;
  if (!shown) return false;
  if (force_ || input_ || lively_) return true;
  return nowMs - lastDrawMs_ >= AmbientPeriodMs - kEarlyMs;
}

bool TFrameSchedule::Drawn(plat::TFrameChange change, double nowMs) {
  bool show = force_ || change != plat::FRAME_SAME;
  lively_ = change == plat::FRAME_CHANGED;
  last_ = change;
  force_ = false;
  input_ = false;
  lastDrawMs_ = nowMs;
  return show;
}
