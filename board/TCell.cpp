#include "TCell.h"

#include "BoardGrid.h"
#include "Globals.h"
#include "TCellBox.h"
#include "TSmashParticleFX.h"

namespace {

constexpr int FallLength = 200;     // ms per row
constexpr int AppearLength = 400;   // fade-in of a created jewel
constexpr int DestroyLength = 200;  // fade-out of a matched jewel
constexpr int ScoreRiseLength = 400;
constexpr int ScoreRise = 50;  // pixels

// The two bottom rows have nothing below them to fall into.
bool IsBottom(int y) { return y >= board::GridHeight - 2; }

}  // namespace

std::shared_ptr<TCell> TCell::Create(int x, int y, int contents) {
  auto cell = std::make_shared<TCell>();
  cell->X = x;
  cell->Y = y;
  cell->Contents = contents;
  return cell;
}

std::shared_ptr<TCell> TCell::Clone(TCellBox* board) const {
  auto copy = std::make_shared<TCell>();
  copy->CellBox = board;
  copy->RotationDegree = RotationDegree;
  copy->CurrentRotationDegree = CurrentRotationDegree;
  copy->X = X;
  copy->Y = Y;
  copy->ArrayX = ArrayX;
  copy->ArrayY = ArrayY;
  copy->Contents = Contents;
  copy->ContentsImage = ContentsImage;
  if (Glow) copy->Glow = Glow->Recreate();
  copy->MoveLine = MoveLine;
  copy->AppearAnimation = AppearAnimation;
  copy->DestroyAnimation = DestroyAnimation;
  copy->ScorePosition = ScorePosition;
  copy->Particle = Particle;
  return copy;
}

void TCell::SetContents(int n) {
  Contents = n;
  ContentsImage = CellBox->Art->Jewel(n);
}

void TCell::ClearContents() {
  Contents = 0;
  ContentsImage.reset();
}

int TCell::GetCalculatedX() const { return board::CentreX(ArrayX); }
int TCell::GetCalculatedY() const { return board::CentreY(ArrayY); }

TLayoutCell& TCell::LayoutCell() const { return *CellBox->Layout.At(ArrayX, ArrayY); }

// ---------------------------------------------------------------- the step

void TCell::Manage() {
  if (Glow) Glow->Logic();
  if (MoveLine) MoveLine->Manage();
  StepFades();
  CheckEmptyTopRow();
}

void TCell::StepFades() {
  if (DestroyAnimation) {
    DestroyAnimation->Manage();
    if (!DestroyAnimation->Active) {
      DestroyAnimation.reset();
      if (Particle) Particle->SetLoop(0);
      ClearMatchedCell();
    }
  }
  if (Particle && Particle->Emitter[0].Finished()) Particle.reset();
  if (ScorePosition) {
    ScorePosition->Manage();
    if (ScorePosition->IsFinished()) ScorePosition.reset();
  }
  if (AppearAnimation) {
    AppearAnimation->Manage();
    if (!AppearAnimation->Active) AppearAnimation.reset();
  }
}

void TCell::CheckEmptyTopRow() {
  if (!IsCellBelowEmptyTopRow()) return;
  TCell& below = *CellBox->Cells.At(ArrayX, ArrayY + 1);
  below.SetContents(plat::Rand(1, 6));
  below.AppearAnimation = TAnimation::Create(AppearLength, 0, 0, 0);
  below.AppearAnimation->Start();
}

bool TCell::IsCellBelowEmptyTopRow() const {
  if (IsBottom(ArrayY) || LayoutCell().Contents != 0) return false;
  const TLayoutCell& layoutBelow = *CellBox->Layout.At(ArrayX, ArrayY + 1);
  return layoutBelow.Contents != 0 && layoutBelow.IsCreate &&
         !CellBox->Cells.At(ArrayX, ArrayY + 1)->HasJewel();
}

bool TCell::IsEmptyPlayingCell(int x, int y) const {
  return CellBox->Layout.At(x, y)->Contents != 0 && !CellBox->Cells.At(x, y)->HasJewel();
}

bool TCell::IsCellBelowEmpty() const {
  return !IsBottom(ArrayY) && IsEmptyPlayingCell(ArrayX, ArrayY + 1);
}

bool TCell::IsCellBelowLeftEmpty() const {
  int x = ArrayX - 1;
  return !IsBottom(ArrayY) && x >= 1 && x <= 17 && IsEmptyPlayingCell(x, ArrayY + 1);
}

bool TCell::IsCellBelowRightEmpty() const {
  int x = ArrayX + 1;
  return !IsBottom(ArrayY) && x >= 1 && x <= 17 && IsEmptyPlayingCell(x, ArrayY + 1);
}

// ---------------------------------------------------------------- falls

