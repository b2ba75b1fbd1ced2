#include "ArrowPointer.h"

plat::TImagePtr MakeArrowPointer() {
  const int w = 14, h = 22, tip = 16;
  plat::TImagePtr image = plat::CreateImage(w, h, 1, -1);
  if (!image) return nullptr;
  plat::TPixmap& pixels = plat::LockImage(*image);
  for (int y = 0; y < h && y < pixels.height; ++y) {
    for (int x = 0; x < w && x < pixels.width; ++x) {
      // A triangle down to row tip, then a short stem.
      int edge = y <= tip ? y * 11 / tip : (x >= 4 && x <= 7 ? 7 : -1);
      bool inside = y <= tip ? x <= edge : (edge >= 0 && x >= 4);
      bool border = inside && (x == 0 || x == edge || y == tip || y == h - 1 || x == 4);
      uint32_t colour = !inside  ? 0u
                        : border ? plat::ARGB(255, 20, 20, 30)
                                 : plat::ARGB(255, 255, 255, 255);
      pixels.WritePixel(x, y, colour);
    }
  }
  plat::UnlockImage(*image);
  plat::SetImageHandle(*image, 0, 0);
  return image;
}
