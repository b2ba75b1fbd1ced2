#include "TBox.h"

#include "Platform.h"

std::shared_ptr<TBox> TBox::Create(float x, float y, float w, float h,
                                   std::shared_ptr<TColor> color) {
  auto box = std::make_shared<TBox>();
  box->Init(x, y, w, h, std::move(color));
  return box;
}

void TBox::Init(float x, float y, float w, float h, std::shared_ptr<TColor> color) {
  X = x;
  Y = y;
  W = w;
  H = h;
  Color = std::move(color);
}

void TBox::SetGlass(std::shared_ptr<TColor> sheen, std::shared_ptr<TColor> rim) {
  Sheen = std::move(sheen);
  Rim = std::move(rim);
}

void TBox::Draw() {
  if (!Color) return;
  Color->Apply();
  plat::DrawRect(X, Y, W, H, true);
  if (Sheen) {
    Sheen->Apply();
    plat::DrawRect(X + 1, Y + 1, W - 2, float(int(H / 2)), true);
  }
  if (Rim) {
    Rim->Apply();
    plat::DrawRect(X, Y, W, H, false);
  }
  TColor::Restore();
}

void TBox::Kill() { Color.reset(); }

std::shared_ptr<TCircle> TCircle::Create(int x, int y, int r, std::shared_ptr<TColor> color) {
  auto circle = std::make_shared<TCircle>();
  circle->x = float(x);
  circle->y = float(y);
  circle->r = float(r);
  circle->Color = std::move(color);
  return circle;
}

void TCircle::Draw() {
  if (Color) Color->Apply();
  plat::DrawOval(x - r, y - r, 2 * r, 2 * r);
  if (Color) TColor::Restore();
}
