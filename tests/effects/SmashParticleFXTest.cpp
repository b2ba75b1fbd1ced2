// Particle-effect files and the per-render simulation of their emitters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "../platform/HeadlessDisplay.h"
#include "Globals.h"
#include "TSmashParticleFX.h"
#include "TestSupport.h"

using testsupport::ReadWholeFile;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

namespace {

// Every stored field of an emitter, in the order the test fills them.
std::vector<float*> RealFields(TEmitter& e) {
  return {&e.EmitterDelay,    &e.EmitterDuration, &e.EmissionRate,  &e.EmissionEachFrame,
          &e.SpeedX,          &e.SpeedY,          &e.SpeedVarX,     &e.SpeedVarY,
          &e.LaunchSize,      &e.SizeVar,         &e.Grow,          &e.MinSize,
          &e.MaxSize,         &e.Alpha,           &e.AlphaVar,      &e.AlphaChange,
          &e.RotationSpeed,   &e.RotationVar,     &e.RotationStart, &e.ColorR,
          &e.ColorG,          &e.ColorB,          &e.ColorChangeR,  &e.ColorChangeG,
          &e.ColorChangeB,    &e.StartOffsetX,    &e.StartOffsetY,  &e.StartOffsetVarX,
          &e.StartOffsetVarY, &e.GravityX,        &e.GravityY,      &e.LifeTime};
}

float FloatAt(const std::string& bytes, size_t offset) {
  float f;
  std::memcpy(&f, bytes.data() + offset, 4);
  return f;
}

int32_t IntAt(const std::string& bytes, size_t offset) {
  int32_t v;
  std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

// One live emitter that keeps its sparks in place for a long time.
TSmashParticleFX OneEmitter(float rate, float delay, float duration) {
  TSmashParticleFX fx;
  TEmitter& e = fx.Emitter[0];
  e.RenderType = TEmitter::RENDER_ALPHA;
  e.EmissionRate = rate;
  e.EmitterDelay = delay;
  e.EmitterDuration = duration;
  e.LifeTime = 1000;
  return fx;
}

class ParticleFX : public gfxtest::HeadlessDisplay {
 protected:
  void SetUp() override {
    HeadlessDisplay::SetUp();
    plat::SeedRnd(7);
    saved_ = SharedDataPath;
    SharedDataPath = dir_.Path() + "/";
  }
  void TearDown() override {
    SharedDataPath = saved_;
    HeadlessDisplay::TearDown();
  }
  TempDir dir_;
  std::string saved_;
};

}  // namespace

TEST_F(ParticleFX, SaveThenLoadReproducesEveryStoredField) {
  TSmashParticleFX out;
  for (int i = 0; i < TSmashParticleFX::EMITTER_COUNT; ++i) {
    float value = 0.25f + 0.01f * float(i);  // within what a file may ask for
    for (float* f : RealFields(out.Emitter[i])) *f = (value += 0.1f);
    out.Emitter[i].RenderType = i % 4;
    out.Emitter[i].Image = 8 - (i % 9);
  }
  ASSERT_EQ(out.SaveFX(dir_.File("fx.par")), 1);
  std::string bytes = ReadWholeFile(dir_.File("fx.par"));
  ASSERT_EQ(bytes.size(), 1360u);
  // The record layout: size spread before launch size, the two integers
  // between the colour changes and the colour.
  const TEmitter& third = out.Emitter[2];
  size_t base = 2 * 136;
  EXPECT_EQ(FloatAt(bytes, base + 0), third.EmitterDelay);
  EXPECT_EQ(FloatAt(bytes, base + 32), third.SizeVar);
  EXPECT_EQ(FloatAt(bytes, base + 36), third.LaunchSize);
  EXPECT_EQ(FloatAt(bytes, base + 104), third.LifeTime);
  EXPECT_EQ(IntAt(bytes, base + 108), third.RenderType);
  EXPECT_EQ(IntAt(bytes, base + 112), third.Image);
  EXPECT_EQ(FloatAt(bytes, base + 116), third.ColorR);
  EXPECT_EQ(FloatAt(bytes, base + 132), third.GravityY);

  TSmashParticleFX in;
  ASSERT_EQ(in.LoadFX("littleendian::" + dir_.File("fx.par")), 1);
  for (int i = 0; i < TSmashParticleFX::EMITTER_COUNT; ++i) {
    SCOPED_TRACE(i);
    auto a = RealFields(out.Emitter[i]);
    auto b = RealFields(in.Emitter[i]);
    for (size_t f = 0; f < a.size(); ++f) EXPECT_EQ(*a[f], *b[f]) << "field " << f;
    EXPECT_EQ(in.Emitter[i].RenderType, out.Emitter[i].RenderType);
    EXPECT_EQ(in.Emitter[i].Image, out.Emitter[i].Image);
  }
}

TEST_F(ParticleFX, AFileAskingForEndlessSparksCostsBoundedTimeAndMemory) {
  // Every emitter: 1001 sparks a frame, for 1e9 frames, each living 1e9.
  TSmashParticleFX greedy;
  for (TEmitter& e : greedy.Emitter) {
    e.RenderType = TEmitter::RENDER_ADD;
    e.EmissionRate = 1000;
    e.EmitterDuration = 1e9f;
    e.LifeTime = 1e9f;
    e.EmissionEachFrame = 1;
  }
  greedy.Emitter[1].EmitterDelay = std::nanf("");
  greedy.Emitter[2].MaxSize = std::numeric_limits<float>::infinity();
  greedy.Emitter[3].RenderType = 12345;
  // The game refuses such a file; an effect made in memory is tamed.
  ASSERT_EQ(greedy.SaveFX(dir_.File("greedy.par")), 1);
  EXPECT_THROW(TSmashParticleFX::Load("littleendian::" + dir_.File("greedy.par"), 0), TFatalError);
  auto model = TSmashParticleFX::DuplicateFrom(greedy);
  model->BoundSettings();
  const TEmitter& e = model->Emitter[1];
  EXPECT_EQ(e.EmissionRate, TSmashParticleFX::MAX_EMISSION_RATE);
  EXPECT_EQ(e.EmitterDuration, TSmashParticleFX::MAX_FRAMES);
  EXPECT_EQ(e.LifeTime, TSmashParticleFX::MAX_FRAMES);
  EXPECT_EQ(e.EmitterDelay, 0);
  EXPECT_EQ(model->Emitter[2].MaxSize, TSmashParticleFX::MAX_SCALE);
  EXPECT_EQ(model->Emitter[3].RenderType, TEmitter::RENDER_OFF);

  // A burst of jewels, each with its copy of the effect, as the board makes.
  std::vector<std::unique_ptr<TSmashParticleFX>> bursts;
  for (int i = 0; i < 12; ++i) bursts.push_back(TSmashParticleFX::DuplicateFrom(*model));
  const size_t oneEmission = size_t(TSmashParticleFX::MAX_EMISSION_RATE) + 1;
  size_t most = 0, mostInAll = 0;
  int frames = 0;
  auto allFinished = [&] {
    return std::all_of(bursts.begin(), bursts.end(), [](const auto& b) { return b->Finished(); });
  };
  while (!allFinished() && frames < 5000) {
    ++frames;
    for (auto& burst : bursts) {
      burst->Render(1, 1);
      size_t live = 0;
      for (const TEmitter& emitter : burst->Emitter) live += emitter.Particles.size();
      most = std::max(most, live);
    }
    mostInAll = std::max(mostInAll, TLiveSparks::InAll());
  }
  EXPECT_LE(frames, 3 * int(TSmashParticleFX::MAX_FRAMES) + 2);  // every burst ends
  EXPECT_GT(most, TSmashParticleFX::MAX_LIVE_SPARKS / 2);        // it did try
  EXPECT_LE(most, TSmashParticleFX::MAX_LIVE_SPARKS + oneEmission);
  EXPECT_GE(mostInAll, TSmashParticleFX::MAX_LIVE_SPARKS_IN_ALL);
  EXPECT_LE(mostInAll, TSmashParticleFX::MAX_LIVE_SPARKS_IN_ALL + oneEmission);
  bursts.clear();
  model.reset();
  EXPECT_EQ(TLiveSparks::InAll(), 0u);
}

TEST_F(ParticleFX, AMissingShortLongOrOutOfBoundsFileIsAFatalReportNamingIt) {
  EXPECT_THROW(TSmashParticleFX::Load(dir_.File("absent.par"), 1), TFatalError);
  EXPECT_NE(ReadWholeFile(dir_.File("ErrorLog.txt"))
                .find("Could not load Particle FX '" + dir_.File("absent.par") + "'"),
            std::string::npos);

  // A short or a long file loads nothing at all, not half the emitters;
  // neither does a value no effect uses (not a number, out of bounds).
  TSmashParticleFX source = OneEmitter(3, 0, 5);
  source.Emitter[0].LifeTime = TSmashParticleFX::MAX_FRAMES;
  ASSERT_EQ(source.SaveFX(dir_.File("full.par")), 1);
  const std::string whole = ReadWholeFile(dir_.File("full.par"));
  std::string notANumber = whole, tooLong = whole;
  std::memset(notANumber.data() + 8, 0xff, 4);
  const float life = 2 * TSmashParticleFX::MAX_FRAMES;  // the first emitter's life time
  std::memcpy(tooLong.data() + 104, &life, 4);
  for (const std::string& bytes : {whole.substr(0, 1359), whole + "x", notANumber, tooLong}) {
    SCOPED_TRACE(bytes.size());
    WriteWholeFile(dir_.File("bad.par"), bytes);
    TSmashParticleFX fx = OneEmitter(1, 0, 10);
    EXPECT_THROW(fx.LoadFX(dir_.File("bad.par")), TFatalError);
    for (const TEmitter& e : fx.Emitter) EXPECT_EQ(e.RenderType, TEmitter::RENDER_OFF);
  }
  TSmashParticleFX fx;
  EXPECT_EQ(fx.LoadFX(dir_.File("full.par")), 1);

  EXPECT_EQ(source.SaveFX(dir_.File("no/such/folder/x.par")), 0);
  EXPECT_NE(ReadWholeFile(dir_.File("ErrorLog.txt")).find("Could not save Particle FX"),
            std::string::npos);
}

TEST_F(ParticleFX, EmissionCountIsTheWholeRatePlusOne) {
  for (auto [rate, expected] : std::vector<std::pair<float, size_t>>{
           {0.0f, 1}, {2.7f, 3}, {0.99f, 1}, {-0.5f, 1}, {-1.0f, 0}, {-3.0f, 0}}) {
    SCOPED_TRACE(rate);
    TSmashParticleFX fx = OneEmitter(rate, 0, 10);
    fx.Render(1, 1);
    EXPECT_EQ(fx.Emitter[0].Particles.size(), expected);
  }
  TSmashParticleFX huge = OneEmitter(1e30f, 0, 10);
  huge.Render(1, 1);
  EXPECT_LE(huge.Emitter[0].Particles.size(), 1001u);
}

TEST_F(ParticleFX, DelayZeroDurationTenEmitsOnFramesOneToTen) {
  TSmashParticleFX fx = OneEmitter(0, 0, 10);
  std::vector<size_t> counts;
  for (int i = 0; i < 12; ++i) {
    fx.Render(1, 1);
    counts.push_back(fx.Emitter[0].Particles.size());
  }
  EXPECT_EQ(counts, (std::vector<size_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10}));

