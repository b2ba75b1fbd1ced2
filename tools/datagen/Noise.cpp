#include "Noise.h"

#include <cmath>

namespace datagen {

uint64_t Rng::Next() {
  // splitmix64
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::Uniform() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }

int Rng::Int(int lo, int hi) { return lo + int(Next() % uint64_t(hi - lo + 1)); }

double Rng::Gauss() {
  double u = std::max(1e-12, Uniform()), v = Uniform();
  return std::sqrt(-2 * std::log(u)) * std::cos(2 * M_PI * v);
}

namespace {

double Lattice(int x, int y, uint32_t seed) {
  uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return (h & 0xffffff) / double(0x7fffff) - 1.0;
}

int Wrap(int v, int period) {
  if (period <= 0) return v;
  v %= period;
  return v < 0 ? v + period : v;
}

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

double ValueNoise(double x, double y, uint32_t seed, int period) {
  double fx = std::floor(x), fy = std::floor(y);
  int ix = int(fx), iy = int(fy);
  double tx = Fade(x - fx), ty = Fade(y - fy);
  int x0 = Wrap(ix, period), x1 = Wrap(ix + 1, period);
  int y0 = Wrap(iy, period), y1 = Wrap(iy + 1, period);
  double a = Lattice(x0, y0, seed), b = Lattice(x1, y0, seed);
  double c = Lattice(x0, y1, seed), d = Lattice(x1, y1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double Fbm(double x, double y, uint32_t seed, int octaves, double gain, int period) {
  double sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * ValueNoise(x, y, seed + uint32_t(o) * 101u, period);
    norm += amp;
    amp *= gain;
    x *= 2;
    y *= 2;
    if (period > 0) period *= 2;
  }
  return sum / norm;
}

double Turbulence(double x, double y, uint32_t seed, int octaves, int period) {
  double sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * std::fabs(ValueNoise(x, y, seed + uint32_t(o) * 131u, period));
    norm += amp;
    amp *= 0.5;
    x *= 2;
    y *= 2;
    if (period > 0) period *= 2;
  }
  return sum / norm;
}

Cells Worley(double x, double y, uint32_t seed, int period) {
  int ix = int(std::floor(x)), iy = int(std::floor(y));
  Cells c{1e9, 1e9, 0};
  for (int j = -1; j <= 1; ++j)
    for (int i = -1; i <= 1; ++i) {
      int cx = ix + i, cy = iy + j;
      int wx = Wrap(cx, period), wy = Wrap(cy, period);
      double px = cx + 0.5 + 0.4 * Lattice(wx, wy, seed);
      double py = cy + 0.5 + 0.4 * Lattice(wx, wy, seed + 77);
      double d = std::hypot(px - x, py - y);
      if (d < c.f1) {
        c.f2 = c.f1;
        c.f1 = d;
        c.id = uint32_t(wx * 7919 + wy * 104729) ^ seed;
      } else if (d < c.f2) {
        c.f2 = d;
      }
    }
  return c;
}

}  // namespace datagen
