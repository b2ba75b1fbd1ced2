// The pixels of a redrawn region as they stood just before its first
// ambient effect. At rest only ambient effects change, and each time their
// region was drawn again from the background up; where everything under
// the effect is as it was, the region starts from the kept pixels instead.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace plat::internal {

class TRegionCache {
 public:
  // Puts the pixels kept for `region` under `key` back into `into`; false
  // when none are kept.
  bool Restore(const SDL_Rect& region, uint64_t key, SDL_Surface* into);
  // Keeps the pixels of `region` of `from` under `key`.
  void Keep(const SDL_Rect& region, uint64_t key, const SDL_Surface* from);
  // A frame is drawn: pixels unused for a while go.
  void FrameDone();
  void Clear() { entries_.clear(); }

  // Regions larger than this are drawn afresh each time: a kept copy of a
  // whole screen costs more memory than it saves. All the kept pixels
  // together stay within MaxTotalPixels (8 MB).
  static constexpr long long MaxPixels = 1 << 20;
  static constexpr long long MaxTotalPixels = 1 << 21;

 private:
  struct TEntry {
    SDL_Rect region{0, 0, 0, 0};
    uint64_t key = 0;
    std::vector<uint32_t> pixels;
    int idle = 0;  // frames since last used
  };
  std::vector<TEntry> entries_;
};

}  // namespace plat::internal
