// Small value objects for drawing: a colour with alpha, and the drop shadow
// that text and sprites cast. Both set the platform's drawing state directly.
#pragma once

#include <memory>

class TColor {
 public:
  static std::shared_ptr<TColor> Create(int r, int g, int b, float alpha = 1.0f);

  // Sets the drawing colour and alpha.
  void Apply() const;
  // Sets only the drawing colour.
  void ApplyNoAlpha() const;
  void Copy(const TColor& other);
  void Get(int& r, int& g, int& b) const;
  void GetFull(int& r, int& g, int& b, float& alpha) const;
  // Drawing colour white, alpha 1.
  static void Restore();
  void Set(int r, int g, int b, float alpha = 1.0f);

  int R = 0, G = 0, B = 0;
  float Alpha = 1.0f;
};

class TShadow {
 public:
  static std::shared_ptr<TShadow> Create(float x, float y, float alpha);
  void Init(float x, float y, float alpha);
  // Makes this the shadow of the module-level text functions.
  void ApplyToText() const;
  void Copy(const TShadow& other);
  // Drawing colour black at the shadow's alpha.
  void Apply() const;
  static void Restore();

  float X = 1.0f, Y = 1.0f;
  float Alpha = 0.5f;
};
