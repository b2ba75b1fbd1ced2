// The particle list: one logic step over 1000 live particles, and one
// drawn frame of 200 light-blended particles on the headless display.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

#include "Globals.h"
#include "Platform.h"
#include "TParticleList.h"

namespace {

TGameImagePtr SparkImage(int size) {
  plat::TImagePtr image = plat::CreateImage(size, size, 1, 0);
  plat::TPixmap& pix = plat::LockImage(*image);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int d = std::abs(x - size / 2) + std::abs(y - size / 2);
      int a = std::max(0, 255 - d * 512 / size);
      pix.WritePixel(x, y, plat::ARGB(a, 255, 255, 255));
    }
  }
  plat::UnlockImage(*image);
  return TGameImage::CreateFromImage(image, "spark", 1);
}

// Particles that neither die nor leave the screen: moving, spinning, with a
// tint, as a menu's trail or a board's burst would be.
void Fill(TParticleList& list, const TGameImagePtr& image, int n) {
  plat::SeedRnd(5);
  for (int i = 0; i < n; ++i) {
    auto p = list.AddNew(float(plat::Rand(50, 750)), float(plat::Rand(50, 550)), image,
                         float(plat::Rnd(-0.05, 0.05)), float(plat::Rnd(-0.05, 0.05)), 0, 0, 1,
                         i % 2 ? 1 : -1, 0.3f, float(plat::Rnd(0.3, 1.0)));
    p->NoOutOfBounds = 1;
    p->Color = TColor::Create(plat::Rand(100, 255), plat::Rand(100, 255), plat::Rand(100, 255));
  }
}

void BM_ParticleListManage(benchmark::State& state) {
  LogicDelta = 1;
  TParticleList list;
  Fill(list, TGameImage::CreateFromImage(nullptr, "none", 0), 1000);
  for (auto _ : state) {
    list.Manage();
    benchmark::DoNotOptimize(list.Count());
  }
  if (list.Count() != 1000) state.SkipWithError("particles died");
}
BENCHMARK(BM_ParticleListManage);

void BM_ParticleListDraw(benchmark::State& state) {
  plat::TBackendOptions options;
  options.Headless = true;
  if (!plat::Startup(options) || !plat::Graphics(800, 600, 0, 60)) {
    state.SkipWithError("no headless display");
    return;
  }
  {
    TParticleList list;
    Fill(list, SparkImage(32), 200);
    for (auto _ : state) {
      list.Draw();
      benchmark::ClobberMemory();
    }
  }
  plat::EndGraphics();
  plat::Shutdown();
}
BENCHMARK(BM_ParticleListDraw)->Unit(benchmark::kMicrosecond);

}  // namespace
