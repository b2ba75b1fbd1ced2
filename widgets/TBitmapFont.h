// A font read from a text descriptor (N + ".fnt") and one page image: its
// glyphs by code point, each a rectangle of the page with its offsets and
// advance. Texts are UTF-8.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "Platform.h"

// One glyph: its rectangle of the page as texture coordinates (0..1), its
// offsets and advance in pixels.
struct TBitmapGlyph {
  double width = 0, height = 0, xAdvance = 0, xOffset = 0, yOffset = 0, xPos = 0, yPos = 0;
};

class TBitmapFont {
 public:
  // Page image from url + imageSuffix (with flags), descriptor url + ".fnt".
  // Null when either cannot be read.
  static std::shared_ptr<TBitmapFont> Create(const std::string& url, int flags,
                                             const std::string& imageSuffix);
  // Reads a descriptor's text; false when it holds no page size.
  bool ReadDescriptor(const std::string& text);

  int CalcVRAM() const;
  void Draw(const std::string& text, double x, double y, int centre, int right, int roundX,
            int roundY, int shadow);
  // alignment 0 left, 1 centred, 2 right; other values draw nothing.
  void DrawAligned(const std::string& text, double x, double y, int alignment, int roundX,
                   int roundY, int shadow);
  void DrawAlignedWithShadow(const std::string& text, double x, double y, int alignment, int roundX,
                             int roundY);
  void DrawStringArray(const std::vector<std::string>& lines, double x, double y, int centre,
                       int right, int roundX, int roundY, int shadow, double gap,
                       int centreVertically);
  // The glyph of a code point; a character the font lacks has an empty one
  // (no picture, no advance).
  const TBitmapGlyph& Glyph(char32_t code) const;
  bool HasGlyph(char32_t code) const { return Glyphs.count(code) > 0; }
  void Kill();
  // Prepares the page image for drawing, so the first text drawn does not hitch.
  void Precache() {
    if (Image) plat::PrecacheImage(*Image);
  }
  // Sum of glyph heights over (characters - 1); one character: its height;
  // none: 0.
  double StringHeight(const std::string& text) const;
  double StringWidth(const std::string& text) const;
  // The longest leading part of whole characters that fits maxWidth.
  std::string TruncateString(const std::string& text, double maxWidth) const;

  double CharGap = 0;
  int ChangeHandle = 0;
  double HandleX = 0, HandleY = 0;
  double ScaleFactor = 1.0;
  plat::TImagePtr Image;
  int NumChars = 0;  // glyph lines read
  double TextureH = 0, TextureW = 0;
  std::unordered_map<char32_t, TBitmapGlyph> Glyphs;
};
