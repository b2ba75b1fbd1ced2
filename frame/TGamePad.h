// The game pad beside the keyboard. Its Y and Back/Select stand for the
// hint and pause keys; pulling the pad out in play sets the pause, as the
// pause key does. (The pad's platform layer keeps the button and stick
// tables; this class gives them their meaning in the game.)
#pragma once

#include "Pad.h"

class TGamePad {
 public:
  // Pad events of the feed (the game's event pump passes every event on).
  void Feed(const plat::TEvent& event);
};

// The one pad device of the game.
extern TGamePad GamePad;
