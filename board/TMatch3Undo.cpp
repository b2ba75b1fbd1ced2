#include "TMatch3Undo.h"

#include "TCellBox.h"
#include "TGameModeMatch3.h"

TMatch3Undo::TMatch3Undo() = default;
TMatch3Undo::~TMatch3Undo() = default;

void TMatch3Undo::Clear() {
  ScorePoints = 0;
  BonusMatch = 0;
  CellBox.reset();
}

void TMatch3Undo::SetFromCurrentValues(const TGameModeMatch3& mode, int scorePoints,
                                       int bonusMatch) {
  Clear();
  ScorePoints = scorePoints;
  BonusMatch = bonusMatch;
  if (mode.CellBox) CellBox = mode.CellBox->Clone();
}

void TMatch3Undo::SetAsCurrentValues(TGameModeMatch3& mode) const {
  if (CellBox) mode.CellBox = CellBox->Clone();
}
