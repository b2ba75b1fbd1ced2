// The present's resample: bilinear to within rounding, the same in parts as
// whole, and every channel in its place.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Resample.h"

using plat::internal::ResampleInto;
using plat::internal::TPixels;

namespace {

uint32_t Channel(uint32_t p, int shift) { return (p >> shift) & 0xFF; }

TEST(ResampleTest, BilinearInPartsAsWholeWithEachChannelInPlace) {
  const int sw = 37, sh = 23, dw = 101, dh = 64, pad = 5;
  std::vector<uint32_t> source(size_t(sw) * sh);
  for (int y = 0; y < sh; ++y) {
    for (int x = 0; x < sw; ++x)
      source[size_t(y) * sw + x] = 0xFF000000u | uint32_t((x * 7) % 256) << 16 |
                                   uint32_t((y * 11) % 256) << 8 | uint32_t((x * y * 13) % 256);
  }
  const TPixels from{source.data(), sw, sh, sw};
  const SDL_Rect to{3, 2, dw, dh};
  std::vector<uint32_t> whole(size_t(dw + pad) * (dh + pad)), parts(whole.size());
  const TPixels intoWhole{whole.data(), dw + pad, dh + pad, dw + pad};
  const TPixels intoParts{parts.data(), dw + pad, dh + pad, dw + pad};
  ResampleInto(from, intoWhole, to, to);
  for (int y = to.y; y < to.y + dh; y += 9) {
    for (int x = to.x; x < to.x + dw; x += 13) ResampleInto(from, intoParts, to, {x, y, 13, 9});
  }
  EXPECT_EQ(whole, parts);

  // Against bilinear sampling in floating point (8-bit weights round).
  int worst = 0;
  for (int y = 0; y < dh; ++y) {
    for (int x = 0; x < dw; ++x) {
      double fx = std::clamp((x + 0.5) * sw / dw - 0.5, 0.0, sw - 1.0);
      double fy = std::clamp((y + 0.5) * sh / dh - 0.5, 0.0, sh - 1.0);
      int x0 = int(fx), y0 = int(fy), x1 = std::min(x0 + 1, sw - 1), y1 = std::min(y0 + 1, sh - 1);
      double ax = fx - x0, ay = fy - y0;
      uint32_t got = whole[size_t(to.y + y) * (dw + pad) + to.x + x];
      EXPECT_EQ(got >> 24, 0xFFu);
      for (int shift : {0, 8, 16}) {
        auto at = [&](int sx, int sy) {
          return double(Channel(source[size_t(sy) * sw + sx], shift));
        };
        double want = (at(x0, y0) * (1 - ax) + at(x1, y0) * ax) * (1 - ay) +
                      (at(x0, y1) * (1 - ax) + at(x1, y1) * ax) * ay;
        worst = std::max(worst, int(std::abs(double(Channel(got, shift)) - want) + 0.5));
      }
    }
  }
  EXPECT_LE(worst, 2);
  // Outside the rectangle nothing is written.
  EXPECT_EQ(whole[0], 0u);
  EXPECT_EQ(whole.back(), 0u);
}

}  // namespace
