#include "TGamePad.h"

#include <cstdlib>

#include "GameInput.h"
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
    // The hint and the pause have keys of their own: the pad presses them.
    if (event.data == plat::PAD_Y) GameKeyHitRestore(plat::KEY_H);
    if (event.data == plat::PAD_BACK) GameKeyHitRestore(plat::KEY_P);
  } else if (event.kind == plat::EVENT_PADUP && button) {
    down_[size_t(event.data)] = 0;
  } else if (event.kind == plat::EVENT_PADREMOVED && InPlay() && !Game->Paused) {
    // Exactly what the pause key does, on this step.
    GameKeyHitRestore(plat::KEY_P);
  }
}

void TGamePad::Report(TNavInput& input) {
  StickHeld =
      StickDirection(plat::PadAxis(plat::PAD_LEFTX), plat::PadAxis(plat::PAD_LEFTY), StickHeld);
  auto report = [&](int button, TNavCommand command) {
    if (Held(button)) {
      input.Hold(command, TNavDevice::Pad);
    } else if (pressed_[size_t(button)]) {
      input.Press(command, TNavDevice::Pad);  // down and up again within the step
    }
  };
  report(plat::PAD_UP, TNavCommand::Up);
  report(plat::PAD_DOWN, TNavCommand::Down);
  report(plat::PAD_LEFT, TNavCommand::Left);
  report(plat::PAD_RIGHT, TNavCommand::Right);
  report(plat::PAD_A, TNavCommand::Accept);
  report(plat::PAD_B, TNavCommand::Back);
  report(plat::PAD_X, TNavCommand::Erase);
  report(plat::PAD_LEFTSHOULDER, TNavCommand::PageUp);
  report(plat::PAD_RIGHTSHOULDER, TNavCommand::PageDown);
  // In play Start opens the in-game menu, as Escape does; elsewhere it
  // confirms, so that it never leaves the title by accident.
  report(plat::PAD_START, InPlay() ? TNavCommand::Back : TNavCommand::Accept);
  pressed_.fill(0);
}

void InstallPadNavigation() {
  NavInput.SetSource(TNavDevice::Pad, [](TNavInput& input) { GamePad.Report(input); });
}
