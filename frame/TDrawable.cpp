#include "TDrawable.h"

namespace {
TSpriteMaker& Maker() {
  static TSpriteMaker maker;
  return maker;
}

TDrawableMaker& ParticleListMaker() {
  static TDrawableMaker maker;
  return maker;
}
}  // namespace

void TImageDrawable::Draw() {
  if (Image) plat::DrawImage(*Image, X, Y);
}

void SetSpriteMaker(TSpriteMaker maker) { Maker() = std::move(maker); }

std::shared_ptr<TDrawable> MakeSprite(plat::TImagePtr image, float x, float y) {
  if (Maker()) return Maker()(std::move(image), x, y);
  return std::make_shared<TImageDrawable>(std::move(image), x, y);
}

void SetPointerParticleListMaker(TDrawableMaker maker) { ParticleListMaker() = std::move(maker); }

std::shared_ptr<TDrawable> MakePointerParticleList() {
  return ParticleListMaker() ? ParticleListMaker()() : nullptr;
}
