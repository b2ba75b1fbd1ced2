// Drawing on the headless backend, read back pixel by pixel.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "HeadlessDisplay.h"
#include "ImageImpl.h"

using namespace plat;
using gfxtest::Near;
using gfxtest::SolidImage;

namespace {

class DrawTest : public gfxtest::HeadlessDisplay {
 protected:
  void Background(int r, int g, int b) {
    SetClsColor(r, g, b);
    Cls();
  }
  // Pixels in [x0, x1) x [y0, y1) whose colour differs from black.
  static int LitPixels(int x0, int y0, int x1, int y1) {
    auto grab = GrabPixmap(x0, y0, x1 - x0, y1 - y0);
    int lit = 0;
    for (uint32_t p : grab->pixels) lit += (p & 0xFFFFFFu) != 0;
    return lit;
  }
  static bool Lit(int x, int y) { return (Pixel(x, y) & 0xFFFFFFu) != 0; }
};

TEST_F(DrawTest, AlphaIsClampedWhenSet) {
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetAlpha(1.5);
  EXPECT_DOUBLE_EQ(GetAlpha(), 1.0);
  DrawRect(10, 10, 4, 4);
  EXPECT_TRUE(Near(Pixel(11, 11), 255, 255, 255, 0));

  SetAlpha(-0.2);
  EXPECT_DOUBLE_EQ(GetAlpha(), 0.0);
  DrawRect(20, 20, 4, 4);
  auto white = SolidImage(4, 4, 0xFFFFFFFFu);
  DrawImage(*white, 30, 30);
  EXPECT_TRUE(Near(Pixel(21, 21), 0, 0, 0, 0));
  EXPECT_TRUE(Near(Pixel(31, 31), 0, 0, 0, 0));
}

struct TBlendCase {
  int mode;
  int r, g, b;  // expected over (100, 150, 200) for colour (200, 100, 50) at alpha 0.5
};

TEST_F(DrawTest, BlendModesOfShapesAndImagesGiveTheExpectedColours) {
  const TBlendCase cases[] = {
      {SOLIDBLEND, 200, 100, 50}, {ALPHABLEND, 150, 125, 125}, {LIGHTBLEND, 200, 200, 225},
      {SHADEBLEND, 78, 59, 39},   {99, 200, 100, 50},  // unknown modes draw as solid
  };
  auto white = SolidImage(8, 8, 0xFFFFFFFFu);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    Background(100, 150, 200);
    SetBlend(c.mode);
    SetColor(200, 100, 50);
    SetAlpha(0.5);
    DrawRect(10, 10, 8, 8);
    DrawImage(*white, 40, 40);
    DrawOval(60, 10, 8, 8);
    DrawLine(80, 10, 90, 10);
    Plot(100, 10);
    EXPECT_TRUE(Near(Pixel(13, 13), c.r, c.g, c.b));
    EXPECT_TRUE(Near(Pixel(43, 43), c.r, c.g, c.b));
    EXPECT_TRUE(Near(Pixel(64, 14), c.r, c.g, c.b));
    EXPECT_TRUE(Near(Pixel(85, 10), c.r, c.g, c.b));
    EXPECT_TRUE(Near(Pixel(100, 10), c.r, c.g, c.b));
    EXPECT_TRUE(Near(Pixel(30, 30), 100, 150, 200, 0));
  }
  EXPECT_EQ(GetBlend(), 99);
}