  TSmashParticleFX delayed = OneEmitter(0, 3, 2);
  delayed.Emitter[0].EmissionEachFrame = 2;
  counts.clear();
  for (int i = 0; i < 7; ++i) {
    delayed.Render(1, 1);
    counts.push_back(delayed.Emitter[0].Particles.size());
  }
  // Frames 3..5 are in the window; only the even frame 4 emits.
  EXPECT_EQ(counts, (std::vector<size_t>{0, 0, 0, 1, 1, 1, 1}));

  TSmashParticleFX quiet = OneEmitter(0, 0, 10);
  quiet.Render(1, 0);
  EXPECT_TRUE(quiet.Emitter[0].Particles.empty());
  EXPECT_EQ(quiet.Emitter[0].Frame, 1);
}

TEST_F(ParticleFX, FinishedNeedsNineOfTenEmitters) {
  TSmashParticleFX one = OneEmitter(0, 0, 10);
  EXPECT_EQ(one.Finished(), 1);  // the nine inert ones are enough

  TSmashParticleFX two = OneEmitter(0, 0, 2);
  two.Emitter[0].LifeTime = 3;
  two.Emitter[1].CopySettingsFrom(two.Emitter[0]);
  two.Emitter[1].LifeTime = 50;
  EXPECT_EQ(two.Finished(), 0);
  for (int i = 0; i < 5; ++i) two.Render(1, 1);
  EXPECT_EQ(two.Finished(), 0);  // frame 5 is not past 2 + 0 + 3
  two.Render(1, 1);
  EXPECT_EQ(two.Emitter[0].Finished(), 1);
  EXPECT_EQ(two.Emitter[1].Finished(), 0);
  EXPECT_EQ(two.Finished(), 1);

  // Looping restarts the window, so a looping emitter never finishes.
  TSmashParticleFX looping = OneEmitter(0, 0, 2);
  looping.Emitter[0].LifeTime = 1;
  looping.Emitter[1].CopySettingsFrom(looping.Emitter[0]);
  looping.SetLoop(1);
  for (int i = 0; i < 50; ++i) looping.Render(1, 1);
  EXPECT_EQ(looping.Finished(), 0);
  EXPECT_LE(looping.Emitter[0].Frame, 3);
}

