#include "TNavInput.h"

#include "GameInput.h"
#include "TTalvorineGame.h"

TNavInput NavInput;

namespace {
void ReportKeyboard(TNavInput& input);
}

TNavInput::TNavInput() {
  for (auto& repeat : repeats_) repeat = TKeyRepeat::Create(RepeatDelayMs, RepeatIntervalMs);
  SetSource(TNavDevice::Keyboard, ReportKeyboard);
}

void TNavInput::SetSource(TNavDevice device, TSource source) {
  sources_[size_t(device)] = std::move(source);
}

bool TNavInput::Repeats(TNavCommand command) {
  switch (command) {
    case TNavCommand::Accept:
    case TNavCommand::Select:
    case TNavCommand::Back:
    case TNavCommand::FocusNext:
    case TNavCommand::FocusPrev:
    case TNavCommand::Hint:
    case TNavCommand::Pause:
      return false;
    default:
      return true;
  }
}

void TNavInput::Act(TNavCommand command, TNavDevice device) {
  ++hits_[size_t(command)];
  anyThisStep_ = 1;
  LastDevice = device;
  ++CommandCount;
}

void TNavInput::Step() {
  hits_.fill(0);
  anyThisStep_ = 0;
  heldLast_ = heldNow_;
  heldNow_.fill(0);
  for (auto& source : sources_) {
    if (source) source(*this);
  }
  for (int c = 0; c < Commands; ++c) {
    if (!heldNow_[size_t(c)]) {
      repeats_[size_t(c)]->Step(false);
      blocked_[size_t(c)] = 0;
    }
  }
}

void TNavInput::Hold(TNavCommand command, TNavDevice device) {
  size_t c = size_t(command);
  if (heldNow_[c]) return;  // another device holds it already
  heldNow_[c] = 1;
  if (blocked_[c]) return;
  bool acts = Repeats(command) ? repeats_[c]->Step(true) != 0 : !heldLast_[c];
  if (acts) Act(command, device);
}

void TNavInput::Press(TNavCommand command, TNavDevice device) { Act(command, device); }

int TNavInput::Hit(TNavCommand command) {
  int& hits = hits_[size_t(command)];
  if (hits == 0) return 0;
  hits = 0;
  return 1;
}

int TNavInput::Peek(TNavCommand command) const { return hits_[size_t(command)] > 0 ? 1 : 0; }

int TNavInput::Held(TNavCommand command) const { return heldNow_[size_t(command)]; }

void TNavInput::Flush() {
  hits_.fill(0);
  // What is held now acts again only after it has been let go.
  for (int c = 0; c < Commands; ++c) {
    if (heldNow_[size_t(c)]) blocked_[size_t(c)] = 1;
    repeats_[size_t(c)]->Step(false);
  }
}

// ---------------------------------------------------------------- keyboard

namespace {

struct TKeyCommand {
  int key;
  TNavCommand command;
  bool typing;  // still a command while a text field has the keys
};

const TKeyCommand kKeyCommands[] = {
    {plat::KEY_UP, TNavCommand::Up, true},
    {plat::KEY_DOWN, TNavCommand::Down, true},
    {plat::KEY_LEFT, TNavCommand::Left, false},
    {plat::KEY_RIGHT, TNavCommand::Right, false},
    {plat::KEY_ENTER, TNavCommand::Accept, true},
    {plat::KEY_SPACE, TNavCommand::Select, false},
    {plat::KEY_ESCAPE, TNavCommand::Back, true},
    {plat::KEY_PAGEUP, TNavCommand::PageUp, true},
    {plat::KEY_PAGEDOWN, TNavCommand::PageDown, true},
    {plat::KEY_HOME, TNavCommand::Home, false},
    {plat::KEY_END, TNavCommand::End, false},
    {plat::KEY_DELETE, TNavCommand::Erase, false},
    {plat::KEY_H, TNavCommand::Hint, false},
    {plat::KEY_P, TNavCommand::Pause, false},
};

bool Down(int key) { return GameKeyDown(key) != 0; }

void ReportKeyboard(TNavInput& input) {
  constexpr TNavDevice keyboard = TNavDevice::Keyboard;
  bool typing = Game && Game->BlockKeys;
  bool alt = Down(plat::KEY_LALT) || Down(plat::KEY_RALT) || (Game && Game->AltEnterPending());
  auto report = [&](int key, TNavCommand command) {
    // A hit released within the step is a tap; a key still down is held.
    bool hit = GameKeyHit(key) != 0;
    if (Down(key)) {
      input.Hold(command, keyboard);
    } else if (hit) {
      input.Press(command, keyboard);
    }
  };
  for (const TKeyCommand& entry : kKeyCommands) {
    if (typing && !entry.typing) continue;
    if (entry.key == plat::KEY_ENTER && alt) continue;
    report(entry.key, entry.command);
  }
  bool shift = Down(plat::KEY_LSHIFT) || Down(plat::KEY_RSHIFT);
  report(plat::KEY_TAB, shift ? TNavCommand::FocusPrev : TNavCommand::FocusNext);
}

}  // namespace

int TNavInput::KeyFor(TNavCommand command) {
  if (command == TNavCommand::FocusNext) return plat::KEY_TAB;
  for (const TKeyCommand& entry : kKeyCommands) {
    if (entry.command == command) return entry.key;
  }
  return -1;
}