TEST_F(DrawTest, MaskModeDrawsOnlyPixelsOfAlphaHalfOrMore) {
  // Left column alpha 0.49, right column alpha 0.5 (both red).
  TPixmap pixels(2, 1);
  pixels.WritePixel(0, 0, ARGB(125, 255, 0, 0));
  pixels.WritePixel(1, 0, ARGB(128, 255, 0, 0));
  auto image = LoadImageFromPixmap(pixels, 0);
  Background(0, 0, 255);
  SetBlend(MASKBLEND);
  SetColor(255, 255, 255);
  SetAlpha(1);
  DrawImage(*image, 10, 10);
  EXPECT_TRUE(Near(Pixel(10, 10), 0, 0, 255, 0));
  EXPECT_TRUE(Near(Pixel(11, 10), 255, 0, 0, 0));  // drawn unblended

  // The drawing alpha counts too.
  auto opaque = SolidImage(4, 4, 0xFF00FF00u);
  SetAlpha(0.49);
  DrawImage(*opaque, 20, 20);
  DrawRect(30, 30, 4, 4);
  EXPECT_TRUE(Near(Pixel(21, 21), 0, 0, 255, 0));
  EXPECT_TRUE(Near(Pixel(31, 31), 0, 0, 255, 0));
  SetAlpha(0.5);
  DrawImage(*opaque, 20, 20);
  DrawRect(30, 30, 4, 4);
  EXPECT_TRUE(Near(Pixel(21, 21), 0, 255, 0, 0));
  EXPECT_TRUE(Near(Pixel(31, 31), 255, 255, 255, 0));
}

TEST_F(DrawTest, ColourAndAlphaModulateImages) {
  auto grey = SolidImage(4, 4, ARGB(255, 200, 200, 200));
  SetBlend(SOLIDBLEND);
  SetColor(255, 128, 0);
  DrawImage(*grey, 10, 10);
  EXPECT_TRUE(Near(Pixel(11, 11), 200, 100, 0));

  TPixmap half(4, 4, ARGB(128, 255, 255, 255));
  auto translucent = LoadImageFromPixmap(half, 0);
  Background(0, 0, 0);
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetAlpha(0.5);
  DrawImage(*translucent, 10, 10);  // 0.5 x 0.5 of white
  EXPECT_TRUE(Near(Pixel(11, 11), 64, 64, 64));
}

TEST_F(DrawTest, RotationTurnsClockwiseAboutTheHandle) {
  // 10 x 20, top half red, bottom half blue, turned 90 degrees about its
  // centre at (100, 100): 20 wide, 10 high, red on the right.
  TPixmap pixels(10, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 10; ++x) pixels.WritePixel(x, y, y < 10 ? 0xFFFF0000u : 0xFF0000FFu);
  auto image = LoadImageFromPixmap(pixels, 0);
  MidHandleImage(*image);
  SetBlend(SOLIDBLEND);
  SetRotation(90);
  DrawImage(*image, 100, 100);
  SetRotation(0);

  EXPECT_EQ(LitPixels(80, 80, 120, 120), 200);
  EXPECT_EQ(LitPixels(90, 95, 110, 105), 200);
  EXPECT_TRUE(Near(Pixel(108, 100), 255, 0, 0, 0));
  EXPECT_TRUE(Near(Pixel(91, 100), 0, 0, 255, 0));
}

TEST_F(DrawTest, ScaleStretchesAboutTheHandle) {
  auto image = SolidImage(10, 20, 0xFFFFFFFFu);
  SetBlend(SOLIDBLEND);
  SetScale(2, 3);
  double sx = 0, sy = 0;
  GetScale(sx, sy);
  EXPECT_EQ(sx, 2);
  EXPECT_EQ(sy, 3);
  SetImageHandle(*image, 5, 10);  // the centre stays at the drawing position
  DrawImage(*image, 100, 100);
  SetScale(1, 1);
  EXPECT_EQ(LitPixels(60, 50, 140, 150), 20 * 60);
  EXPECT_EQ(LitPixels(90, 70, 110, 130), 20 * 60);
}

TEST_F(DrawTest, RotatedAndScaledTogetherUseOneMatrix) {
  auto image = SolidImage(10, 4, 0xFFFFFFFFu);
  SetBlend(SOLIDBLEND);
  SetTransform(90, 2, 1);  // 20 long, turned to point down
  DrawImage(*image, 200, 200);
  SetTransform(0, 1, 1);
  EXPECT_EQ(GetRotation(), 0);
  // Handle at 0,0: x from 196 to 200, y from 200 to 220.
  EXPECT_EQ(LitPixels(190, 190, 230, 230), 80);
  EXPECT_EQ(LitPixels(196, 200, 200, 220), 80);
}

