// The autoplay bot's hands: the input it gives the game, queued step by
// step and fed to the game's event feed as each step comes. The pointer
// glides to a target and clicks; a command is given by tapping the key (or,
// with a virtual game pad, pressing the button) that the device's own table
// gives it; a move on the board is made with the cursor's commands over
// its own path. In a
// window the hands move at a watchable pace, headless at once.
#pragma once

#include <deque>

#include "Platform.h"
#include "TAutoPlayChoice.h"
#include "TNavInput.h"

class TButton;
class TCellBox;

// Steps of 5 ms. Headless the bot reacts at once; in a window it moves like
// an unhurried person, so that a watcher can follow every move.
struct TBotPace {
  int Glide;   // pointer travel to a target
  int Hold;    // button held down
  int Think;   // before each move, after the board came to rest
  int Settle;  // after a move, before looking at the board again
  int Linger;  // on the end panel of the last level

  static const TBotPace& For(bool headless);
};

class TBotHands {
 public:
  explicit TBotHands(bool headless) : pace_(TBotPace::For(headless)) {}

  // Plays with the keyboard alone (no pointer event at all).
  bool Keys = false;
  // With Keys: the commands come from a virtual game pad instead.
  bool Pad = false;

  // The step now: what is queued from here on waits for the queue before.
  void SetStep(long long step) { step_ = step; }
  // Feeds the input due by `step` to the game.
  void FlushDue(long long step);
  bool Busy() const { return !events_.empty(); }
  // The step at which the last input queued is given.
  long long QueueEnd() const { return queueEnd_; }
  void Clear() { events_.clear(); }

  // Glides the pointer to (x, y) (at once when headless) and clicks there.
  void ClickAt(int x, int y);
  void ClickButton(const TButton& button);
  // A command given: its key (or pad button) down now, up a moment later.
  void Press(TNavCommand command);
  // The arrows that take the board's cursor to the move's first jewel,
  // Select, and the arrow toward its second. False when the first jewel
  // cannot be reached.
  bool KeyMove(const TCellBox& board, const TAutoPlayMove& move);

 private:
  void Post(int afterSteps, plat::TEvent event);

  const TBotPace& pace_;
  long long step_ = 0;
  struct TTimedEvent {
    long long Step;
    plat::TEvent Event;
  };
  std::deque<TTimedEvent> events_;
  long long queueEnd_ = 0;  // the step of the last event queued
  // The pointer's last position, where a glide starts.
  int pointerX_ = 400, pointerY_ = 300;
};
