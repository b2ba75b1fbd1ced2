// The blocking picture fade: it runs on the clock and ends at a key press.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "TFade.h"

namespace {

using frametest::GameTest;

class FadeTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    UsePolledInput();
    image = plat::CreateImage(100, 50);
    fade.Init(200, image, nullptr);
    fade.CentreImage();
  }
  void TearDown() override {
    UseEventInput();
    GameTest::TearDown();
  }
  plat::TImagePtr image;
  TFade fade;
};

TEST_F(FadeTest, AFadeRunsItsLengthOnTheClock) {
  EXPECT_EQ(fade.X, 350);
  EXPECT_EQ(fade.Y, 275);
  int start = plat::MilliSecs();
  EXPECT_EQ(fade.FadeDo(0), 1);
  EXPECT_GE(plat::MilliSecs() - start, 200);
  EXPECT_FLOAT_EQ(fade.Ratio, 1.0f);
  fade.Reset();
  EXPECT_EQ(fade.FadeDo(1), 1);
  EXPECT_FLOAT_EQ(fade.Ratio, 0.0f);
  EXPECT_EQ(fade.WaitForTime(100), 0);
}

TEST_F(FadeTest, AKeyPressSkipsIt) {
  plat::TEvent key;
  key.kind = plat::EVENT_KEYDOWN;
  key.data = plat::KEY_SPACE;
  plat::PostEvent(key);
  plat::PollSystem();
  int start = plat::MilliSecs();
  // FadeDo flushes the keys it starts with; the press must come during it.
  EXPECT_EQ(fade.WaitForTime(10000), -1);
  EXPECT_LT(plat::MilliSecs() - start, 10000);
}

}  // namespace
