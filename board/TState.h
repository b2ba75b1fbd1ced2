// Flags of the game screen that the modes, the in-game interface and the
// in-game menu all consult.
#pragma once

class TState {
 public:
  // Clears stateCustomMode and stateFinished; disableButtons is left alone.
  void Clear() {
    stateCustomMode = 0;
    stateFinished = 0;
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

  // The editor is running: the custom button bar replaces the play bar.
  int stateCustomMode = 0;
  // The level is won: the end-of-level panel is up and play input stops.
  int stateFinished = 0;
  // A dialog or the end-of-level panel owns the input.
  int disableButtons = 0;
};
