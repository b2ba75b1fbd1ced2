// The board's mode for the targets that run a board: it keeps no score and
// plays no sound, so a run costs only what the board itself does.
#pragma once

#include "TBoardMode.h"

class TSilentBoardMode : public TBoardMode {
 public:
  void PlayMatchSound() override {}
  void PlayInvalidSound() override {}
  void PlayHintSound() override {}
  void CheckBonusCounter() override {}
  void AddPendingScore(int) override {}
};
