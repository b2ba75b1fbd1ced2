#include "TColor.h"

#include "Platform.h"
#include "TextDraw.h"

std::shared_ptr<TColor> TColor::Create(int r, int g, int b, float alpha) {
  auto color = std::make_shared<TColor>();
  color->Set(r, g, b, alpha);
  return color;
}

void TColor::Apply() const {
  plat::SetColor(R, G, B);
  plat::SetAlpha(Alpha);
}

void TColor::ApplyNoAlpha() const { plat::SetColor(R, G, B); }

void TColor::Copy(const TColor& other) { Set(other.R, other.G, other.B, other.Alpha); }

void TColor::Get(int& r, int& g, int& b) const {
  r = R;
  g = G;
  b = B;
}

void TColor::GetFull(int& r, int& g, int& b, float& alpha) const {
  Get(r, g, b);
  alpha = Alpha;
}

void TColor::Restore() {
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
}

void TColor::Set(int r, int g, int b, float alpha) {
  R = r;
  G = g;
  B = b;
  Alpha = alpha;
}

std::shared_ptr<TShadow> TShadow::Create(float x, float y, float alpha) {
  auto shadow = std::make_shared<TShadow>();
  shadow->Init(x, y, alpha);
  return shadow;
}

void TShadow::Init(float x, float y, float alpha) {
  X = x;
  Y = y;
  Alpha = alpha;
}

void TShadow::ApplyToText() const { SetTextShadow(X, Y, Alpha); }

void TShadow::Copy(const TShadow& other) { Init(other.X, other.Y, other.Alpha); }

void TShadow::Apply() const {
  plat::SetColor(0, 0, 0);
  plat::SetAlpha(Alpha);
}

void TShadow::Restore() { TColor::Restore(); }
