#include "TBottomBox.h"

#include <algorithm>

#include "BoardGrid.h"
#include "Globals.h"
#include "TCellBox.h"

int TBottomBox::BoardBottom(const TCellBox& board) {
  // A playing cell's row is drawn with wall below it down to the next row.
  for (int y = board::GridHeight - 2; y >= 1; --y) {
    for (int x = 1; x < board::GridWidth - 1; ++x) {
      if (board.Layout[x][y]->Contents != 0) {
        return board::AreaStartY + (y + 2) * board::CellSize;
      }
    }
  }
  return 0;
}

TBottomBox TBottomBox::For(const TCellBox* board) {
  TBottomBox box;
  const int bottom = board ? BoardBottom(*board) : 0;
  const int top = Y - Height / 2;
  if (bottom + Gap <= top) return box;
  // Below the board, as high as the room there allows.
  const int room = ScreenHeight - Gap - (bottom + Gap);
  const int height = std::clamp(room, MinHeight, int(Height));
  box.CentreY = float(bottom + Gap) + float(height) / 2;
  box.ScaleY = float(height) / float(Height);
  box.TextTop = box.CentreY - float(TextAboveCentre);
  return box;
}

void TBottomBox::DrawImage(const plat::TImagePtr& image) const {
  if (!image) return;
  if (ScaleY == 1) {
    plat::DrawImage(*image, X, CentreY);
    return;
  }
  double sx = 1, sy = 1;
  plat::GetScale(sx, sy);
  plat::SetScale(sx, sy * ScaleY);
  plat::DrawImage(*image, X, CentreY);
  plat::SetScale(sx, sy);
}
