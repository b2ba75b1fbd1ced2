#include "TParticleGenerator.h"

#include "Globals.h"

std::shared_ptr<TParticleGenerator> TParticleGenerator::Create(float x, float y, int qty,
                                                               float intervalMs,
                                                               TMakeParticleFunction makeFunction,
                                                               int data1, int data2, int makeNow) {
  auto g = std::make_shared<TParticleGenerator>();
  g->x = x;
  g->y = y;
  g->Qty = qty - 1;
  g->Interval = g->IntervalCounter = AnimLengthFromMs(intervalMs);
  g->MakeParticleFunction = std::move(makeFunction);
  g->Data1 = data1;
  g->Data2 = data2;
  if (makeNow && g->MakeParticleFunction) g->MakeParticleFunction(*g);
  return g;
}

int TParticleGenerator::Manage() {
  if (!Active) return -1;
  x += dx * LogicDelta;
  y += dy * LogicDelta;
  if (IntervalCounter <= 0) return 0;
  IntervalCounter -= LogicDelta;
  while (IntervalCounter <= 0) {
    // An interval of no length makes the rest at once rather than spin.
    IntervalCounter += Interval > 0 ? Interval : 1;
    --Qty;
    if (MakeParticleFunction) MakeParticleFunction(*this);
    if (Qty == 0) {
      Active = 0;
      return 1;
    }
  }
  return 0;
}

std::shared_ptr<TParticleGenerator> TParticleGeneratorList::Add(
    float x, float y, int qty, float intervalMs, TMakeParticleFunction makeFunction) {
  auto g = TParticleGenerator::Create(x, y, qty, intervalMs, std::move(makeFunction), 0, 0, 1);
  if (g->Qty != 0) Generators.push_back(g);
  return g;
}

void TParticleGeneratorList::Manage() {
  for (auto it = Generators.begin(); it != Generators.end();) {
    if ((*it)->Manage() != 0) {
      it = Generators.erase(it);
    } else {
      ++it;
    }
  }
}
