// Labelled timing probes of the main loop. The overlay that shows them is
// never enabled in this game; the probes still run so the numbers exist.
#pragma once

#include <string>

// A labelled integer with its running maximum.
class TTrackingVar {
 public:
  virtual ~TTrackingVar() = default;
  void Init();
  void Display(int x, int y) const;
  std::string GetDisplay() const;

  int current = 0;
  int maximum = 0;
  int displayLimit = 0;
  int displayLimitChars = 0;
  std::string Label;
};

// Milliseconds between Start and Calc.
class TDebugVar : public TTrackingVar {
 public:
  void Start();
  void Calc();

 private:
  int startTime_ = 0;
};

// Frames counted and turned into frames per second once a second.
class TFPSCounter : public TTrackingVar {
 public:
  void Frame();

  int counter = 0;
  int time = 0;
  int framerate = 0;
  int minimum = 0;
};
