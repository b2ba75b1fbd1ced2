// The --frame-log file: one line for every frame presented, with the logic
// step it shows, when it was presented and how long after the frame before
// it (the frame's duration as the player sees it), in milliseconds of the
// real clock, and what changed in it: more than ambient effects
// ("changed"), only they ("ambient", shown at the lower rate) or nothing (a
// picture the window wanted again, "same"), and what the frame cost: the
// milliseconds from the start of its pass (logic, drawing) to its present.
// A long duration with a small cost is a pause in which nothing moved; a
// cost near the display's period is a frame at risk of being late. It tells
// how smooth play is without a person at the screen.
#pragma once

#include <chrono>
#include <string>

#include "Platform.h"

class TFrameLog {
 public:
  // False when the file cannot be written.
  bool Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  // After a pass that drew: a line for each frame presented since the last
  // call (`presented` counts every frame presented so far).
  void Update(long long presented, long long step, plat::TFrameChange change);
  // A pass of the main loop starts (the frame it may present costs from here).
  void PassStarts();

 private:
  using TClock = std::chrono::steady_clock;
  plat::TStreamPtr file_;
  TClock::time_point start_{};
  TClock::time_point last_{};
  double passStart_ = 0;  // seconds, on the clock of plat::LastPresentSeconds
  long long presented_ = 0;
  long long frames_ = 0;
};
