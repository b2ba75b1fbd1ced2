#include "TGameObject.h"

std::shared_ptr<TGameObject> TGameObject::Create(TGameImagePtr image, float x, float y) {
  auto object = std::make_shared<TGameObject>();
  object->SetImage(std::move(image));
  object->SetPosition(x, y);
  return object;
}

void TGameObject::Move() {
  TSprite::Move();
  if (OutOfBounds()) Kill();
}

void TGameObject::Kill() {
  TSprite::Kill();
  TGameObjectList* list = GameObjects;
  GameObjects = nullptr;
  if (list) list->Remove(this);
}

TGameObjectList::~TGameObjectList() {
  for (auto& o : Objects) {
    if (o) o->GameObjects = nullptr;
  }
}

std::shared_ptr<TGameObject> TGameObjectList::AddNew(float x, float y, TGameImagePtr image) {
  auto object = TGameObject::Create(std::move(image), x, y);
  object->GameObjects = this;
  Objects.push_back(object);
  return object;
}

void TGameObjectList::Draw() {
  pass_.Run(Objects, [](TGameObject& o) { o.Draw(); });
}

void TGameObjectList::Move() {
  pass_.Run(Objects, [](TGameObject& o) { o.Move(); });
}

void TGameObjectList::Kill() {
  pass_.Run(Objects, [](TGameObject& o) { o.Kill(); });
}

void TGameObjectList::Collide() {
  pass_.Run(Objects, [](TGameObject& o) {
    if (o.image && o.image->image) {
      plat::CollideImageWrite(*o.image->image, double(int(o.x)), double(int(o.y)), 0, 1, &o);
    }
  });
}

void TGameObjectList::Remove(TGameObject* object) { pass_.Remove(Objects, object); }

size_t TGameObjectList::Count() const { return TSafeList<TGameObject>::Count(Objects); }