TEST_F(ParticleFX, ALoopingEmitterRepeatsItsWindowOfDelayPlusDurationPlusOne) {
  // Delay 2, duration 3: frames 2..5 emit, frame 6 passes the window and
  // starts it over, so the pattern repeats every six renders.
  TSmashParticleFX fx = OneEmitter(0, 2, 3);
  fx.SetLoop(1);
  std::string pattern;
  size_t before = 0;
  for (int render = 0; render < 18; ++render) {
    fx.Render(1, 1);
    size_t now = fx.Emitter[0].Particles.size();
    pattern += now > before ? 'E' : '.';
    before = now;
  }
  EXPECT_EQ(pattern, ".EEEE..EEEE..EEEE.");
}

TEST_F(ParticleFX, SparksMoveFallAgeAndAreClampedInSize) {
  TSmashParticleFX fx = OneEmitter(0, 1, 0);  // emits on frame 1 only
  TEmitter& e = fx.Emitter[0];
  e.SpeedX = 2;
  e.SpeedY = -1;
  e.GravityY = 0.5f;
  e.LaunchSize = 1;
  e.MaxSize = 1;
  e.Grow = 0.5f;
  e.AlphaChange = -0.25f;
  e.ColorChangeR = -10;
  e.LifeTime = 3;
  fx.MoveTo(100, 200);
  fx.Render(0.5f, 1);
  ASSERT_EQ(e.Particles.size(), 1u);
  const TSmashParticle& p = *e.Particles.front();
  EXPECT_FLOAT_EQ(p.x, 101);       // 100 + 2 * 0.5
  EXPECT_FLOAT_EQ(p.y, 199.5f);    // 200 - 1 * 0.5
  EXPECT_FLOAT_EQ(p.dy, -0.75f);   // gravity after the move
  EXPECT_FLOAT_EQ(p.zoom, 1.25f);  // clamped to 1 for drawing, then grown
  EXPECT_FLOAT_EQ(p.alpha, 0.875f);
  EXPECT_FLOAT_EQ(p.r, 250);
  fx.Render(1, 1);
  EXPECT_FLOAT_EQ(p.zoom, 1.5f);  // clamped back to 1 before it grew again
  fx.Render(1, 1);
  ASSERT_EQ(e.Particles.size(), 1u);  // frame 3 is not past LifeTime 3
  fx.Render(1, 1);
  EXPECT_TRUE(e.Particles.empty());

  fx.Stop();
  int frame = e.Frame;
  fx.Render(1, 1);
  EXPECT_EQ(e.Frame, frame);
  fx.Restart();
  EXPECT_EQ(e.Frame, 0);
  fx.Render(1, 1);
  EXPECT_EQ(e.Particles.size(), 1u);
  fx.Reset();
  EXPECT_TRUE(e.Particles.empty());
}

