// Auto-repeat of a held mouse button (any button) for widgets.
#pragma once

#include <memory>

#include "TKeyRepeat.h"

class TMouseRepeat : public TKeyRepeat {
 public:
  static std::unique_ptr<TMouseRepeat> Create(int initialDelayMs, int delayMs);
  // 1 on the logic steps on which the held button should act.
  int GetButton();
};
