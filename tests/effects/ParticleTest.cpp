// Particles over their lives: fades, gravity, delays, scaling, phases,
// destinations, removal during a pass, generators, explosions, and the
// pointer's sparkle trail.
#include <gtest/gtest.h>

#include "../widgets/DrawTestSupport.h"
#include "GameResources.h"
#include "InstallEffects.h"
#include "PointerSparkles.h"
#include "TExplosion.h"
#include "TImageBank.h"
#include "TMousePointer.h"
#include "TParticleGenerator.h"
#include "TParticleList.h"

namespace {

using namespace drawtest;

class ParticleTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    image = Solid(8, 8, 0xffffffff);
  }
  // Steps until the particle dies (at most limit); the step it died on.
  int StepsToDeath(TParticleList& list, int limit) {
    for (int step = 1; step <= limit; ++step) {
      list.Manage();
      if (list.Count() == 0) return step;
    }
    return -1;
  }
  TGameImagePtr image;
  TParticleList list;
};

// 1000 ms are 200 logic steps of 5 ms.
TEST_F(ParticleTest, AFadingParticleStartsOpaqueAndDiesWhenItsFadeEnds) {
  auto p = list.AddNew(400, 300, image, 0, 0, 0, 1000);
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 1);
  EXPECT_EQ(Grab().ReadPixel(400, 300), 0xffffffffu);
  for (int i = 0; i < 100; ++i) list.Manage();
  p->Draw();
  EXPECT_NEAR(p->Alpha, 0.5f, 1e-4);
  EXPECT_EQ(StepsToDeath(list, 200), 100);
  EXPECT_EQ(p->active, 0);
  EXPECT_EQ(p->Particles, nullptr);
}

TEST_F(ParticleTest, GravityTurnsARisingParticleAfterSixSteps) {
  auto p = list.AddNew(400, 300, image, 0, -3, 0.5f);
  std::vector<float> ys;
  for (int i = 0; i < 8; ++i) {
    list.Manage();
    ys.push_back(p->y);
  }
  EXPECT_FLOAT_EQ(p->dy, 1.0f);
  EXPECT_LT(ys[4], ys[3]);        // still rising on step 5
  EXPECT_FLOAT_EQ(ys[6], ys[5]);  // dy 0 after six steps
  EXPECT_GT(ys[7], ys[6]);        // then it falls
}

TEST_F(ParticleTest, ADelayedParticleNeitherDrawsNorMovesUntilItsDelayHasRun) {
  auto p = list.AddNew(400, 300, image, 1, 0);
  int finished = 0;
  p->DelayFinished = [&finished](TParticle&) { ++finished; };
  p->SetDelay(100);  // 20 steps
  for (int i = 0; i < 19; ++i) {
    list.Manage();
    list.Draw();
  }
  EXPECT_FLOAT_EQ(p->x, 400);
  EXPECT_EQ(CountLit(Grab(), 0, 0, 800, 600, 0xff000000), 0);
  EXPECT_EQ(finished, 0);
  list.Manage();
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(p->Hidden, 0);
  EXPECT_FLOAT_EQ(p->x, 401);
  list.Draw();
  EXPECT_GT(CountLit(Grab(), 0, 0, 800, 600, 0xff000000), 0);
}

TEST_F(ParticleTest, ShrinkingToNothingLeavingTheScreenOrRunningOutOfLifeKills) {
  list.AddNew(400, 300, image, 0, 0, 0, 0, 0, 0, 0, 0.5f, -0.25f);
  EXPECT_EQ(StepsToDeath(list, 10), 2);

  list.AddNew(400, 300, image, 0, 0, 0, 0, 0, 0, 0, 1, 0, 50);
  EXPECT_EQ(StepsToDeath(list, 20), 10);

  auto p = list.AddNew(797, 300, image, 1, 0);  // leaves once past 804
  EXPECT_EQ(StepsToDeath(list, 20), 8);
  auto kept = list.AddNew(797, 300, image, 1, 0);
  kept->NoOutOfBounds = 1;
  EXPECT_EQ(StepsToDeath(list, 20), -1);
}

TEST_F(ParticleTest, SpinAndFadeInHoldAndFadeOut) {
  auto p = list.AddNew(400, 300, image, 0, 0, 0, 0, 0, -1, 100);
  p->SetFade(100, 50, 200);  // 20 in, 10 held, 40 out
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 0);
  for (int i = 0; i < 10; ++i) list.Manage();
  p->Draw();
  EXPECT_NEAR(p->Alpha, 0.5f, 1e-4);
  EXPECT_NEAR(p->Rotation, 80, 1e-3);  // -1000 degrees, kept within 0..360
  for (int i = 0; i < 20; ++i) list.Manage();
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 1);
  EXPECT_EQ(StepsToDeath(list, 100), 40);
}

