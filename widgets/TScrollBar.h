// A knob on a track with an arrow button at each end: the arrows step the
// value (auto-repeating while held), the knob can be dragged, and a list
// box reads the rounded value as its first shown line.
#pragma once

#include <memory>
#include <string>

#include "TGameImage.h"
#include "TMenu.h"

class TScrollBar {
 public:
  // A negative valueMax counts as 0.
  static std::unique_ptr<TScrollBar> Create(TGameImagePtr knobImage, int size, double valueMax,
                                            float x, float y, int vertical = 1);
  // Each arrow with a disabled look is disabled at its end of the range.
  void DisableButtons();
  void Draw();
  void Kill();
  void Manage();
  // The arrow buttons (menu images), placed at the ends of the track.
  void SetArrows(const std::string& upName, const std::string& downName, int clickMs);
  void SliderSetPosition(double v);
  void ValueCalc();
  void ValueRound();

  TGameImagePtr Slider;
  std::shared_ptr<TMenu> Menu;
  int Vertical = 1;
  int Value = 0;
  double ValuePrecise = 0;
  double ValueStep = 1.0;
  int Size = 0;
  double ValueMax = 0;
  int SliderPosition = 0;
  int SliderSelected = 0;
  int SliderOffset = 0;
  float X = 0, Y = 0;
  std::string UpName, DownName;
  int FixedGlowOnMO = 0;
  float SliderGlow = 0;
  float GlowMax = 0.5f;
  float GlowSpeed = 0.02f;
  float Scale = 1.0f;

 private:
  // The knob's length along the track and the distance it can travel.
  int KnobLength() const;
  int Range() const { return Size - KnobLength(); }
  bool PointerOverKnob() const;
};
