// Colours as real RGB triples in 0..1, with the few operations the painters
// mix them with.
#pragma once

#include <algorithm>
#include <cstdint>

namespace datagen {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

inline Rgb Hex(uint32_t rgb) {
  return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0};
}
inline Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb Scale(const Rgb& c, double k) { return {c.r * k, c.g * k, c.b * k}; }
inline Rgb Add(const Rgb& a, const Rgb& b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb Clamp(const Rgb& c) {
  return {std::clamp(c.r, 0.0, 1.0), std::clamp(c.g, 0.0, 1.0), std::clamp(c.b, 0.0, 1.0)};
}
inline double Luma(const Rgb& c) { return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b; }
inline Rgb Desaturate(const Rgb& c, double amount) {
  double l = Luma(c);
  return Mix(c, {l, l, l}, amount);
}

inline double Smoothstep(double e0, double e1, double x) {
  double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// The game's palette: deep blue-violet rock, mineral greens, amber crystal light.
namespace palette {
inline const Rgb kRockDeep = Hex(0x141129);
inline const Rgb kRock = Hex(0x2a2450);
inline const Rgb kRockLit = Hex(0x6c63ad);
inline const Rgb kRockHighlight = Hex(0xa9a2dc);
inline const Rgb kMineral = Hex(0x3fbf96);
inline const Rgb kMineralDeep = Hex(0x1d6b5c);
inline const Rgb kAmber = Hex(0xffb54d);
inline const Rgb kAmberDeep = Hex(0xd9772b);
inline const Rgb kGlow = Hex(0xffe2a6);
inline const Rgb kIce = Hex(0xd6f4ff);
inline const Rgb kCyan = Hex(0x6fe3ff);
inline const Rgb kCaption = Hex(0xf7f1e6);
}  // namespace palette

}  // namespace datagen