TEST_F(ParticleFX, DuplicateCopiesSettingsButStartsFresh) {
  TSmashParticleFX fx = OneEmitter(1, 0, 5);
  fx.SetLoop(1);
  fx.MoveTo(10, 20);
  fx.Emitter[0].ColorG = 77;
  fx.Render(1, 1);
  auto copy = TSmashParticleFX::DuplicateFrom(fx);
  EXPECT_EQ(copy->LoopFX, 1);
  EXPECT_EQ(copy->Emitter[0].X, 10);
  EXPECT_EQ(copy->Emitter[9].Y, 20);
  EXPECT_EQ(copy->Emitter[0].ColorG, 77);
  EXPECT_EQ(copy->Emitter[0].RenderType, TEmitter::RENDER_ALPHA);
  EXPECT_EQ(copy->Emitter[0].Frame, 0);
  EXPECT_TRUE(copy->Emitter[0].Particles.empty());
}

TEST_F(ParticleFX, RenderingLeavesTheDrawingStateAsItFoundIt) {
  TSmashParticleFX fx = OneEmitter(2, 0, 5);
  fx.Emitter[0].RenderType = TEmitter::RENDER_ADD;
  fx.Emitter[0].Alpha = 0.3f;
  fx.Emitter[0].ColorB = 10;
  plat::SetBlend(plat::SOLIDBLEND);
  plat::SetAlpha(0.75);
  plat::SetColor(1, 2, 3);
  plat::SetScale(2, 3);
  plat::SetRotation(45);
  fx.Render(1, 1);
  EXPECT_EQ(plat::GetBlend(), plat::SOLIDBLEND);
  EXPECT_DOUBLE_EQ(plat::GetAlpha(), 0.75);
  int r, g, b;
  plat::GetColor(r, g, b);
  EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({1, 2, 3}));
  double sx, sy;
  plat::GetScale(sx, sy);
  EXPECT_DOUBLE_EQ(sx, 2);
  EXPECT_DOUBLE_EQ(sy, 3);
  EXPECT_DOUBLE_EQ(plat::GetRotation(), 45);
}

