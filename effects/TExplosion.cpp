#include "TExplosion.h"

#include "Globals.h"

std::shared_ptr<TExplosion> TExplosion::Create(TGameImagePtr image, float x, float y) {
  auto e = std::make_shared<TExplosion>();
  e->SetImage(std::move(image));
  e->SetPosition(x, y);
  return e;
}

void TExplosion::StartAnim(int ms, int frames) {
  AnimLength = int(AnimLengthFromMs(float(ms)));
  AnimCounter = float(AnimLength);
  FramesTotal = frames;
}

void TExplosion::Move() { TSprite::Move(); }

void TExplosion::Manage() {
  Move();
  ManageScale();
  ManageRotation();
  AnimCounter -= LogicDelta;
  if (AnimCounter <= 0) Kill();
}

void TExplosion::Kill() {
  TSprite::Kill();
  TExplosionList* list = Explosions;
  Explosions = nullptr;
  if (list) list->Remove(this);
}

TExplosionList::~TExplosionList() {
  for (auto& e : Explosions) {
    if (e) e->Explosions = nullptr;
  }
}

std::shared_ptr<TExplosion> TExplosionList::AddNew(float x, float y, TGameImagePtr image) {
  auto e = TExplosion::Create(std::move(image), x, y);
  e->Explosions = this;
  Explosions.push_back(e);
  return e;
}

void TExplosionList::Draw() {
  pass_.Run(Explosions, [](TExplosion& e) { e.Draw(); });
}

void TExplosionList::Manage() {
  pass_.Run(Explosions, [](TExplosion& e) { e.Manage(); });
}

void TExplosionList::Remove(TExplosion* explosion) { pass_.Remove(Explosions, explosion); }

size_t TExplosionList::Count() const { return TSafeList<TExplosion>::Count(Explosions); }
