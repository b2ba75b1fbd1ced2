// Auto-repeat of a held key for widgets: acts at once, again after the
// initial delay, then at every interval.
#pragma once

#include <memory>

class TKeyRepeat {
 public:
  static std::unique_ptr<TKeyRepeat> Create(int initialDelayMs, int delayMs);
  void ClearDelays();
  // 1 on the logic steps on which the held key should act.
  int GetKey(int key);
  // The same decision for any "held" state.
  int Step(bool down);

  int InitialDelayLength = 0;
  float InitialDelayCounter = 0;
  int DelayLength = 0;
  int DelayCounter = 0;
  int LastState = 0;
};
