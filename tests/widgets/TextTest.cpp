// Text on the headless display: the drop shadow, alignment, word wrap,
// labels and letters beyond ASCII, read back from the pixels.
#include <gtest/gtest.h>

#include "DrawTestSupport.h"
#include "TLabel.h"
#include "TextDraw.h"

namespace {

using namespace drawtest;

class TextTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    face = Face(34);
    plat::SetImageFont(face);
  }
  void TearDown() override {
    face.reset();
    DrawTest::TearDown();
  }
  plat::TFontPtr face;
};

const uint32_t Grey = plat::ARGB(255, 128, 128, 128);

// Pixels where the text alone is solid red, and where the shadowed form has
// only its shadow (the text alone leaves the background there).
TEST_F(TextTest, ShadowIsBlackAtTheOffsetAtShadowAlphaTimesTextAlphaThenTheText) {
  for (float textAlpha : {1.0f, 0.5f}) {
    Clear(128, 128, 128);
    plat::SetColor(255, 0, 0);
    plat::SetAlpha(1);
    plat::DrawText("IH", 100, 100);
    plat::TPixmap plain = Grab();

    Clear(128, 128, 128);
    SetTextShadow(4, 3, 0.5f);
    SetTextAlpha(textAlpha);
    plat::SetBlend(plat::LIGHTBLEND);
    DrawTextWithShadow(100, 100, "IH", 0);
    EXPECT_EQ(plat::GetBlend(), plat::LIGHTBLEND);
    plat::SetBlend(plat::ALPHABLEND);
    plat::TPixmap shadowed = Grab();

    int expected = int(128 * (1 - 0.5f * textAlpha));
    int checked = 0;
    for (int y = 90; y < 160; ++y) {
      for (int x = 90; x < 200; ++x) {
        bool textHere = plain.ReadPixel(x, y) != Grey;
        bool solidAtOffset = plain.ReadPixel(x - 4, y - 3) == plat::ARGB(255, 255, 0, 0);
        if (textHere || !solidAtOffset) continue;
        ++checked;
        EXPECT_NEAR(Red(shadowed.ReadPixel(x, y)), expected, 2) << x << "," << y;
        EXPECT_NEAR(Green(shadowed.ReadPixel(x, y)), expected, 2) << x << "," << y;
      }
    }
    EXPECT_GT(checked, 20);
    // The text itself is drawn over its shadow in the colour in force.
    int textRed = CountPixels(shadowed, 90, 90, 200, 160,
                              [&](uint32_t p) { return Red(p) > 180 && Green(p) < 100; });
    EXPECT_GT(textRed, 20);
  }
}

TEST_F(TextTest, CentredAndRightAlignedLinesSitOnTheirAnchor) {
  const uint32_t black = plat::ARGB(255, 0, 0, 0);
  TBox2 box;
  DrawTextLine("Centred text", 400, 100, 0, 1, 1);
  ASSERT_TRUE(LitBounds(Grab(), black, box));
  EXPECT_NEAR((box.x0 + box.x1) / 2.0, 400, 3);

  Clear(0, 0, 0);
  DrawTextLine("Right", 600, 100, 0, 2, 1);
  ASSERT_TRUE(LitBounds(Grab(), black, box));
  EXPECT_LE(box.x1, 600);
  EXPECT_GE(box.x1, 594);

  // Scaled up, a centred line stays centred and grows about its middle row.
  Clear(0, 0, 0);
  plat::SetScale(2, 2);
  DrawTextLine("Centred text", 400, 300, 0, 1, 1);
  plat::SetScale(1, 1);
  ASSERT_TRUE(LitBounds(Grab(), black, box));
  EXPECT_NEAR((box.x0 + box.x1) / 2.0, 400, 4);
  EXPECT_LT(box.y0, 300);
}

TEST_F(TextTest, SplitLinesCutsAtLineEndsAndDropsCarriageReturns) {
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(SplitLines("one\r\ntwo\n\nfour"), (std::vector<std::string>{"one", "two", "", "four"}));
}

TEST_F(TextTest, WordWrapFillsLinesToTheWidth) {
  float seven = TextLineWidth("abc abc", nullptr);
  std::vector<std::string> two = {"abc abc", "abc"};
  EXPECT_EQ(WrapLines({"abc abc abc"}, seven, nullptr, 1), two);
  // Runs of blanks separate words like one blank: nothing is dropped.
  EXPECT_EQ(WrapLines({"abc  abc   abc"}, seven, nullptr, 1), two);
  EXPECT_EQ(WrapLines({"one   two three"}, 2000, nullptr, 1),
            (std::vector<std::string>{"one two three"}));
  // Scale counts: at half size everything fits.
  EXPECT_EQ(WrapLines({"abc abc abc"}, seven, nullptr, 0.5f),
            (std::vector<std::string>{"abc abc abc"}));
  // A word wider than the width stands alone, unbroken; empty lines stay.
  EXPECT_EQ(WrapLines({"a extraordinarily b", ""}, TextLineWidth("a b", nullptr), nullptr, 1),
            (std::vector<std::string>{"a", "extraordinarily", "b", ""}));
}

