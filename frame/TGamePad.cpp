#include "TGamePad.h"

#include <cstdlib>

#include "TScreen.h"
#include "TTalvorineGame.h"

TGamePad GamePad;

namespace {

bool InPlay() { return Game && Game->CurrentTScreen && Game->CurrentTScreen->name == "game"; }

}  // namespace

int TGamePad::StickDirection(int x, int y, int held) {
  int ax = std::abs(x), ay = std::abs(y);
  bool across = ax >= ay;
  int direction =
      across ? (x < 0 ? plat::PAD_LEFT : plat::PAD_RIGHT) : (y < 0 ? plat::PAD_UP : plat::PAD_DOWN);
  int needed = direction == held ? PushToHold : PushToMove;
  return (across ? ax : ay) >= needed ? direction : -1;
}

void TGamePad::Feed(const plat::TEvent& event) {
  bool button = event.data >= 0 && event.data < plat::PAD_BUTTONS;
  if (event.kind == plat::EVENT_PADDOWN && button) {
    down_[size_t(event.data)] = 1;
    ++pressed_[size_t(event.data)];
  } else if (event.kind == plat::EVENT_PADUP && button) {
    down_[size_t(event.data)] = 0;
  } else if (event.kind == plat::EVENT_PADREMOVED && InPlay() && !Game->Paused) {
    pauseOnRemoval_ = true;
  }
}

namespace {

struct TPadCommand {
  int button;
  TNavCommand command;
};

// In play Start opens the in-game menu, as Escape does; elsewhere it
// confirms, so that it never leaves the title by accident.
std::array<TPadCommand, 12> PadCommands(bool inPlay) {
  return {{{plat::PAD_UP, TNavCommand::Up},
           {plat::PAD_DOWN, TNavCommand::Down},
           {plat::PAD_LEFT, TNavCommand::Left},
           {plat::PAD_RIGHT, TNavCommand::Right},
           {plat::PAD_A, TNavCommand::Accept},
           {plat::PAD_B, TNavCommand::Back},
           {plat::PAD_X, TNavCommand::Erase},
           {plat::PAD_Y, TNavCommand::Hint},
           {plat::PAD_BACK, TNavCommand::Pause},
           {plat::PAD_LEFTSHOULDER, TNavCommand::PageUp},
           {plat::PAD_RIGHTSHOULDER, TNavCommand::PageDown},
           {plat::PAD_START, inPlay ? TNavCommand::Back : TNavCommand::Accept}}};
}

}  // namespace

int TGamePad::ButtonFor(TNavCommand command) {
  for (const TPadCommand& entry : PadCommands(InPlay())) {
    if (entry.command == command) return entry.button;
  }
  return -1;
}

void TGamePad::Report(TNavInput& input) {
  StickHeld =
      StickDirection(plat::PadAxis(plat::PAD_LEFTX), plat::PadAxis(plat::PAD_LEFTY), StickHeld);
  for (const TPadCommand& entry : PadCommands(InPlay())) {
    if (Held(entry.button)) {
      input.Hold(entry.command, TNavDevice::Pad);
    } else if (pressed_[size_t(entry.button)]) {
      input.Press(entry.command, TNavDevice::Pad);  // down and up again within the step
    }
  }
  // A pad pulled out in play pauses on the step it went.
  if (pauseOnRemoval_) input.Press(TNavCommand::Pause, TNavDevice::Pad);
  pauseOnRemoval_ = false;
  pressed_.fill(0);
}

void InstallPadNavigation() {
  NavInput.SetSource(TNavDevice::Pad, [](TNavInput& input) { GamePad.Report(input); });
}
