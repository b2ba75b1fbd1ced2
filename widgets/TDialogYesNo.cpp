#include "TDialogYesNo.h"

#include "GameInput.h"
#include "TNavInput.h"
#include "TTalvorineGame.h"

namespace {
const int KeyN = 78;
const int KeyY = 89;
}  // namespace

std::unique_ptr<TDialogYesNo> TDialogYesNo::Create(const std::string& caption,
                                                   plat::TImagePtr background, int width,
                                                   int height, int left, int makeMenu) {
  auto dialog = std::make_unique<TDialogYesNo>();
  dialog->Init(caption, std::move(background), width, height, left, 0);
  if (makeMenu) dialog->MenuCreate(dialog->ButtonGap);
  return dialog;
}

void TDialogYesNo::CalcSize() {
  TDialog::CalcSize();
  FitHeight(float(Gap));
}

void TDialogYesNo::MenuCreate(int gap) {
  CreateDialogMenu();
  TButton* yes = Menu->AddPair("Yes", "No", gap);
  yes->OKButton = 1;
}

void TDialogYesNo::MenuPosition() { PlaceMenuAtBottom(); }

int TDialogYesNo::YesClick() {
  GameFlushKeys();
  GameFlushMouse();
  return Close(1);
}

int TDialogYesNo::NoClick() {
  GameFlushKeys();
  GameFlushMouse();
  return Close(-1);
}

void TDialogYesNo::ClickSound() {
  if (TButton* yes = Menu ? Menu->FindButton("Yes") : nullptr) yes->PlayClick();
}

int TDialogYesNo::Manage() {
  if (!ManageCore()) return 0;
  if (CloseResult != 0) return CloseResult;
  if (Transitioning) return 0;
  if (NavInput.BackOwners.Hit(this) || GameKeyHit(KeyN)) {
    if (TButton* no = Menu->FindButton("No")) no->SimulateClick();
    return NoClick();
  }
  if (GameKeyHit(KeyY)) {
    if (TButton* yes = Menu->FindButton("Yes")) yes->SimulateClick();
    return YesClick();
  }
  if (Menu->Clicked("No")) return NoClick();
  if (Menu->Clicked("Yes")) return YesClick();
  return 0;
}
