// Device-neutral navigation commands. Once per logic step every input
// device (the keyboard, a game pad) reports what its controls ask for;
// the focus of a screen or dialog, the list boxes, the level grid and the
// board cursor read only these commands, never the device itself, so each
// device drives all of them with no second copy of their logic.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "TBackOwners.h"
#include "TKeyRepeat.h"

enum class TNavCommand {
  Up,
  Down,
  Left,
  Right,
  Accept,     // Enter
  Select,     // Space: as Accept, but a text field's OK button ignores it
  Back,       // Escape: read through BackOwners, by its one owner
  FocusNext,  // Tab
  FocusPrev,  // Shift+Tab
  PageUp,
  PageDown,
  Home,
  End,
  Erase,  // Delete
  Hint,   // H
  Pause,  // P
  Count
};

// Who reported a command; each device has one source slot.
enum class TNavDevice { None, Keyboard, Pad, Count };

class TNavInput {
 public:
  // A device's report for one step: it calls Hold and Press on the input.
  using TSource = std::function<void(TNavInput& input)>;

  // The keyboard's source is installed from the start: the arrows, Enter,
  // Space, Escape, Tab and Shift+Tab, Page Up/Down, Home, End, Delete, H
  // (hint) and P (pause). The key hits it turns into commands are consumed
  // from the key tables. While a text field has the keys (TGame::BlockKeys)
  // it leaves Space, Delete, Home, End, H, P and the left and right arrows
  // to the field; an Enter chorded with Alt is the full-screen toggle's,
  // not a command.
  TNavInput();

  // Installs (or, with an empty function, removes) the device's source.
  void SetSource(TNavDevice device, TSource source);

  // Once per logic step, right after the window events are drained (the
  // game's logic step calls it): forgets what nobody read last step, then
  // asks each source in device order.
  void Step();

  // ---- for sources, inside Step
  // The device holds the command's control down on this step. The command
  // acts on the first step held and, for the repeating ones (the arrows, the
  // page keys, Home, End, Erase), again after 400 ms and then every 100 ms,
  // as a list box's held key does. Several devices holding one command count
  // as one hold.
  void Hold(TNavCommand command, TNavDevice device);
  // One press that was released within the same step (a tap): acts once.
  void Press(TNavCommand command, TNavDevice device);

  // ---- for readers
  // 1 when the command acts on this step; the first reader consumes it.
  int Hit(TNavCommand command);
  // The same without consuming it.
  int Peek(TNavCommand command) const;
  // 1 while some device holds the command.
  int Held(TNavCommand command) const;
  // Some command acts on this step (consumed or not).
  int AnyThisStep() const { return anyThisStep_; }
  // Drops the commands of this step and restarts the held repeats, so a
  // control held across a flush acts again only after a fresh press.
  void Flush();

  // Who Back goes to.
  TBackOwners BackOwners{*this};

  // The device of the latest command, and a count of commands so far (a
  // reader can tell whether anything came since it last looked).
  TNavDevice LastDevice = TNavDevice::None;
  long long CommandCount = 0;

  // The key that gives the command (Tab for FocusNext), or -1: the
  // keyboard's one table, read by the bot's hands as by the keyboard.
  static int KeyFor(TNavCommand command);

  static constexpr int RepeatDelayMs = 400;
  static constexpr int RepeatIntervalMs = 100;

 private:
  static constexpr int Commands = int(TNavCommand::Count);
  static bool Repeats(TNavCommand command);
  void Act(TNavCommand command, TNavDevice device);

  std::array<TSource, size_t(TNavDevice::Count)> sources_{};
  std::array<int, Commands> hits_{};
  std::array<int, Commands> heldNow_{};
  std::array<int, Commands> heldLast_{};
  std::array<int, Commands> blocked_{};
  std::array<std::unique_ptr<TKeyRepeat>, Commands> repeats_{};
  int anyThisStep_ = 0;
};

// The one instance the game steps.
extern TNavInput NavInput;