TEST_F(ParticleTest, PhasesRunInOrderAndTheLastOneEndsTheParticle) {
  auto p = list.AddNew(100, 100, image);
  std::vector<int> calls;
  auto& first = p->AddPhase(50);  // 10 steps
  first.dx = 2;
  first.UserFunction = [&calls](TParticle&) { calls.push_back(1); };
  auto& second = p->AddPhase(25);
  second.SetCoords = 1;
  second.SetX = 300;
  second.SetY = 200;
  second.Alpha = 0;
  second.Hidden = 1;
  second.UserFunction = [&calls](TParticle&) { calls.push_back(2); };
  p->StartPhases();
  for (int i = 0; i < 10; ++i) list.Manage();
  EXPECT_EQ(calls, std::vector<int>{1});
  EXPECT_FLOAT_EQ(p->x, 300);  // the second phase placed it and moves it no further
  EXPECT_EQ(p->Hidden, 1);
  EXPECT_EQ(StepsToDeath(list, 20), 5);
  EXPECT_EQ(calls, (std::vector<int>{1, 2}));
}

TEST_F(ParticleTest, TheDestinationCallbackRunsFromTheStepTheLineIsReached) {
  auto p = list.AddNew(190, 300, image, 2.5f, 1);
  p->DestX = 200;
  p->DestY = 303;
  std::vector<float> at;
  p->DestinationReached = [&at](TParticle& q) { at.push_back(q.x); };
  for (int i = 0; i < 6; ++i) list.Manage();
  EXPECT_EQ(at, (std::vector<float>{200, 202.5f, 205}));
}

// One particle's end takes others with it (an attached particle and one
// killed by the callback) in the middle of the list's pass.
TEST_F(ParticleTest, SeveralParticlesCanLeaveTheListDuringOnePass) {
  std::vector<std::shared_ptr<TParticle>> ps;
  for (int i = 0; i < 6; ++i)
    ps.push_back(list.AddNew(400, 300, image, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1000));
  ps[1]->LifeCounter = 1;
  ps[1]->AttachedParticle = ps[2];
  TParticle* first = ps[0].get();
  TParticle* last = ps[5].get();
  ps[1]->UserKill = [first, last](TParticle&) {
    first->Kill();
    last->Kill();
  };
  int killed = 0;
  ps[3]->UserKill = [&killed](TParticle&) { ++killed; };
  ps[3]->LifeCounter = 1;
  std::weak_ptr<TParticle> watch = ps[1];
  TParticle* second = ps[1].get();
  ps.clear();
  list.Manage();
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.Particles.size(), 1u);
  EXPECT_EQ(killed, 1);
  EXPECT_TRUE(watch.expired());
  EXPECT_NE(list.Particles.front().get(), second);
  // A new particle put first goes ahead of the others.
  auto front = list.AddNew(1, 1, image, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1);
  EXPECT_EQ(list.Particles.front(), front);
  list.Clear();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_TRUE(list.Particles.empty());
}

TEST_F(ParticleTest, AParticleThatOutlivesItsListDiesAlone) {
  std::shared_ptr<TParticle> kept;
  {
    TParticleList shortLived;
    kept = shortLived.AddNew(10, 10, image);
  }
  EXPECT_EQ(kept->Particles, nullptr);
  kept->Kill();
  EXPECT_EQ(kept->active, 0);
}

TEST_F(ParticleTest, KillAfterAnimEndsAParticleWhenItsAnimationEnds) {
  auto p = list.AddNew(400, 300, Strip(4, 4, {0xffff0000, 0xff00ff00}));
  p->SetupAnim(2, 50, 0, 0, 0, 0, 0);
  p->KillAfterAnim = 1;
  EXPECT_EQ(StepsToDeath(list, 20), 10);
}

TEST_F(ParticleTest, AGeneratorMakesItsParticlesOnTimeAndLeavesItsList) {
  TParticleGeneratorList generators;
  std::vector<int> madeAt;
  int step = 0;
  auto g = generators.Add(10, 20, 3, 100, [&](TParticleGenerator& gen) {
    madeAt.push_back(step);
    list.AddNew(gen.x, gen.y, image, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2000);
  });
  g->dx = 1;
  EXPECT_EQ(generators.Count(), 1u);
  for (step = 1; step <= 60; ++step) generators.Manage();
  EXPECT_EQ(madeAt, (std::vector<int>{0, 20, 40}));
  EXPECT_EQ(generators.Count(), 0u);
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_FLOAT_EQ(list.Particles.back()->x, 50);
  EXPECT_EQ(g->Manage(), -1);

  auto once = generators.Add(0, 0, 1, 100, [](TParticleGenerator&) {});
  EXPECT_EQ(once->Qty, 0);
  EXPECT_EQ(generators.Count(), 0u);

  // Carried by a particle, a generator steps with it.
  auto carrier = list.AddNew(400, 300, image);
  int made = 0;
  carrier->ParticleGenerator =
      TParticleGenerator::Create(0, 0, 3, 10, [&made](TParticleGenerator&) { ++made; });
  for (int i = 0; i < 10; ++i) carrier->MoveParticle();
  EXPECT_EQ(made, 2);  // made 3 - 1: the first one only on request
}

