// Sprites that belong to a list and leave it by themselves when they leave
// the screen, and the identity holder used with the collision layers.
#pragma once

#include <list>
#include <memory>

#include "TSafeList.h"
#include "TSprite.h"

class TCollideObject {
 public:
  int Value = 0;
};

class TGameObjectList;

class TGameObject : public TSprite {
 public:
  static std::shared_ptr<TGameObject> Create(TGameImagePtr image, float x, float y);
  // The sprite's Move, then Kill when wholly off screen.
  void Move() override;
  // Leaves its list.
  void Kill() override;

  TGameObjectList* GameObjects = nullptr;
};

class TGameObjectList {
 public:
  TGameObjectList() = default;
  TGameObjectList(const TGameObjectList&) = delete;
  TGameObjectList& operator=(const TGameObjectList&) = delete;
  // Members that outlive the list (held elsewhere) are unlinked from it.
  ~TGameObjectList();

  std::shared_ptr<TGameObject> AddNew(float x, float y, TGameImagePtr image);
  void Draw();
  void Move();
  void Kill();
  // Writes every member's frame 0 at its truncated position into collision
  // layer 1, the member as identity.
  void Collide();
  void Remove(TGameObject* object);
  size_t Count() const;

  std::list<std::shared_ptr<TGameObject>> Objects;

 private:
  TSafeList<TGameObject> pass_;
};
