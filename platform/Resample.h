// Pictures resampled between pixel densities: an image painted for one
// back-buffer scale made fit for another, the back buffer brought to the
// output's size (the window's present, headless screenshots).
#pragma once

#include <SDL.h>

#include <cstdint>

#include "Platform.h"

namespace plat::internal {

// The pixels at another density: up by a whole factor (bilinear when
// smooth, else each pixel repeated), or down by one (each block averaged).
// Colours are weighed by their alpha, so no dark fringe appears at edges.
TPixmap ScaleDensity(const TPixmap& pixels, int from, int to, bool smooth);

// An opaque 32-bit picture in memory (the back buffer, a window surface).
struct TPixels {
  uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  int pitch = 0;  // in pixels
};

// Draws the whole of `from` stretched bilinearly over the rectangle `to` of
// `into`, computing only the pixels of `part` (a part of `to`): a changed
// region presents alone and matches the whole picture exactly.
void ResampleInto(const TPixels& from, const TPixels& into, const SDL_Rect& to,
                  const SDL_Rect& part);

// The rectangle of the output (outputW x outputH) that shows a picture of
// the logical size, centred with bars beside or above it.
SDL_Rect LetterboxRect(int outputW, int outputH);

}  // namespace plat::internal
