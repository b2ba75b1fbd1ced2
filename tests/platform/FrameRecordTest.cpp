// Recorded frames: drawn again only where they changed, the picture must be
// exactly the one drawn whole; and what changed is reported.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FrameRecord.h"
#include "HeadlessDisplay.h"

using namespace plat;
using gfxtest::SolidImage;

namespace {

class FrameRecordTest : public gfxtest::HeadlessDisplay {
 protected:
  void SetUp() override {
    HeadlessDisplay::SetUp();
    // A picture with texture in it, so that a misplaced pixel shows.
    TPixmap pixels(40, 30);
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) pixels.WritePixel(x, y, ARGB(128 + x * 3, x * 6, y * 8, 200));
    }
    sprite_ = LoadImageFromPixmap(pixels, FILTEREDIMAGE);
    MidHandleImage(*sprite_);
    // Mostly clear: a small opaque part off its centre.
    TPixmap spot(60, 50, 0);
    for (int y = 30; y < 38; ++y) {
      for (int x = 10; x < 22; ++x) spot.WritePixel(x, y, ARGB(255, 250, 40 + x, 30 + y));
    }
    spot_ = LoadImageFromPixmap(spot, 0);
    TPixmap back(800, 600);
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x)
        back.WritePixel(x, y, ARGB(255, x % 256, y % 256, (x + y) % 256));
    }
    background_ = LoadImageFromPixmap(back, 0);
  }

  // A scene in which some things move with t and others stay: a solid
  // background, a still sprite, a moving one, a turning and scaled one, a
  // stretched one, additive light, a line, points and a rectangle, under a
  // shade, with a rectangle in a clip.
  void Scene(int t, bool ambientGlow = true) {
    SetBlend(SOLIDBLEND);
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawImage(*background_, 0, 0);
    SetBlend(ALPHABLEND);
    DrawImage(*sprite_, 100, 100);
    DrawImage(*sprite_, 200 + t * 7, 150 + t * 3);
    SetTransform(t * 11.0, 1.5, 0.75);
    DrawImage(*sprite_, 400, 300);
    SetTransform(0, 1, 1);
    DrawImageRect(*sprite_, 500, 100, 90 + t * 3, 45);
    SetBlend(LIGHTBLEND);
    SetColor(40 + t * 5, 40, 40);
    if (ambientGlow) BeginAmbient();
    DrawImage(*sprite_, 600, 450);
    if (ambientGlow) EndAmbient();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    DrawImage(*spot_, 120 + t * 5, 380);
    SetBlend(LIGHTBLEND);
    SetColor(20 * t, 100, 100);
    DrawImage(*spot_, 30, 380);
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(0.5);
    DrawLine(10, 500, 300 + t * 9, 520);
    DrawRect(650 - t * 4, 50, 30, 20);
    SetAlpha(1);
    Plot(700, 580 - t);
    // A dialog's shade over all of it, and a box in a clip.
    SetColor(0, 0, 0);
    SetAlpha(0.7);
    DrawRect(0, 0, 800, 600);
    SetViewport(300, 400, 50, 40);
    SetColor(30, 60, 200);
    DrawRect(290, 390, 200, 100);
    SetViewport(0, 0, 800, 600);
    SetColor(255, 255, 255);
    SetAlpha(1);
  }

  // Each frame of the scene recorded after the last, against it drawn whole,
  // pixel for pixel of the back buffer.
  void ExpectRegionsDrawnAsTheWhole() {
    std::vector<std::shared_ptr<TPixmap>> recorded;
    for (int t = 0; t < 12; ++t) {
      BeginFrame();
      Scene(t);
      EndFrame();
      recorded.push_back(GrabOutputPixmap());
    }
    for (int t = 0; t < 12; ++t) {
      Cls();
      Scene(t);
      auto whole = GrabOutputPixmap();
      ASSERT_TRUE(whole && recorded[size_t(t)]);
      int differing = 0;
      for (size_t i = 0; i < whole->pixels.size(); ++i)
        differing += whole->pixels[i] != recorded[size_t(t)]->pixels[i];
      EXPECT_EQ(differing, 0) << "frame " << t;
    }
  }

  TImagePtr sprite_, spot_, background_;
};

// Twice the logical size: the back buffer is read as it is.
class FrameRecordAtScale2 : public FrameRecordTest {
 protected:
  void SetUp() override {
    outputWidth_ = 1600;
    outputHeight_ = 1200;
    FrameRecordTest::SetUp();
  }
};

TEST_F(FrameRecordTest, AFrameDrawnWhereItChangedIsTheFrameDrawnWhole) {
  ExpectRegionsDrawnAsTheWhole();
}

TEST_F(FrameRecordAtScale2, AFrameDrawnWhereItChangedIsTheFrameDrawnWholeAtTwiceTheSize) {
  ASSERT_EQ(BackBufferScale(), 2);
  ExpectRegionsDrawnAsTheWhole();
}

