#include "TSlider.h"

#include <algorithm>
#include <cmath>

#include "Globals.h"
#include "TTalvorineGame.h"

std::unique_ptr<TSlider> TSlider::CreateSpecial(const std::string& barName,
                                                const std::string& knobName, float x, float y,
                                                int border, const std::string& name, int borderY) {
  auto slider = std::make_unique<TSlider>();
  slider->Load(barName, knobName, name);
  slider->Place(x, y, border, borderY);
  slider->SetValue(50);
  slider->DotY = int(y);
  return slider;
}

TGameImagePtr TSlider::LoadPicture(const std::string& file) const {
  return TGameImage::Create(Game->ImagePath + file + Ext, -1, 0);
}

void TSlider::Load(const std::string& barName, const std::string& knobName,
                   const std::string& newName) {
  SetName(newName);
  LoadImages(barName, knobName);
  Init();
}

void TSlider::LoadImages(const std::string& barName, const std::string& knobName) {
  image = LoadPicture(barName);
  DotImage = LoadPicture(knobName);
}

void TSlider::Init() { GetSize(); }

void TSlider::Place(float newX, float newY, int border, int borderY) {
  x = newX;
  y = newY;
  Border = border;
  BorderY = borderY;
  active = 1;
}

void TSlider::SetValue(int v) {
  Value = std::clamp(v, 0, 100);
  float knobHalf = DotImage ? float(DotImage->w) / 2 : 0;
  DotX = int(x + float(Border) + float(w - 2 * Border) * float(Value) / 100 - knobHalf);
}

bool TSlider::FocusCommand(TNavCommand command) {
  if (command == TNavCommand::Left) --keySteps_;
  if (command == TNavCommand::Right) ++keySteps_;
  return command == TNavCommand::Left || command == TNavCommand::Right;
}

int TSlider::Manage() {
  if (!active) return 0;
  if (keySteps_ != 0) {
    SetValue(Value + keySteps_ * KeyStep);
    keySteps_ = 0;
    return 1;
  }
  const TMousePointer& pointer = Game->Mouse;
  bool over = pointer.x >= x - 10 && pointer.x < x + float(w) + 10 &&
              pointer.y >= y - float(BorderY) && pointer.y < y + float(h + BorderY);
  MouseOver = over ? 1 : 0;
  // A press and release within one step still counts as a press here.
  bool held = pointer.GetMb() > 0 || (over && pointer.mh > 0);
  // A fast drag leaves the bar's area in one step; it still reaches the end.
  if (!held) Dragging = 0;
  if (held && over) Dragging = 1;
  if (!Dragging) return 0;
  float left = x + float(Border), right = x + float(w - Border);
  int value = 0;
  if (float(pointer.x) <= left) {
    value = 0;
  } else if (float(pointer.x) >= right) {
    value = 100;
  } else {
    value = int(std::floor(100.0f * (float(pointer.x) - left) / float(w - 2 * Border) + 0.5f));
  }
  SetValue(value);
  return 1;
}

void TSlider::Draw() {
  if (!active) return;
  plat::SetBlend(plat::ALPHABLEND);
  if (image && image->image) plat::DrawImage(*image->image, x, y);
  if (DotImage && DotImage->image) plat::DrawImage(*DotImage->image, DotX, DotY);
  DrawFocus();
}

void TSlider::DrawFocus() const {
  if (Focused) DrawFocusFrame(x - 6, y - 6, float(w) + 12, float(h) + 12);
}

// ------------------------------------------------------------------ TVSlider

std::unique_ptr<TVSlider> TVSlider::CreateSpecial(const std::string& barName,
                                                  const std::string& knobName, float x, float y,
                                                  int border, const std::string& name, int borderY,
                                                  const std::string& fullName, float knobOffsetY) {
  auto slider = std::make_unique<TVSlider>();
  slider->Load(barName, knobName, name, fullName);
  slider->Place(x, y, border, borderY);
  slider->SetValue(50);
  slider->DotY = int(knobOffsetY + y);
  return slider;
}

void TVSlider::Load(const std::string& barName, const std::string& knobName,
                    const std::string& newName, const std::string& fullName) {
  SetName(newName);
  LoadImages(barName, knobName, fullName);
  Init();
}

void TVSlider::LoadImages(const std::string& barName, const std::string& knobName,
                          const std::string& fullName) {
  TSlider::LoadImages(barName, knobName);
  FullImage = LoadPicture(fullName);
}

void TVSlider::SetValue(int v) {
  TSlider::SetValue(v);
  FullX = int(float(Border) + float(w - 2 * Border) * float(Value) / 100);
}

void TVSlider::Draw() {
  if (!active) return;
  plat::SetBlend(plat::ALPHABLEND);
  if (image && image->image) plat::DrawImage(*image->image, x, y);
  if (FullImage && FullImage->image && FullX > 0) {
    float fullH = float(FullImage->h);
    plat::DrawSubImageRect(*FullImage->image, x, y, FullX, fullH, 0, 0, FullX, fullH);
  }
  if (DotImage && DotImage->image) plat::DrawImage(*DotImage->image, DotX, DotY);
  DrawFocus();
}
