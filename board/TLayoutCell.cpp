#include "TLayoutCell.h"

#include "BoardGrid.h"
#include "TCellBox.h"
#include "TWallRule.h"

std::unique_ptr<TLayoutCell> TLayoutCell::Create(int x, int y, int contents) {
  auto cell = std::make_unique<TLayoutCell>();
  cell->X = x;
  cell->Y = y;
  cell->Contents = contents;
  return cell;
}

std::unique_ptr<TLayoutCell> TLayoutCell::Clone(TCellBox* board) const {
  auto copy = std::make_unique<TLayoutCell>(*this);
  copy->CellBox = board;
  return copy;
}

// ---------------------------------------------------------------- drawing

namespace {

void DrawCentred(const plat::TImagePtr& image, int x, int y) {
  if (image) plat::DrawImage(*image, x, y);
}

}  // namespace

void TLayoutCell::Draw() const {
  switch (Contents) {
    case 0:
      if (CellBox->IsLevelEditor) DrawEmptyCell();
      DrawWall();
      break;
    case 1:
      DrawNormalCell();
      break;
    case 2:
      DrawMarbleCell();
      break;
    default:
      break;
  }
  if (CellBox->IsLevelEditor) DrawOverlay();
}

void TLayoutCell::DrawNormalCell() const {
  bool lit = IsMouseOver() && CellBox->IsHoverAllowed();
  DrawCentred(lit ? CellBox->LayoutNormalMOImage : CellBox->LayoutNormalImage, X, Y);
}

void TLayoutCell::DrawMarbleCell() const {
  bool lit = IsMouseOver() && CellBox->IsHoverAllowed();
  DrawCentred(lit ? CellBox->LayoutMarbleMOImage : CellBox->LayoutMarbleImage, X, Y);
}

void TLayoutCell::DrawEmptyCell() const {
  if (!board::IsBorder(ArrayX, ArrayY)) DrawCentred(CellBox->LayoutEmptyImage, X, Y);
}

void TLayoutCell::DrawOverlay() const {
  if (IsChain) DrawCentred(CellBox->LayoutChainImage, X, Y);
  if (!CellBox->IsLevelEditor) return;
  if (IsCreate) DrawCentred(CellBox->LayoutCreateImage, X, Y);
  if (IsFill == 0 && Contents != 0) DrawCentred(CellBox->LayoutFillImage, X, Y);
}

void TLayoutCell::DrawWall() const {
  DrawCentred(WallImage, X, Y);
  DrawCentred(DecorationImage, X, Y);
}

bool TLayoutCell::IsMouseOver() const {
  int mx = CellBox->MouseX(), my = CellBox->MouseY();
  return X - 17 <= mx && mx <= X + 17 && Y - 17 <= my && my <= Y + 17;
}

// ---------------------------------------------------------------- walls

bool TLayoutCell::IsPlayingAt(int dx, int dy) const {
  return CellBox->IsPlayingCell(ArrayX + dx, ArrayY + dy);
}

int TLayoutCell::OutsideCorner(int dx, int dy) const {
  return !IsPlayingAt(dx, 0) && !IsPlayingAt(0, dy) && IsPlayingAt(dx, dy);
}

int TLayoutCell::SetWallLeft() { return WallLeft = IsPlayingAt(-1, 0); }
int TLayoutCell::SetWallRight() { return WallRight = IsPlayingAt(1, 0); }
int TLayoutCell::SetWallTop() { return WallTop = IsPlayingAt(0, -1); }
int TLayoutCell::SetWallBottom() { return WallBottom = IsPlayingAt(0, 1); }
int TLayoutCell::SetWallCornerInsideNW() {
  return WallCornerInsideNW = IsPlayingAt(-1, 0) && IsPlayingAt(0, -1);
}
int TLayoutCell::SetWallCornerInsideNE() {
  return WallCornerInsideNE = IsPlayingAt(1, 0) && IsPlayingAt(0, -1);
}
int TLayoutCell::SetWallCornerInsideSW() {
  return WallCornerInsideSW = IsPlayingAt(-1, 0) && IsPlayingAt(0, 1);
}
int TLayoutCell::SetWallCornerInsideSE() {
  return WallCornerInsideSE = IsPlayingAt(1, 0) && IsPlayingAt(0, 1);
}
int TLayoutCell::SetWallCornerOutsideNW() { return WallCornerOutsideNW = OutsideCorner(-1, -1); }
int TLayoutCell::SetWallCornerOutsideNE() { return WallCornerOutsideNE = OutsideCorner(1, -1); }
int TLayoutCell::SetWallCornerOutsideSW() { return WallCornerOutsideSW = OutsideCorner(-1, 1); }
int TLayoutCell::SetWallCornerOutsideSE() { return WallCornerOutsideSE = OutsideCorner(1, 1); }

uint16_t TLayoutCell::WallFlags() const {
  const int flags[] = {WallLeft,
                       WallRight,
                       WallTop,
                       WallBottom,
                       WallCornerInsideNW,
                       WallCornerInsideNE,
                       WallCornerInsideSW,
                       WallCornerInsideSE,
                       WallCornerOutsideNW,
                       WallCornerOutsideNE,
                       WallCornerOutsideSW,
                       WallCornerOutsideSE};
  uint16_t bits = 0;
  for (int i = 0; i < 12; ++i) {
    if (flags[i]) bits |= uint16_t(1u << i);
  }
  return bits;
}

void TLayoutCell::SetupDrawWall() {
  WallRule = 0;
  HasDecoration = 0;
  if (Contents != 0) return;
  SetWallLeft();
  SetWallRight();
  SetWallTop();
  SetWallBottom();
  SetWallCornerInsideNW();
  SetWallCornerInsideNE();
  SetWallCornerInsideSW();
  SetWallCornerInsideSE();
  SetWallCornerOutsideNW();
  SetWallCornerOutsideNE();
  SetWallCornerOutsideSW();
  SetWallCornerOutsideSE();
  SetupDrawWallImage();
}

void TLayoutCell::SetupDrawWallImage() {
  const TWallRule* rule = FindWallRule(WallFlags());
  if (!rule) return;
  WallRule = rule->Number;
  WallImage = CellBox->Art->WallTile(rule->Number);
  if (rule->DecorationKind == DecorationKindNone) return;
  int& placed = CellBox->DecorationCounter(rule->DecorationKind);
  if (placed == 0 && SetupDrawWallRandom()) {
    DecorationImage = CellBox->Art->WallDecoration(rule->Number);
    HasDecoration = 1;
    placed = 1;
  }
}

bool TLayoutCell::SetupDrawWallRandom() const { return plat::Rand(0, 4) == 0; }
