#include "TGameScreens.h"

#include "Globals.h"
#include "StartupSteps.h"
#include "TGameScreen.h"
#include "THelpScreen.h"
#include "THighScoreScreen.h"
#include "TOptionsScreen.h"
#include "TPlayScreen.h"
#include "TPlayerRename.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"

TGameScreens* Screens = nullptr;

namespace {

std::unique_ptr<TGameScreens> Owner;

}  // namespace

TGameScreens::TGameScreens()
    : Title(std::make_unique<TTitleScreen>()),
      Play(std::make_unique<TPlayScreen>()),
      Options(std::make_unique<TOptionsScreen>()),
      Help(std::make_unique<THelpScreen>()),
      HighScores(std::make_unique<THighScoreScreen>()),
      GameScreen(std::make_unique<TGameScreen>()) {
  // "Exit Playing" and "Exit Editor" lead back to the level selection.
  GameScreen->LeaveTo = Play.get();
}

TGameScreens::~TGameScreens() = default;

TScreen* TGameScreens::FirstScreen() const { return Title.get(); }

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
  StartupHooks.FinishPlayerFiles = [] { TPlayerRename().FinishInterrupted(); };
  StartupHooks.LoadHighScores = [] {
    if (Screens) Screens->GameScreen->LoadHighScores();
  };
}

void ReleaseGameScreens() {
  if (!Owner) return;
  if (Game) {
    TScreen* current = Game->CurrentTScreen;
    // The program ends: the screen is left for no other.
    Game->DestinationTScreen = nullptr;
    if (current && current != Game->ExitScreen.get() && current != Game->LoadingScreen &&
        !current->StopKill) {
      current->Kill();
    }
    Game->CurrentTScreen = nullptr;
    Game->LastTScreen = nullptr;
  }
  StartupHooks.FirstScreen = nullptr;
  StartupHooks.FinishPlayerFiles = nullptr;
  StartupHooks.LoadHighScores = nullptr;
  Screens = nullptr;
  Owner.reset();
}
