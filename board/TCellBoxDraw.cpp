// Drawing order: layout tiles (with the light sweep), resting jewels, then
// falling jewels above them, then the selection frame and the cursor.
#include <vector>

#include "TCellBox.h"

void TCellBox::Draw() const {
  DrawCells();
  DrawMarkedCell();
  DrawCursor();
}

void TCellBox::DrawCursor() const {
  if (!Cursor.Visible || Cursor.X < 0) return;
  DrawFocusFrame(board::CentreX(Cursor.X) - board::CellSize / 2.0,
                 board::CentreY(Cursor.Y) - board::CellSize / 2.0, board::CellSize,
                 board::CellSize);
}

void TCellBox::DrawCells() const {
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) {
      const TLayoutCell& layout = LayoutAt(x, y);
      layout.Draw();
      if (CellsLights.empty()) continue;
      const TGlow* glow = CellsLights[x * board::GridHeight + y].get();
      if (glow && (x + y) * 20 + 3000 < lightCounter && glow->numWraps == 1) {
        plat::TAmbientDrawing sweep;
        glow->Process1_StartGlow();
        layout.Draw();
        glow->Process2_EndGlow();
      }
    }
  }
  std::vector<const TCell*> moving;
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) {
      const TCell& cell = CellAt(x, y);
      if (cell.MoveLine) {
        moving.push_back(&cell);
      } else {
        cell.Draw();
      }
    }
  }
  for (const TCell* cell : moving) cell->Draw();
}

void TCellBox::DrawMarkedCell() const {
  if (!MarkedCell1 || CellSwitchPosition1 || !LayoutMarkedImage) return;
  if (!MarkedCell1->HasJewel()) return;  // its jewel has gone: nothing is marked
  plat::DrawImage(*LayoutMarkedImage, MarkedCell1->X, MarkedCell1->Y);
}
