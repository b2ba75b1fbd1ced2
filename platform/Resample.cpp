#include "Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "Internal.h"

namespace plat::internal {

namespace {

struct TPremultiplied {
  uint32_t a, r, g, b;
};

TPremultiplied Premultiply(uint32_t p) {
  uint32_t a = p >> 24;
  return {a, ((p >> 16) & 0xFF) * a, ((p >> 8) & 0xFF) * a, (p & 0xFF) * a};
}

// Sums of premultiplied channels (each weighed by `weight`) back to a pixel.
uint32_t Unpremultiply(double a, double r, double g, double b, double weight) {
  if (a <= 0) return 0;
  auto channel = [&](double v) { return uint32_t(std::clamp(std::lround(v / a), 0L, 255L)); };
  uint32_t alpha = uint32_t(std::clamp(std::lround(a / weight), 0L, 255L));
  return alpha << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
}

TPixmap Reduced(const TPixmap& pixels, int factor) {
  TPixmap out(std::max(1, pixels.width / factor), std::max(1, pixels.height / factor));
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      double a = 0, r = 0, g = 0, b = 0;
      int count = 0;
      for (int dy = 0; dy < factor; ++dy) {
        for (int dx = 0; dx < factor; ++dx) {
          int sx = std::min(pixels.width - 1, x * factor + dx);
          int sy = std::min(pixels.height - 1, y * factor + dy);
          TPremultiplied p = Premultiply(pixels.pixels[size_t(sy) * pixels.width + sx]);
          a += p.a;
          r += p.r;
          g += p.g;
          b += p.b;
          ++count;
        }
      }
      out.pixels[size_t(y) * out.width + x] = Unpremultiply(a, r, g, b, count);
    }
  }
  return out;
}

// Where each destination pixel of a row (or column) samples: the source
// pixel to its left and the weight (0..256) of the one to its right.
struct TTap {
  int index;
  uint32_t weight;
};

std::vector<TTap> Taps(int sourceSize, int destSize, int first, int count) {
  std::vector<TTap> taps(size_t(std::max(0, count)));
  double ratio = double(sourceSize) / destSize;
  for (int i = 0; i < count; ++i) {
    double at = (first + i + 0.5) * ratio - 0.5;
    at = std::clamp(at, 0.0, double(sourceSize - 1));
    int left = std::min(int(at), sourceSize - 1);
    taps[size_t(i)] = {left, uint32_t(std::lround((at - left) * 256))};
    if (left == sourceSize - 1) taps[size_t(i)].weight = 0;
  }
  return taps;
}

TPixmap Enlarged(const TPixmap& pixels, int factor, bool smooth) {
  TPixmap out(pixels.width * factor, pixels.height * factor);
  if (!smooth) {
    for (int y = 0; y < out.height; ++y)
      for (int x = 0; x < out.width; ++x)
        out.pixels[size_t(y) * out.width + x] =
            pixels.pixels[size_t(y / factor) * pixels.width + x / factor];
    return out;
  }
  auto xs = Taps(pixels.width, out.width, 0, out.width);
  auto ys = Taps(pixels.height, out.height, 0, out.height);
  auto at = [&](int x, int y) {
    x = std::min(x, pixels.width - 1);
    y = std::min(y, pixels.height - 1);
    return Premultiply(pixels.pixels[size_t(y) * pixels.width + x]);
  };
  for (int y = 0; y < out.height; ++y) {
    const TTap ty = ys[size_t(y)];
    for (int x = 0; x < out.width; ++x) {
      const TTap tx = xs[size_t(x)];
      double wx = tx.weight / 256.0, wy = ty.weight / 256.0;
      double w[4] = {(1 - wx) * (1 - wy), wx * (1 - wy), (1 - wx) * wy, wx * wy};
      TPremultiplied p[4] = {at(tx.index, ty.index), at(tx.index + 1, ty.index),
                             at(tx.index, ty.index + 1), at(tx.index + 1, ty.index + 1)};
      double a = 0, r = 0, g = 0, b = 0;
      for (int i = 0; i < 4; ++i) {
        a += w[i] * p[i].a;
        r += w[i] * p[i].r;
        g += w[i] * p[i].g;
        b += w[i] * p[i].b;
      }
      out.pixels[size_t(y) * out.width + x] = Unpremultiply(a, r, g, b, 1);
    }
  }
  return out;
}

}  // namespace

