// When the main loop draws. After a frame in which something besides the
// ambient effects changed, the next pass draws too (the display's rate);
// otherwise the screen is looked at again only after AmbientPeriodMs, so a
// screen at rest costs nothing and ambient effects (sparkles, glows, the
// light sweep) move at AmbientRate frames a second. Input brings a frame at
// once; a hidden window draws nothing; an expose, a resize, focus regained
// and a wanted screenshot always draw and present one frame. Only drawing
// is paced here: logic keeps its fixed rate.
#pragma once

#include "Platform.h"

class TFrameSchedule {
 public:
  static constexpr int AmbientRate = 20;
  static constexpr double AmbientPeriodMs = 1000.0 / AmbientRate;

  // Input arrived: the next pass draws.
  void Input() { input_ = true; }
  // The next pass draws and presents its frame, changed or not.
  void Force() { force_ = true; }
  // Whether this pass draws: `shown` (the window can be seen) and `wanted`
  // (a screenshot is due) at the time nowMs.
  bool Due(double nowMs, bool shown, bool wanted) const;
  // A frame was drawn with this outcome; returns whether to present it.
  bool Drawn(plat::TFrameChange change, double nowMs);
  // What the last frame drawn changed.
  plat::TFrameChange LastChange() const { return last_; }

 private:
  bool input_ = false;
  bool force_ = true;   // the first frame is always shown
  bool lively_ = true;  // the last frame changed more than ambient effects
  plat::TFrameChange last_ = plat::FRAME_SAME;
  double lastDrawMs_ = 0;
};
