// score1.par and score2.par: 1360 bytes each, read back field by field at
// the offsets the game reads them from.
#include <gtest/gtest.h>

#include "DataTree.h"
#include "ParticleFiles.h"

using datagen::EmitterRecord;
using datagen::ParticleEffect;

namespace {

EmitterRecord ReadRecord(const datatest::Bytes& b, size_t base) {
  auto f = [&](size_t off) { return datatest::LeFloat(b, base + off); };
  auto i = [&](size_t off) { return int32_t(datatest::Le32(b, base + off)); };
  EmitterRecord e;
  e.delay = f(0), e.duration = f(4), e.emissionRate = f(8), e.emissionEachFrame = f(12);
  e.speedX = f(16), e.speedY = f(20), e.speedVarX = f(24), e.speedVarY = f(28);
  e.sizeVar = f(32), e.launchSize = f(36), e.grow = f(40), e.minSize = f(44), e.maxSize = f(48);
  e.alpha = f(52), e.alphaVar = f(56), e.alphaChange = f(60);
  e.rotationSpeed = f(64), e.rotationVar = f(68), e.rotationStart = f(72);
  e.startOffsetX = f(76), e.startOffsetY = f(80), e.startOffsetVarX = f(84),
  e.startOffsetVarY = f(88);
  e.colorChangeR = f(92), e.colorChangeG = f(96), e.colorChangeB = f(100), e.lifeTime = f(104);
  e.renderType = i(108), e.image = i(112);
  e.colorR = f(116), e.colorG = f(120), e.colorB = f(124), e.gravityX = f(128), e.gravityY = f(132);
  return e;
}

void ExpectSame(const EmitterRecord& a, const EmitterRecord& b) {
  const float* fa[] = {&a.delay,
                       &a.duration,
                       &a.emissionRate,
                       &a.emissionEachFrame,
                       &a.speedX,
                       &a.speedY,
                       &a.speedVarX,
                       &a.speedVarY,
                       &a.sizeVar,
                       &a.launchSize,
                       &a.grow,
                       &a.minSize,
                       &a.maxSize,
                       &a.alpha,
                       &a.alphaVar,
                       &a.alphaChange,
                       &a.rotationSpeed,
                       &a.rotationVar,
                       &a.rotationStart,
                       &a.startOffsetX,
                       &a.startOffsetY,
                       &a.startOffsetVarX,
                       &a.startOffsetVarY,
                       &a.colorChangeR,
                       &a.colorChangeG,
                       &a.colorChangeB,
                       &a.lifeTime,
                       &a.colorR,
                       &a.colorG,
                       &a.colorB,
                       &a.gravityX,
                       &a.gravityY};
  const float* fb[] = {&b.delay,
                       &b.duration,
                       &b.emissionRate,
                       &b.emissionEachFrame,
                       &b.speedX,
                       &b.speedY,
                       &b.speedVarX,
                       &b.speedVarY,
                       &b.sizeVar,
                       &b.launchSize,
                       &b.grow,
                       &b.minSize,
                       &b.maxSize,
                       &b.alpha,
                       &b.alphaVar,
                       &b.alphaChange,
                       &b.rotationSpeed,
                       &b.rotationVar,
                       &b.rotationStart,
                       &b.startOffsetX,
                       &b.startOffsetY,
                       &b.startOffsetVarX,
                       &b.startOffsetVarY,
                       &b.colorChangeR,
                       &b.colorChangeG,
                       &b.colorChangeB,
                       &b.lifeTime,
                       &b.colorR,
                       &b.colorG,
                       &b.colorB,
                       &b.gravityX,
                       &b.gravityY};
  for (size_t k = 0; k < std::size(fa); ++k) EXPECT_EQ(*fa[k], *fb[k]) << "float field " << k;
  EXPECT_EQ(a.renderType, b.renderType);
  EXPECT_EQ(a.image, b.image);
}

// Particles one emission window makes, over all switched-on emitters.
int ParticlesPerWindow(const ParticleEffect& fx) {
  int total = 0;
  for (const EmitterRecord& e : fx) {
    if (e.renderType == datagen::kRenderOff) continue;
    for (int frame = 1; frame <= int(e.delay + e.duration); ++frame)
      if (frame >= e.delay && frame % int(e.emissionEachFrame) == 0)
        total += int(e.emissionRate) + 1;
  }
  return total;
}

}  // namespace

