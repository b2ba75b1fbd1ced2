// The time bar of a level against the clock: it drains from right to left
// above the progress bar on the game screen's top line, with the time left
// on it; in the last ten seconds it turns red and the clock ticks once a
// second. Drawn and managed by the match-three mode.
#pragma once

#include "Platform.h"
#include "TTimeLimit.h"

class TTimeBar {
 public:
  // Middle of the bar's height, above the progress bar (whose centre x it
  // shares); the time's face and the top of its letters above the middle.
  static constexpr int Y = 15;
  static constexpr int TextSize = 16, TextAbove = 10;

  TTimeBar();
  // One step of a running limit: true when a tick is due now (the first
  // step of each of the last ten seconds).
  bool Manage(const TTimeLimit& limit);
  // Forgets the ticks heard (a restarted level ticks again).
  void Reset() { lastTickSecond_ = 0; }
  // The bar centred on x, its middle at y.
  void Draw(const TTimeLimit& limit, int x, int y = Y) const;
  // "1:23", the seconds left rounded up: the bar reads 0:00 only at the end.
  static std::string TimeText(int remainingMs);

 private:
  plat::TImagePtr back_, fill_, urgent_;
  int lastTickSecond_ = 0;
};
