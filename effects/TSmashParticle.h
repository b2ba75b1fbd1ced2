// One spark of a particle effect. All sparks draw frames of one shared strip.
#pragma once

#include <memory>
#include <string>

#include "Platform.h"

class TSmashParticle {
 public:
  static constexpr int FRAME_SIZE = 128;
  static constexpr int FRAME_COUNT = 9;

  // Loads the shared strip (9 frames of 128 x 128); false when it failed.
  static bool SetImage(const std::string& source);
  static void SetImage(plat::TImagePtr image);
  static const plat::TImagePtr& Image();

  static std::unique_ptr<TSmashParticle> Create(float x, float y, float zoom, float dx, float dy,
                                                float alpha, float r, float g, float b,
                                                float rotationSpeed, float gravityX, float gravityY,
                                                float rotation);

  float x = 0, y = 0;
  float zoom = 1;
  float alpha = 1;
  float gravityX = 0, gravityY = 0;
  float dx = 0, dy = 0;
  float r = 255, g = 255, b = 255;
  float rotation = 0;
  float rotation_speed = 0;
  int frame = 0;
};