TEST_F(TextTest, TooLongATextLosesWholeCharactersForAnEllipsis) {
  const std::string name = "Дмитрий Ωμέγα";
  EXPECT_EQ(FitTextToWidth(name, 2000), name);
  float room = TextLineWidth("Дмитрий Ω\u2026", nullptr);
  EXPECT_EQ(FitTextToWidth(name, room), "Дмитрий Ω\u2026");
  EXPECT_EQ(FitTextToWidth(name, room - 1), "Дмитрий \u2026");
  // Cyrillic words wrap at their blanks like any others.
  float one = TextLineWidth("Жук", nullptr);
  EXPECT_EQ(WrapLines({"Жук Жук"}, one, nullptr, 1), (std::vector<std::string>{"Жук", "Жук"}));
}

TEST_F(TextTest, TheSecondWidthAppliesFromTheGivenLineOn) {
  float one = TextLineWidth("abc", nullptr);
  float three = TextLineWidth("abc abc abc", nullptr);
  EXPECT_EQ(WrapLines({"abc abc abc abc abc abc abc"}, one, nullptr, 1, three, 2),
            (std::vector<std::string>{"abc", "abc", "abc abc abc", "abc abc"}));
}

TEST_F(TextTest, ALabelWithoutWordWrapDrawsOneLineHoweverLong) {
  auto label = TLabel::CreateSpecial(
      "This label runs on and on, well past the right edge of the display, without a single "
      "break anywhere in it",
      10, 100);
  label->ImageFont = Face(20);
  label->CalcSize();
  EXPECT_GT(label->W, 800);
  EXPECT_EQ(label->Draw(), 1);
  TBox2 box;
  ASSERT_TRUE(LitBounds(Grab(), plat::ARGB(255, 0, 0, 0), box));
  EXPECT_GE(box.y0, 100);
  EXPECT_LE(box.y1, 100 + label->H);
  EXPECT_GE(box.x1, 790);
}

TEST_F(TextTest, AWordWrappedLabelDrawsItsLinesOneLineGapApart) {
  auto label =
      TLabel::CreateSpecial("one two three four five six seven eight nine ten", 400, 100, 1, 160);
  label->ImageFont = Face(20);
  label->PreCalcWordWrap();
  ASSERT_GE(label->TotalLines, 3);
  EXPECT_EQ(label->LineGap, plat::FontHeight(*label->ImageFont));
  EXPECT_FLOAT_EQ(label->H, float(label->TotalLines * label->LineGap));
  EXPECT_FLOAT_EQ(label->CalcHeight(), label->H);
  label->Draw();
  TBox2 box;
  ASSERT_TRUE(LitBounds(Grab(), plat::ARGB(255, 0, 0, 0), box));
  EXPECT_GE(box.x0, 400 - 80 - 2);
  EXPECT_LE(box.x1, 400 + 80 + 2);
  EXPECT_GT(box.y1, 100 + (label->TotalLines - 1) * label->LineGap);
  EXPECT_LE(box.y1, 100 + label->H);
}

TEST_F(TextTest, ALabelDrawsInItsColourAndRestoresTheDrawingState) {
  auto label = TLabel::CreateSpecial("Colour", 100, 100);
  label->ImageFont = Face(34);
  label->Color = TColor::Create(0, 255, 0, 1);
  label->Scale = 2;
  plat::SetScale(1, 1);
  label->Visible = 0;
  EXPECT_EQ(label->Draw(), 0);
  label->Visible = 1;
  EXPECT_EQ(label->Draw(), 1);
  plat::TPixmap pix = Grab();
  EXPECT_GT(CountPixels(pix, 0, 0, 800, 600, [](uint32_t p) { return Green(p) > 200; }), 50);
  EXPECT_EQ(CountPixels(pix, 0, 0, 800, 600, [](uint32_t p) { return Red(p) > 30; }), 0);
  int r, g, b;
  plat::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_DOUBLE_EQ(plat::GetAlpha(), 1.0);
  double sx, sy;
  plat::GetScale(sx, sy);
  EXPECT_DOUBLE_EQ(sx, 1.0);
  EXPECT_DOUBLE_EQ(sy, 1.0);

  label->Scale = 1;
  label->AutoScale(50);
  EXPECT_LT(label->Scale, 1);
  EXPECT_NEAR(label->CalcWidth(), 50, 0.01);
}

// Each accented letter draws its accent above the plain letter's top.
TEST_F(TextTest, AccentedLatinGreekAndCyrillicLettersDrawGlyphsNotBoxes) {
  const uint32_t black = plat::ARGB(255, 0, 0, 0);
  for (auto [plain, accented] : {std::pair{"e", "é"}, std::pair{"o", "ö"}, std::pair{"n", "ñ"},
                                 std::pair{"c", "č"}, std::pair{"E", "Ё"}, std::pair{"ε", "έ"}}) {
    Clear(0, 0, 0);
    plat::DrawText(plain, 100, 100);
    TBox2 plainBox;
    ASSERT_TRUE(LitBounds(Grab(), black, plainBox));
    Clear(0, 0, 0);
    plat::DrawText(accented, 100, 100);
    TBox2 accentBox;
    ASSERT_TRUE(LitBounds(Grab(), black, accentBox)) << accented;
    EXPECT_LT(accentBox.y0, plainBox.y0 - 2) << accented;
    EXPECT_EQ(accentBox.y1, plainBox.y1) << accented;
  }
}

}  // namespace
