// Additive light drawn straight into the software back buffer. SDL's
// software renderer adds a colour-modulated picture through its generic
// per-pixel blitter: a header's pulsing light, a third of the screen at
// twice the size, was most of the drawing at rest. This does the same sums
// with the same rounding, a row at a time.
#pragma once

#include <SDL.h>

namespace plat::internal {

// Draws quad `v` (four vertices, two triangles 0-1-2 and 0-2-3) of `texture`
// with additive blending into the software back buffer, clipped to `clip`,
// when the quad is upright, unflipped, one colour, at whole pixels and at
// the texture's own size. Returns false, having drawn nothing, for any other
// quad, or when the back buffer is not a surface of ours: SDL draws it then.
bool DrawLightDirect(SDL_Renderer* r, SDL_Texture* texture, const SDL_Vertex* v, int count,
                     const SDL_Rect& clip);

// Tests compare the direct drawing with SDL's own, and count its quads.
void EnableDirectLight(bool on);
long long DirectLightQuads();

// Whether textures are made so that their pixels can be read back (the
// software back buffer's).
bool TexturesReadable();

}  // namespace plat::internal
