#include "TChooserDialog.h"

#include <algorithm>

#include "GameDialogs.h"
#include "GameInput.h"
#include "GameResources.h"
#include "Globals.h"
#include "TMenu.h"
#include "TNavInput.h"
#include "TTalvorineGame.h"
#include "WidgetFiles.h"

namespace {
constexpr float DimAlpha = 0.5f;
}  // namespace

void TChooserDialog::StyleAsGame(int captionSize) {
  DrawHighlight = 0;
  Shadow = TShadow::Create(3, 3, 0.4f);
  SetupCaption(GameFont(captionSize), TColor::Create(255, 255, 255),
               captionSize == 20 ? TShadow::Create(1, 1, 0.6f) : TShadow::Create(3, 3, 0.4f));
  ErrorDialogFunc = [](const std::string& text) { return GameDialogOK(text); };
  DialogYesNoFunc = [](const std::string& text) { return GameDialogYesNo(text); };
}

void TChooserDialog::MakeButtonRow(std::initializer_list<const char*> names, const char* okName) {
  Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  Menu->SetShadow(1, 3, 3, 0.4f);
  for (const char* name : names) {
    TButton* button = Menu->AddQuick(name);
    if (okName && std::string(name) == okName) button->OKButton = 1;
    // The greyed look, for a button that waits for a selection.
    std::string disabled = std::string(name) + "_disabled";
    if (WidgetImageExists(Game->MenuPath, disabled)) button->LoadDisabled(disabled);
  }
  Menu->MakeRow(ButtonGap);
  // Buttons of different heights share one middle line.
  int rowHeight = Menu->CalcHeight();
  float top = Menu->y;
  for (auto& button : Menu->Buttons) {
    button->MoveTo(button->x, top + float((rowHeight - button->h) / 2));
  }
  MenuPosition();
}

void TChooserDialog::MenuPosition() { PlaceMenuAtBottom(); }

void TChooserDialog::ListArea(int lineHeight, int lines, int& bx, int& by, int& bw, int& bh) const {
  int top = y + Border + int(Caption ? Caption->CalcHeight() : 0) + BoxBorderV;
  int bottom = y + h - Border - (Menu ? Menu->CalcHeight() : 0) - BoxBorderV;
  int free = std::max(0, bottom - top);
  bh = lineHeight > 0 ? std::min(free / lineHeight, lines) * lineHeight : free;
  bx = x + BoxBorderH;
  bw = w - 2 * BoxBorderH;
  by = BoxY != 0 ? BoxY : top + (free - bh) / 2;
}

void TChooserDialog::ShowMessage(const std::string& text) {
  if (!ErrorDialogFunc) return;
  DialogOK = ErrorDialogFunc(text);
}

void TChooserDialog::AskYesNo(const std::string& text) {
  if (!DialogYesNoFunc) return;
  DialogYesNo = DialogYesNoFunc(text);
}

TChooserDialog::TSubDialogs TChooserDialog::ManageSubDialogs() {
  TSubDialogs result = SubNone;
  if (DialogOK) {
    if (DialogOK->Manage() == 0) return SubOpen;
    DialogOK->Kill();
    DialogOK.reset();
    result = SubMessageClosed;
  } else if (DialogYesNo) {
    int answer = DialogYesNo->Manage();
    if (answer == 0) return SubOpen;
    DialogYesNo->Kill();
    DialogYesNo.reset();
    result = answer == 1 ? SubYes : SubNo;
  } else {
    return SubNone;
  }
  if (Menu) Menu->ManageNoSound();
  return result;
}

bool TChooserDialog::ManageChoice(bool doubleClicked, const char* okName, int& result) {
  if (doubleClicked) {
    ClickSound();
    result = OKClick();
    return true;
  }
  if (Menu->Clicked(okName)) {
    result = OKClick();
    return true;
  }
  bool escape = NavInput.BackOwners.Hit(this) != 0;
  if (escape || Menu->Clicked("Cancel")) {
    if (escape) ClickSound();
    result = CancelClick();
    return result != 0;
  }
  return false;
}

void TChooserDialog::DrawDim() const {
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(0, 0, 0);
  plat::SetAlpha(DimAlpha);
  plat::DrawRect(0, 0, ScreenWidth, ScreenHeight);
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
}

void TChooserDialog::DrawSubDialogs() {
  bool open = (DialogOK && DialogOK->Active) || (DialogYesNo && DialogYesNo->Active);
  if (DimWhenShowingDialogs || open) DrawDim();
  if (DialogOK) DialogOK->Draw();
  if (DialogYesNo) DialogYesNo->Draw();
}

void TChooserDialog::KillSubDialogs() {
  if (DialogOK) DialogOK->Kill();
  DialogOK.reset();
  if (DialogYesNo) DialogYesNo->Kill();
  DialogYesNo.reset();
}
