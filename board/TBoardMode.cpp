#include "TBoardMode.h"

#include <vector>

#include "TCell.h"
#include "TCellBox.h"
#include "TTalvorineGame.h"

bool TBoardMode::GameIsHalted() { return Game && (Game->Paused || Game->Suspended); }

void TBoardMode::ResetHint() {
  HintAnimation.reset();
  HasPlayedHintSound = 0;
  ResetCurrentHint();
}

void TBoardMode::ResetHintTimer(int delay) {
  ResetHint();
  HintAnimation = TAnimation::Create(delay, 0, 0, 0);
  HintAnimation->AddPhase(HintFadeInLength);
  HintAnimation->AddPhase(HintShowLength);
  HintAnimation->AddPhase(HintFadeOutLength);
  HintAnimation->Start();
}

std::optional<TMatch3Hint> TBoardMode::GetRandomHint() const {
  if (!HintList || HintList->empty()) return std::nullopt;
  // A move that clears marble cells shows the way to the goal; any move
  // only where none does.
  std::vector<const TMatch3Hint*> toGoal;
  for (const TMatch3Hint& hint : *HintList) {
    const TCellBox* board = hint.FirstCell ? hint.FirstCell->CellBox : nullptr;
    if (board && board->MarblesCleared(hint) > 0) toGoal.push_back(&hint);
  }
  if (!toGoal.empty()) return *toGoal[size_t(plat::Rand(0, int(toGoal.size()) - 1))];
  return (*HintList)[size_t(plat::Rand(0, int(HintList->size()) - 1))];
}

void TBoardMode::ManageHint() {
  if (GameIsHalted() || !HintAnimation) return;
  HintAnimation->Manage();
  // The move is chosen as the fade-in starts, from the board of that moment,
  // and again each step while the board is still in motion.
  if (HintAnimation->Active && HintAnimation->CurrentPhase == 1 && !CurrentHint && HintList) {
    CurrentHint = GetRandomHint();
  }
  if (HintAnimation->Finished) {
    ResetCurrentHint();
    HintAnimation.reset();
  }
  if (HintList && HintList->empty()) return;
  if (HintAnimation && HintAnimation->CurrentPhase == 1 && !HasPlayedHintSound) {
    HasPlayedHintSound = 1;
    PlayHintSound();
  }
}

float TBoardMode::HintAlpha() const {
  if (GameIsHalted() || !HintAnimation || !CurrentHint) return -1;
  if (!HintAnimation->Active || HintAnimation->CurrentPhase == 0) return -1;
  switch (HintAnimation->CurrentPhase) {
    case 1:
      return HintAnimation->GetRatioInv();
    case 3:
      return HintAnimation->GetRatio();
    default:
      return 1;
  }
}

void TBoardMode::DrawHint(const plat::TImagePtr& hintImage) const {
  float alpha = HintAlpha();
  if (alpha < 0 || !hintImage) return;
  double saved = plat::GetAlpha();
  plat::SetAlpha(alpha);
  for (const TCell* cell : {CurrentHint->FirstCell.get(), CurrentHint->SecondCell.get()}) {
    if (cell) plat::DrawImage(*hintImage, cell->X, cell->Y);
  }
  plat::SetAlpha(saved);
}
