// The game's own mouse pointer: position, wheel, buttons and their hits, the
// pointer image with its hot spot, and a particle trail.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Platform.h"
#include "TDrawable.h"

class TMousePointer {
 public:
  void On();
  void Off();
  void Load(const std::string& name);
  void CalcSize();
  void Update();
  int Manage();
  int UpdateCoords();
  void ClearButtons();
  void ClearMouseHit();
  int GetMb() const { return mb; }
  int GetMh(int clear);
  void CalcButtonTotals();
  void Draw();

  int Active = 1;
  plat::TImagePtr Image;
  int ImageFrame = 0;
  std::string Ext = ".png";
  int Rotation = 0;
  plat::TImagePtr Image2;
  int Image2Frame = 0;
  int Image2xoff = 0, Image2yoff = 0;
  float Image2Scale = 1.0f;
  int x = 0, y = 0, z = 0;
  int w = 0, h = 0;
  int b1 = 0, b2 = 0, b3 = 0;
  int mb = 0;
  int h1 = 0, h2 = 0, h3 = 0;
  int mh = 0;
  int offsetx = 0, offsety = 0;
  std::function<void()> ParticleFunc;
  // The pointer's own particles: a TParticleList when the effects layer
  // has installed its maker (InstallEffects), else none.
  std::shared_ptr<TDrawable> ParticleList = MakePointerParticleList();
  float SparkleCounter = 0;
  int SparkleLength = 15;
  std::function<void(int x, int y)> UserDraw;
};
