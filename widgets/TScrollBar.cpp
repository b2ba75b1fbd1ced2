#include "TScrollBar.h"

#include <algorithm>
#include <cmath>

#include "Globals.h"
#include "TTalvorineGame.h"

std::unique_ptr<TScrollBar> TScrollBar::Create(TGameImagePtr knobImage, int size, double valueMax,
                                               float x, float y, int vertical) {
  auto bar = std::make_unique<TScrollBar>();
  bar->Slider = std::move(knobImage);
  bar->Size = size;
  bar->ValueMax = std::max(0.0, valueMax);
  bar->X = x;
  bar->Y = y;
  bar->Vertical = vertical;
  return bar;
}

int TScrollBar::KnobLength() const {
  if (!Slider) return 0;
  return Vertical ? Slider->h : Slider->w;
}

bool TScrollBar::PointerOverKnob() const {
  if (!Slider) return false;
  const TMousePointer& pointer = Game->Mouse;
  float left = Vertical ? X : X + float(SliderPosition);
  float top = Vertical ? Y + float(SliderPosition) : Y;
  return pointer.x >= left && pointer.x < left + float(Slider->w) && pointer.y >= top &&
         pointer.y < top + float(Slider->h);
}

void TScrollBar::SetArrows(const std::string& upName, const std::string& downName, int clickMs) {
  UpName = upName;
  DownName = downName;
  Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  TButton* up = Menu->AddQuickAuto(upName);
  TButton* down = Menu->AddQuickAuto(downName);
  for (TButton* arrow : {up, down}) {
    arrow->ClickDisabled = 0;
    arrow->MouseClickDuration = Game->CalcAnimLength(clickMs);
    arrow->ClickWhenDown = 1;
    arrow->SetupMouseRepeat(400, 100);
  }
  int knobW = Slider ? Slider->w : 0, knobH = Slider ? Slider->h : 0;
  if (Vertical) {
    up->MoveTo(X + float((knobW - up->w) / 2), Y - float(up->h));
    down->MoveTo(X + float((knobW - down->w) / 2), Y + float(Size));
  } else {
    up->MoveTo(X - float(up->w), Y + float((knobH - up->h) / 2));
    down->MoveTo(X + float(Size), Y + float((knobH - down->h) / 2));
  }
  DisableButtons();
}

void TScrollBar::DisableButtons() {
  if (!Menu) return;
  TButton* up = Menu->FindButton(UpName);
  TButton* down = Menu->FindButton(DownName);
  if (up && up->ImageDisabled) up->Disabled = ValuePrecise == 0 ? 1 : 0;
  if (down && down->ImageDisabled) down->Disabled = ValuePrecise == ValueMax ? 1 : 0;
}

void TScrollBar::SliderSetPosition(double v) {
  SliderPosition = ValueMax == 0 ? 0 : int(std::floor(double(Range()) / ValueMax * v + 0.5));
}

void TScrollBar::ValueCalc() {
  int range = Range();
  ValuePrecise = ValueMax == 0 || range <= 0 ? 0 : double(SliderPosition) / (range / ValueMax);
  ValueRound();
}

void TScrollBar::ValueRound() { Value = int(std::floor(ValuePrecise + 0.5)); }

void TScrollBar::Manage() {
  if (Menu) {
    Menu->Manage();
    bool stepped = false;
    if (Menu->Clicked(UpName) && ValuePrecise > 0) {
      ValuePrecise = std::max(0.0, ValuePrecise - ValueStep);
      stepped = true;
    }
    if (Menu->Clicked(DownName) && ValuePrecise < ValueMax) {
      ValuePrecise = std::min(ValueMax, ValuePrecise + ValueStep);
      stepped = true;
    }
    if (stepped) {
      ValueRound();
      SliderSetPosition(ValuePrecise);
      DisableButtons();
    }
  }
  SliderGlow = std::max(0.0f, SliderGlow - GlowSpeed * LogicDelta);
  bool over = PointerOverKnob();
  if (over && FixedGlowOnMO) SliderGlow = GlowMax;
  const TMousePointer& pointer = Game->Mouse;
  if (pointer.GetMb() == 0) {
    SliderSelected = 0;
  } else if (!SliderSelected && over) {
    SliderSelected = 1;
    SliderOffset =
        Vertical ? pointer.y - int(Y) - SliderPosition : pointer.x - int(X) - SliderPosition;
  }
  if (SliderSelected) {
    SliderGlow = GlowMax;
    float along = Vertical ? float(pointer.y) - Y : float(pointer.x) - X;
    SliderPosition = std::clamp(int(along - float(SliderOffset)), 0, std::max(0, Range()));
    ValueCalc();
    DisableButtons();
  }
}

void TScrollBar::Draw() {
  if (Menu) Menu->Draw();
  if (!Slider || !Slider->image) return;
  float shift = float(SliderPosition) * Scale;
  int kx = int(Vertical ? X : X + shift), ky = int(Vertical ? Y + shift : Y);
  plat::SetScale(Scale, Scale);
  plat::SetBlend(plat::ALPHABLEND);
  plat::DrawImage(*Slider->image, kx, ky);
  if (SliderGlow > 0) {
    plat::SetBlend(plat::LIGHTBLEND);
    plat::SetAlpha(SliderGlow);
    plat::DrawImage(*Slider->image, kx, ky);
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetAlpha(1);
  }
  plat::SetScale(1, 1);
}

void TScrollBar::Kill() {
  Slider.reset();
  if (Menu) Menu->Kill();
  Menu.reset();
}
