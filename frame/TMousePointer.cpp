#include "TMousePointer.h"

#include "TTalvorineGame.h"

void TMousePointer::On() { Active = 1; }

void TMousePointer::Off() {
  Active = 0;
  if (ParticleList) ParticleList->Clear();
}

void TMousePointer::Load(const std::string& name) {
  std::string folder = Game ? Game->ImagePath : std::string();
  plat::TImagePtr image = plat::LoadImage(folder + name + Ext, -1);
  if (image) plat::SetImageHandle(*image, float(offsetx), float(offsety));
  Image = image;
  CalcSize();
}

void TMousePointer::CalcSize() {
  w = Image ? plat::ImageWidth(*Image) : 0;
  h = Image ? plat::ImageHeight(*Image) : 0;
}

void TMousePointer::Update() {
  x = plat::MouseX();
  y = plat::MouseY();
  b1 = plat::MouseDown(1);
  b2 = plat::MouseDown(2);
  b3 = plat::MouseDown(3);
  h1 = plat::MouseHit(1);
  h2 = plat::MouseHit(2);
  h3 = plat::MouseHit(3);
  CalcButtonTotals();
}

int TMousePointer::Manage() {
  if (!Active) return 0;
  if (ParticleFunc) {
    ParticleFunc();
    if (ParticleList) ParticleList->Manage();
  }
  return 1;
}

// The platform already maps the system cursor through the window's position
// and scaling into the logical display, so its position is used directly.
int TMousePointer::UpdateCoords() {
  if (plat::IsHeadless() || !plat::GraphicsOpen()) return 0;
  if (Game) Game->SetClientCoords();
  x = plat::MouseX();
  y = plat::MouseY();
  return 1;
}

void TMousePointer::ClearButtons() {
  b1 = b2 = b3 = mb = 0;
  ClearMouseHit();
}

void TMousePointer::ClearMouseHit() { h1 = h2 = h3 = mh = 0; }

int TMousePointer::GetMh(int clear) {
  int hits = mh;
  if (clear) ClearMouseHit();
  return hits;
}

void TMousePointer::CalcButtonTotals() {
  mb = b1 + b2 + b3;
  mh = h1 + h2 + h3;
}

void TMousePointer::Draw() {
  if (Game && Game->FullScreen == 0) UpdateCoords();
  if (!Active) return;
  if (ParticleList) {
    // The trail twinkles on by itself: an ambient effect.
    plat::TAmbientDrawing trail;
    ParticleList->Draw();
  }
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetRotation(Rotation);
  if (Image2) {
    plat::SetScale(Image2Scale, Image2Scale);
    plat::DrawImage(*Image2, x + Image2xoff, y + Image2yoff, Image2Frame);
    plat::SetScale(1, 1);
  }
  if (Image) {
    plat::DrawImage(*Image, x, y, ImageFrame);
  } else {
    plat::Plot(x, y);
  }
  plat::SetRotation(0);
  if (UserDraw) UserDraw(x, y);
}
