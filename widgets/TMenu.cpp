#include "TMenu.h"

#include <algorithm>

#include "Globals.h"
#include "TLabel.h"
#include "TTalvorineGame.h"
#include "TextCase.h"
#include "WidgetFiles.h"

std::shared_ptr<TMenu> TMenu::Create(const std::string& mouseOverSound,
                                     const std::string& clickSound, float x, float y, int gap) {
  auto menu = std::make_shared<TMenu>();
  menu->Init(mouseOverSound, clickSound, x, y, gap);
  return menu;
}

void TMenu::Init(const std::string& mouseOverSound, const std::string& clickSound, float newX,
                 float newY, int gap) {
  Kill();
  x = newX;
  y = newY;
  Gap = gap;
  AddGap = 0;
  h = 0;
  NextY = int(newY);
  MouseOverName.clear();
  ClickedName.clear();
  SoundMouseOver = LoadWidgetSound(mouseOverSound);
  SoundClick = LoadWidgetSound(clickSound);
}

void TMenu::Kill() {
  for (auto& button : Buttons) button->Kill();
  Buttons.clear();
}

// ------------------------------------------------------------------ shadows, alpha

void TMenu::SetShadow(int on, float sx, float sy, float alpha) {
  Shadow = on;
  ShadowX = sx;
  ShadowY = sy;
  ShadowAlpha = alpha;
}

void TMenu::ResetShadow(int on, float sx, float sy, float alpha) {
  for (auto& button : Buttons) button->SetShadow(on, sx, sy, alpha);
}

void TMenu::ChangeShadow(int on, float sx, float sy, float alpha) {
  SetShadow(on, sx, sy, alpha);
  ResetShadow(on, sx, sy, alpha);
}

void TMenu::SetAlpha(float a) {
  for (auto& button : Buttons) button->Alpha = a;
}

// ------------------------------------------------------------------ building

TButton* TMenu::AddNew(const std::string& name, const std::string& mouseOverName,
                       const std::string& buttonName, int cellWidth, int cellHeight, int frames) {
  TButton* button = DoAddNew(name, mouseOverName, buttonName, cellWidth, cellHeight, frames);
  IncreaseHeight(*button);
  return button;
}

TButton* TMenu::DoAddNew(const std::string& name, const std::string& mouseOverName,
                         const std::string& buttonName, int cellWidth, int cellHeight, int frames) {
  auto button = std::make_unique<TButton>();
  button->UseMenuPath = 1;
  button->Load(name, mouseOverName, "", "", cellWidth, cellHeight, frames);
  button->CentreX(float(NextY));
  button->SoundMouseOver = SoundMouseOver;
  button->SoundClick = SoundClick;
  button->SetShadow(Shadow, ShadowX, ShadowY, ShadowAlpha);
  if (!buttonName.empty()) button->SetName(buttonName);
  Buttons.push_back(std::move(button));
  return Buttons.back().get();
}

void TMenu::IncreaseHeight(const TButton& button) {
  NextY += button.h + Gap;
  h += button.h;
  if (AddGap) h += Gap;
  AddGap = 1;
}

TButton* TMenu::AddQuick(const std::string& name, const std::string& buttonName) {
  return AddNew(name, name + "MO", buttonName, 0, 0, 1);
}

TButton* TMenu::AddQuickAuto(const std::string& name, const std::string& buttonName) {
  TButton* button = AddQuick(name, buttonName);
  if (WidgetImageExists(Game->MenuPath, name + "_disabled")) {
    button->LoadDisabled(name + "_disabled");
  }
  if (WidgetImageExists(Game->MenuPath, name + "_down"))
    button->LoadMouseClick(name + "_down", 200);
  return button;
}

TButton* TMenu::AddPair(const std::string& name1, const std::string& name2, int gap,
                        const std::string& prefix) {
  std::string buttonName1 = prefix.empty() ? "" : prefix + name1;
  std::string buttonName2 = prefix.empty() ? "" : prefix + name2;
  TButton* first = DoAddNew(name1, name1 + "MO", buttonName1, 0, 0, 1);
  TButton* second = DoAddNew(name2, name2 + "MO", buttonName2, 0, 0, 1);
  second->MoveTo(first->x + float(first->w + gap), first->y);
  IncreaseHeight(first->h >= second->h ? *first : *second);
  return first;
}

TButton* TMenu::FindButton(const std::string& buttonName) const {
  std::string upper = UpperCase(buttonName);
  for (const auto& button : Buttons) {
    if (button->name == upper) return button.get();
  }
  return nullptr;
}

// ------------------------------------------------------------------ layout

void TMenu::StoreOriginalCoords() {
  for (auto& button : Buttons) button->StoreOriginalCoords();
  OX = x;
  OY = y;
}