// Sparks are only drawn: spreading them takes nothing from the play's
// chance, which goes on as if no frame had been drawn, while the same seed
// still spreads them the same way.
TEST_F(ParticleFX, SpreadingSparksLeavesThePlaysChanceAlone) {
  auto spread = [] {
    plat::SeedRnd(7);
    TSmashParticleFX fx = OneEmitter(20, 0, 5);
    fx.Emitter[0].SpeedVarX = fx.Emitter[0].StartOffsetVarY = 3;
    for (int i = 0; i < 3; ++i) fx.Render(1, 1);
    std::vector<float> places;
    for (const auto& spark : fx.Emitter[0].Particles) places.push_back(spark->x + spark->y);
    return places;
  };
  std::vector<float> first = spread();
  ASSERT_EQ(first.size(), 63u);
  EXPECT_NE(first.front(), first.back());
  const int next = plat::Rand(0, 1 << 30);
  plat::SeedRnd(7);
  EXPECT_EQ(plat::Rand(0, 1 << 30), next);
  EXPECT_EQ(spread(), first);
}

TEST_F(ParticleFX, AnEmitterWithoutLoopFinishesOnTheFrameAfterItsLastSparkDied) {
  // Delay 0, duration 10, life time 5: finished once the frame is past 15.
  TSmashParticleFX fx = OneEmitter(0, 0, 10);
  TEmitter& e = fx.Emitter[0];
  e.LifeTime = 5;
  for (int frame = 1; frame <= 15; ++frame) {
    fx.Render(1, 1);
    ASSERT_EQ(e.Frame, frame);
    EXPECT_EQ(e.Finished(), 0) << "frame " << frame;
  }
  fx.Render(1, 1);
  EXPECT_EQ(e.Frame, 16);
  EXPECT_EQ(e.Finished(), 1);
}

TEST_F(ParticleFX, ColourChannelsAbove255DrawAs255AndGrowingPast255StaysThere) {
  TSmashParticle::SetImage(gfxtest::SolidImage(16, 16, 0xffffffff));
  struct Case {
    float r, g, b;
  };
  for (const Case& c : {Case{300, 1e9f, 255}, Case{1e9f, 255, 300}, Case{255, 300, 1e9f}}) {
    SCOPED_TRACE(std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b));
    plat::SetClsColor(0, 0, 0);
    plat::Cls();
    TSmashParticleFX fx = OneEmitter(0, 0, 1);
    TEmitter& e = fx.Emitter[0];
    e.ColorR = c.r;
    e.ColorG = c.g;
    e.ColorB = c.b;
    fx.MoveTo(100, 100);
    fx.Render(0, 1);
    ASSERT_EQ(e.Particles.size(), 1u);
    EXPECT_TRUE(gfxtest::Near(Pixel(104, 104), 255, 255, 255));
  }
  // A colour that grows past full brightness over the spark's life stays
  // at full brightness, frame after frame (it changes after each drawing).
  TSmashParticleFX fx = OneEmitter(0, 0, 1);
  TEmitter& e = fx.Emitter[0];
  e.ColorR = e.ColorG = e.ColorB = 215;
  e.ColorChangeR = e.ColorChangeG = e.ColorChangeB = 40;
  fx.MoveTo(100, 100);
  for (int frame = 0; frame < 12; ++frame) {
    SCOPED_TRACE(frame);
    plat::SetClsColor(0, 0, 0);
    plat::Cls();
    fx.Render(1, frame == 0 ? 1 : 0);
    ASSERT_EQ(e.Particles.size(), 1u);
    int lit = frame == 0 ? 215 : 255;
    EXPECT_TRUE(gfxtest::Near(Pixel(104, 104), lit, lit, lit)) << std::hex << Pixel(104, 104);
  }
  TSmashParticle::SetImage(plat::TImagePtr());
}
