// The game pad as a second navigation device beside the keyboard: its
// D-pad and left stick, A, B, X, Start and the shoulders become the same
// navigation commands the keys give (TNavInput), so the focus, the lists,
// the level pages and the board cursor need nothing of their own for it.
// Y and Back/Select give the hint and pause commands; pulling the pad out
// in play pauses, as the pause command does. (The platform keeps the
// button and stick tables; this class gives them their meaning.)
#pragma once

#include <array>

#include "Pad.h"
#include "TNavInput.h"

class TGamePad {
 public:
  // Pad events of the feed (the game's event pump passes every event on).
  void Feed(const plat::TEvent& event);
  // The pad's report to the navigation layer, once per logic step.
  void Report(TNavInput& input);
  // Forgets presses not yet reported (the game flushed its keys).
  void Flush() {
    pressed_.fill(0);
    pauseOnRemoval_ = false;
  }
  // The button that gives the command now, or -1: the one table, read by
  // the bot's hands as by Report.
  static int ButtonFor(TNavCommand command);

  // The stick's direction: a D-pad button, or -1 in the dead zone. A stick
  // already pointing one way keeps it down to a smaller push, so a stick
  // resting near the edge of the dead zone does not flicker.
  static int StickDirection(int x, int y, int held);
  static constexpr int PushToMove = 16000;  // of 32767: about half way
  static constexpr int PushToHold = 11000;

  int StickHeld = -1;  // the stick's direction at the last report

 private:
  bool Held(int button) const { return down_[size_t(button)] || button == StickHeld; }
  std::array<int, plat::PAD_BUTTONS> pressed_{};  // presses since the last report
  std::array<int, plat::PAD_BUTTONS> down_{};
  bool pauseOnRemoval_ = false;
};

// The one pad device of the game; InstallPadNavigation makes it NavInput's
// pad source.
extern TGamePad GamePad;
void InstallPadNavigation();
