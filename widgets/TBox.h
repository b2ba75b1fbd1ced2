// Filled shapes for frames and overlays: a rectangle and a circle, each in
// its own colour (drawing state restored to white, alpha 1 afterwards).
#pragma once

#include <memory>

#include "TColor.h"

class TBox {
 public:
  static std::shared_ptr<TBox> Create(float x, float y, float w, float h,
                                      std::shared_ptr<TColor> color);
  void Init(float x, float y, float w, float h, std::shared_ptr<TColor> color);
  // Drawn only when it has a colour.
  void Draw();
  void Kill();

  // A glass panel: a lighter sheen over the upper half and a lit rim, both
  // drawn over the fill when set.
  void SetGlass(std::shared_ptr<TColor> sheen, std::shared_ptr<TColor> rim);

  int Active = 1;
  std::shared_ptr<TColor> Color;
  std::shared_ptr<TColor> Sheen, Rim;
  float X = 0, Y = 0, W = 0, H = 0;
};

class TCircle {
 public:
  static std::shared_ptr<TCircle> Create(int x, int y, int r, std::shared_ptr<TColor> color);
  void Draw();

  std::shared_ptr<TColor> Color;
  float r = 0, x = 0, y = 0;
};