TEST_F(DrawTest, OriginMovesAndViewportClipsEverything) {
  SetBlend(SOLIDBLEND);
  SetOrigin(10, 20);
  DrawRect(0, 0, 5, 5);
  Plot(100, 100);
  SetOrigin(0, 0);
  EXPECT_EQ(LitPixels(0, 0, 40, 40), 25);
  EXPECT_TRUE(Lit(10, 20));
  EXPECT_TRUE(Lit(14, 24));
  EXPECT_TRUE(Lit(110, 120));

  Cls();
  SetViewport(100, 100, 50, 40);
  int x, y, w, h;
  GetViewport(x, y, w, h);
  EXPECT_EQ(w, 50);
  DrawRect(0, 0, 800, 600);
  DrawImage(*SolidImage(300, 300, 0xFFFFFFFFu), 0, 0);
  SetViewport(0, 0, 800, 600);
  EXPECT_EQ(LitPixels(0, 0, 800, 600), 50 * 40);
  EXPECT_TRUE(Lit(100, 100));
  EXPECT_TRUE(Lit(149, 139));
  EXPECT_FALSE(Lit(150, 139));
}

TEST_F(DrawTest, LinesWithAndWithoutTheirLastPixel) {
  SetBlend(SOLIDBLEND);
  DrawLine(10, 10, 20, 10, true);
  EXPECT_EQ(LitPixels(0, 0, 40, 40), 11);
  EXPECT_TRUE(Lit(20, 10));

  Cls();
  DrawLine(10, 10, 20, 10, false);
  EXPECT_EQ(LitPixels(0, 0, 40, 40), 10);
  EXPECT_TRUE(Lit(10, 10));
  EXPECT_FALSE(Lit(20, 10));

  Cls();
  DrawLine(50, 50, 60, 60);  // a diagonal is one pixel per step
  EXPECT_EQ(LitPixels(40, 40, 70, 70), 11);
  EXPECT_TRUE(Lit(55, 55));

  Cls();
  SetLineWidth(4);
  DrawLine(100, 100, 140, 100);
  SetLineWidth(1);
  EXPECT_TRUE(Lit(120, 98));
  EXPECT_TRUE(Lit(120, 101));
  EXPECT_FALSE(Lit(120, 104));
}

TEST_F(DrawTest, FilledOvalStaysInsideItsBox) {
  SetBlend(SOLIDBLEND);
  DrawOval(100, 100, 40, 20);
  EXPECT_TRUE(Lit(120, 110));
  EXPECT_TRUE(Lit(102, 110));
  EXPECT_TRUE(Lit(120, 101));
  EXPECT_FALSE(Lit(101, 101));  // the box's corners are outside
  EXPECT_FALSE(Lit(138, 118));
  EXPECT_EQ(LitPixels(0, 0, 300, 300), LitPixels(100, 100, 140, 120));
  // About pi * 20 * 10 pixels.
  EXPECT_NEAR(LitPixels(100, 100, 140, 120), 628, 20);

  // Turned a quarter about its top-left corner it stands 20 wide, 40 high.
  Cls();
  SetRotation(90);
  DrawOval(300, 100, 40, 20);
  SetRotation(0);
  EXPECT_NEAR(LitPixels(0, 0, 400, 300), 628, 20);
  EXPECT_EQ(LitPixels(280, 100, 300, 140), LitPixels(0, 0, 400, 300));
  EXPECT_TRUE(Lit(290, 120));
}

