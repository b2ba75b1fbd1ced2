// Which hand leads: the keys (a keyboard or pad command came last) or the
// pointer (it moved, or a mouse button was pressed, since). The focus of a
// screen or dialog shows only while the keys lead, and a button takes its
// pointer look only while the pointer leads, so one control at a time looks
// chosen. Stepped once per logic step, right after the input is read.
#pragma once

class TMousePointer;
class TNavInput;

class TInputMode {
 public:
  void Step(const TMousePointer& pointer, const TNavInput& commands);
  // The keys lead, counting this step's input.
  bool Keys() const { return keys_; }
  // The keys led before this step's input: a panel that opens now shows its
  // focus at once.
  bool KeysBefore() const { return keysBefore_; }
  // The pointer leads and nothing is remembered (a new run, a test).
  void Reset();

 private:
  bool keys_ = false;
  bool keysBefore_ = false;
  bool seen_ = false;
  int lastX_ = 0, lastY_ = 0;
  long long commands_ = 0;
};

// The one instance the game steps.
extern TInputMode InputMode;
