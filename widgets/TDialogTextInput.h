// A prompt with a one-line text field, "OK" and optionally "Cancel". Enter
// or "OK" confirm (after the optional error check, whose message is shown as
// an OK dialog over this one); Escape or "Cancel" abort. Manage returns on
// the step of the key or click: 1 confirmed, -1 cancelled, else 0.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "TDialog.h"
#include "TDialogOK.h"
#include "TDrawable.h"
#include "TLetterGrid.h"
#include "TTextInput.h"

class TDialogTextInput : public TDialog {
 public:
  TDialogTextInput() = default;
  // A dialog dropped while its field is active must not leave the game's
  // keys blocked.
  ~TDialogTextInput() override;
  // maxPixelWidth 0: no width limit.
  static std::unique_ptr<TDialogTextInput> Create(const std::string& caption,
                                                  const std::string& initialText, int maxLength,
                                                  plat::TImagePtr background, int width = 0,
                                                  int left = 0, int top = 0, int maxPixelWidth = 0);
  void Start() override;
  void SetupText(plat::TFontPtr font, std::shared_ptr<TColor> color,
                 std::shared_ptr<TShadow> shadow, int drawDots = 0,
                 std::shared_ptr<TBitmapFont> bitmapFont = nullptr);
  void CalcSize() override;
  void SetLabelsXY() override;
  void MenuCreate(int withCancel, int gap);
  void MenuPosition() override;
  int Manage() override;
  int ProcessOKClickedFunc();
  bool OKClick(int withSound);
  int CancelClick();
  void ClickSound();
  int Draw() override;
  void Kill() override;

  std::shared_ptr<TLabel> Text;  // the field's label
  int CharWidth = 0;
  int Gap = 30;
  TColor BoxColor{0, 0, 0, 1.0f};
  TColor RefusedBoxColor{190, 40, 40, 1.0f};  // the box as a refused character flashes it
  int DrawBox = 1;
  int BoxBorderH = 10, BoxBorderV = 5;
  int TextBorder = 10;
  TTextInput TextInput;
  // The pad's letter grid below the dialog, while a pad is plugged in.
  TLetterGrid LetterGrid{TextInput};
  int TextYOffset = 0;
  int AllowNull = 0;
  // (text, message out) -> -1 rejects the text with the message.
  std::function<int(const std::string& text, std::string& message)> ErrorCheckFunc;
  std::function<std::unique_ptr<TDialogOK>(const std::string& message)> ErrorDialogFunc;
  std::unique_ptr<TDialogOK> DialogOK;  // the error message while open
  int TextOX = 0, TextOY = 0;
  // Called after OK; a result below 1 keeps the dialog open.
  std::function<int(TDialogTextInput& dialog)> OKClickedFunc;
  // Run in place of the dialog after OK until its Manage returns 1.
  std::shared_ptr<TDrawable> OKClickedScreen;
  int DrawDisabled = 0;
  int UppercaseFirstChar = 1;

 private:
  float FieldHeight();
  void PlaceLetterGrid();
};