void TMenu::SetX(float newX) {
  CalcLeft();
  float by = newX - x;
  for (auto& button : Buttons) button->MoveBy(by, 0);
  x = newX;
}

void TMenu::SetY(float newY) {
  CalcTop();
  float by = newY - y;
  for (auto& button : Buttons) button->MoveBy(0, by);
  y = newY;
}

void TMenu::SetPairX(const std::string& name1, const std::string& name2, float newX) {
  TButton* first = FindButton(name1);
  TButton* second = FindButton(name2);
  if (!first || !second) return;
  float by = float(int(newX - first->x));
  first->x = newX;
  second->x += by;
}

void TMenu::ScaleMenu(float sx, float sy) {
  for (auto& button : Buttons) {
    button->ScaleX = sx;
    button->ScaleY = sy;
    button->x = x + (button->ox - x) * sx;
    button->y = y + (button->oy - y) * sy;
  }
}

void TMenu::CalcCoords() {
  CalcLeft();
  CalcTop();
}

void TMenu::CalcLeft() {
  x = 10000;
  for (const auto& button : Buttons) x = std::min(x, button->x);
}

void TMenu::CalcTop() {
  y = 10000;
  for (const auto& button : Buttons) y = std::min(y, button->y);
}

int TMenu::CalcWidth() {
  if (Buttons.empty()) return w = 0;
  float left = 10000, right = -10000;
  for (const auto& button : Buttons) {
    left = std::min(left, button->x);
    right = std::max(right, button->x + float(button->w));
  }
  return w = int(right - left);
}

int TMenu::CalcHeight() {
  if (Buttons.empty()) return h = 0;
  float top = 10000, bottom = -10000;
  for (const auto& button : Buttons) {
    top = std::min(top, button->y);
    bottom = std::max(bottom, button->y + float(button->h));
  }
  return h = int(bottom - top);
}

// The extent is measured afresh so that a row or a moved button centres
// correctly.
void TMenu::CentreHoriz() { SetX(float((ScreenWidth - CalcWidth()) / 2)); }
void TMenu::CentreVert() { SetY(float((ScreenHeight - CalcHeight()) / 2)); }

void TMenu::Centre() {
  CentreHoriz();
  CentreVert();
}

void TMenu::MakeRow(int gap) {
  float at = 0;
  for (auto& button : Buttons) {
    button->MoveTo(at, 0);
    at += float(button->w + gap);
  }
  Centre();
}

void TMenu::ClearStates() {
  ClearGlow();
  ClearMouseClick();
  ClearMouseOver();
  ClearScale();
}

void TMenu::ClearGlow() {
  for (auto& button : Buttons) button->Glow = 0;
}

void TMenu::ClearMouseClick() {
  for (auto& button : Buttons) {
    button->Clicked = 0;
    button->MouseClickCounter = 0;
  }
}

void TMenu::ClearMouseOver() {
  for (auto& button : Buttons) button->MouseOver = 0;
}

void TMenu::ClearScale() {
  for (auto& button : Buttons) button->ScaleOnMO = 1;
}

// ------------------------------------------------------------------ queries

int TMenu::Clicked(const std::string& buttonName) {
  if (ClickedName.empty() || UpperCase(buttonName) != ClickedName) return 0;
  if (ClearClickedName) ClickedName.clear();
  return 1;
}

int TMenu::MouseOver(const std::string& buttonName) {
  if (MouseOverName.empty() || UpperCase(buttonName) != MouseOverName) return 0;
  if (ClearMouseOverName) MouseOverName.clear();
  return 1;
}

// ------------------------------------------------------------------ logic, drawing

int TMenu::Manage() {
  if (Game->Fading() || !AcceptInput) {
    ManageFixedGlowOnly();
    return 0;
  }
  if (!Game->Mouse.Active) return 0;
  MouseOverName.clear();
  ClickedName.clear();
  for (auto& button : Buttons) {
    if (NoSound) {
      button->ManageNoSound();
    } else {
      button->Manage();
    }
    if (button->MouseOver) MouseOverName = button->name;
    if (button->Clicked) ClickedName = button->name;
  }
  return 1;
}

int TMenu::ManageNoSound() {
  int old = NoSound;
  NoSound = 1;
  int result = Manage();
  NoSound = old;
  return result;
}

void TMenu::ManageFixedGlowOnly() {
  for (auto& button : Buttons) {
    if (button->FixedGlowOnMO) button->ManageGlow();
  }
}

void TMenu::ManageScaleOnMO() {
  for (auto& button : Buttons) button->ManageScaleOnMO();
}

void TMenu::Precache() {
  for (auto& button : Buttons) button->Precache();
}

void TMenu::Draw(float dx, float dy) {
  for (auto& button : Buttons) {
    button->offx = dx;
    button->offy = dy;
    button->Draw();
  }
}
