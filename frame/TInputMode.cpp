#include "TInputMode.h"

#include "TMousePointer.h"
#include "TNavInput.h"

TInputMode InputMode;

void TInputMode::Step(const TMousePointer& pointer, const TNavInput& commands) {
  keysBefore_ = keys_;
  // The first step only takes note of where things stand.
  bool moved = seen_ && (pointer.x != lastX_ || pointer.y != lastY_);
  bool command = seen_ && commands.CommandCount != commands_;
  seen_ = true;
  lastX_ = pointer.x;
  lastY_ = pointer.y;
  commands_ = commands.CommandCount;
  if (moved || pointer.mh > 0) keys_ = false;
  // A command in the same step as a pointer event wins: it came with intent.
  if (command) keys_ = true;
}

void TInputMode::Reset() { *this = TInputMode(); }
