// A line segment with its own colour, and the small two-component vector it
// converts to and from.
#pragma once

#include <memory>

#include "TColor.h"

struct TVector2 {
  double x = 0, y = 0;
  TVector2 operator+(const TVector2& o) const { return {x + o.x, y + o.y}; }
  TVector2 operator-(const TVector2& o) const { return {x - o.x, y - o.y}; }
  TVector2 operator*(double s) const { return {x * s, y * s}; }
  bool operator==(const TVector2& o) const = default;
  double Length() const;
};

class TLine {
 public:
  static std::shared_ptr<TLine> Create(double sx, double sy, double ex, double ey);
  static std::shared_ptr<TLine> CreateFromVector(double x, double y, const TVector2& v);
  void CalcLength();
  double CalcSlope() const;
  void Draw(int lastPixel = 1);
  TVector2 GetVector() const;
  void SetFromVector(const TVector2& v, double x, double y);

  double sx = 0, sy = 0, ex = 0, ey = 0, length = 0;
  std::shared_ptr<TColor> Color;
};
