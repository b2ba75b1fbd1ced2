#include "TStartScreen.h"

#include "Degrees.h"
#include "GameResources.h"
#include "Globals.h"
#include "TTalvorineGame.h"

namespace {

struct TRgb {
  int r, g, b;
};

const TRgb kJewels[] = {{230, 60, 70},  {250, 170, 40}, {240, 230, 80},
                        {70, 200, 110}, {70, 140, 240}, {180, 90, 230}};

void DrawCentredText(const std::string& text, double y) {
  plat::DrawText(text, (ScreenWidth - plat::TextWidth(text)) / 2.0, y);
}

void DrawBackground() {
  plat::SetBlend(plat::SOLIDBLEND);
  plat::SetAlpha(1);
  const int bands = 30;
  for (int i = 0; i < bands; ++i) {
    plat::SetColor(10 + i, 12 + i, 40 + 2 * i);
    plat::DrawRect(0, i * ScreenHeight / bands, ScreenWidth, ScreenHeight / bands + 1);
  }
}

void DrawJewel(const TRgb& colour, double x, double y, double size, double glow) {
  plat::SetBlend(plat::LIGHTBLEND);
  plat::SetColor(colour.r, colour.g, colour.b);
  plat::SetAlpha(0.25 + 0.2 * glow);
  plat::DrawOval(x - size, y - size, size * 2, size * 2);
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetAlpha(1);
  plat::DrawOval(x - size / 2, y - size / 2, size, size);
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(0.6);
  plat::DrawOval(x - size / 4, y - size / 3, size / 4, size / 5);
}

}  // namespace

void TStartScreen::Start() {
  orbit_.Init(0, 360, 0.12f);
  glow_.Init(0, 360, 0.6f);
  TScreen::Start();
  Game->GameFade.Init(DefaultFadeLength, 0, nullptr, 0, 0);
}

void TStartScreen::Logic() {
  orbit_.Manage();
  glow_.Manage();
}

void TStartScreen::Draw() {
  DrawBackground();
  const double cx = ScreenWidth / 2.0, cy = ScreenHeight / 2.0 + 20;
  for (int i = 0; i < 6; ++i) {
    float angle = orbit_.Counter + i * 60.0f;
    double glow = 0.5 + 0.5 * SinDeg(glow_.Counter + i * 60.0f);
    DrawJewel(kJewels[i], cx + 170 * CosDeg(angle), cy + 110 * SinDeg(angle), 26 + 4 * glow, glow);
  }
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetAlpha(1);
  plat::TFontPtr previous = plat::GetImageFont();
  if (plat::TFontPtr title = GameFont(34)) plat::SetImageFont(title);
  plat::SetColor(240, 230, 200);
  DrawCentredText("Gleamstrand", 90);
  if (plat::TFontPtr small = GameFont(18)) plat::SetImageFont(small);
  plat::SetColor(170, 180, 210);
  DrawCentredText("P pauses   -   Esc leaves   -   Alt+Enter switches full screen", 540);
  plat::SetImageFont(previous);
  plat::SetColor(255, 255, 255);
}

void TPausedText::Draw() {
  const int w = 320, h = 90;
  const double x = (ScreenWidth - w) / 2.0, y = (ScreenHeight - h) / 2.0;
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(20, 24, 60);
  plat::SetAlpha(0.85);
  plat::DrawRect(x, y, w, h);
  plat::SetColor(200, 200, 240);
  plat::SetAlpha(1);
  plat::DrawRect(x, y, w, h, false);
  const std::string title = "Paused", hint = "press P or click to continue";
  plat::DrawText(title, (ScreenWidth - plat::TextWidth(title)) / 2.0, y + 22);
  plat::DrawText(hint, (ScreenWidth - plat::TextWidth(hint)) / 2.0, y + 52);
  plat::SetColor(255, 255, 255);
}

plat::TImagePtr MakeArrowPointer() {
  const int w = 14, h = 22, tip = 16;
  plat::TImagePtr image = plat::CreateImage(w, h, 1, -1);
  if (!image) return nullptr;
  plat::TPixmap& pixels = plat::LockImage(*image);
  for (int y = 0; y < h && y < pixels.height; ++y) {
    for (int x = 0; x < w && x < pixels.width; ++x) {
      // A triangle down to row tip, then a short stem.
      int edge = y <= tip ? y * 11 / tip : (x >= 4 && x <= 7 ? 7 : -1);
      bool inside = y <= tip ? x <= edge : (edge >= 0 && x >= 4);
      bool border = inside && (x == 0 || x == edge || y == tip || y == h - 1 || x == 4);
      uint32_t colour = !inside  ? 0u
                        : border ? plat::ARGB(255, 20, 20, 30)
                                 : plat::ARGB(255, 255, 255, 255);
      pixels.WritePixel(x, y, colour);
    }
  }
  plat::UnlockImage(*image);
  plat::SetImageHandle(*image, 0, 0);
  return image;
}
