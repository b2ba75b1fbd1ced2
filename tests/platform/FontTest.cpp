// TrueType text: metrics of a real face, and the pixels it puts down.
#include <gtest/gtest.h>

#include "HeadlessDisplay.h"
#include "TestSupport.h"

using namespace plat;

namespace {

const char* const kCarlito = "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf";

class FontTest : public gfxtest::HeadlessDisplay {
 protected:
  // The rows and columns of the display that differ from black.
  struct TInk {
    int left = 800, top = 600, right = -1, bottom = -1, count = 0;
  };
  static TInk Ink() {
    TInk ink;
    auto all = GrabPixmap(0, 0, 800, 600);
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) {
        if ((all->ReadPixel(x, y) & 0xFFFFFFu) == 0) continue;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
        ++ink.count;
      }
    return ink;
  }
};

TEST_F(FontTest, TrueTypeFaceHasItsSizeAndDrawsInsideItsBox) {
  auto font = LoadImageFont(kCarlito, 30);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->size, 30);
  SetImageFont(font);
  EXPECT_EQ(GetImageFont(), font);
  double height = TextHeight("Hg");
  EXPECT_EQ(height, FontHeight(*font));
  EXPECT_GE(height, 30);
  EXPECT_LE(height, 45);
  double width = TextWidth("Gleam");
  EXPECT_GT(width, 40);
  EXPECT_LT(width, 150);
  EXPECT_EQ(TextWidth(""), 0);
  EXPECT_EQ(TextWidth("GleamGleam"), 2 * width);  // the sum of the advances

  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  DrawText("Gleam", 100, 200);
  TInk ink = Ink();
  EXPECT_GT(ink.count, 100);
  EXPECT_GE(ink.left, 100);
  EXPECT_LE(ink.right, 100 + width);
  EXPECT_GE(ink.top, 200);
  EXPECT_LE(ink.bottom, 200 + height);
  EXPECT_GT(ink.bottom - ink.top, 15);  // capitals reach well up
}

TEST_F(FontTest, GreekCyrillicAndTheSpacesOfOtherLanguagesHaveTheirGlyphs) {
  auto font = LoadImageFont(kCarlito, 30);
  ASSERT_TRUE(font);
  SetImageFont(font);
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  // Each letter has a width and puts ink down.
  for (const char* letter : {"Ж", "Ω", "ł", "€", "…", "«"}) {
    Cls();
    EXPECT_GT(TextWidth(letter), 5) << letter;
    DrawText(letter, 100, 100);
    EXPECT_GT(Ink().count, 10) << letter;
  }
  // The no-break space the face lacks is a space: no ink, a space's width.
  Cls();
  DrawText("\u00a0", 100, 100);
  EXPECT_EQ(Ink().count, 0);
  EXPECT_EQ(TextWidth("a\u00a0b"), TextWidth("a b"));
  EXPECT_GT(TextWidth("\u202f"), 0);  // the narrow one French uses
  EXPECT_LT(TextWidth("\u202f"), TextWidth(" ") + 0.5);
}

TEST_F(FontTest, TextTakesTheColourAndTheTransform) {
  auto font = LoadImageFont(kCarlito, 40, false);  // unsmoothed: pure colour
  ASSERT_TRUE(font);
  SetImageFont(font);
  SetBlend(ALPHABLEND);
  SetColor(0, 255, 0);
  DrawText("I", 100, 100);
  auto all = GrabPixmap(0, 0, 800, 600);
  int green = 0, other = 0;
  for (uint32_t p : all->pixels) {
    if ((p & 0xFFFFFFu) == 0) continue;
    (p & 0xFFFFFFu) == 0x00FF00u ? ++green : ++other;
  }
  EXPECT_GT(green, 50);
  EXPECT_EQ(other, 0);

  // Turned 90 degrees the tall "I" lies down, to the left of the point.
  Cls();
  SetRotation(90);
  DrawText("I", 400, 300);
  SetRotation(0);
  TInk ink = Ink();
  EXPECT_GT(ink.count, 50);
  EXPECT_LE(ink.right, 400);
  EXPECT_GT(ink.right - ink.left, ink.bottom - ink.top);
}

TEST_F(FontTest, FontsLoadFromBytesAndBadFontsGiveNull) {
  std::string file = testsupport::ReadWholeFile(kCarlito);
  ASSERT_FALSE(file.empty());
  std::vector<uint8_t> bytes(file.begin(), file.end());
  EXPECT_TRUE(LoadImageFont(bytes, 12));
  EXPECT_EQ(LoadImageFont(bytes, 0), nullptr);
  EXPECT_EQ(LoadImageFont(std::vector<uint8_t>{1, 2, 3, 4}, 12), nullptr);
  EXPECT_EQ(LoadImageFont(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 200), 12), nullptr);
  EXPECT_EQ(LoadImageFont("/nonexistent/face.ttf", 12), nullptr);
}

TEST_F(FontTest, WithoutAFontTheDefaultFaceDraws) {
  SetImageFont(nullptr);
  ASSERT_TRUE(GetImageFont());
  EXPECT_GT(TextWidth("abc"), 0);
  SetBlend(ALPHABLEND);
  DrawText("abc", 10, 10);
  EXPECT_GT(Ink().count, 10);
}

}  // namespace
