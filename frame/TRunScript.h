// Scripted input for unattended runs: events posted just before given logic
// steps (docs/script.md gives the format), and screenshots of the frame
// drawn after given steps.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Platform.h"

// What a script does to the virtual game pad at one step. A pad reports
// its state rather than events, so a press and its release need steps of
// their own; the feed's pad events come after the step's other events.
struct TPadAction {
  enum TKind { Plug, Unplug, Press, Stick } Kind = Plug;
  int Button = 0;  // plat::TPadButton
  bool Down = false;
  int X = 0, Y = 0;  // the left stick, -32767..32767
};

class TRunScript {
 public:
  // Parses script text; false with "line N: ..." in error.
  bool Parse(const std::string& text, std::string& error);
  bool Load(const std::string& path, std::string& error);
  // Posts the events of this step to the platform's event queue and sets
  // the virtual pad (plugging it in first when a button or the stick is
  // used without a pad-plug).
  void Post(long long step) const;
  const std::vector<plat::TEvent>* EventsAt(long long step) const;
  const std::vector<TPadAction>* PadActionsAt(long long step) const;
  size_t EventCount() const;

 private:
  std::map<long long, std::vector<plat::TEvent>> events_;
  std::map<long long, std::vector<TPadAction>> padActions_;
};

// Screenshots still to take, by logic step.
class TScreenshotQueue {
 public:
  void Add(long long step, const std::string& file) { pending_.push_back({step, file}); }
  // Saves every shot whose step has run (grabbing the back buffer once).
  // Returns the files that failed to save.
  std::vector<std::string> TakeDue(long long stepsRun);
  // A shot is due once stepsRun steps have run.
  bool Due(long long stepsRun) const;
  const std::vector<std::pair<long long, std::string>>& Pending() const { return pending_; }

 private:
  std::vector<std::pair<long long, std::string>> pending_;
};

// Key code of a script key name ("esc", "enter", "alt", "p", "f12", "65"),
// -1 when unknown.
int ScriptKeyCode(const std::string& name);
// The character of "char C": one character, or its code point (decimal or
// U+hex); -1 for anything else.
int ScriptCharCode(const std::string& word);
