// Two pictures, the second fading in over the first.
#pragma once

#include <memory>

#include "Platform.h"
#include "TAnimation.h"

class TCrossFade {
 public:
  static std::unique_ptr<TCrossFade> Create(plat::TImagePtr image1, plat::TImagePtr image2, int ms);
  // Starts the fade at once.
  void Init(plat::TImagePtr image1, plat::TImagePtr image2, int ms);
  void Draw();
  void Manage();
  void SetImage1Coords(float x, float y);
  void SetImage2Coords(float x, float y);
  // The second picture's alpha, 0..1.
  float Ratio() const;
  bool Done() const;

  plat::TImagePtr Image1, Image2;
  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  std::unique_ptr<TAnimation> Anim;
};
