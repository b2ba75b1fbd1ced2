#include "TDialogTextInput.h"

#include <algorithm>

#include "GameInput.h"
#include "Globals.h"
#include "TNavInput.h"
#include "TTalvorineGame.h"
#include "TextCase.h"
#include "Utf8.h"

std::unique_ptr<TDialogTextInput> TDialogTextInput::Create(const std::string& caption,
                                                           const std::string& initialText,
                                                           int maxLength,
                                                           plat::TImagePtr background, int width,
                                                           int left, int top, int maxPixelWidth) {
  auto dialog = std::make_unique<TDialogTextInput>();
  dialog->Init(caption, std::move(background), width, 0, left, top);
  dialog->Text = TLabel::CreateSpecial(initialText, 0, 0, 0, 0);
  dialog->BoxColor.Set(0, 0, 0);
  dialog->TextInput.Text = initialText;
  dialog->TextInput.CurrentChar = int(plat::CharCount(initialText)) + 1;
  dialog->TextInput.MaxLength = maxLength;
  dialog->TextInput.MaxPixelWidth = maxPixelWidth;
  return dialog;
}

TDialogTextInput::~TDialogTextInput() {
  if (TextInput.Active && Game) Game->BlockKeys = 0;
}

void TDialogTextInput::Start() {
  TDialog::Start();
  // The letter grid leads the ring while a pad shows it; without one the
  // focus starts on the first button, "OK".
  Focus.Clear();
  Focus.Add(&LetterGrid);
  Focus.Add(Menu.get());
  Focus.SetDefault(&LetterGrid);
  Game->BlockKeys = 1;
}

void TDialogTextInput::SetupText(plat::TFontPtr font, std::shared_ptr<TColor> color,
                                 std::shared_ptr<TShadow> shadow, int drawDots,
                                 std::shared_ptr<TBitmapFont> bitmapFont) {
  Text->Init(font, color, shadow, drawDots, bitmapFont);
  Text->CalcSize();
  TextInput.Init(font, Text->Text, int(Text->X), int(Text->Y), bitmapFont);
  Game->BlockKeys = 0;
  if (color) TextInput.TextCol.Copy(*color);
  TextInput.TextShadow = shadow ? TShadow::Create(shadow->X, shadow->Y, shadow->Alpha) : nullptr;
  TextInput.DrawDots = drawDots;
  TextInput.AllowNull = AllowNull;
  TButton* ok = Menu ? Menu->FindButton("OK") : nullptr;
  if (!Menu || !Menu->FindButton("Cancel")) TextInput.AllowEscToAbort = 0;
  if (ok) ok->OKButtonUseSpace = 0;
  MenuPosition();
}

float TDialogTextInput::FieldHeight() { return Text ? Text->CalcHeight() : 0.0f; }

void TDialogTextInput::CalcSize() {
  TDialog::CalcSize();
  FitHeight(2.0f * float(Gap) + FieldHeight());
}

void TDialogTextInput::SetLabelsXY() {
  TDialog::SetLabelsXY();
  if (!Text) return;
  if (TextOX != 0 || TextOY != 0) {
    Text->X = float(TextOX);
    Text->Y = float(TextOY);
  } else {
    Text->X = float(x + BoxBorderH + TextBorder);
    Text->Y = Caption->Y + Caption->CalcHeight() + float(Gap);
  }
  TextInput.X = int(Text->X);
  TextInput.Y = int(Text->Y) + TextYOffset;
}

void TDialogTextInput::MenuCreate(int withCancel, int gap) {
  CreateDialogMenu();
  TButton* ok = withCancel ? Menu->AddPair("OK", "Cancel", gap) : Menu->AddQuickAuto("OK");
  ok->OKButton = 1;
}

void TDialogTextInput::MenuPosition() { PlaceMenuAtBottom(); }

void TDialogTextInput::ClickSound() {
  if (TButton* ok = Menu ? Menu->FindButton("OK") : nullptr) ok->PlayClick();
}

bool TDialogTextInput::OKClick(int withSound) {
  std::string& text = TextInput.Text;
  if (UppercaseFirstChar) text = UpperCaseFirst(text);
  if (ErrorCheckFunc) {
    std::string message;
    if (ErrorCheckFunc(text, message) == -1) {
      if (withSound) ClickSound();
      if (ErrorDialogFunc) {
        DialogOK = ErrorDialogFunc(message);
      }
      // Without a message to read, the field takes input again at once.
      if (!DialogOK) TextInput.Reset();
      return false;
    }
  }
  if (!AllowNull && text.empty()) return false;
  Close(1);
  return true;
}

int TDialogTextInput::ProcessOKClickedFunc() {
  if (!OKClickedFunc) return 1;
  int result = OKClickedFunc(*this);
  if (result >= 1) return result;
  // Refused: the dialog stays open and the field takes input again.
  Active = 1;
  NavInput.BackOwners.Push(this);
  TextInput.Reset();
  return 0;
}

