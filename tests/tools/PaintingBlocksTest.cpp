// The drawing and texture building blocks every painter relies on.
#include <gtest/gtest.h>

#include <cmath>

#include "Canvas.h"
#include "Encoders.h"
#include "Noise.h"
#include "Platform.h"
#include "Walls.h"

using datagen::Picture;

namespace {

Picture Solid(int w, int h, uint32_t premultiplied) {
  Picture p(w, h);
  for (auto& v : p.pixels) v = premultiplied;
  return p;
}

uint32_t Channel(uint32_t p, int shift) { return p >> shift & 255; }

}  // namespace

TEST(Canvas, SupersampledShadingAveragesDownToThePictureSize) {
  datagen::Canvas canvas(4, 2, 3);
  // Opaque left of x = 1.6, transparent right of it: inside pixel 1, whose
  // sub-columns sit at 1.17, 1.5 and 1.83.
  canvas.Shade([](double x, double) {
    return datagen::Canvas::Texel{datagen::Hex(0xffffff), x < 1.6 ? 1.0 : 0.0};
  });
  Picture p = canvas.Result();
  ASSERT_EQ(p.width, 4);
  ASSERT_EQ(p.height, 2);
  EXPECT_EQ(p.AlphaAt(0, 0), 255);
  EXPECT_NEAR(p.AlphaAt(1, 0), 255 * 2 / 3.0, 1);  // two of three sub-columns covered
  EXPECT_EQ(p.AlphaAt(2, 1), 0);
}

TEST(Canvas, CompositingFollowsPremultipliedOver) {
  Picture under = Solid(2, 2, 0xff0000ffu);    // opaque blue
  Composite(under, Solid(2, 2, 0x80800000u));  // half-transparent red
  uint32_t p = under.At(0, 0);
  EXPECT_EQ(Channel(p, 24), 255u);
  EXPECT_NEAR(double(Channel(p, 16)), 128, 1);
  EXPECT_NEAR(double(Channel(p, 0)), 127, 1);
  Picture clear = Solid(2, 2, 0);
  Composite(clear, Solid(2, 2, 0));
  EXPECT_EQ(clear.At(1, 1), 0u);
  // Light adds up and never overflows.
  Picture lit = Solid(1, 1, 0xffc0c0c0u);
  AddLight(lit, Solid(1, 1, 0xffc0c0c0u));
  EXPECT_EQ(lit.At(0, 0), 0xffffffffu);
}

TEST(Canvas, BlurSpreadsWithoutLosingCoverage) {
  Picture dot(41, 41);
  dot.pixels[20 * 41 + 20] = 0xffffffffu;
  Picture b = datagen::Blur(dot, 6);
  double total = 0;
  for (uint32_t p : b.pixels) total += p >> 24;
  EXPECT_NEAR(total, 255, 25);  // rounding loses a little
  EXPECT_GT(b.AlphaAt(20, 20), b.AlphaAt(24, 20));
  EXPECT_EQ(b.AlphaAt(16, 20), b.AlphaAt(24, 20));  // symmetric
  EXPECT_EQ(b.AlphaAt(0, 0), 0);
}

TEST(Encoders, PngKeepsStraightColourAndAvoidsTheMaskColours) {
  Picture p(3, 1);
  p.pixels[0] = 0xffff00ffu;  // opaque magenta: the load-time mask colour
  p.pixels[1] = 0xff000000u;  // opaque black: the other mask colour
  p.pixels[2] = 0x80402010u;  // half-transparent, premultiplied
  datagen::Bytes png = datagen::EncodePng(p);
  plat::TMemoryStream stream(png);
  auto decoded = plat::LoadPixmap(stream);
  ASSERT_NE(decoded, nullptr);
  uint32_t magenta = decoded->ReadPixel(0, 0), black = decoded->ReadPixel(1, 0);
  EXPECT_NE(magenta & 0xffffff, 0xff00ffu);
  EXPECT_NEAR(double(Channel(magenta, 16)), 255, 1);
  EXPECT_NE(black & 0xffffff, 0u);
  EXPECT_LE(Channel(black, 16), 2u);
  uint32_t half = decoded->ReadPixel(2, 0);
  EXPECT_EQ(Channel(half, 24), 0x80u);
  EXPECT_NEAR(double(Channel(half, 16)), 0x80, 1);  // 0x40 premultiplied by one half
}

