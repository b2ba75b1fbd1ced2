#include "RegionCache.h"

#include <algorithm>
#include <cstring>

namespace plat::internal {

namespace {

// Ambient effects at rest take turns (a pulse one frame, a twinkle the
// next): a region's pixels are kept over a few frames without it.
constexpr int kKeptFrames = 8;
constexpr size_t kMaxEntries = 12;

bool Fits(const SDL_Rect& region, const SDL_Surface* surface) {
  return surface && surface->format->BytesPerPixel == 4 && region.x >= 0 && region.y >= 0 &&
         region.w > 0 && region.h > 0 && region.x + region.w <= surface->w &&
         region.y + region.h <= surface->h &&
         (long long)region.w * region.h <= TRegionCache::MaxPixels;
}

uint32_t* Row(SDL_Surface* surface, const SDL_Rect& region, int row) {
  return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                     size_t(region.y + row) * size_t(surface->pitch)) +
         region.x;
}

}  // namespace

bool TRegionCache::Restore(const SDL_Rect& region, uint64_t key, SDL_Surface* into) {
  if (!Fits(region, into)) return false;
  for (TEntry& entry : entries_) {
    if (entry.key != key || SDL_RectEquals(&entry.region, &region) != SDL_TRUE) continue;
    for (int row = 0; row < region.h; ++row)
      std::memcpy(Row(into, region, row), entry.pixels.data() + size_t(row) * region.w,
                  size_t(region.w) * 4);
    entry.idle = 0;
    return true;
  }
  return false;
}

void TRegionCache::Keep(const SDL_Rect& region, uint64_t key, const SDL_Surface* from) {
  if (!Fits(region, from)) return;
  auto same = [&](const TEntry& e) { return SDL_RectEquals(&e.region, &region) == SDL_TRUE; };
  auto it = std::find_if(entries_.begin(), entries_.end(), same);
  if (it == entries_.end()) {
    if (entries_.size() >= kMaxEntries) {
      // The one unused longest makes way.
      it = std::max_element(entries_.begin(), entries_.end(),
                            [](const TEntry& a, const TEntry& b) { return a.idle < b.idle; });
    } else {
      it = entries_.emplace(entries_.end());
    }
  }
  // Room for it: the entries unused longest go first.
  size_t at = size_t(it - entries_.begin());
  auto others = [&] {
    long long sum = 0;
    for (size_t e = 0; e < entries_.size(); ++e)
      if (e != at) sum += (long long)entries_[e].pixels.size();
    return sum;
  };
  const long long size = (long long)region.w * region.h;
  while (entries_.size() > 1 && others() + size > MaxTotalPixels) {
    size_t oldest = at == 0 ? 1 : 0;
    for (size_t e = 0; e < entries_.size(); ++e)
      if (e != at && entries_[e].idle > entries_[oldest].idle) oldest = e;
    entries_.erase(entries_.begin() + long(oldest));
    if (oldest < at) --at;
  }
  it = entries_.begin() + long(at);
  it->region = region;
  it->key = key;
  it->idle = 0;
  it->pixels.resize(size_t(region.w) * size_t(region.h));
  auto* surface = const_cast<SDL_Surface*>(from);
  for (int row = 0; row < region.h; ++row)
    std::memcpy(it->pixels.data() + size_t(row) * region.w, Row(surface, region, row),
                size_t(region.w) * 4);
}

void TRegionCache::FrameDone() {
  for (TEntry& entry : entries_) ++entry.idle;
  std::erase_if(entries_, [](const TEntry& e) { return e.idle > kKeptFrames; });
}

}  // namespace plat::internal
