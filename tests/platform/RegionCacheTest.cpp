// Kept region pixels: given back only under their key, and within the
// memory they may take, the longest unused going first.
#include <gtest/gtest.h>

#include "RegionCache.h"

using plat::internal::TRegionCache;

namespace {

uint32_t At(SDL_Surface* s, int x, int y) {
  return static_cast<uint32_t*>(s->pixels)[size_t(y) * (s->pitch / 4) + x];
}

TEST(RegionCacheTest, GivesPixelsBackUnderTheirKeyWithinItsMemory) {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, 2048, 1600, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(surface, nullptr);
  TRegionCache cache;
  const SDL_Rect a{0, 0, 1024, 1024}, b{1024, 0, 1024, 1024}, c{0, 1024, 1024, 512};
  SDL_FillRect(surface, nullptr, 0xFF112233u);
  cache.Keep(a, 1, surface);
  cache.FrameDone();
  cache.Keep(b, 2, surface);
  cache.FrameDone();
  SDL_FillRect(surface, nullptr, 0);
  EXPECT_FALSE(cache.Restore(a, 9, surface));  // another key
  EXPECT_EQ(At(surface, 10, 10), 0u);
  EXPECT_TRUE(cache.Restore(a, 1, surface));
  EXPECT_EQ(At(surface, 10, 10), 0xFF112233u);
  EXPECT_EQ(At(surface, 1030, 10), 0u);  // only the region
  // Two regions of 2^20 pixels fill it; a third pushes out the one unused
  // longest (b: a was just used).
  cache.FrameDone();
  cache.Keep(c, 3, surface);
  EXPECT_TRUE(cache.Restore(a, 1, surface));
  EXPECT_FALSE(cache.Restore(b, 2, surface));
  EXPECT_TRUE(cache.Restore(c, 3, surface));
  // Too large to keep at all.
  const SDL_Rect whole{0, 0, 2048, 1600};
  cache.Keep(whole, 4, surface);
  EXPECT_FALSE(cache.Restore(whole, 4, surface));
  SDL_FreeSurface(surface);
}

}  // namespace