TEST(Encoders, JpegDecodesAtItsSize) {
  datagen::Bytes jpg = datagen::EncodeJpeg(Solid(64, 48, 0xff304060u), 92);
  plat::TMemoryStream stream(jpg);
  auto decoded = plat::LoadPixmap(stream);
  ASSERT_NE(decoded, nullptr);
  EXPECT_EQ(decoded->width, 64);
  EXPECT_EQ(decoded->height, 48);
  EXPECT_NEAR(double(Channel(decoded->ReadPixel(10, 10), 0)), 0x60, 3);
}

TEST(Noise, PeriodicNoiseWrapsExactly) {
  for (double y : {0.3, 1.7, 2.9}) {
    for (double x : {0.1, 0.55, 3.25}) {
      EXPECT_NEAR(datagen::ValueNoise(x, y, 7, 4), datagen::ValueNoise(x + 4, y, 7, 4), 1e-12);
      EXPECT_NEAR(datagen::ValueNoise(x, y, 7, 4), datagen::ValueNoise(x, y - 8, 7, 4), 1e-12);
      EXPECT_NEAR(datagen::Fbm(x, y, 3, 4, 0.5, 3), datagen::Fbm(x + 3, y, 3, 4, 0.5, 3), 1e-12);
      EXPECT_NEAR(datagen::Turbulence(x, y, 5, 3, 2), datagen::Turbulence(x, y + 2, 5, 3, 2),
                  1e-12);
      auto a = datagen::Worley(x, y, 9, 4), b = datagen::Worley(x + 4, y + 4, 9, 4);
      EXPECT_NEAR(a.f1, b.f1, 1e-12);
      EXPECT_NEAR(a.f2, b.f2, 1e-12);
      EXPECT_EQ(a.id, b.id);
    }
  }
  EXPECT_NE(datagen::ValueNoise(0.5, 0.5, 7), datagen::ValueNoise(0.5, 0.5, 8));
}

TEST(Noise, SeededChanceRepeatsAndStaysInRange) {
  datagen::Rng a(42), b(42), c(43);
  bool sawLow = false, sawHigh = false;
  for (int i = 0; i < 2000; ++i) {
    int v = a.Int(1, 6);
    EXPECT_EQ(v, b.Int(1, 6));
    EXPECT_GE(v, 1);
    EXPECT_LE(v, 6);
    sawLow |= v == 1;
    sawHigh |= v == 6;
    double u = c.Uniform();
    EXPECT_GE(u, 0.0);
    EXPECT_LT(u, 1.0);
  }
  EXPECT_TRUE(sawLow && sawHigh);  // both ends are reachable
}

TEST(Text, LettersOfLatinGreekAndCyrillicHaveTheirGlyphs) {
  for (const char* letter : {"é", "Ł", "Ω", "Ж"}) {
    EXPECT_GT(datagen::TextWidth(datagen::Face::Regular, 20, letter), 3) << letter;
  }
  // What the face lacks is found, each character once (the data build
  // refuses a text with such a character).
  EXPECT_EQ(datagen::CharactersWithoutGlyph(datagen::Face::Bold, "Plein\u00a0: oui\u00a0Ж\u202f!"),
            U"\u00a0");
  EXPECT_TRUE(
      datagen::CharactersWithoutGlyph(datagen::Face::Regular, "«\u202fÉ…\u202f»\n").empty());
  EXPECT_GT(datagen::TextWidth(datagen::Face::Bold, 20, "WW"),
            datagen::TextWidth(datagen::Face::Bold, 20, "ii"));
}

TEST(Walls, ATileWithoutPlayingNeighboursIsEmptyAndRimsFaceThePlay) {
  Picture none = datagen::PaintWall(0);
  for (uint32_t p : none.pixels) ASSERT_EQ(p >> 24, 0u);
  // "wall-top": rock along the top edge, where the playing cell is, and none
  // far below it.
  Picture top = datagen::PaintWall(datagen::kWallT);
  EXPECT_EQ(top.AlphaAt(18, 1), 255);
  EXPECT_EQ(top.AlphaAt(18, 34), 0);
}
