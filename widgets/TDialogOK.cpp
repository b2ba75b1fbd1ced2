#include "TDialogOK.h"

#include "GameInput.h"
#include "TNavInput.h"
#include "TTalvorineGame.h"

std::unique_ptr<TDialogOK> TDialogOK::Create(const std::string& caption, plat::TImagePtr background,
                                             int width, int height, int left) {
  auto dialog = std::make_unique<TDialogOK>();
  dialog->Init(caption, std::move(background), width, height, left, 0);
  dialog->MenuCreate();
  return dialog;
}

void TDialogOK::CalcSize() {
  TDialog::CalcSize();
  FitHeight(float(Gap));
}

void TDialogOK::MenuCreate() {
  CreateDialogMenu();
  TButton* ok = Menu->AddQuickAuto("OK");
  ok->OKButton = 1;
}

void TDialogOK::MenuPosition() { PlaceMenuAtBottom(); }

int TDialogOK::OKClick() {
  GameFlushKeys();
  GameFlushMouse();
  return Close(1);
}

int TDialogOK::Manage() {
  if (!ManageCore()) return 0;
  if (CloseResult != 0) return CloseResult;
  if (Transitioning) return 0;
  if (NavInput.BackOwners.Hit(this)) {
    if (TButton* ok = Menu->FindButton("OK")) ok->SimulateClick();
    return OKClick();
  }
  if (Menu->Clicked("OK")) return OKClick();
  return 0;
}