TEST(ParticleFiles, LoadBackFieldForField) {
  REQUIRE_DATA_TREE();
  for (int which : {1, 2}) {
    SCOPED_TRACE(which);
    auto file = datatest::ReadBytes(datatest::RuntimeDir() + "/data/resources/score" +
                                    std::to_string(which) + ".par");
    ASSERT_EQ(file.size(), 1360u);
    ParticleEffect fx = datagen::ScoreEffect(which);
    for (size_t k = 0; k < fx.size(); ++k) ExpectSame(ReadRecord(file, k * 136), fx[k]);
  }
}

TEST(ParticleFiles, EveryFieldIsWrittenInItsOwnPlace) {
  // Each field of each record a value of its own: a field written in
  // another's place (the two gravities, say) cannot go unseen.
  ParticleEffect fx = datagen::ScoreEffect(1);
  float next = 1.5f;
  for (EmitterRecord& e : fx) {
    for (float* field : {&e.delay,
                         &e.duration,
                         &e.emissionRate,
                         &e.emissionEachFrame,
                         &e.speedX,
                         &e.speedY,
                         &e.speedVarX,
                         &e.speedVarY,
                         &e.sizeVar,
                         &e.launchSize,
                         &e.grow,
                         &e.minSize,
                         &e.maxSize,
                         &e.alpha,
                         &e.alphaVar,
                         &e.alphaChange,
                         &e.rotationSpeed,
                         &e.rotationVar,
                         &e.rotationStart,
                         &e.startOffsetX,
                         &e.startOffsetY,
                         &e.startOffsetVarX,
                         &e.startOffsetVarY,
                         &e.colorChangeR,
                         &e.colorChangeG,
                         &e.colorChangeB,
                         &e.lifeTime,
                         &e.colorR,
                         &e.colorG,
                         &e.colorB,
                         &e.gravityX,
                         &e.gravityY}) {
      *field = next;
      next += 1.0f;
    }
    e.renderType = int(next++);
    e.image = int(next++);
  }
  datagen::Bytes bytes = datagen::SerialiseEffect(fx);
  ASSERT_EQ(bytes.size(), 1360u);
  datatest::Bytes file(bytes.begin(), bytes.end());
  for (size_t k = 0; k < fx.size(); ++k) {
    SCOPED_TRACE(k);
    ExpectSame(ReadRecord(file, k * 136), fx[k]);
  }
}

TEST(ParticleFiles, RecordsHoldValidFramesAndBlendModes) {
  for (int which : {1, 2}) {
    for (const EmitterRecord& e : datagen::ScoreEffect(which)) {
      EXPECT_GE(e.renderType, 0);
      EXPECT_LE(e.renderType, 3);
      EXPECT_GE(e.image, 0);
      EXPECT_LE(e.image, 8);
      if (e.renderType == datagen::kRenderOff) continue;
      EXPECT_GE(e.emissionEachFrame, 1);  // emission tests the frame against it
      EXPECT_LE(e.minSize, e.maxSize);
    }
  }
}

TEST(ParticleFiles, BurstsAreShortAndEndWithTheirFirstEmitter) {
  for (int which : {1, 2}) {
    SCOPED_TRACE(which);
    ParticleEffect fx = datagen::ScoreEffect(which);
    const EmitterRecord& first = fx[0];
    ASSERT_NE(first.renderType, datagen::kRenderOff);  // the game drops the effect by it
    // The jewel's 200 ms fade loops the effect for about 12 renders at 60 Hz;
    // the whole burst stays under 0.4 s (24 renders).
    EXPECT_LE(datagen::EffectLength(fx, 12), 24);
    float end = first.delay + first.duration + first.lifeTime;
    for (const EmitterRecord& e : fx)
      if (e.renderType != datagen::kRenderOff) {
        EXPECT_LE(e.delay + e.duration + e.lifeTime, end);
      }
  }
}

TEST(ParticleFiles, MarbleBurstIsTheBiggerOne) {
  EXPECT_GT(ParticlesPerWindow(datagen::ScoreEffect(2)),
            ParticlesPerWindow(datagen::ScoreEffect(1)));
}

TEST(ParticleFiles, SerialisedSizeIsTenRecords) {
  EXPECT_EQ(datagen::SerialiseEffect(datagen::ScoreEffect(1)).size(), 1360u);
  EXPECT_EQ(datagen::SerialiseEffect(ParticleEffect{}).size(), 1360u);
}