void TCell::CheckCellMoveDown(int diagonal) {
  if (!HasJewel() || AppearAnimation || DestroyAnimation) return;
  if (MoveLine) {
    if (!diagonal) StepFall();
    return;
  }
  if (LayoutCell().IsChain) return;
  const TOwnedGrid<std::shared_ptr<TCell>>& cells = CellBox->Cells;
  if (IsCellBelowEmpty()) {
    CheckCellMoveDownSwitch(*this, *cells.At(ArrayX, ArrayY + 1));
  } else if (diagonal && IsCellBelowLeftEmpty()) {
    CheckCellMoveDownSwitch(*this, *cells.At(ArrayX - 1, ArrayY + 1));
  } else if (diagonal && IsCellBelowRightEmpty()) {
    CheckCellMoveDownSwitch(*this, *cells.At(ArrayX + 1, ArrayY + 1));
  }
}

// Every row fallen turns the jewel by half a turn.
void TCell::StepFall() {
  X = MoveLine->GetCurrentX();
  Y = MoveLine->GetCurrentY();
  CurrentRotationDegree = int(float(RotationDegree) + 180.0f * MoveLine->Animation->GetRatioInv());
  if (!MoveLine->IsFinished()) return;
  X = MoveLine->EndX;
  Y = MoveLine->EndY;
  RotationDegree += 180;
  if (RotationDegree > 359) RotationDegree = 0;
  CurrentRotationDegree = RotationDegree;
  MoveLine.reset();
}

void TCell::CheckCellMoveDownSwitch(TCell& from, TCell& to) {
  to.SetContents(from.Contents);
  from.ClearContents();
  to.MoveLine =
      TLinePosition::Create(from.X, from.Y, to.GetCalculatedX(), to.GetCalculatedY(), FallLength);
  to.X = from.X;
  to.Y = from.Y;
  to.RotationDegree = from.RotationDegree;
  to.CurrentRotationDegree = from.CurrentRotationDegree;
}

// ---------------------------------------------------------------- marks and matches

void TCell::SetMarked() { Glow = TGlow::Create(0.5f, 0.3f, 0, 360); }
void TCell::ClearMarked() { Glow.reset(); }

void TCell::StartDestroyAnimation() {
  ScoreType = LayoutCell().Contents;
  DestroyAnimation = TAnimation::Create(DestroyLength, 0, 0, 0);
  DestroyAnimation->Start();
  int cx = GetCalculatedX(), cy = GetCalculatedY();
  Particle = CellBox->Art->LoadBurst(ScoreType);
  if (Particle) {
    Particle->MoveTo(float(cx), float(cy));
    Particle->SetLoop(1);
  }
  ScorePosition = TLinePosition::Create(cx, cy, cx, cy - ScoreRise, ScoreRiseLength);
  CellBox->AddPendingScore(ScoreType == 2 ? 50 : 25);
}

void TCell::ClearMatchedCell() {
  ClearContents();
  ClearBonus();
  ClearChain();
}

void TCell::ClearBonus() {
  TLayoutCell& layout = LayoutCell();
  if (layout.Contents == 2) layout.Contents = 1;
}

void TCell::ClearChain() { LayoutCell().IsChain = 0; }

// ---------------------------------------------------------------- drawing

namespace {

// Saves the drawing state a jewel changes and puts it back afterwards.
class TDrawStateGuard {
 public:
  TDrawStateGuard() : alpha_(plat::GetAlpha()), rotation_(plat::GetRotation()) {}
  ~TDrawStateGuard() {
    plat::SetAlpha(alpha_);
    plat::SetRotation(rotation_);
  }

 private:
  double alpha_;
  double rotation_;
};

}  // namespace

void TCell::Draw() const {
  TDrawStateGuard guard;
  if (!HasJewel()) {
    RenderParticle();
    LayoutCell().DrawOverlay();
    return;
  }
  DrawJewel();
  LayoutCell().DrawOverlay();
  RenderParticle();
  DrawScoreMark();
}

void TCell::DrawJewel() const {
  if (!ContentsImage) return;
  double alpha = plat::GetAlpha(), rotation = plat::GetRotation();
  if (AppearAnimation && AppearAnimation->Active) {
    plat::SetAlpha(AppearAnimation->GetRatioInv());
  } else if (DestroyAnimation && DestroyAnimation->Active) {
    plat::SetAlpha(DestroyAnimation->GetRatio());
  }
  plat::SetRotation(CurrentRotationDegree);
  plat::DrawImage(*ContentsImage, X, Y);
  if (Glow) {
    plat::TAmbientDrawing glow;
    Glow->Process1_StartGlow();
    plat::DrawImage(*ContentsImage, X, Y);
    Glow->Process2_EndGlow();
  }
  plat::SetAlpha(alpha);
  plat::SetRotation(rotation);
}

void TCell::DrawScoreMark() const {
  if (!ScorePosition) return;
  const plat::TImagePtr& mark = ScoreType == 2 ? CellBox->Score2Image : CellBox->Score1Image;
  if (!mark) return;
  double alpha = plat::GetAlpha();
  float r = ScorePosition->Animation->GetRatioInv();
  if (r > 0.5f) plat::SetAlpha(1.0 - (r - 0.5) * 2.0);
  plat::DrawImage(*mark, ScorePosition->GetCurrentX(), ScorePosition->GetCurrentY());
  plat::SetAlpha(alpha);
}

void TCell::RenderParticle() const {
  if (Particle) Particle->Render(LogicDelta, 1);
}
