// How far the pen moves past each character: the one rule by which the game
// lays out its text and the data generator checks that the texts fit their
// boxes. A character advances by the face's advance hinted at the size it
// is drawn, in whole pixels; a Unicode space the face lacks advances as a
// space. Only FreeType is touched, so the generator builds this file too.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string_view>

namespace plat {

// How glyphs are loaded (and drawn): hinted for grey smoothing or for
// one-bit pixels.
FT_Int32 GlyphLoadFlags(bool smooth);
// The character drawn and measured for c: a space the face lacks is ' '.
char32_t GlyphStandIn(FT_Face face, char32_t c);
// The advance of the glyph just loaded into the face's slot.
int LoadedAdvance(FT_Face face);
// The width of one line of UTF-8 text at the face's size.
int TextAdvance(FT_Face face, std::string_view text, bool smooth);

}  // namespace plat