int TDialogTextInput::CancelClick() {
  Close(-1);
  return -1;
}

int TDialogTextInput::Manage() {
  if (OKClickedScreen) {
    if (OKClickedScreen->Manage() != 1) return 0;
    OKClickedScreen->Clear();
    OKClickedScreen.reset();
    return 1;
  }
  if (!Active) return 0;
  if (DialogOK) {
    if (DialogOK->Manage() == 0) return 0;
    DialogOK->Kill();
    DialogOK.reset();
    if (Menu) Menu->ManageNoSound();
    TextInput.Reset();
  }
  if (ManageTransitions()) return 0;
  if (Transitioning) {
    if (Menu) Menu->ManageFixedGlowOnly();
    return 0;
  }
  PlaceLetterGrid();
  LetterGrid.Manage();
  if (!Disabled && Menu) {
    // A pad that leads finds the ring on the grid, so that its first press
    // already types.
    if (!Focus.Shown() && LetterGrid.CanFocus() && NavInput.LastDevice == TNavDevice::Pad &&
        NavInput.AnyThisStep()) {
      Focus.FocusOn(&LetterGrid);
    }
    Focus.Manage();
    // A button pressed through the focus answers as a click on it; the
    // Enter that pressed it is not typed into the field as well.
    TButton* ok = Menu->FindButton("OK");
    TButton* cancel = Menu->FindButton("Cancel");
    if ((ok && ok->FocusClick) || (cancel && cancel->FocusClick)) GameFlushKeys();
    if (cancel && cancel->FocusClick) {
      cancel->FocusClick = 0;
      cancel->SimulateClick();
      TextInput.Finish();
      return CancelClick();
    }
    if (ok && ok->FocusClick) {
      ok->FocusClick = 0;
      ok->SimulateClick();
      if (OKClick(0)) {
        TextInput.Finish();
        return ProcessOKClickedFunc();
      }
      return 0;
    }
  }
  int typed = TextInput.Manage();
  if (typed == 1) {
    if (OKClick(1)) {
      ClickSound();
      return ProcessOKClickedFunc();
    }
    return 0;
  }
  if (typed == -1) {
    ClickSound();
    return CancelClick();
  }
  if (!Menu || Disabled) return 0;
  Menu->Manage();
  if (Menu->Clicked("OK")) {
    if (OKClick(0)) {
      TextInput.Finish();
      return ProcessOKClickedFunc();
    }
    return 0;
  }
  TButton* cancel = Menu->FindButton("Cancel");
  if (cancel && cancel->Active) {
    bool clicked = Menu->Clicked("Cancel") != 0;
    if (clicked || NavInput.BackOwners.Hit(this)) {
      TextInput.Finish();
      if (!clicked) ClickSound();
      return CancelClick();
    }
  }
  return 0;
}

int TDialogTextInput::Draw() {
  if (!DrawDisabled) {
    if (!TDialog::Draw()) return 0;
    // The box and the field travel with the dialog while it slides.
    int fieldX = TextInput.X, fieldY = TextInput.Y;
    TextInput.X = int(float(fieldX) + OffsetX);
    TextInput.Y = int(float(fieldY) + OffsetY);
    if (DrawBox) {
      // A refused character flashes the box.
      float flash = TextInput.RefusedFlashLevel();
      auto mix = [flash](int from, int to) { return int(float(from) + float(to - from) * flash); };
      plat::SetColor(mix(BoxColor.R, RefusedBoxColor.R), mix(BoxColor.G, RefusedBoxColor.G),
                     mix(BoxColor.B, RefusedBoxColor.B));
      plat::SetAlpha(BoxColor.Alpha * Alpha);
      plat::DrawRect(float(x + BoxBorderH) + OffsetX, float(TextInput.Y - BoxBorderV),
                     float(w - 2 * BoxBorderH), 2.0f * float(BoxBorderV) + FieldHeight());
      TColor::Restore();
    }
    TextInput.Draw();
    TextInput.X = fieldX;
    TextInput.Y = fieldY;
    LetterGrid.Draw(TextInput, Alpha, OffsetX, OffsetY);
    if (DialogOK) DialogOK->Draw();
  }
  if (OKClickedScreen) OKClickedScreen->Draw();
  return 1;
}

void TDialogTextInput::PlaceLetterGrid() {
  // Under the dialog (it travels with it when drawn), kept on the screen.
  LetterGrid.X = (ScreenWidth - LetterGrid.Width()) / 2;
  LetterGrid.Y = std::min(y + h + 8, ScreenHeight - LetterGrid.Height() - 4);
}

void TDialogTextInput::Kill() {
  if (TextInput.Active) TextInput.Finish();
  if (DialogOK) DialogOK->Kill();
  DialogOK.reset();
  OKClickedScreen.reset();
  Text.reset();
  TDialog::Kill();
}
