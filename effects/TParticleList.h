// A list of particles moved, animated and drawn together. Particles may
// leave the list (or kill others) while a pass runs over it: they are
// unlinked at once and dropped from the list after the pass.
#pragma once

#include <list>
#include <memory>

#include "TDrawable.h"
#include "TParticle.h"
#include "TSafeList.h"

class TParticleList : public TDrawable {
 public:
  TParticleList() = default;
  TParticleList(const TParticleList&) = delete;
  TParticleList& operator=(const TParticleList&) = delete;
  // Particles that outlive the list (held elsewhere) are unlinked from it.
  ~TParticleList() override;

  // A CreateSpecial particle linked to this list, appended (or put first).
  std::shared_ptr<TParticle> AddNew(float x, float y, TGameImagePtr image, float dx = 0,
                                    float dy = 0, float gravity = 0, int fadeMs = 0,
                                    int lightBlend = 0, int rotate = 0, float rotationSpeed = 0,
                                    float scale = 1.0f, float scaleSpeed = 0, int lifeMs = 0,
                                    int atFront = 0);
  // Links a particle made elsewhere (a generator's callback).
  void Add(std::shared_ptr<TParticle> particle, int atFront = 0);
  void Draw() override;
  void Move();
  void Animate();
  // Move each particle, then its frame animation once its delay is over.
  int Manage() override;
  void Clear() override;
  void FadeAll(int ms);
  void SetUseAlpha(int v);
  void SetBaseScale(float sx, float sy);
  void EnableUpdateOriginalCoords();
  void ScaleCoords();
  void AddOffsets(float dx, float dy);
  void ProcessScale(float sx, float sy, float offsetX, float offsetY);
  void Collide();
  // Unlinks the particle (TParticle::Kill calls it).
  void Remove(TParticle* particle);
  // Live particles.
  size_t Count() const { return live_; }

  // Slots of a removed particle are null until the running pass ends.
  std::list<std::shared_ptr<TParticle>> Particles;

 private:
  TSafeList<TParticle> pass_;
  size_t live_ = 0;
};
