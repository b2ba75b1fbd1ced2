// A finished picture: premultiplied 0xAARRGGBB pixels in cairo's layout, so
// it can be painted onto a canvas again (contact sheet, mock-ups, help image).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace datagen {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // premultiplied ARGB, row-major, no padding

  Picture() = default;
  Picture(int w, int h) : width(w), height(h), pixels(size_t(w) * h, 0) {}
  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  int AlphaAt(int x, int y) const { return int(At(x, y) >> 24); }
};

// Straight (not premultiplied) 8-bit channels of one pixel.
struct Rgba8 {
  int r = 0, g = 0, b = 0, a = 0;
};
Rgba8 Unpremultiply(uint32_t argb);

}  // namespace datagen
