// What a board asks of the play mode that owns it (sounds, the bonus window,
// the help message, the pending score, the hint list it rebuilds every step),
// and the mode's side of the hint: choosing one listed move on request and
// fading its marks in and out. The match-three mode derives from this; the
// editor runs its board without a mode.
#pragma once

#include <memory>
#include <optional>

#include "Platform.h"
#include "TAnimation.h"
#include "TMatch3Hint.h"

class TBoardMode {
 public:
  // Hint phases after the requested delay: fade-in, shown, fade-out (ms).
  static constexpr int HintFadeInLength = 500;
  static constexpr int HintShowLength = 4000;
  static constexpr int HintFadeOutLength = 500;

  virtual ~TBoardMode() = default;

  virtual void PlayMatchSound() = 0;
  virtual void PlayInvalidSound() = 0;
  virtual void PlayHintSound() = 0;
  // A line was destroyed: restart the bonus window.
  virtual void CheckBonusCounter() = 0;
  // Points of a destroyed jewel, still to be counted into the shown score
  // (the game-play object's ScoreAdder).
  virtual void AddPendingScore(int points) = 0;
  // An exchange made a line: one move of the player's (an exchange that
  // swaps back is none).
  virtual void MoveMade() {}

  // A hint after `delay` ms, replacing any hint on show.
  void ResetHintTimer(int delay);
  // A successful exchange: the hint on show disappears.
  void ResetHint();
  void ResetCurrentHint() { CurrentHint.reset(); }
  // A listed move at random (moves listed more often are likelier), one
  // whose line clears a marble cell when the list holds any; none for an
  // empty list.
  std::optional<TMatch3Hint> GetRandomHint() const;
  // One logic step of the hint's timing (not while the game is paused).
  void ManageHint();
  // The marks of the hint on show over both of its cells.
  void DrawHint(const plat::TImagePtr& hintImage) const;
  // The alpha of the hint marks this frame; below 0 when none are drawn.
  float HintAlpha() const;

  int ShowHelpMessage = 1;
  int BonusCounter = 0;
  // Moves on the settled board, rebuilt by every board step; absent while
  // jewels still move and no move has been found.
  std::optional<TMatch3HintList> HintList;
  std::optional<TMatch3Hint> CurrentHint;
  std::unique_ptr<TAnimation> HintAnimation;
  int HasPlayedHintSound = 0;

 private:
  static bool GameIsHalted();
};
