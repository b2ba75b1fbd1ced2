// A one-shot animated sprite that plays its frames once and leaves its list.
#pragma once

#include <list>
#include <memory>

#include "TSafeList.h"
#include "TSprite.h"

class TExplosionList;

class TExplosion : public TSprite {
 public:
  static std::shared_ptr<TExplosion> Create(TGameImagePtr image, float x, float y);
  void StartAnim(int ms, int frames);
  void Move() override;
  // Move, scale, rotate and count down; killed when the count runs out.
  void Manage();
  void Kill() override;

  TExplosionList* Explosions = nullptr;
};

class TExplosionList {
 public:
  TExplosionList() = default;
  TExplosionList(const TExplosionList&) = delete;
  TExplosionList& operator=(const TExplosionList&) = delete;
  // Explosions that outlive the list (held elsewhere) are unlinked from it.
  ~TExplosionList();

  std::shared_ptr<TExplosion> AddNew(float x, float y, TGameImagePtr image);
  void Draw();
  void Manage();
  void Remove(TExplosion* explosion);
  size_t Count() const;

  std::list<std::shared_ptr<TExplosion>> Explosions;

 private:
  TSafeList<TExplosion> pass_;
};
