#include "ParticleFiles.h"

#include <cmath>
#include <cstring>

namespace datagen {

namespace {

// The jewel fade lasts 200 ms, about 12 renders at 60 frames per second. Every
// emitter window is 12 renders long, so while the fade loops the effect it
// emits through the fade once, without starting a second round.
constexpr float kWindow = 12;

struct Light {
  float r, g, b;
};

// What every burst emitter shares: additive light of one frame, emitting
// through the jewel's fade every `eachFrame` renders.
EmitterRecord Additive(ParticleFrame image, float eachFrame, Light c, float size, float life) {
  EmitterRecord e;
  e.renderType = kRenderAdd;
  e.image = image;
  e.delay = 0;
  e.duration = kWindow;
  e.emissionEachFrame = eachFrame;
  e.emissionRate = 0;
  e.launchSize = size;
  e.minSize = 0.02f;
  e.maxSize = size * 1.5f;
  e.colorR = c.r, e.colorG = c.g, e.colorB = c.b;
  e.lifeTime = life;
  return e;
}

EmitterRecord Sparks(Light c, int perEmission, float speed, float size) {
  EmitterRecord e = Additive(kSpark, 2, c, size, 10);
  e.emissionRate = float(perEmission - 1);
  e.speedVarX = speed;
  e.speedVarY = speed;
  e.speedY = -0.4f;
  e.sizeVar = size * 0.3f;
  e.grow = -size / 14;
  e.alphaVar = 0.1f;
  e.alphaChange = -0.085f;
  e.rotationVar = 8;
  e.startOffsetVarX = 7;
  e.startOffsetVarY = 7;
  e.colorChangeB = -9;  // sparks cool from white into the crystal's amber
  e.colorChangeG = -3;
  e.gravityY = 0.16f;
  return e;
}

EmitterRecord Glow(Light c, float size, float alpha) {
  EmitterRecord e = Additive(kOrb, 4, c, size, 8);
  e.grow = size / 20;
  e.minSize = 0.05f;
  e.maxSize = size * 1.6f;
  e.alpha = alpha;
  e.alphaChange = -alpha / 8;
  return e;
}

EmitterRecord Ring(Light c, float size) {
  EmitterRecord e = Additive(kRing, kWindow, c, size * 0.35f, 8);  // once, as the jewel vanishes
  e.grow = size / 10;
  e.maxSize = size * 1.2f;
  e.alpha = 0.9f;
  e.alphaChange = -0.11f;
  return e;
}

EmitterRecord Glints(float size) {
  EmitterRecord e = Additive(kGlint, 3, {255, 250, 235}, size, 9);
  e.sizeVar = size * 0.3f;
  e.grow = -size / 10;
  e.maxSize = size * 1.4f;
  e.alphaChange = -0.1f;
  e.rotationSpeed = 4;
  e.rotationVar = 3;
  e.startOffsetVarX = 13;
  e.startOffsetVarY = 13;
  return e;
}

}  // namespace

ParticleEffect ScoreEffect(int which) {
  ParticleEffect fx{};  // default records: inert (RenderType 3)
  if (which == 2) {
    // Marble: white-gold, more and faster sparks, stars and a wider ring.
    fx[0] = Sparks({255, 246, 214}, 4, 3.2f, 0.2f);
    fx[0].image = kStar;
    fx[0].lifeTime = 11;
    fx[1] = Glow({255, 214, 140}, 0.55f, 0.55f);
    fx[2] = Ring({255, 236, 180}, 0.6f);
    fx[3] = Glints(0.3f);
    fx[4] = Sparks({255, 255, 255}, 2, 2.2f, 0.12f);
    fx[4].image = kDot;
  } else {
    fx[0] = Sparks({255, 238, 200}, 3, 2.4f, 0.16f);
    fx[1] = Glow({255, 224, 170}, 0.42f, 0.4f);
    fx[2] = Ring({220, 240, 255}, 0.42f);
  }
  return fx;
}

namespace {

void PutFloat(Bytes& out, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(bits >> (8 * i)));
}

void PutInt(Bytes& out, int32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

}  // namespace

Bytes SerialiseEffect(const ParticleEffect& effect) {
  Bytes out;
  for (const EmitterRecord& e : effect) {
    for (float v : {e.delay,
                    e.duration,
                    e.emissionRate,
                    e.emissionEachFrame,
                    e.speedX,
                    e.speedY,
                    e.speedVarX,
                    e.speedVarY,
                    e.sizeVar,
                    e.launchSize,
                    e.grow,
                    e.minSize,
                    e.maxSize,
                    e.alpha,
                    e.alphaVar,
                    e.alphaChange,
                    e.rotationSpeed,
                    e.rotationVar,
                    e.rotationStart,
                    e.startOffsetX,
                    e.startOffsetY,
                    e.startOffsetVarX,
                    e.startOffsetVarY,
                    e.colorChangeR,
                    e.colorChangeG,
                    e.colorChangeB,
                    e.lifeTime})
      PutFloat(out, v);
    PutInt(out, e.renderType);
    PutInt(out, e.image);
    for (float v : {e.colorR, e.colorG, e.colorB, e.gravityX, e.gravityY}) PutFloat(out, v);
  }
  return out;
}

int EffectLength(const ParticleEffect& effect, int loopedRenders) {
  const EmitterRecord& e = effect[0];
  float window = e.delay + e.duration;
  // While looping the frame counter wraps after the window; then it runs on
  // until it passes the window plus the particles' lifetime.
  int frame = 0, renders = 0;
  while (true) {
    ++frame;
    ++renders;
    bool looping = renders <= loopedRenders;
    if (!looping && frame > window + e.lifeTime) return renders;
    if (looping && frame > window) frame = 0;
    if (renders > 100000) return renders;
  }
}

}  // namespace datagen
