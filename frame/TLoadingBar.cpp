#include "TLoadingBar.h"

#include "Globals.h"

namespace {

void TopLeftHandle(const plat::TImagePtr& image) {
  if (image) plat::SetImageHandle(*image, 0, 0);
}

}  // namespace

void TLoadingBar::Init(plat::TImagePtr image, plat::TImagePtr emptyImage,
                       plat::TImagePtr finalImage) {
  Image = std::move(image);
  EmptyImage = std::move(emptyImage);
  FinalImage = std::move(finalImage);
  for (const auto& i : {Image, EmptyImage, FinalImage}) TopLeftHandle(i);
  x = y = 0;
  w = Image ? plat::ImageWidth(*Image) : 0;
  h = Image ? plat::ImageHeight(*Image) : 0;
  Position = 0;
  CurrentStep = 0;
  Finished = 0;
}

void TLoadingBar::Centre(int newY) {
  x = (ScreenWidth - w) / 2;
  y = newY;
}

void TLoadingBar::SetSteps(int n) {
  Steps = float(n);
  StepSize = n > 0 ? float(w) / float(n) : 0;
}

void TLoadingBar::SetBackgroundColour(int r, int g, int b) {
  BgR = r;
  BgG = g;
  BgB = b;
}

void TLoadingBar::SetBorderColour(int r, int g, int b) {
  BorderR = r;
  BorderG = g;
  BorderB = b;
}

void TLoadingBar::Progress() {
  ++CurrentStep;
  Position = float(CurrentStep) * StepSize;
  if (float(CurrentStep) == Steps) Finished = 1;
}

void TLoadingBar::DrawUnderlay() {
  if (Mode == 0) {
    plat::SetBlend(plat::SOLIDBLEND);
    plat::SetColor(BgR, BgG, BgB);
    plat::DrawRect(x, y, w, h);
    plat::SetColor(BorderR, BorderG, BorderB);
    plat::DrawRect(x, y, w, h, false);
    plat::SetColor(255, 255, 255);
  } else {
    plat::SetBlend(plat::ALPHABLEND);
    if (Mode == 1 && EmptyImage) plat::DrawImage(*EmptyImage, x, y);
  }
}

void TLoadingBar::Draw() {
  if (Mode == 1 && !Image) return;
  if (Finished && FinalImage) {
    plat::SetBlend(plat::ALPHABLEND);
    if (DrawEmptyUnderFinal && EmptyImage) plat::DrawImage(*EmptyImage, x, y);
    plat::DrawImage(*FinalImage, x, y);
    plat::SetBlend(plat::SOLIDBLEND);
    return;
  }
  DrawUnderlay();
  if (Image && Position > 0) {
    plat::DrawSubImageRect(*Image, x, y, Position, h, 0, 0, Position, h);
  }
  plat::SetBlend(plat::SOLIDBLEND);
}
