#include "StarRow.h"

#include "GameResources.h"
#include "Platform.h"
#include "TImageBank.h"
#include "TLevelPars.h"

void DrawStarRow(int stars, float cx, float cy, int size, int gap) {
  if (!InterfaceImageBank) return;
  plat::TImagePtr earned = InterfaceImageBank->FindTImage("star");
  plat::TImagePtr empty = InterfaceImageBank->FindTImage("starempty");
  const int count = TLevelPars::MaxStars;
  const float step = float(size + gap);
  float x = cx - step * float(count - 1) / 2.0f;
  for (int n = 0; n < count; ++n, x += step) {
    const plat::TImagePtr& image = n < stars ? earned : empty;
    if (!image) continue;
    // The whole picture into the square of `size` pixels around its centre,
    // whatever its handle.
    const float half = float(size) / 2.0f;
    plat::DrawSubImageRect(*image, x - half, cy - half, size, size, 0, 0, image->width,
                           image->height);
  }
}
