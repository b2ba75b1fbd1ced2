// The jewel-burst particle effects ("score1.par", "score2.par"): ten emitter
// records of 136 bytes each, every value 32-bit little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace datagen {

using Bytes = std::vector<uint8_t>;

constexpr int kEmitterCount = 10;
constexpr size_t kEmitterRecordSize = 136;
constexpr size_t kParticleFileSize = kEmitterCount * kEmitterRecordSize;

enum RenderType { kRenderAlpha = 0, kRenderAdd = 1, kRenderMul = 2, kRenderOff = 3 };

// Frames of the shared strip "particles.png".
enum ParticleFrame {
  kSpark = 0,
  kStar,
  kOrb,
  kRing,
  kShard,
  kFlare,
  kPuff,
  kGlint,
  kDot,
};

// One emitter, fields in the order the file stores them. Counts are in
// renders of the effect (the game renders it once per drawn frame).
struct EmitterRecord {
  float delay = 0, duration = 10, emissionRate = 1, emissionEachFrame = 1;
  float speedX = 0, speedY = 0, speedVarX = 0, speedVarY = 0;
  float sizeVar = 0, launchSize = 1, grow = 0, minSize = 0, maxSize = 1;
  float alpha = 1, alphaVar = 0, alphaChange = 0;
  float rotationSpeed = 0, rotationVar = 0, rotationStart = 0;
  float startOffsetX = 0, startOffsetY = 0, startOffsetVarX = 0, startOffsetVarY = 0;
  float colorChangeR = 0, colorChangeG = 0, colorChangeB = 0;
  float lifeTime = 100;
  int32_t renderType = kRenderOff;
  int32_t image = 4;
  float colorR = 255, colorG = 255, colorB = 255;
  float gravityX = 0, gravityY = 0;
};

using ParticleEffect = std::array<EmitterRecord, kEmitterCount>;

// 1: the burst of a jewel on a normal cell; 2: the larger white-gold burst of
// a marble cell.
ParticleEffect ScoreEffect(int which);

Bytes SerialiseEffect(const ParticleEffect& effect);

// Renders after which the effect's first emitter reports finished, when its
// looping is switched off after `loopedRenders` renders (the jewel's fade).
int EffectLength(const ParticleEffect& effect, int loopedRenders);

}  // namespace datagen
