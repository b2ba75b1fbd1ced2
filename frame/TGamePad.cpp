#include "TGamePad.h"

#include "GameInput.h"
#include "TScreen.h"
#include "TTalvorineGame.h"

TGamePad GamePad;

namespace {

bool InPlay() { return Game && Game->CurrentTScreen && Game->CurrentTScreen->name == "game"; }

}  // namespace

void TGamePad::Feed(const plat::TEvent& event) {
  if (event.kind == plat::EVENT_PADDOWN) {
    // The hint and the pause have keys of their own: the pad presses them.
    if (event.data == plat::PAD_Y) GameKeyHitRestore(plat::KEY_H);
    if (event.data == plat::PAD_BACK) GameKeyHitRestore(plat::KEY_P);
  } else if (event.kind == plat::EVENT_PADREMOVED && InPlay() && !Game->Paused) {
    // Exactly what the pause key does, on this step.
    GameKeyHitRestore(plat::KEY_P);
  }
}
