// A pulsing brightness: the glow of a selected jewel and, per board position,
// the diagonal light sweep over the layout tiles.
#pragma once

#include <memory>

#include "TSineCounter.h"

class TGlow {
 public:
  static std::unique_ptr<TGlow> Create(float speed, float modifier, float start, float end);
  // A glow of the same speed, modifier and range, starting afresh.
  std::unique_ptr<TGlow> Recreate() const;
  void Reset();
  void Logic();
  // 1 when the counter wrapped since the last check.
  int CheckCounter();
  // Additive light in the glow's brightness, then back to plain alpha blending.
  void Process1_StartGlow() const;
  void Process2_EndGlow() const;

  TSineCounter GlowCounter;
  float Glow = 0;
  float GlowModifier = 0.3f;
  float lastCounter = 0;
  int numWraps = 0;
};
