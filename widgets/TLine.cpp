#include "TLine.h"

#include <cmath>

#include "Platform.h"

double TVector2::Length() const { return std::sqrt(x * x + y * y); }

std::shared_ptr<TLine> TLine::Create(double sx, double sy, double ex, double ey) {
  auto line = std::make_shared<TLine>();
  line->sx = sx;
  line->sy = sy;
  line->ex = ex;
  line->ey = ey;
  return line;
}

std::shared_ptr<TLine> TLine::CreateFromVector(double x, double y, const TVector2& v) {
  return Create(x, y, x + v.x, y + v.y);
}

void TLine::CalcLength() { length = GetVector().Length(); }

// A vertical line has an infinite slope (the division is by zero).
double TLine::CalcSlope() const { return (ey - sy) / (ex - sx); }

void TLine::Draw(int lastPixel) {
  if (Color) Color->Apply();
  plat::DrawLine(sx, sy, ex, ey, lastPixel != 0);
  if (Color) TColor::Restore();
}

TVector2 TLine::GetVector() const { return {ex - sx, ey - sy}; }

void TLine::SetFromVector(const TVector2& v, double x, double y) {
  sx = x;
  sy = y;
  ex = x + v.x;
  ey = y + v.y;
}
