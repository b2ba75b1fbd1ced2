// Bitmap fonts: a descriptor and page written by the test, read back glyph
// by glyph, measured and drawn; damaged descriptors never crash.
#include <gtest/gtest.h>

#include <random>

#include "DrawTestSupport.h"
#include "TBitmapFont.h"
#include "TLabel.h"
#include "TestSupport.h"

namespace {

using namespace drawtest;

// Page 64 x 32: "A" a white 8 x 10 block at (0, 0), "B" at (10, 0), the euro
// sign at (20, 0); a blank with only an advance.
const char* const Glyphs =
    "char id=65   x=0    y=0    width=8   height=10  xoffset=0   yoffset=2   xadvance=9   "
    "page=0\r\n"
    "char id=66   x=10   y=0    width=8   height=12  xoffset=-1  yoffset=0   xadvance=10  "
    "page=0\n"
    "char id=8364 x=20   y=0    width=6   height=10  xoffset=1   yoffset=2   xadvance=7   "
    "page=0\n"
    "char id=32   x=0    y=20   width=0   height=0   xoffset=0   yoffset=0   xadvance=4   "
    "page=0";

std::string Descriptor(bool scaleLine) {
  std::string text = scaleLine ? "scaleF=2.00\n" : "";
  text += "info face=\"Test\" size=16 bold=0\n";
  text += "common lineHeight=16 base=13 scaleW=64   scaleH=32   pages=1\n";
  text += "page id=0 file=\"test.png\"\n";
  text += "chars count=4\n";
  return text + Glyphs;
}

class BitmapFontTest : public DrawTest {
 protected:
  // Writes the page and the descriptor under "font" in a temporary folder.
  std::shared_ptr<TBitmapFont> Load(const std::string& descriptor) {
    plat::TPixmap page(64, 32, 0);
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 28; ++x) page.WritePixel(x, y, 0xffffffff);
    }
    EXPECT_TRUE(plat::SavePixmapPNG(page, dir.File("font.png")));
    testsupport::WriteWholeFile(dir.File("font.fnt"), descriptor);
    return TBitmapFont::Create(dir.File("font"), 0, ".png");
  }
  testsupport::TempDir dir;
};

TEST_F(BitmapFontTest, EveryGlyphLineIsReadWithoutAKerningLine) {
  for (bool scaleLine : {false, true}) {
    auto font = Load(Descriptor(scaleLine));
    ASSERT_TRUE(font) << scaleLine;
    EXPECT_DOUBLE_EQ(font->ScaleFactor, scaleLine ? 2.0 : 1.0);
    EXPECT_DOUBLE_EQ(font->TextureW, 64);
    EXPECT_DOUBLE_EQ(font->TextureH, 32);
    EXPECT_EQ(font->NumChars, 4);
    EXPECT_DOUBLE_EQ(font->Glyph('B').xPos, 10.0 / 64);
    EXPECT_DOUBLE_EQ(font->Glyph('B').height, 12.0 / 32);
    EXPECT_DOUBLE_EQ(font->Glyph('B').xOffset, -1);
    EXPECT_DOUBLE_EQ(font->Glyph(' ').xAdvance, 4);  // the last line, no line end
    EXPECT_TRUE(font->HasGlyph(8364));
    EXPECT_DOUBLE_EQ(font->Glyph(8364).xAdvance, 7);
    EXPECT_FALSE(font->HasGlyph(8482));
    EXPECT_EQ(font->CalcVRAM(), 64 * 32 * 4);
  }
}

TEST_F(BitmapFontTest, WidthsAndHeightsFollowAdvancesGapsAndScale) {
  auto font = Load(Descriptor(true));
  ASSERT_TRUE(font);
  EXPECT_DOUBLE_EQ(font->StringWidth(""), 0);
  font->CharGap = 3;
  EXPECT_DOUBLE_EQ(font->StringWidth("A"), 9 * 2);
  EXPECT_DOUBLE_EQ(font->StringWidth("AB"), (9 + 3 + 10) * 2);
  EXPECT_DOUBLE_EQ(font->StringWidth("A\u20ac"), (9 + 3 + 7) * 2);
  // A character the font lacks has no advance.
  EXPECT_DOUBLE_EQ(font->StringWidth("\u2122"), 0);
  EXPECT_DOUBLE_EQ(font->StringHeight("AB"), (10 + 12) / 1.0 * 2);
  EXPECT_DOUBLE_EQ(font->StringHeight("ABA"), (10 + 12 + 10) / 2.0 * 2);
  font->CharGap = 0;
  EXPECT_EQ(font->TruncateString("ABAB", 19), "AB");
  // Cut between characters, never inside one.
  EXPECT_EQ(font->TruncateString("A\u20acA", 17), "A\u20ac");
  EXPECT_EQ(font->TruncateString("A\u20acA", 15), "A");
}

