// A particle-effect file, loaded and run as the board runs it: a copy per
// jewel, rendered every frame with sparks drawn, until it ends. A damaged
// file is a fatal report.
#include "FuzzTarget.h"
#include "Globals.h"
#include "TSmashParticle.h"
#include "TSmashParticleFX.h"

GS_FUZZ_TARGET(particles) {
  FuzzSetUp();
  static bool imageReady = false;
  if (!imageReady) {
    // A small strip of nine frames stands in for the game's sparks.
    TSmashParticle::SetImage(plat::CreateImage(8, 8, 9));
    imageReady = true;
  }
  std::string path = FuzzFile("fx.par", data, size);
  std::unique_ptr<TSmashParticleFX> model;
  try {
    model = TSmashParticleFX::Load("littleendian::" + path, 0);
  } catch (const TFatalError&) {
    return 0;  // a damaged file is a fatal report, never a crash
  }
  auto burst = TSmashParticleFX::DuplicateFrom(*model);
  burst->MoveTo(400, 300);
  for (int frame = 0; frame < 40 && !burst->Finished(); ++frame) burst->Render(1.0f, 1);
  return 0;
}
