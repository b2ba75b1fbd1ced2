// A font read from a text descriptor (N + ".fnt") and one page image: up to
// 256 glyphs by code plus 150 for larger codes, each a rectangle of the page
// with its offsets and advance.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Platform.h"

class TBitmapFont {
 public:
  static constexpr int SLOTS = 406;
  static constexpr int FIRST_EXTRA_SLOT = 256;

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
  // The slot (256 and up) holding the code; 0 when none does.
  int FindChar(int code) const;
  void Kill();
  // Prepares the page image for drawing, so the first text drawn does not hitch.
  void Precache() {
    if (Image) plat::PrecacheImage(*Image);
  }
  // Sum of glyph heights over (characters - 1); one character: its height;
  // none: 0.
  double StringHeight(const std::string& text) const;
  double StringWidth(const std::string& text) const;
  std::string TruncateString(const std::string& text, double maxWidth) const;

  double CharGap = 0;
  int ChangeHandle = 0;
  double HandleX = 0, HandleY = 0;
  double ScaleFactor = 1.0;
  int ID[SLOTS] = {};
  plat::TImagePtr Image;
  int NumChars = 0;
  int NumExtraChars = 0;
  double TextureH = 0, TextureW = 0;
  double width[SLOTS] = {}, height[SLOTS] = {}, xAdvance[SLOTS] = {}, xOffset[SLOTS] = {},
         yOffset[SLOTS] = {}, xPos[SLOTS] = {}, yPos[SLOTS] = {};

  // Texts of 16-bit characters (codes above 255 reach the extra slots).
  void Draw(const std::u16string& text, double x, double y, int centre, int right, int roundX,
            int roundY, int shadow);
  double StringWidth(const std::u16string& text) const;
  // The slot of a code: its own below 256, else FindChar.
  int SlotOf(int code) const { return code >= 0 && code < 256 ? code : FindChar(code); }
};
