// Light added straight into the software back buffer is SDL's own sum, pixel
// for pixel: at every colour and alpha, over light, clipped, in part, at the
// edges and at twice the size.
#include <gtest/gtest.h>

#include "DirectLight.h"
#include "HeadlessDisplay.h"

using namespace plat;

namespace {

class DirectLightTest : public gfxtest::HeadlessDisplay {
 protected:
  void SetUp() override {
    HeadlessDisplay::SetUp();
    // Every alpha from clear to opaque, and colours that overflow when added.
    TPixmap light(64, 48);
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 64; ++x)
        light.WritePixel(x, y, ARGB((x * 4 + y * 11) % 256, 255 - x * 3, y * 5, (x * y) % 256));
    }
    light_ = LoadImageFromPixmap(light, 0);
    TPixmap back(800, 600);
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) back.WritePixel(x, y, ARGB(255, x % 256, y % 256, 128));
    }
    back_ = LoadImageFromPixmap(back, 0);
  }
  void TearDown() override {
    internal::EnableDirectLight(true);
    HeadlessDisplay::TearDown();
  }

  std::shared_ptr<TPixmap> Scene(bool direct) {
    internal::EnableDirectLight(direct);
    Cls();
    SetBlend(SOLIDBLEND);
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawImage(*back_, 0, 0);
    SetBlend(LIGHTBLEND);
    const int colours[][3] = {{255, 255, 255}, {7, 7, 7}, {200, 90, 30}, {0, 0, 0}};
    const double alphas[] = {1, 0.5, 0.02};
    int n = 0;
    for (const auto& c : colours) {
      for (double a : alphas) {
        SetColor(c[0], c[1], c[2]);
        SetAlpha(a);
        DrawImage(*light_, 20 + (n % 6) * 120, 20 + (n / 6) * 100);
        ++n;
      }
    }
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawImage(*light_, 50, 40);  // over light: sums saturate
    SetViewport(410, 310, 37, 21);
    DrawImage(*light_, 400, 300);
    SetViewport(0, 0, 800, 600);
    DrawSubImageRect(*light_, 600, 450, 20, 16, 8, 8, 20, 16);
    DrawImage(*light_, 780, 580);
    DrawImage(*light_, -30, -20);
    DrawImage(*light_, 300.25, 400.5);  // between pixels: SDL's own
    SetBlend(ALPHABLEND);
    return GrabOutputPixmap();
  }

  void ExpectSdlsOwnSums() {
    auto sdl = Scene(false);
    long long before = internal::DirectLightQuads();
    auto direct = Scene(true);
    EXPECT_GE(internal::DirectLightQuads() - before, 16);
    ASSERT_TRUE(sdl && direct);
    ASSERT_EQ(sdl->pixels.size(), direct->pixels.size());
    int differing = 0;
    for (size_t i = 0; i < sdl->pixels.size(); ++i)
      differing += sdl->pixels[i] != direct->pixels[i];
    EXPECT_EQ(differing, 0);
  }

  TImagePtr light_, back_;
};

class DirectLightAtScale2 : public DirectLightTest {
 protected:
  void SetUp() override {
    outputWidth_ = 1600;
    outputHeight_ = 1200;
    DirectLightTest::SetUp();
  }
};

TEST_F(DirectLightTest, AddsLightAsSdlDoes) { ExpectSdlsOwnSums(); }

TEST_F(DirectLightAtScale2, AddsLightAsSdlDoesAtTwiceTheSize) {
  ASSERT_EQ(BackBufferScale(), 2);
  ExpectSdlsOwnSums();
}

}  // namespace
