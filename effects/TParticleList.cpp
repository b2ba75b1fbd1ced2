#include "TParticleList.h"

#include "Globals.h"

std::shared_ptr<TParticle> TParticleList::AddNew(float x, float y, TGameImagePtr image, float dx,
                                                 float dy, float gravity, int fadeMs,
                                                 int lightBlend, int rotate, float rotationSpeed,
                                                 float scale, float scaleSpeed, int lifeMs,
                                                 int atFront) {
  auto p = TParticle::CreateSpecial(std::move(image), x, y, dx, dy, gravity, fadeMs, lightBlend,
                                    rotate, rotationSpeed, scale, scaleSpeed, lifeMs);
  Add(p, atFront);
  return p;
}

void TParticleList::Add(std::shared_ptr<TParticle> particle, int atFront) {
  if (!particle) return;
  if (particle->Particles) particle->Particles->Remove(particle.get());
  TParticle* p = particle.get();
  p->Particles = this;
  if (atFront) {
    Particles.push_front(std::move(particle));
    p->slot_ = Particles.begin();
  } else {
    Particles.push_back(std::move(particle));
    p->slot_ = std::prev(Particles.end());
  }
  ++live_;
}

TParticleList::~TParticleList() {
  for (auto& p : Particles) {
    if (p) p->Particles = nullptr;
  }
}

void TParticleList::Remove(TParticle* particle) {
  if (!particle || particle->Particles != this) return;
  particle->Particles = nullptr;
  --live_;
  pass_.Remove(Particles, particle->slot_);
}

void TParticleList::Draw() {
  pass_.Run(Particles, [](TParticle& p) { p.Draw(); });
}

void TParticleList::Move() {
  pass_.Run(Particles, [](TParticle& p) { p.MoveParticle(); });
}

void TParticleList::Animate() {
  pass_.Run(Particles, [](TParticle& p) {
    if (p.DelayCounter <= 0) p.ManageAnim();
  });
}

int TParticleList::Manage() {
  pass_.Run(Particles, [](TParticle& p) {
    if (!p.MoveParticle()) return;
    if (p.DelayCounter <= 0 && p.ManageAnim() && p.KillAfterAnim) p.Kill();
  });
  return int(live_);
}

void TParticleList::Clear() {
  pass_.Run(Particles, [this](TParticle& p) { Remove(&p); });
}

void TParticleList::FadeAll(int ms) {
  float length = AnimLengthFromMs(float(ms));
  pass_.Run(Particles, [length](TParticle& p) {
    p.FadeIn = 0;
    p.FadeSustainCounter = 0;
    p.FadeLength = p.FadeCounter = length;
    p.UseAlpha = 1;
  });
}

void TParticleList::SetUseAlpha(int v) {
  pass_.Run(Particles, [v](TParticle& p) { p.UseAlpha = v; });
}

void TParticleList::SetBaseScale(float sx, float sy) {
  pass_.Run(Particles, [sx, sy](TParticle& p) {
    p.BaseScaleX = sx;
    p.BaseScaleY = sy;
  });
}

void TParticleList::EnableUpdateOriginalCoords() {
  pass_.Run(Particles, [](TParticle& p) {
    if (p.UpdateOriginalCoords) return;
    p.StoreOriginalCoords();
    p.UpdateOriginalCoords = 1;
  });
}

void TParticleList::ScaleCoords() {
  pass_.Run(Particles, [](TParticle& p) { p.ScaleOriginalCoords(); });
}

void TParticleList::AddOffsets(float dx, float dy) {
  pass_.Run(Particles, [dx, dy](TParticle& p) {
    p.x += dx;
    p.y += dy;
  });
}

void TParticleList::ProcessScale(float sx, float sy, float offsetX, float offsetY) {
  pass_.Run(Particles, [=](TParticle& p) {
    p.BaseScaleX = sx;
    p.BaseScaleY = sy;
    p.x = p.ox * sx + offsetX;
    p.y = p.oy * sy + offsetY;
  });
}

void TParticleList::Collide() {
  pass_.Run(Particles, [](TParticle& p) {
    if (p.image && p.image->image) {
      plat::CollideImageWrite(*p.image->image, double(int(p.x)), double(int(p.y)), 0, 1, &p);
    }
  });
}
