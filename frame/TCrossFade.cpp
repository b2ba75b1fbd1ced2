#include "TCrossFade.h"

#include <algorithm>

std::unique_ptr<TCrossFade> TCrossFade::Create(plat::TImagePtr image1, plat::TImagePtr image2,
                                               int ms) {
  auto fade = std::make_unique<TCrossFade>();
  fade->Init(std::move(image1), std::move(image2), ms);
  return fade;
}

void TCrossFade::Init(plat::TImagePtr image1, plat::TImagePtr image2, int ms) {
  Image1 = std::move(image1);
  Image2 = std::move(image2);
  // Both pictures ready before the first frame of the fade, not during it.
  for (const plat::TImagePtr& image : {Image1, Image2}) {
    if (image) plat::PrecacheImage(*image);
  }
  // Counting up and held at the end, so the ratio runs from 0 to 1 and stays.
  Anim = TAnimation::Create(ms, 1, 1, 0);
  Anim->Start();
}

void TCrossFade::Manage() {
  if (Anim) Anim->Manage();
}

float TCrossFade::Ratio() const { return Anim ? std::clamp(Anim->GetRatio(), 0.0f, 1.0f) : 1.0f; }

bool TCrossFade::Done() const { return !Anim || Anim->Finished || Ratio() >= 1.0f; }

void TCrossFade::Draw() {
  if (Image1) {
    plat::SetBlend(plat::SOLIDBLEND);
    plat::DrawImage(*Image1, X1, Y1);
  }
  if (Image2) {
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetAlpha(Ratio());
    plat::DrawImage(*Image2, X2, Y2);
  }
  plat::SetAlpha(1);
}

void TCrossFade::SetImage1Coords(float x, float y) {
  X1 = x;
  Y1 = y;
}

void TCrossFade::SetImage2Coords(float x, float y) {
  X2 = x;
  Y2 = y;
}
