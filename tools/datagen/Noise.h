// Deterministic chance and texture functions: a small seeded generator and
// value noise that can wrap with a period, so textures tile seamlessly.
#pragma once

#include <cstdint>

namespace datagen {

class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint64_t Next();
  double Uniform();  // [0, 1)
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  int Int(int lo, int hi);  // inclusive
  double Gauss();           // mean 0, deviation 1

 private:
  uint64_t state_;
};

// Value noise in -1..1 with smooth interpolation. period > 0 makes it wrap
// every `period` lattice cells on both axes.
double ValueNoise(double x, double y, uint32_t seed, int period = 0);
// Sum of octaves, each twice the frequency and `gain` times the amplitude;
// normalised to about -1..1. With period > 0 each octave wraps (period doubles).
double Fbm(double x, double y, uint32_t seed, int octaves, double gain = 0.5, int period = 0);
// Absolute-value octaves: ridged veins for marble and rock.
double Turbulence(double x, double y, uint32_t seed, int octaves, int period = 0);

// Cellular noise: distances to the nearest and second-nearest of one jittered
// feature point per lattice cell (wrapping every `period` cells when > 0),
// and a number naming the nearest point's cell. Cracks run where F2 - F1 is small.
struct Cells {
  double f1, f2;
  uint32_t id;
};
Cells Worley(double x, double y, uint32_t seed, int period = 0);

}  // namespace datagen