TEST_F(ParticleTest, AnExplosionPlaysItsFramesOnceAndLeaves) {
  TExplosionList explosions;
  auto e = explosions.AddNew(400, 300, Strip(10, 10, {0xffff0000, 0xff00ff00, 0xff0000ff}));
  e->StartAnim(150, 3);  // 30 steps
  std::vector<uint32_t> seen;
  for (int i = 0; i < 30; ++i) {
    Clear(0, 0, 0);
    explosions.Draw();
    seen.push_back(Grab().ReadPixel(400, 300));
    explosions.Manage();
  }
  EXPECT_EQ(seen[0], 0xffff0000u);
  EXPECT_EQ(seen[15], 0xff00ff00u);
  EXPECT_EQ(seen[29], 0xff0000ffu);
  EXPECT_EQ(explosions.Count(), 0u);
}

class SparkleTest : public ParticleTest {
 protected:
  void SetUp() override {
    ParticleTest::SetUp();
    InstallEffects();
    CreateBanks();
    AddImageToBank(Solid(16, 16, 0xffffffff)->image, "particle1", 1);
    pointer = std::make_unique<TMousePointer>();
    pointer->x = 400;
    pointer->y = 300;
    pointer->w = 32;
    pointer->h = 32;
  }
  void TearDown() override {
    pointer.reset();
    ReleaseGameResources();
    ParticleTest::TearDown();
  }
  std::unique_ptr<TMousePointer> pointer;
};

TEST_F(SparkleTest, ThePointerMakesOneSparkleEveryFifteenStepsWhileItIsOn) {
  TParticleList* sparks = PointerParticles(*pointer);
  ASSERT_NE(sparks, nullptr);
  for (int i = 0; i < 150; ++i) pointer->Manage();
  EXPECT_EQ(sparks->Count(), 0u);  // no trail until a screen asks for it

  // The counter starts at 0: a sparkle on the first step, then one each
  // time another 15 steps have run (steps 1, 15, 30, ..., 150).
  SetPointerSparkles(*pointer, 1);
  for (int i = 0; i < 150; ++i) pointer->Manage();
  EXPECT_EQ(sparks->Count(), 11u);
  // The newest one (14 steps old) is still about where it was made, over
  // the pointer image.
  const TParticle& newest = *sparks->Particles.back();
  EXPECT_GE(newest.x, 400 + 1 - 5 - 1);
  EXPECT_LE(newest.x, 400 + 12 - 5 + 1);
  EXPECT_GE(newest.y, 300 + 1 - 5);
  EXPECT_LE(newest.y, 300 + 7 - 5 + 1);
  for (const auto& s : sparks->Particles) {
    EXPECT_EQ(s->DoLightBlend, 1);
    EXPECT_TRUE(s->DoRotate == 1 || s->DoRotate == -1);
    EXPECT_GE(s->ScaleX, 0.2f);
    EXPECT_LT(s->ScaleX, 0.5f);
    ASSERT_TRUE(s->Color);
    EXPECT_GE(s->Color->R, 100);
    EXPECT_FLOAT_EQ(s->FadeLength, 200);
    EXPECT_FLOAT_EQ(s->FadeInLength, 40);
  }
  // Fade in 40 steps, hold 60, fade out 200: the first one, made on step 1,
  // dies on step 300, when the 21st has been made.
  for (int i = 0; i < 149; ++i) pointer->Manage();
  EXPECT_EQ(sparks->Count(), 20u);
  pointer->Manage();
  EXPECT_EQ(sparks->Count(), 20u);

  pointer->Off();
  EXPECT_EQ(sparks->Count(), 0u);
  for (int i = 0; i < 150; ++i) pointer->Manage();
  EXPECT_EQ(sparks->Count(), 0u);
  pointer->On();
  SetPointerSparkles(*pointer, 0);
  for (int i = 0; i < 150; ++i) pointer->Manage();
  EXPECT_EQ(sparks->Count(), 0u);
}

}  // namespace
