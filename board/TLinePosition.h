// A straight movement between two screen points over a fixed time: swaps,
// falls and the rising score marks.
#pragma once

#include <memory>

#include "TAnimation.h"

class TLinePosition {
 public:
  static std::shared_ptr<TLinePosition> Create(int startX, int startY, int endX, int endY,
                                               int length);
  void Start(int startX, int startY, int endX, int endY, int length);
  // The current point; -1 when the movement is not running.
  int GetCurrentX() const;
  int GetCurrentY() const;
  bool IsFinished() const;
  void Manage();

  int StartX = 0, StartY = 0, EndX = 0, EndY = 0;
  int Length = 0;  // ms
  std::unique_ptr<TAnimation> Animation;

 private:
  int Along(int from, int to) const;
};