TPixmap ScaleDensity(const TPixmap& pixels, int from, int to, bool smooth) {
  if (from <= 0 || to <= 0 || from == to || pixels.width <= 0 || pixels.height <= 0) return pixels;
  if (to > from) return Enlarged(pixels, to / from, smooth);
  return Reduced(pixels, from / to);
}

namespace {

// b weighed w (0..256) against a, red and blue in one multiply and green in
// another: the present does this for every pixel it shows.
inline uint32_t Blend(uint32_t a, uint32_t b, uint32_t w) {
  uint32_t rb = (((a & 0xFF00FFu) * (256 - w) + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
  uint32_t g = (((a & 0x00FF00u) * (256 - w) + (b & 0x00FF00u) * w) >> 8) & 0x00FF00u;
  return rb | g;
}

#ifdef __SSE2__
// One output pixel from its two pairs of neighbours, the same sums as Blend
// (across, then down) in 16-bit lanes. `across` holds 256 - wx in the
// first pixel's four lanes and wx in the second's; `down` the same for wy.
inline uint32_t BlendPairs(const uint32_t* upper, const uint32_t* lower, __m128i across,
                           __m128i down) {
  const __m128i zero = _mm_setzero_si128();
  __m128i top = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(upper)), zero);
  __m128i bottom =
      _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(lower)), zero);
  top = _mm_mullo_epi16(top, across);
  bottom = _mm_mullo_epi16(bottom, across);
  __m128i rows = _mm_srli_epi16(
      _mm_add_epi16(_mm_unpacklo_epi64(top, bottom), _mm_unpackhi_epi64(top, bottom)), 8);
  rows = _mm_mullo_epi16(rows, down);
  __m128i pixel = _mm_srli_epi16(_mm_add_epi16(rows, _mm_srli_si128(rows, 8)), 8);
  return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(pixel, zero)));
}

inline __m128i Weights(uint32_t w) {
  const short keep = short(256 - w), take = short(w);
  return _mm_set_epi16(take, take, take, take, keep, keep, keep, keep);
}
#endif

}  // namespace

void ResampleInto(const TPixels& from, const TPixels& into, const SDL_Rect& to,
                  const SDL_Rect& part) {
  SDL_Rect clip{0, 0, into.width, into.height}, area;
  if (!SDL_IntersectRect(&part, &to, &area) || !SDL_IntersectRect(&area, &clip, &area)) return;
  auto xs = Taps(from.width, to.w, area.x - to.x, area.w);
  auto ys = Taps(from.height, to.h, area.y - to.y, area.h);
#ifdef __SSE2__
  // The columns' weights are alike in every row.
  struct TLanes {
    __m128i lanes;
  };
  std::vector<TLanes> across(xs.size());
  for (size_t i = 0; i < xs.size(); ++i) across[i].lanes = Weights(xs[i].weight);
#endif
  for (int row = 0; row < area.h; ++row) {
    const TTap ty = ys[size_t(row)];
    const uint32_t* top = from.pixels + size_t(ty.index) * from.pitch;
    const uint32_t* bottom = ty.index + 1 < from.height ? top + from.pitch : top;
    uint32_t* out = into.pixels + size_t(area.y + row) * into.pitch + area.x;
#ifdef __SSE2__
    const __m128i down = Weights(ty.weight);
#endif
    for (int col = 0; col < area.w; ++col) {
      const TTap tx = xs[size_t(col)];
      int right = tx.index + 1 < from.width ? 1 : 0;
#ifdef __SSE2__
      if (right) {
        out[col] = 0xFF000000u |
                   BlendPairs(top + tx.index, bottom + tx.index, across[size_t(col)].lanes, down);
        continue;
      }
#endif
      uint32_t upper = Blend(top[tx.index], top[tx.index + right], tx.weight);
      uint32_t lower = Blend(bottom[tx.index], bottom[tx.index + right], tx.weight);
      out[col] = 0xFF000000u | Blend(upper, lower, ty.weight);
    }
  }
}

SDL_Rect LetterboxRect(int outputW, int outputH) {
  double scale = std::min(double(outputW) / LogicalWidth(), double(outputH) / LogicalHeight());
  int w = int(std::lround(LogicalWidth() * scale)), h = int(std::lround(LogicalHeight() * scale));
  return SDL_Rect{(outputW - w) / 2, (outputH - h) / 2, w, h};
}

}  // namespace plat::internal
