#include "DirectLight.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "FrameRecord.h"
#include "Internal.h"

namespace plat::internal {

namespace {

bool& Enabled() {
  static bool enabled = true;
  return enabled;
}

long long& Drawn() {
  static long long drawn = 0;
  return drawn;
}

// floor(t / 255) for t up to 255 * 255, as SDL's blitters divide.
inline uint32_t Div255(uint32_t t) { return (t + 1 + (t >> 8)) >> 8; }

// SDL's sum for one pixel: the colour modulated, then weighed by the
// picture's (modulated) alpha, added to the back buffer's and held at 255.
// Weighing by an alpha of 255 changes nothing, so one formula serves all.
inline uint32_t AddPixel(uint32_t s, uint32_t d, SDL_Color mod, bool keepTop) {
  const uint32_t a = Div255((s >> 24) * mod.a);
  const uint32_t cr = Div255(Div255(((s >> 16) & 0xFF) * mod.r) * a);
  const uint32_t cg = Div255(Div255(((s >> 8) & 0xFF) * mod.g) * a);
  const uint32_t cb = Div255(Div255((s & 0xFF) * mod.b) * a);
  const uint32_t dr = std::min(255u, cr + ((d >> 16) & 0xFF));
  const uint32_t dg = std::min(255u, cg + ((d >> 8) & 0xFF));
  const uint32_t db = std::min(255u, cb + (d & 0xFF));
  return (keepTop ? d & 0xFF000000u : 0u) | dr << 16 | dg << 8 | db;
}

#ifdef __SSE2__
// Div255 on eight 16-bit lanes.
inline __m128i Div255x8(__m128i t) {
  return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_set1_epi16(1)), _mm_srli_epi16(t, 8)),
                        8);
}

// Two pixels' light (B G R A in 16-bit lanes) with the alpha lanes cleared.
inline __m128i LightOf(__m128i pixels, __m128i mod) {
  __m128i modulated = Div255x8(_mm_mullo_epi16(pixels, mod));
  // Each pixel's modulated alpha in all four of its lanes.
  __m128i alpha = _mm_shufflelo_epi16(modulated, _MM_SHUFFLE(3, 3, 3, 3));
  alpha = _mm_shufflehi_epi16(alpha, _MM_SHUFFLE(3, 3, 3, 3));
  __m128i light = Div255x8(_mm_mullo_epi16(modulated, alpha));
  return _mm_and_si128(light, _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1));
}
#endif

void AddRow(const uint32_t* src, uint32_t* dst, int count, SDL_Color mod, bool keepTop) {
  int i = 0;
#ifdef __SSE2__
  const __m128i modLanes = _mm_set_epi16(short(mod.a), short(mod.r), short(mod.g), short(mod.b),
                                         short(mod.a), short(mod.r), short(mod.g), short(mod.b));
  const __m128i zero = _mm_setzero_si128();
  const __m128i top = keepTop ? _mm_set1_epi32(-1) : _mm_set1_epi32(0x00FFFFFF);
  for (; i + 4 <= count; i += 4) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    __m128i low = LightOf(_mm_unpacklo_epi8(s, zero), modLanes);
    __m128i high = LightOf(_mm_unpackhi_epi8(s, zero), modLanes);
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    __m128i sum = _mm_adds_epu8(d, _mm_packus_epi16(low, high));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_and_si128(sum, top));
  }
#endif
  for (; i < count; ++i) dst[i] = AddPixel(src[i], dst[i], mod, keepTop);
}

bool Whole(float f) { return f == std::floor(f) && std::abs(f) < 1.0e7f; }

}  // namespace

void EnableDirectLight(bool on) { Enabled() = on; }

long long DirectLightQuads() { return Drawn(); }

bool TexturesReadable() {
  const auto& b = Backend();
  return b.surface && !b.target;
}

bool DrawLightDirect(SDL_Renderer* r, SDL_Texture* texture, const SDL_Vertex* v, int count,
                     const SDL_Rect& clip) {
  auto& b = Backend();
  if (!Enabled() || !TexturesReadable() || !texture || count != 4) return false;
  SDL_Surface* into = b.surface;
  if (into->format->BytesPerPixel != 4 || into->format->Rmask != 0xFF0000u ||
      into->format->Gmask != 0x00FF00u || into->format->Bmask != 0x0000FFu)
    return false;
  // Upright and unflipped: corners 0 and 2 are top left and bottom right.
  if (!UnturnedQuad(v, count)) return false;
  if (v[2].position.x <= v[0].position.x || v[2].position.y <= v[0].position.y) return false;
  for (int i = 1; i < 4; ++i) {
    if (std::memcmp(&v[i].color, &v[0].color, sizeof v[0].color) != 0) return false;
  }
  Uint32 format = 0;
  int access = 0, tw = 0, th = 0;
  if (SDL_QueryTexture(texture, &format, &access, &tw, &th) != 0 ||
      format != SDL_PIXELFORMAT_ARGB8888 || access != SDL_TEXTUREACCESS_STREAMING)
    return false;
  const float x0 = v[0].position.x, y0 = v[0].position.y;
  const float w = v[2].position.x - x0, h = v[2].position.y - y0;
  const float sx = v[0].tex_coord.x * float(tw), sy = v[0].tex_coord.y * float(th);
  const float sw = (v[2].tex_coord.x - v[0].tex_coord.x) * float(tw);
  const float sh = (v[2].tex_coord.y - v[0].tex_coord.y) * float(th);
  if (!Whole(x0) || !Whole(y0) || !Whole(w) || !Whole(h) || !Whole(sx) || !Whole(sy) || sw != w ||
      sh != h)
    return false;
  // The part of the quad inside the clip and the back buffer.
  SDL_Rect quad{int(x0), int(y0), int(w), int(h)}, area;
  SDL_Rect bounds{0, 0, into->w, into->h};
  if (!SDL_IntersectRect(&quad, &clip, &area) || !SDL_IntersectRect(&area, &bounds, &area))
    return true;
  const int fromX = int(sx) + area.x - quad.x, fromY = int(sy) + area.y - quad.y;
  if (fromX < 0 || fromY < 0 || fromX + area.w > tw || fromY + area.h > th) return false;

  // SDL's software renderer keeps a texture's pixels in a surface of its
  // own; a streaming texture's lock hands them over as they are.
  void* locked = nullptr;
  int pitch = 0;
  SDL_Rect part{fromX, fromY, area.w, area.h};
  if (SDL_LockTexture(texture, &part, &locked, &pitch) != 0) return false;
  SDL_RenderFlush(r);  // what SDL queued lands first

  const bool keepTop = into->format->Amask != 0;
  for (int row = 0; row < area.h; ++row) {
    const auto* src = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(locked) +
                                                        size_t(row) * size_t(pitch));
    auto* dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(into->pixels) +
                                            size_t(area.y + row) * size_t(into->pitch)) +
                area.x;
    AddRow(src, dst, area.w, v[0].color, keepTop);
  }
  SDL_UnlockTexture(texture);
  ++Drawn();
  return true;
}

}  // namespace plat::internal
