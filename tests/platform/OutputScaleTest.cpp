// A display larger than 800 x 600 is drawn at twice the logical size: the
// output picture has its bars, pictures take their copies painted at twice
// the size, text is as wide as before, and the scale follows the output.
#include <gtest/gtest.h>

#include "HeadlessDisplay.h"
#include "TestSupport.h"

using namespace plat;

namespace {

// Columns of one pixel alternating black and white: detail that only a
// picture of that density can show.
TPixmap Stripes(int w, int h) {
  TPixmap pixels(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.WritePixel(x, y, x % 2 ? 0xFFFFFFFFu : 0xFF000000u);
  return pixels;
}

class OutputScaleTest : public gfxtest::HeadlessDisplay {
 protected:
  void SetUp() override {
    outputWidth_ = 1600;  // the back buffer read as it is
    outputHeight_ = 1200;
    HeadlessDisplay::SetUp();
    // A 10 x 8 picture file, and its copy at twice the size in stripes.
    file_ = dir_.File("stripes.png");
    ASSERT_TRUE(SavePixmapPNG(TPixmap(10, 8, 0xFF808080u), file_));
    ASSERT_TRUE(SavePixmapPNG(Stripes(20, 16), dir_.File("dense.png")));
    SetDensePictureSource([this](const std::string& path) -> TStreamPtr {
      return path == file_ ? ReadStream(dir_.File("dense.png")) : nullptr;
    });
  }
  void TearDown() override {
    SetDensePictureSource(nullptr);
    HeadlessDisplay::TearDown();
  }
  // Draws the picture at (100, 50) in a frame; the output's pixels.
  std::shared_ptr<TPixmap> Shown(const TImage& image) {
    BeginFrame();
    SetBlend(SOLIDBLEND);
    Cls();
    DrawImage(image, 100, 50);
    EndFrame();
    return GrabOutputPixmap();
  }
  testsupport::TempDir dir_;
  std::string file_;
};

TEST_F(OutputScaleTest, APictureTakesItsDenseCopyAndKeepsItsLogicalSize) {
  ASSERT_EQ(BackBufferScale(), 2);
  TImagePtr image = LoadImage(file_, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(ImageWidth(*image), 10);
  EXPECT_EQ(ImageHeight(*image), 8);
  auto shown = Shown(*image);
  ASSERT_TRUE(shown);
  ASSERT_EQ(shown->width, 1600);
  // Logical (100, 50) is (200, 100) of the output; every output column differs.
  EXPECT_EQ(shown->ReadPixel(200, 100) & 0xFFFFFF, 0u);
  EXPECT_EQ(shown->ReadPixel(201, 100) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(shown->ReadPixel(219, 115) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(shown->ReadPixel(220, 100) & 0xFFFFFF, 0u);  // past the picture: cleared
  // Read back in logical pixels, the stripes average out.
  EXPECT_TRUE(gfxtest::Near(GrabPixmap(100, 50, 1, 1)->ReadPixel(0, 0), 128, 128, 128));
  // Locked, it is a picture of its logical size again.
  EXPECT_EQ(LockImage(*image).width, 10);
}

TEST_F(OutputScaleTest, TheSetIsChosenAgainWhenTheOutputChangesSize) {
  TImagePtr image = LoadImage(file_, 0);
  ASSERT_NE(image, nullptr);
  SetHeadlessOutputSize(800, 600);
  auto small = Shown(*image);
  EXPECT_EQ(BackBufferScale(), 1);
  ASSERT_TRUE(small && small->width == 800);
  EXPECT_TRUE(gfxtest::Near(small->ReadPixel(104, 54), 128, 128, 128));  // the file's own grey
  SetHeadlessOutputSize(1024, 768);  // 1.28 times: the dense set again
  auto large = Shown(*image);
  EXPECT_EQ(BackBufferScale(), 2);
  ASSERT_TRUE(large && large->width == 1024);
  // 1600 x 1200 brought to 1024 x 768: the stripes are finer than its pixels.
  EXPECT_NE(large->ReadPixel(70, 35), small->ReadPixel(104, 54));
}

TEST_F(OutputScaleTest, TheOutputPictureHasBarsBesideIt) {
  SetHeadlessOutputSize(1920, 1080);
  BeginFrame();
  SetClsColor(200, 100, 50);
  Cls();
  EndFrame();
  auto shown = GrabOutputPixmap();
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->width, 1920);
  EXPECT_EQ(shown->height, 1080);
  // 1440 x 1080 in the middle, black bars of 240 each side.
  EXPECT_EQ(shown->ReadPixel(239, 540) & 0xFFFFFF, 0u);
  EXPECT_TRUE(gfxtest::Near(shown->ReadPixel(240, 540), 200, 100, 50));
  EXPECT_TRUE(gfxtest::Near(shown->ReadPixel(1679, 0), 200, 100, 50));
  EXPECT_EQ(shown->ReadPixel(1680, 1079) & 0xFFFFFF, 0u);
}

TEST_F(OutputScaleTest, TextIsLaidOutAsAtTheLogicalSize) {
  double wide = TextWidth("Gleamstrand jewels");
  double high = TextHeight("Gleamstrand jewels");
  SetHeadlessOutputSize(800, 600);
  BeginFrame();
  EndFrame();
  ASSERT_EQ(BackBufferScale(), 1);
  EXPECT_EQ(TextWidth("Gleamstrand jewels"), wide);
  EXPECT_EQ(TextHeight("Gleamstrand jewels"), high);
}

}  // namespace
