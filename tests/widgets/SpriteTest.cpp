// Sprites: frame animation at its edges, motion, rotation, bounds, and what
// Draw puts on the headless display (frame, shadow, tint, glow) with the
// drawing state restored after it. Game objects and shapes.
#include <gtest/gtest.h>

#include <vector>

#include "DrawTestSupport.h"
#include "TBox.h"
#include "TGameObject.h"
#include "TLine.h"
#include "TSprite.h"

namespace {

using namespace drawtest;

class SpriteTest : public DrawTest {};

// 500 ms are 100 logic steps of 5 ms while no game object exists.
TEST_F(SpriteTest, FramesFollowTheCounterAndWrapCallingTheStoppedFunction) {
  TSprite s;
  int stops = 0;
  s.AnimStoppedFunction = [&stops](TSprite&) { ++stops; };
  s.SetupAnim(4, 500, 0, 0, 0, 0, 1);
  ASSERT_EQ(s.AnimLength, 100);
  EXPECT_FLOAT_EQ(s.AnimCounter, 100);
  EXPECT_EQ(s.GetAnimFrame(), 0);
  std::vector<int> frames;
  for (int step = 1; step <= 100; ++step) {
    s.ManageAnim();
    frames.push_back(s.frame);
  }
  // Counters 99..76 frame 0, 75..51 frame 1, 50..26 frame 2, 25..1 frame 3.
  EXPECT_EQ(frames[23], 0);  // counter 76
  EXPECT_EQ(frames[24], 1);  // counter 75
  EXPECT_EQ(frames[49], 2);  // counter 50
  EXPECT_EQ(frames[74], 3);  // counter 25
  EXPECT_EQ(frames[98], 3);  // counter 1
  EXPECT_EQ(stops, 1);       // counter 0 wrapped to 100
  EXPECT_FLOAT_EQ(s.AnimCounter, 100);
  EXPECT_EQ(frames[99], 0);
}

TEST_F(SpriteTest, ANonLoopingAnimationEndsOnItsLastFrameAndKeepsReportingTheEnd) {
  TSprite s;
  int stops = 0;
  s.AnimStoppedFunction = [&stops](TSprite&) { ++stops; };
  s.SetupAnim(4, 500, 0, 0, 0, 0, 0);
  for (int step = 0; step < 100; ++step) s.ManageAnim();
  EXPECT_EQ(s.frame, 3);
  EXPECT_EQ(stops, 1);
  s.ManageAnim();
  s.ManageAnim();
  EXPECT_EQ(s.frame, 3);
  EXPECT_EQ(stops, 3);
  // Counting up, the end is the top of the counter.
  TSprite up;
  up.SetupAnim(4, 500, 1, 0, 0, 0, 0);
  EXPECT_FLOAT_EQ(up.AnimCounter, 0);
  for (int step = 0; step < 150; ++step) up.ManageAnim();
  EXPECT_FLOAT_EQ(up.AnimCounter, 100);
  EXPECT_EQ(up.frame, 3);
}

TEST_F(SpriteTest, LoopCountTwoPlaysTwiceAndStopsOnTheLastFrame) {
  TSprite s;
  std::vector<int> stopSteps;
  int step = 0;
  s.AnimStoppedFunction = [&](TSprite&) { stopSteps.push_back(step); };
  s.SetupAnim(4, 500, 0, 0, 0, 0, 1);
  s.LoopCount = 2;
  for (step = 1; step <= 202; ++step) s.ManageAnim();
  // Called after the first pass, not on step 200 when the count ran out;
  // from then on the animation has ended and reports it on every step.
  EXPECT_EQ(stopSteps, (std::vector<int>{100, 201, 202}));
  EXPECT_EQ(s.Loop, 0);
  EXPECT_EQ(s.frame, 3);
  EXPECT_EQ(s.LoopCount, 0);
}

TEST_F(SpriteTest, PingPongReflectsOneFrameFurtherAtBothEnds) {
  TSprite s;
  s.SetupAnim(4, 500, 0, 0, 0, 1, 1);
  for (int step = 0; step < 100; ++step) s.ManageAnim();
  EXPECT_EQ(s.AnimReverse, 1);
  EXPECT_FLOAT_EQ(s.AnimCounter, 25);
  for (int step = 0; step < 75; ++step) s.ManageAnim();
  EXPECT_EQ(s.AnimReverse, 0);
  EXPECT_FLOAT_EQ(s.AnimCounter, 75);
  EXPECT_EQ(s.frame, 1);
}

TEST_F(SpriteTest, MovementScaleAndRotation) {
  TSprite s;
  s.dy = 2;
  s.ygravity = -1;
  s.Move();
  EXPECT_FLOAT_EQ(s.dy, 2);  // gravity only while positive
  s.ygravity = 0.5f;
  s.Move();
  EXPECT_FLOAT_EQ(s.y, 4);
  EXPECT_FLOAT_EQ(s.dy, 2.5f);

  TSprite f;
  f.Rotation = 90;
  f.speed = 2;
  f.MoveForward();
  EXPECT_NEAR(f.x, 2, 1e-5);
  EXPECT_NEAR(f.y, 0, 1e-5);

  f.SetScaleXY(2, 0);
  EXPECT_FLOAT_EQ(f.ScaleX, 2);
  EXPECT_FLOAT_EQ(f.ScaleY, 2);
  f.SetupScale(0.1f, -0.1f, 50);  // 10 steps
  for (int i = 0; i < 20; ++i) f.ManageScale();
  EXPECT_NEAR(f.ScaleX, 3, 1e-4);
  EXPECT_NEAR(f.ScaleY, 1, 1e-4);

  for (float speed : {7.3f, -11.1f}) {
    TSprite r;
    r.SetupRotation(speed, 0, 1, 1);
    for (int i = 0; i < 500; ++i) {
      r.ManageRotation();
      ASSERT_GE(r.Rotation, 0);
      ASSERT_LT(r.Rotation, 360);
    }
  }
  TSprite timed;
  timed.SetupRotation(3, 50, 0, 0);
  for (int i = 0; i < 30; ++i) timed.ManageRotation();
  EXPECT_FLOAT_EQ(timed.Rotation, 30);
}

TEST_F(SpriteTest, PulsingAndFadingGlow) {
  TSprite s;
  s.SetGlow(3, 0, 2, 0.2f, 0.8f);
  EXPECT_FLOAT_EQ(s.GlowRange, 0.6f);
  for (int i = 0; i < 45; ++i) s.ManageGlow();  // 90 degrees
  EXPECT_NEAR(s.Glow, 0.8f, 1e-4);
  for (int i = 0; i < 45; ++i) s.ManageGlow();
  EXPECT_NEAR(s.Glow, 0.2f, 1e-4);
  s.SetGlow(2, 0.5f, 0.2f);
  for (int i = 0; i < 5; ++i) s.ManageGlow();
  EXPECT_FLOAT_EQ(s.Glow, 0);
}

TEST_F(SpriteTest, OutOfBoundsCountsTheLimitsAsInside) {
  auto mid = TSprite::Create(Solid(100, 40, 0xffffffff, 1), -50, 300);
  EXPECT_EQ(mid->OutOfBounds(), 0);
  mid->x = -50.5f;
  EXPECT_EQ(mid->OutOfBounds(), 1);
  mid->x = 850;
  EXPECT_EQ(mid->OutOfBounds(), 0);
  mid->x = 400;
  mid->y = 620.5f;
  EXPECT_EQ(mid->OutOfBounds(), 1);
  auto corner = TSprite::Create(Solid(100, 40, 0xffffffff, 0), -100, 300);
  EXPECT_EQ(corner->OutOfBounds(), 0);
  corner->x = 800.5f;
  EXPECT_EQ(corner->OutOfBounds(), 1);
}

void ExpectCleanState() {
  double sx, sy;
  plat::GetScale(sx, sy);
  EXPECT_DOUBLE_EQ(sx, 1);
  EXPECT_DOUBLE_EQ(sy, 1);
  EXPECT_DOUBLE_EQ(plat::GetRotation(), 0);
  EXPECT_DOUBLE_EQ(plat::GetAlpha(), 1);
  EXPECT_EQ(plat::GetBlend(), plat::ALPHABLEND);
  int r, g, b;
  plat::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
}

TEST_F(SpriteTest, DrawShowsTheAnimationFrameItsShadowAndItsGlow) {
  const uint32_t grey = plat::ARGB(255, 100, 100, 100);
  const uint32_t blue = plat::ARGB(255, 0, 0, 200);
  auto s = TSprite::Create(Strip(20, 20, {0xffff0000, grey, 0xff0000ff}), 100, 100);
  s->SetupAnim(3, 300, 0, 0, 0, 0, 1);  // 60 steps, 20 per frame
  for (int i = 0; i < 25; ++i) s->ManageAnim();
  s->SetShadow(1, 30, 0, 0.5f);
  Clear(0, 0, 200);
  s->Draw();
  plat::TPixmap pix = Grab();
  EXPECT_EQ(pix.ReadPixel(100, 100), grey);            // frame 1
  EXPECT_NEAR(Blue(pix.ReadPixel(130, 100)), 100, 1);  // shadow at half alpha
  EXPECT_EQ(pix.ReadPixel(150, 100), blue);
  ExpectCleanState();

  // Glow adds light of its intensity over the picture.
  Clear(0, 0, 200);
  s->SetShadow(0);
  s->SetGlow(1, 0.5f);
  s->Draw();
  EXPECT_NEAR(Red(Grab().ReadPixel(100, 100)), 100 + 50, 2);
  ExpectCleanState();

  // A tint colours the picture but leaves no colour behind; the alpha is
  // the sprite's.
  Clear(0, 0, 0);
  s->SetGlow(0, 0);
  s->Color = TColor::Create(255, 0, 0);
  s->Alpha = 0.5f;
  s->Draw();
  pix = Grab();
  EXPECT_NEAR(Red(pix.ReadPixel(100, 100)), 50, 2);
  EXPECT_EQ(Green(pix.ReadPixel(100, 100)), 0);
  ExpectCleanState();

  s->visible = 0;
  Clear(0, 0, 0);
  s->Draw();
  EXPECT_EQ(CountLit(Grab(), 0, 0, 800, 600, 0xff000000), 0);
}

TEST_F(SpriteTest, TheLightPassKeepsTheAlternativeImage) {
  auto s = TSprite::Create(Solid(10, 10, 0xff202020), 50, 50);
  auto other = Solid(10, 10, 0xff404040);
  s->AlternativeImage = other;
  s->SetGlow(1, 1.0f);
  s->Draw();
  EXPECT_EQ(s->AlternativeImage, other);
  EXPECT_EQ(Grab().ReadPixel(50, 50), plat::ARGB(255, 0x80, 0x80, 0x80));
}

TEST_F(SpriteTest, RoundedAndOffsetDrawing) {
  auto s = TSprite::Create(Solid(1, 1, 0xffffffff, 0), 10.6f, 20.4f);
  s->RoundCoords = 1;
  s->UseOffset = 1;
  s->offx = 5;
  s->Draw();
  EXPECT_EQ(Grab().ReadPixel(16, 20), 0xffffffffu);
}

TEST_F(SpriteTest, GameObjectsLeaveTheirListWhenTheyLeaveTheScreen) {
  TGameObjectList list;
  auto image = Solid(10, 10, 0xffffffff);
  for (int i = 0; i < 5; ++i) {
    auto o = list.AddNew(float(100 + i * 20), 300, image);
    o->dx = i % 2 ? -200.0f : 0.0f;  // every other one leaves at once
  }
  list.Move();
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_EQ(list.Objects.size(), 3u);

  plat::ResetCollisions();
  list.Collide();
  auto hits = plat::CollideImageTest(*image->image, 140, 300, 0, 1);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0], static_cast<const void*>(std::next(list.Objects.begin())->get()));
  list.Kill();
  EXPECT_EQ(list.Count(), 0u);
}

