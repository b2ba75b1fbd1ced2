#include "TLevelClock.h"

#include <algorithm>
#include <climits>

#include "Platform.h"

TLevelClock LevelClock;

namespace {
// The clock starts at 0 on the virtual clock; 0 would read as "no pause".
int NowNotZero() {
  int now = plat::MilliSecs();
  return now == 0 ? 1 : now;
}
}  // namespace

void TLevelClock::Restart() {
  StartTime = plat::MilliSecs();
  PauseTime = 0;
}

void TLevelClock::RestartKeepingPause() {
  bool paused = IsPaused();
  Restart();
  if (paused) Pause();
}

void TLevelClock::Pause() {
  if (!PauseTime) PauseTime = NowNotZero();
}

void TLevelClock::Resume() {
  if (!PauseTime) return;
  StartTime = plat::MilliSecs() - (PauseTime - StartTime);
  PauseTime = 0;
}

int TLevelClock::Elapsed() const { return (PauseTime ? PauseTime : plat::MilliSecs()) - StartTime; }

void TLevelClock::SetElapsed(int ms) {
  // A negative time counts as none; a huge one is cut so that the
  // subtraction cannot overflow.
  ms = std::clamp(ms, 0, MaxElapsedMs);
  StartTime = int(
      std::max<long long>((long long)(PauseTime ? PauseTime : plat::MilliSecs()) - ms, INT_MIN));
}
