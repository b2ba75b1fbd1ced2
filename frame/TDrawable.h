// Small interfaces through which the frame holds objects of higher layers
// (a sprite, a particle list, a menu) without depending on them.
#pragma once

#include <functional>
#include <memory>

#include "Platform.h"

// Something drawn once per frame and stepped once per logic step.
class TDrawable {
 public:
  virtual ~TDrawable() = default;
  virtual void Draw() = 0;
  virtual int Manage() { return 0; }
  // Drops whatever the object accumulated (a particle list empties itself).
  virtual void Clear() {}
};

// A plain picture at a position, drawn with its handle at (X, Y): what the
// frame uses until a richer sprite maker is installed.
class TImageDrawable : public TDrawable {
 public:
  TImageDrawable(plat::TImagePtr image, float x, float y) : Image(std::move(image)), X(x), Y(y) {}
  void Draw() override;
  plat::TImagePtr Image;
  float X, Y;
};

// Makes the sprite for a screen header or the paused picture. The widget
// layer installs a maker that builds its TSprite; the default makes a
// TImageDrawable.
using TSpriteMaker =
    std::function<std::shared_ptr<TDrawable>(plat::TImagePtr image, float x, float y)>;
void SetSpriteMaker(TSpriteMaker maker);
std::shared_ptr<TDrawable> MakeSprite(plat::TImagePtr image, float x, float y);

// Makes the mouse pointer's particle list. The effects layer installs a
// maker that builds its TParticleList; without one the pointer has none.
using TDrawableMaker = std::function<std::shared_ptr<TDrawable>()>;
void SetPointerParticleListMaker(TDrawableMaker maker);
std::shared_ptr<TDrawable> MakePointerParticleList();

// What a screen needs of its menu (the widget layer's TMenu implements it).
class TScreenMenu {
 public:
  virtual ~TScreenMenu() = default;
  virtual int Manage() = 0;
  virtual int ManageNoSound() = 0;
  virtual void Draw(float offsetX, float offsetY) = 0;
  virtual void Kill() = 0;
};
