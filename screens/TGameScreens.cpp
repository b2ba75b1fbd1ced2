#include "TGameScreens.h"

#include "Globals.h"
#include "StartupSteps.h"
#include "TFirstScreen.h"
#include "TTalvorineGame.h"

TGameScreens* Screens = nullptr;

namespace {

std::unique_ptr<TGameScreens> Owner;

}  // namespace

TGameScreens::TGameScreens() : First(std::make_unique<TFirstScreen>()) {}

TGameScreens::~TGameScreens() = default;

TScreen* TGameScreens::FirstScreen() const { return First.get(); }

bool TGameScreens::ChangeTo(TScreen* to, bool withMusic) {
  if (!Game || !to || Game->GameFade.Active) return false;
  Game->DestinationTScreen = to;
  Game->GameFade.Init(DefaultFadeLength, 1, withMusic ? Game->MusicChannel : nullptr, 0, 0);
  return true;
}

void InstallGameScreens() {
  Owner = std::make_unique<TGameScreens>();
  Screens = Owner.get();
  StartupHooks.FirstScreen = [] { return Screens ? Screens->FirstScreen() : nullptr; };
}

void ReleaseGameScreens() {
  if (!Owner) return;
  if (Game) {
    TScreen* current = Game->CurrentTScreen;
    if (current && current != Game->ExitScreen.get() && current != Game->LoadingScreen &&
        !current->StopKill) {
      current->Kill();
    }
    Game->CurrentTScreen = nullptr;
    Game->DestinationTScreen = nullptr;
    Game->LastTScreen = nullptr;
  }
  StartupHooks.FirstScreen = nullptr;
  Screens = nullptr;
  Owner.reset();
}
