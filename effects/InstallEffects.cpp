#include "InstallEffects.h"

#include "TDrawable.h"
#include "TParticleList.h"
#include "TTalvorineGame.h"

void InstallEffects() {
  SetPointerParticleListMaker([] { return std::make_shared<TParticleList>(); });
  // A game object made before the install gets its list now.
  if (Game && !Game->Mouse.ParticleList) Game->Mouse.ParticleList = MakePointerParticleList();
}