TEST_F(FrameRecordTest, AFrameSaysWhatChanged) {
  BeginFrame();
  Scene(0);
  EXPECT_EQ(EndFrame(), FRAME_CHANGED);  // the first is drawn whole
  BeginFrame();
  Scene(0);
  EXPECT_EQ(EndFrame(), FRAME_SAME);
  // Only the ambient light differs.
  BeginFrame();
  Scene(0);
  SetBlend(LIGHTBLEND);
  {
    TAmbientDrawing ambient;
    DrawImage(*sprite_, 50, 550);
  }
  EXPECT_EQ(EndFrame(), FRAME_AMBIENT);
  BeginFrame();
  Scene(1);
  EXPECT_EQ(EndFrame(), FRAME_CHANGED);
  // Drawing outside a frame leaves the back buffer unknown: drawn whole.
  Cls();
  BeginFrame();
  Scene(1);
  EXPECT_EQ(EndFrame(), FRAME_CHANGED);
}

// A picture that is mostly clear changes the screen only where it is not.
void ExpectChangeOnlyWhereVisible(const TImage& spot, int scale) {
  auto frame = [&](int light) {
    BeginFrame();
    SetBlend(SOLIDBLEND);
    SetColor(40, 40, 40);
    DrawRect(0, 0, 800, 600);
    SetBlend(LIGHTBLEND);
    SetColor(light, light, light);
    DrawImage(spot, 300, 200);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    EndFrame();
  };
  std::vector<SDL_Rect> regions;
  frame(50);
  internal::TakePresentRegions(regions);
  frame(90);
  ASSERT_FALSE(internal::TakePresentRegions(regions));
  ASSERT_EQ(regions.size(), 1u);
  // The opaque part is (10, 30) to (22, 38) of the picture, at the scale.
  const SDL_Rect r = regions[0];
  EXPECT_GE(r.x, (310 - 1) * scale - 2);
  EXPECT_GE(r.y, (230 - 1) * scale - 2);
  EXPECT_LE(r.x + r.w, (322 + 1) * scale + 2);
  EXPECT_LE(r.y + r.h, (238 + 1) * scale + 2);
}

TEST_F(FrameRecordTest, AMostlyClearPictureChangesOnlyWhereItIsNotClear) {
  ExpectChangeOnlyWhereVisible(*spot_, 1);
}

TEST_F(FrameRecordAtScale2, AMostlyClearPictureChangesOnlyWhereItIsNotClearAtTwiceTheSize) {
  ExpectChangeOnlyWhereVisible(*spot_, 2);
}

TEST_F(FrameRecordTest, ReadingTheBackBufferInAFrameSeesWhatWasDrawnSoFar) {
  auto red = SolidImage(10, 10, ARGB(255, 255, 0, 0));
  BeginFrame();
  SetClsColor(0, 0, 0);
  Cls();
  SetBlend(SOLIDBLEND);
  DrawImage(*red, 20, 20);
  EXPECT_EQ(Pixel(25, 25) & 0xFFFFFFu, 0xFF0000u);
  auto green = SolidImage(10, 10, ARGB(255, 0, 255, 0));
  DrawImage(*green, 40, 40);
  EndFrame();
  EXPECT_EQ(Pixel(45, 45) & 0xFFFFFFu, 0x00FF00u);
  EXPECT_EQ(Pixel(25, 25) & 0xFFFFFFu, 0xFF0000u);
}

TEST_F(FrameRecordTest, APictureReleasedWhileItsFrameIsRecordedIsStillDrawn) {
  BeginFrame();
  SetClsColor(0, 0, 0);
  Cls();
  {
    auto blue = SolidImage(10, 10, ARGB(255, 0, 0, 255));
    SetBlend(SOLIDBLEND);
    DrawImage(*blue, 60, 60);
  }
  EndFrame();
  EXPECT_EQ(Pixel(65, 65) & 0xFFFFFFu, 0x0000FFu);
}

TEST_F(FrameRecordTest, TheWindowsStateIsKeptAsideFromTheInput) {
  EXPECT_TRUE(DisplayShown());
  EXPECT_FALSE(TakeRedrawRequest());
  PostEvent(TEvent{EVENT_WINDOWHIDDEN, 0, 0, 0});
  PollSystem();
  EXPECT_FALSE(DisplayShown());
  TEvent event;
  EXPECT_FALSE(PollEvent(event));  // not input
  PostEvent(TEvent{EVENT_WINDOWSHOWN, 0, 0, 0});
  PollSystem();
  FlushEvents();  // a flush of the input loses nothing of it
  EXPECT_TRUE(DisplayShown());
  EXPECT_TRUE(TakeRedrawRequest());
  EXPECT_FALSE(TakeRedrawRequest());  // once
  PostEvent(TEvent{EVENT_WINDOWEXPOSED, 0, 0, 0});
  PollSystem();
  EXPECT_TRUE(TakeRedrawRequest());
}

TEST_F(FrameRecordTest, FlipCountsThePicturesPresented) {
  long long before = FramesPresented();
  BeginFrame();
  Scene(0);
  EndFrame();
  Flip(0);
  WaitFrame();  // a pass that shows nothing new
  EXPECT_EQ(FramesPresented(), before + 1);
}

}  // namespace
