// The board as first dealt, kept so that restarting the level returns to it.
#pragma once

#include <memory>

class TCellBox;
class TGameModeMatch3;

class TMatch3Undo {
 public:
  TMatch3Undo();
  ~TMatch3Undo();
  void Clear();
  // Keeps a copy of the mode's board and the two numbers.
  void SetFromCurrentValues(const TGameModeMatch3& mode, int scorePoints, int bonusMatch);
  // The mode's board becomes a fresh copy of the kept one (the numbers are
  // not restored).
  void SetAsCurrentValues(TGameModeMatch3& mode) const;

  int ScorePoints = 0;
  int BonusMatch = 0;
  std::unique_ptr<TCellBox> CellBox;
};
