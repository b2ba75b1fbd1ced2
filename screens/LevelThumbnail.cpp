#include "LevelThumbnail.h"

#include <algorithm>

#include "BoardGrid.h"
#include "TBoardArt.h"
#include "TCellBox.h"
#include "TLayoutCell.h"
#include "TOpenBoard.h"
#include "TVMouse.h"

TLevelThumbnails::TLevelThumbnails()
    : board_(std::make_unique<TCellBox>(TBoardArt::FromBanks())),
      nowhere_(std::make_unique<TVMouse>()) {
  nowhere_->x = nowhere_->y = -100000;
  board_->Mouse = nowhere_.get();
}

TLevelThumbnails::~TLevelThumbnails() = default;

namespace {

// The game's palette, bright enough to read on the dark item panels: the
// rock of the walls, pale crystal cells and amber marble cells.
struct TThumbColour {
  int r, g, b;
};
constexpr TThumbColour WallColour{108, 99, 173};
constexpr TThumbColour CellColour{190, 214, 240};
constexpr TThumbColour MarbleColour{255, 181, 77};

void FillCell(const TThumbColour& colour, int x, int y, int size) {
  plat::SetColor(colour.r, colour.g, colour.b);
  plat::DrawRect(float(x), float(y), float(size), float(size));
}

}  // namespace

bool TLevelThumbnails::IsWall(int column, int row) const {
  if (board_->Layout[column][row]->Contents != 0) return false;
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      int c = column + dx, r = row + dy;
      if (c < 0 || r < 0 || c >= board::GridWidth || r >= board::GridHeight) continue;
      if (board_->Layout[c][r]->Contents != 0) return true;
    }
  }
  return false;
}

plat::TImagePtr TLevelThumbnails::Create(const std::string& path, int& size) {
  size = 0;
  // A level that cannot be read has no picture.
  if (!board_->ReadLayout(path)) return nullptr;
  return Grab(size);
}

plat::TImagePtr TLevelThumbnails::CreateOpenBoard() {
  int size = 0;
  if (!TOpenBoard::Load(*board_)) return nullptr;
  return Grab(size);
}

plat::TImagePtr TLevelThumbnails::Grab(int& size) {
  plat::Cls();
  plat::SetBlend(plat::SOLIDBLEND);
  plat::SetAlpha(1);
  const int step = ThumbCellSize;
  int smallestX = board::GridWidth * step, smallestY = board::GridHeight * step;
  int largestX = 0, largestY = 0, playing = 0;
  for (int column = 0; column < board::GridWidth; ++column) {
    for (int row = 0; row < board::GridHeight; ++row) {
      TLayoutCell& cell = *board_->Layout[column][row];
      int x = column * step, y = row * step;
      if (cell.Contents == 0) {
        // Walls are whole squares, so that they join into the board's rim.
        if (!IsWall(column, row)) continue;
        FillCell(WallColour, x, y, step);
      } else {
        // Cells leave a one-pixel seam, so that the grid can be counted.
        FillCell(cell.Contents == 2 ? MarbleColour : CellColour, x, y, step - 1);
        ++playing;
        if (cell.Contents == 2) ++size;
      }
      smallestX = std::min(smallestX, x);
      smallestY = std::min(smallestY, y);
      largestX = std::max(largestX, x);
      largestY = std::max(largestY, y);
    }
  }
  plat::SetColor(255, 255, 255);
  plat::TImagePtr image;
  if (playing > 0) {
    // Only the shape and its walls, so that it stands in the middle of its
    // item whatever part of the grid it uses.
    image = plat::CreateImage(largestX + step - smallestX, largestY + step - smallestY, 1,
                              plat::MASKEDIMAGE | plat::MIPMAPPEDIMAGE);
    if (image) plat::GrabImage(*image, smallestX, smallestY);
  }
  plat::Cls();
  return image;
}

TLevelImageFunction LevelThumbnailFunction() {
  auto maker = std::make_shared<TLevelThumbnails>();
  return [maker](const std::string& path, int& size, int) { return maker->Create(path, size); };
}
