#include "PointerSparkles.h"

#include "GameResources.h"
#include "Globals.h"
#include "TImageBank.h"
#include "TMousePointer.h"
#include "TParticleList.h"

TParticleList* PointerParticles(TMousePointer& pointer) {
  return dynamic_cast<TParticleList*>(pointer.ParticleList.get());
}

void MakePointerSparkle(TMousePointer& pointer) {
  TParticleList* list = PointerParticles(pointer);
  if (!list || !InterfaceImageBank) return;
  float px = float(pointer.x + plat::Rand(1, pointer.w - 20) - 5);
  float py = float(pointer.y + plat::Rand(1, pointer.h - 25) - 5);
  float dx = float(plat::Rnd(-0.05, 0.05));
  int rotate = plat::Rand(0, 1) ? 1 : -1;
  float rotationSpeed = float(plat::Rnd(0.2, 0.5));
  float scale = float(plat::Rnd(0.2, 0.5));
  auto spark = list->AddNew(px, py, InterfaceImageBank->Find("particle1"), dx, 0, 0.0016f, 1000, 1,
                            rotate, rotationSpeed, scale, 0, 0);
  spark->Color = TColor::Create(plat::Rand(100, 255), plat::Rand(100, 255), plat::Rand(100, 255));
  spark->SetFade(200, 300, 1000);
}

void SetPointerSparkles(TMousePointer& pointer, int on) {
  if (!on) {
    // Without its function the pointer no longer steps the list, so the
    // sparks left would stand still on screen: they go with the trail.
    pointer.ParticleFunc = nullptr;
    if (pointer.ParticleList) pointer.ParticleList->Clear();
    return;
  }
  TMousePointer* p = &pointer;
  pointer.ParticleFunc = [p] {
    p->SparkleCounter -= LogicDelta;
    if (p->SparkleCounter <= 0) {
      p->SparkleCounter += float(p->SparkleLength);
      MakePointerSparkle(*p);
    }
  };
}
