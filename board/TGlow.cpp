#include "TGlow.h"

#include <cmath>

#include "Platform.h"

std::unique_ptr<TGlow> TGlow::Create(float speed, float modifier, float start, float end) {
  auto glow = std::make_unique<TGlow>();
  glow->GlowCounter.Init(start, end, speed);
  glow->GlowModifier = modifier;
  return glow;
}

std::unique_ptr<TGlow> TGlow::Recreate() const {
  return Create(GlowCounter.Speed, GlowModifier, GlowCounter.StartPoint, GlowCounter.EndPoint);
}

void TGlow::Reset() {
  GlowCounter.Init(GlowCounter.StartPoint, GlowCounter.EndPoint, GlowCounter.Speed);
  numWraps = 0;
  lastCounter = 0;
  Glow = 0;
}

void TGlow::Logic() {
  GlowCounter.Manage();
  Glow = GlowModifier * std::fabs(GlowCounter.ratio);
}

int TGlow::CheckCounter() {
  int wrapped = lastCounter > GlowCounter.Counter ? 1 : 0;
  numWraps += wrapped;
  lastCounter = GlowCounter.Counter;
  return wrapped;
}

void TGlow::Process1_StartGlow() const {
  plat::SetBlend(plat::LIGHTBLEND);
  int g = int(Glow * 255);
  plat::SetColor(g, g, g);
}

void TGlow::Process2_EndGlow() const {
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(255, 255, 255);
}
