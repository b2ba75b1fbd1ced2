// Sliders, tooltips and the text cursor inside the running game, driven by
// scripted input.
#include <gtest/gtest.h>

#include <vector>

#include "ControlsTestSupport.h"
#include "GameResources.h"
#include "TSlider.h"
#include "TTalvorineGame.h"
#include "TTextCursor.h"
#include "TToolTip.h"

namespace {

using controlstest::ControlsTest;

class SliderTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    if (IsSkipped() || !Game) return;
    // The options screen's volume slider: 300 wide, 22 unusable at each end.
    slider = TSlider::CreateSpecial("slider", "marker", 346, 138, 22, "music");
    screen.OnLogic = [this] { changed.push_back(slider->Manage()); };
    screen.OnDraw = [this] { slider->Draw(); };
  }
  std::unique_ptr<TSlider> slider;
  std::vector<int> changed;
};

TEST_F(SliderTest, APressSetsTheValueAcrossTheUsablePartOfTheBar) {
  EXPECT_EQ(slider->Value, 50);
  EXPECT_EQ(slider->DotX, 346 + 22 + 128 - 10);
  Script("1 click left 368 150\n3 click left 624 150\n5 click left 496 150\n");
  Step();
  EXPECT_EQ(slider->Value, 0);
  Steps(2);
  EXPECT_EQ(slider->Value, 100);
  Steps(2);
  EXPECT_EQ(slider->Value, 50);
  EXPECT_EQ(changed, (std::vector<int>{1, 0, 1, 0, 1}));
  EXPECT_EQ(slider->MouseOver, 1);
}

TEST_F(SliderTest, ADragPastBothEndsClampsTo0And100) {
  Script(
      "1 down left 450 150\n2 move 5 400\n3 move 795 10\n4 move 500 150\n5 up left\n"
      "6 move 5 150\n");
  Steps(2);
  EXPECT_EQ(slider->Value, 0);  // far off the bar in one step, still at the end
  Step();
  EXPECT_EQ(slider->Value, 100);
  Step();
  EXPECT_EQ(slider->Value, 52);
  Steps(2);  // let go: moving no longer changes it
  EXPECT_EQ(slider->Value, 52);
  EXPECT_EQ(changed.back(), 0);
  EXPECT_EQ(slider->MouseOver, 0);
}

TEST_F(SliderTest, AFillingSliderFillsUpToTheKnob) {
  auto filled =
      TVSlider::CreateSpecial("slider", "marker", 100, 300, 22, "sound", 5, "loadingbar", 0);
  filled->SetValue(25);
  EXPECT_EQ(filled->FullX, 22 + 256 / 4);
  EXPECT_EQ(filled->DotY, 300);
  screen.OnLogic = [&] { filled->Manage(); };
  Script("1 click left 378 310\n");
  Step();
  EXPECT_EQ(filled->Value, 100);
  EXPECT_EQ(filled->FullX, 300 - 22);
}

// ---------------------------------------------------------------- tooltips

class ToolTipTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    if (IsSkipped() || !Game) return;
    tip.image = TGameImage::Create(Game->ImagePath + "levelback.png", -1, 0);  // 176 x 140
    tip.font =
        TFont::Create(GameFont(16), TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f));
    tip.TextDrawWidth = 150;
    // The owner: a 100-pixel square at (100, 100).
    screen.OnLogic = [this] {
      const TMousePointer& p = Game->Mouse;
      tip.Collide(p.x >= 100 && p.x < 200 && p.y >= 100 && p.y < 200 ? 1 : 0);
    };
    screen.OnDraw = [this] { tip.Draw(); };
  }
  TToolTip tip;
};

TEST_F(ToolTipTest, ATipShowsOnThe51stStepFadesInOver50AndOutOver25) {
  ASSERT_EQ(tip.SetText("Swap two jewels to line up three of a colour."), 1);
  EXPECT_GE(tip.TextWrapped.size(), 2u);
  Script("1 move 150 150\n");
  Steps(50);
  EXPECT_EQ(tip.Visible, 0);
  Step();
  EXPECT_EQ(tip.Visible, 1);
  EXPECT_FLOAT_EQ(tip.FadeLevel, 0.02f);
  EXPECT_EQ(tip.SetText("Another text"), 0);  // not while it shows
  Steps(48);
  EXPECT_LT(tip.FadeLevel, 1.0f);
  Step();
  EXPECT_NEAR(tip.FadeLevel, 1.0f, 1e-5);
  Shot("tooltip.png");
  // The place was taken when it appeared: below the pointer's picture.
  EXPECT_FLOAT_EQ(tip.x, 150);
  EXPECT_FLOAT_EQ(tip.y, 150 + 32 + 5);
  Script("1 move 300 300\n");
  Steps(24);
  EXPECT_EQ(tip.Visible, 1);
  Step();
  EXPECT_EQ(tip.Visible, 0);
  EXPECT_EQ(tip.SetText("Another text"), 1);
}

TEST_F(ToolTipTest, ATipNearTheEdgesStaysOnTheScreen) {
  tip.CollideCounterMax = 0;
  tip.Fade = 0;
  screen.OnLogic = [this] { tip.Collide(1); };
  Script("1 move 780 560\n");
  Step();
  EXPECT_EQ(tip.Visible, 1);
  EXPECT_FLOAT_EQ(tip.x, 800 - 176);
  EXPECT_FLOAT_EQ(tip.y, 560 - 5 - 140);  // above the pointer
  screen.OnLogic = [this] { tip.Collide(0); };
  Step();
  EXPECT_EQ(tip.Visible, 0);  // without a fade it goes at once
}

// ---------------------------------------------------------------- text cursor

TEST_F(ControlsTest, TheTextCursorWritesLineUnderLine) {
  TTextCursor cursor;
  cursor.Init(20, 30, 25);
  cursor.Shadow = 1;
  plat::Cls();
  plat::SetImageFont(GameFont(20));
  cursor.OutputNL("First line");
  cursor.Output("Second line");
  EXPECT_EQ(cursor.y, 55);
  auto pixmap = plat::GrabPixmap(0, 0, 800, 600);
  auto litRows = [&](int top, int bottom) {
    int lit = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < 200; ++x) lit += (pixmap->ReadPixel(x, y) & 0xffffff) != 0 ? 1 : 0;
    }
    return lit;
  };
  EXPECT_GT(litRows(30, 55), 50);
  EXPECT_GT(litRows(55, 80), 50);
  EXPECT_EQ(litRows(85, 120), 0);
}

}  // namespace
