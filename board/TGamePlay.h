// The game-play object: owns the active game mode and keeps the level being
// played and the score. The game screen forwards its logic and drawing here.
#pragma once

#include <memory>
#include <string>

#include "TBoardArt.h"
#include "TGameMode.h"
#include "TPlayWay.h"
#include "TState.h"

class TGameModeMatch3;
class TGameModeEditor;
class TParticleList;

class TGamePlay {
 public:
  explicit TGamePlay(TState& state) : State(state) {}
  ~TGamePlay();
  TGamePlay(const TGamePlay&) = delete;
  TGamePlay& operator=(const TGamePlay&) = delete;

  // A new mode of the given type (TGameMode::TypeEditor or TypeMatch3,
  // anything else is taken as match-three); the state is cleared, and set to
  // custom mode for the editor. The old mode is dropped.
  void Init(int mode);
  void Logic();
  void Draw();

  // The active mode as its own type; null when another type runs.
  TGameModeMatch3* Match3() const;
  TGameModeEditor* Editor() const;

  TState& State;
  std::unique_ptr<TGameMode> GameMode;
  int SelectedGameMode = TGameMode::TypeMatch3;
  // Path of the level's layout file, set by the mode's Init.
  std::string CurrentLevel;
  int IsCustomLevel = 0;
  // How the level is played; set before the mode's Init, or by a resumed
  // game.
  TPlayWay Way = TPlayWay::Relaxed;
  // The bonus display asks the screen for fireworks.
  int ShowVictoryParticles = 0;
  // The shown score, and the points still to be counted into it.
  int Score = 0;
  int ScoreAdder = 0;
  // The game's particle list: the fireworks the game screen shows while
  // ShowVictoryParticles or the finished state is set. A big bonus replaces
  // it with a fresh one; null until then (the screen may set its own).
  std::shared_ptr<TParticleList> ParticleList;
  // The pictures of the modes' boards; null: the game's banks.
  std::shared_ptr<const TBoardArt> Art;
};
