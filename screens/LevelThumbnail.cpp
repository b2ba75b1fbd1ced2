#include "LevelThumbnail.h"

#include "BoardGrid.h"
#include "TBoardArt.h"
#include "TCellBox.h"
#include "TVMouse.h"

TLevelThumbnails::TLevelThumbnails()
    : board_(std::make_unique<TCellBox>(TBoardArt::FromBanks())),
      nowhere_(std::make_unique<TVMouse>()) {
  nowhere_->x = nowhere_->y = -100000;
  board_->Mouse = nowhere_.get();
}

TLevelThumbnails::~TLevelThumbnails() = default;

plat::TImagePtr TLevelThumbnails::Create(const std::string& path, int& size) {
  size = 0;
  // The board's reader treats a missing file as fatal: look first.
  if (!plat::ReadStream(path)) return nullptr;
  board_->Clear();
  board_->LoadLayout(path);
  plat::Cls();
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
  plat::SetScale(Scale, Scale);
  int largestX = 0, largestY = 0;
  for (int column = 0; column < board::GridWidth; ++column) {
    for (int row = 0; row < board::GridHeight; ++row) {
      TLayoutCell& cell = *board_->Layout[column][row];
      if (cell.Contents == 0) continue;
      cell.X = int(float(column * CellSize) * Scale);
      cell.Y = int(float(row * CellSize) * Scale);
      if (cell.Contents == 2) {
        cell.DrawMarbleCell();
      } else {
        cell.DrawNormalCell();
      }
      largestX = std::max(largestX, cell.X);
      largestY = std::max(largestY, cell.Y);
      ++size;
    }
  }
  plat::SetScale(1, 1);
  plat::TImagePtr image;
  if (size > 0) {
    image = plat::CreateImage(largestX + 9, largestY + 9, 1,
                              plat::MASKEDIMAGE | plat::MIPMAPPEDIMAGE);
    if (image) plat::GrabImage(*image, 0, 0);
  }
  plat::Cls();
  plat::SetBlend(plat::SOLIDBLEND);
  return image;
}

TLevelImageFunction LevelThumbnailFunction() {
  auto maker = std::make_shared<TLevelThumbnails>();
  return [maker](const std::string& path, int& size, int) { return maker->Create(path, size); };
}