TEST_F(SpriteTest, ShapesDrawInTheirColourAndRestoreWhite) {
  auto box = TBox::Create(10, 10, 20, 20, TColor::Create(0, 255, 0, 1));
  box->Draw();
  auto circle = TCircle::Create(100, 100, 10, TColor::Create(255, 0, 0, 1));
  circle->Draw();
  auto line = TLine::Create(200, 50, 300, 50);
  line->Color = TColor::Create(0, 0, 255);
  line->Draw();
  plat::TPixmap pix = Grab();
  EXPECT_EQ(pix.ReadPixel(15, 15), plat::ARGB(255, 0, 255, 0));
  EXPECT_EQ(pix.ReadPixel(100, 100), plat::ARGB(255, 255, 0, 0));
  EXPECT_EQ(pix.ReadPixel(250, 50), plat::ARGB(255, 0, 0, 255));
  ExpectCleanState();

  line->CalcLength();
  EXPECT_DOUBLE_EQ(line->length, 100);
  EXPECT_DOUBLE_EQ(line->CalcSlope(), 0);
  auto copy = TLine::CreateFromVector(1, 2, line->GetVector());
  EXPECT_EQ(copy->GetVector(), (TVector2{100, 0}));
  EXPECT_DOUBLE_EQ(copy->ex, 101);
}

}  // namespace
