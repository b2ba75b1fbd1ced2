// Flags of the game screen that the modes, the in-game interface and the
// in-game menu all consult.
#pragma once

class TState {
 public:
  // Clears stateCustomMode, stateFinished and stateOutOfTime;
  // disableButtons is left alone.
  void Clear() {
    stateCustomMode = 0;
    stateFinished = 0;
    stateOutOfTime = 0;
  }
  void StartCustom() {
    Clear();
    stateCustomMode = 1;
  }
  void StartFinished() {
    Clear();
    stateFinished = 1;
    disableButtons = 1;
  }
  void StartOutOfTime() {
    Clear();
    stateOutOfTime = 1;
  }
  // The level is over, won or lost: the board takes no more moves.
  bool Over() const { return stateFinished || stateOutOfTime; }

  // The editor is running: the custom button bar replaces the play bar.
  int stateCustomMode = 0;
  // The level is won: the end-of-level panel is up and play input stops.
  int stateFinished = 0;
  // Against the clock, the time ran out: the "Out of time" panel is up, play
  // input stops and nothing is recorded.
  int stateOutOfTime = 0;
  // A dialog or the end-of-level panel owns the input.
  int disableButtons = 0;
};
