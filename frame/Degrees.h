// Trigonometry in degrees, as every angle of the game is given.
#pragma once

#include <cmath>
#include <numbers>

inline float SinDeg(float degrees) {
  return std::sin(degrees * std::numbers::pi_v<float> / 180.0f);
}
inline float CosDeg(float degrees) {
  return std::cos(degrees * std::numbers::pi_v<float> / 180.0f);
}
