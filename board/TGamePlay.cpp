#include "TGamePlay.h"

#include "TGameModeEditor.h"
#include "TGameModeMatch3.h"

TGamePlay::~TGamePlay() = default;

void TGamePlay::Init(int mode) {
  State.Clear();
  // Relaxed unless the caller says otherwise after this.
  Way = TPlayWay::Relaxed;
  SelectedGameMode = mode == TGameMode::TypeEditor ? mode : TGameMode::TypeMatch3;
  // The old mode's board refers to nothing of the new one; drop it first.
  GameMode.reset();
  if (SelectedGameMode == TGameMode::TypeEditor) {
    GameMode = std::make_unique<TGameModeEditor>(*this, Art);
    State.StartCustom();
  } else {
    GameMode = std::make_unique<TGameModeMatch3>(*this, Art);
  }
  GameMode->GameType = SelectedGameMode;
}

void TGamePlay::Logic() {
  if (GameMode) GameMode->Logic();
}

void TGamePlay::Draw() {
  if (GameMode) GameMode->Draw();
}

TGameModeMatch3* TGamePlay::Match3() const {
  return dynamic_cast<TGameModeMatch3*>(GameMode.get());
}

TGameModeEditor* TGamePlay::Editor() const {
  return dynamic_cast<TGameModeEditor*>(GameMode.get());
}
