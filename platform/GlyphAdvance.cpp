#include "GlyphAdvance.h"

#include "Utf8.h"

namespace plat {

namespace {

// The spaces of Unicode (no-break, thin, ideographic ...).
bool IsSpace(char32_t c) {
  return c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

}  // namespace

FT_Int32 GlyphLoadFlags(bool smooth) {
  return smooth ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
}

char32_t GlyphStandIn(FT_Face face, char32_t c) {
  return IsSpace(c) && FT_Get_Char_Index(face, c) == 0 ? U' ' : c;
}

int LoadedAdvance(FT_Face face) { return int(face->glyph->advance.x >> 6); }

int TextAdvance(FT_Face face, std::string_view text, bool smooth) {
  int width = 0;
  for (char32_t c : CodePoints(text)) {
    if (FT_Load_Char(face, GlyphStandIn(face, c), GlyphLoadFlags(smooth)) == 0)
      width += LoadedAdvance(face);
  }
  return width;
}

}  // namespace plat