TEST_F(DrawTest, OutlinedRectangleLeavesItsInsideAlone) {
  SetBlend(SOLIDBLEND);
  DrawRect(10, 10, 20, 10, false);
  EXPECT_TRUE(Lit(10, 10));
  EXPECT_TRUE(Lit(29, 19));
  EXPECT_FALSE(Lit(20, 15));
  EXPECT_EQ(LitPixels(0, 0, 50, 50), 2 * 20 + 2 * 8);
}

TEST_F(DrawTest, StretchedSubRectangleAndFrameRectDraws) {
  // A 2 x 2 picture: red, green / blue, white.
  TPixmap pixels(2, 2);
  pixels.WritePixel(0, 0, 0xFFFF0000u);
  pixels.WritePixel(1, 0, 0xFF00FF00u);
  pixels.WritePixel(0, 1, 0xFF0000FFu);
  pixels.WritePixel(1, 1, 0xFFFFFFFFu);
  auto image = LoadImageFromPixmap(pixels, 0);
  SetBlend(SOLIDBLEND);

  DrawImageRect(*image, 100, 100, 20, 20);
  EXPECT_TRUE(Near(Pixel(104, 104), 255, 0, 0, 0));
  EXPECT_TRUE(Near(Pixel(115, 104), 0, 255, 0, 0));
  EXPECT_TRUE(Near(Pixel(104, 115), 0, 0, 255, 0));
  EXPECT_TRUE(Near(Pixel(115, 115), 255, 255, 255, 0));
  EXPECT_FALSE(Lit(120, 110));

  // Only the right column, stretched to 10 x 20.
  DrawSubImageRect(*image, 200, 100, 10, 20, 1, 0, 1, 2);
  EXPECT_TRUE(Near(Pixel(205, 105), 0, 255, 0, 0));
  EXPECT_TRUE(Near(Pixel(205, 115), 255, 255, 255, 0));
  EXPECT_FALSE(Lit(210, 105));

  // A frame rectangle: later draws show only that part, at its own size.
  SetImageFrameRect(*image, 0, 0, 1, 2, 1);
  DrawImage(*image, 300, 100);
  EXPECT_TRUE(Near(Pixel(300, 100), 0, 0, 255, 0));
  EXPECT_TRUE(Near(Pixel(301, 100), 255, 255, 255, 0));
  EXPECT_FALSE(Lit(300, 101));
}

TEST_F(DrawTest, UnlockedPixelsAreDrawnFromThenOn) {
  auto image = SolidImage(4, 4, 0xFFFF0000u);
  SetBlend(SOLIDBLEND);
  DrawImage(*image, 10, 10);
  TPixmap& pixels = LockImage(*image);
  ASSERT_EQ(pixels.width, 4);
  pixels.WritePixel(1, 1, 0xFF00FF00u);
  UnlockImage(*image);
  DrawImage(*image, 10, 10);
  EXPECT_TRUE(Near(Pixel(11, 11), 0, 255, 0, 0));
  EXPECT_TRUE(Near(Pixel(12, 12), 255, 0, 0, 0));
  EXPECT_EQ(LockImage(*image, 5).width, 0);  // a frame it lacks
}

TEST_F(DrawTest, ImagesSurviveReopeningTheDisplay) {
  auto image = SolidImage(4, 4, 0xFF00FF00u);
  SetBlend(SOLIDBLEND);
  DrawImage(*image, 10, 10);  // made a texture for the first renderer
  EndGraphics();
  EXPECT_FALSE(GraphicsOpen());
  EXPECT_EQ(GrabPixmap(0, 0, 1, 1), nullptr);
  ASSERT_TRUE(Graphics(800, 600, 32, 60));
  EXPECT_TRUE(IsFullScreen());
  DrawImage(*image, 10, 10);
  EXPECT_TRUE(Near(Pixel(11, 11), 0, 255, 0, 0));
}