TEST_F(BitmapFontTest, GlyphsDrawAtTheirOffsetsAndAlignmentThreeDrawsNothing) {
  auto font = Load(Descriptor(false));
  ASSERT_TRUE(font);
  const uint32_t black = plat::ARGB(255, 0, 0, 0);
  font->DrawAligned("AB", 100, 100, 3, 1, 1, 0);
  EXPECT_EQ(CountLit(Grab(), 0, 0, 800, 600, black), 0);

  font->DrawAligned("A", 100, 100, 0, 1, 1, 0);
  TBox2 box;
  ASSERT_TRUE(LitBounds(Grab(), black, box));
  EXPECT_EQ(box.x0, 100);
  EXPECT_EQ(box.y0, 102);
  EXPECT_EQ(box.x1, 107);
  EXPECT_EQ(box.y1, 111);

  // Right-aligned: the text ends at its advance; the euro sign draws too.
  Clear(0, 0, 0);
  font->Draw("\u20acA", 300, 100, 0, 1, 1, 1, 0);
  ASSERT_TRUE(LitBounds(Grab(), black, box));
  EXPECT_EQ(box.x0, 300 - 16 + 1);
  EXPECT_EQ(box.x1, 300 - 16 + 7 + 7);
}

TEST_F(BitmapFontTest, ShadowedDrawingPutsADarkerCopyAtTheOffset) {
  auto font = Load(Descriptor(false));
  ASSERT_TRUE(font);
  Clear(128, 128, 128);
  SetTextShadow(10, 0, 0.5f);
  font->DrawAlignedWithShadow("A", 100, 100, 0, 1, 1);
  plat::TPixmap pix = Grab();
  EXPECT_EQ(pix.ReadPixel(103, 105), plat::ARGB(255, 255, 255, 255));
  EXPECT_NEAR(Red(pix.ReadPixel(113, 105)), 64, 2);
  EXPECT_DOUBLE_EQ(plat::GetAlpha(), 1.0);
}

TEST_F(BitmapFontTest, ALabelOnABitmapFontMeasuresAndDrawsWithIt) {
  auto font = Load(Descriptor(false));
  ASSERT_TRUE(font);
  auto label = TLabel::CreateSpecial("AAA", 400, 200, 1);
  label->BitmapFont = font;
  EXPECT_FLOAT_EQ(label->CalcWidth(), 27);
  label->Draw();
  TBox2 box;
  ASSERT_TRUE(LitBounds(Grab(), plat::ARGB(255, 0, 0, 0), box));
  EXPECT_NEAR((box.x0 + box.x1 + 1) / 2.0, 400, 1.5);
}

TEST_F(BitmapFontTest, DamagedDescriptorsGiveAFontOrNoneNeverACrash) {
  // Truncated before the page size: no font.
  EXPECT_FALSE(Load("info face=x\ncommon lineHeight=16 scal"));
  EXPECT_FALSE(Load(""));
  // A zero page size would divide by zero.
  EXPECT_FALSE(Load("info\ncommon scaleW=0 scaleH=0\n"));
  // Huge and negative numbers, many large codes.
  std::string many = "info\ncommon scaleW=99999999 scaleH=-5\n";
  EXPECT_FALSE(Load(many));
  many = "info\ncommon scaleW=64 scaleH=32\n";
  for (int i = 0; i < 400; ++i) {
    many += "char id=" + std::to_string(1000 + i) +
            " x=99999999 y=-99999 width=999999 "
            "height=-1 xoffset=77777 yoffset=x xadvance=\n";
  }
  many += "char id=-5 x=1\nchar id=65";
  auto font = Load(many);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->NumChars, 401);
  EXPECT_TRUE(font->HasGlyph(1399));  // no limit on codes above 255
  font->DrawAligned("A\xff", 10, 10, 0, 1, 1, 1);
  font->Draw("\u03e8\u0400", 10, 10, 0, 0, 0, 0, 1);

  std::mt19937 rng(3);
  for (int round = 0; round < 200; ++round) {
    std::string garbage = "info\ncommon scaleW=64 scaleH=32\n";
    int n = int(rng() % 400);
    for (int i = 0; i < n; ++i) garbage += char(rng() % 256);
    auto f = Load(garbage);
    if (f) f->DrawAligned("ABC", 10, 10, 1, 1, 1, 1);
  }
}

}  // namespace