TEST_F(DrawTest, GrabbedBackBufferDrawsBackTheSame) {
  SetBlend(SOLIDBLEND);
  SetColor(10, 200, 30);
  DrawRect(50, 50, 10, 10);
  auto grabbed = CreateImage(20, 20, 1, 0);
  ASSERT_TRUE(grabbed);
  GrabImage(*grabbed, 45, 45);
  Cls();
  SetColor(255, 255, 255);
  DrawImage(*grabbed, 300, 300);
  EXPECT_TRUE(Near(Pixel(306, 306), 10, 200, 30, 0));
  EXPECT_TRUE(Near(Pixel(302, 302), 0, 0, 0, 0));

  // Masked grabs lose the mask colour (black here).
  SetMaskColor(0, 0, 0);
  auto masked = CreateImage(20, 20, 1, MASKEDIMAGE);
  GrabImage(*masked, 295, 295);
  EXPECT_EQ(LockImage(*masked).ReadPixel(0, 0) >> 24, 0u);
  EXPECT_EQ(LockImage(*masked).ReadPixel(10, 10), ARGB(255, 10, 200, 30));
}

TEST_F(DrawTest, GrabPixmapOutsideTheDisplayIsBlack) {
  SetBlend(SOLIDBLEND);
  DrawRect(0, 0, 800, 600);
  auto grab = GrabPixmap(-2, -2, 4, 4);
  ASSERT_TRUE(grab);
  EXPECT_EQ(grab->ReadPixel(0, 0), 0xFF000000u);
  EXPECT_EQ(grab->ReadPixel(3, 3), 0xFFFFFFFFu);
  EXPECT_EQ(GrabPixmap(0, 0, 0, 5), nullptr);
}

}  // namespace

// Precaching makes every frame's texture before the first draw, so the
// first frame that shows a large picture does not pay for its upload.
class PrecacheTest : public gfxtest::HeadlessDisplay {};

TEST_F(PrecacheTest, EveryFrameIsReadyBeforeItsFirstDraw) {
  auto strip = plat::CreateImage(32, 16, 3);
  ASSERT_TRUE(strip);
  for (const auto& frame : strip->impl->frames) EXPECT_EQ(frame.texture, nullptr);
  plat::PrecacheImage(*strip);
  for (const auto& frame : strip->impl->frames) {
    EXPECT_NE(frame.texture, nullptr);
    EXPECT_FALSE(frame.textureDirty);
  }
  // The prepared texture is the one the draw uses.
  SDL_Texture* made = strip->impl->frames[2].texture;
  plat::DrawImage(*strip, 10, 10, 2);
  EXPECT_EQ(strip->impl->frames[2].texture, made);
}

// Shapes follow the same half-alpha rule in mask mode as images: drawn
// opaque from alpha 0.5 (byte 128) up, not at all below (byte 127).
TEST_F(DrawTest, MaskModeShapesAndLinesDrawFromHalfAlphaUp) {
  struct Shape {
    const char* name;
    std::function<void()> draw;
    int x, y;  // a pixel the shape covers
  };
  const std::vector<Shape> shapes = {
      {"plot", [] { Plot(100, 100); }, 100, 100},
      {"thin line", [] { DrawLine(200, 100, 240, 100); }, 220, 100},
      {"thick line",
       [] {
         SetLineWidth(5);
         DrawLine(300, 100, 340, 100);
         SetLineWidth(1);
       },
       320, 100},
      {"oval", [] { DrawOval(400, 90, 20, 20); }, 410, 100},
      {"outline", [] { DrawRect(500, 90, 20, 20, false); }, 500, 100},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    Background(0, 0, 255);
    SetBlend(MASKBLEND);
    SetColor(255, 0, 0);
    SetAlpha(127.0 / 255.0);
    shape.draw();
    EXPECT_TRUE(Near(Pixel(shape.x, shape.y), 0, 0, 255, 0));
    SetAlpha(0.5);
    shape.draw();
    EXPECT_TRUE(Near(Pixel(shape.x, shape.y), 255, 0, 0, 0));  // opaque, not blended
  }
}
