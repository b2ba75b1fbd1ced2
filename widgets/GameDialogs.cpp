#include "GameDialogs.h"

#include "GameResources.h"
#include "Globals.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TTalvorineGame.h"
#include "TextDraw.h"
#include "WidgetFiles.h"

namespace {

const int TextFontSize = 20;
// A dialog's border each side of its caption.
const int CaptionBorder = 20;

plat::TImagePtr BankPicture(const std::string& name) {
  TGameImagePtr picture = InterfaceImageBank ? InterfaceImageBank->Find(name) : nullptr;
  return picture ? picture->image : nullptr;
}

std::string TextOfKey(const std::string& key) {
  return GameText ? GameText->FindString(key) : std::string();
}

std::shared_ptr<TColor> White() { return TColor::Create(255, 255, 255, 1.0f); }
std::shared_ptr<TShadow> TextShadow() { return TShadow::Create(1, 1, 0.6f); }

// The look every dialog of the game shares: no highlight line, the box
// shadow, white text with its own shadow.
void Style(TDialog& dialog) {
  dialog.DrawHighlight = 0;
  dialog.Shadow = TShadow::Create(3, 3, 0.4f);
  dialog.SetupCaption(GameFont(TextFontSize), White(), TextShadow());
}

// The field of a text question: names of files, so the characters a file
// name cannot hold are refused, while accented letters are welcome.
void StyleField(TDialogTextInput& dialog) {
  dialog.SetupText(GameFont(TextFontSize), White(), TextShadow(), 0);
  dialog.TextInput.MakeCharsFileNameSafe();
  dialog.TextInput.AllowExtendedChars = 1;
  dialog.TextInput.DotCol.Set(255, 255, 255);
  dialog.TextInput.RefusedSound = LoadWidgetSound("buttonclick2");
}

template <typename Dialog>
std::unique_ptr<Dialog> StartNow(std::unique_ptr<Dialog> dialog) {
  dialog->Start();
  // Building it took time that the logic must not catch up afterwards.
  Game->FixedRateLogic.Init();
  return dialog;
}

// A question longer than "input" holds (a longer language) gets the wide
// box of the messages instead of being cut.
std::string QuestionPicture(const std::string& text) {
  plat::TFontPtr font = GameFont(TextFontSize);
  plat::TImagePtr narrow = BankPicture("input");
  if (!font || !narrow) return "input";
  plat::TFontPtr old = plat::GetImageFont();
  plat::SetImageFont(font);
  const bool fits =
      TextLineWidth(text, nullptr) <= float(plat::ImageWidth(*narrow) - 2 * CaptionBorder);
  plat::SetImageFont(old);
  return fits ? "input" : "inputlong";
}

}  // namespace

std::unique_ptr<TDialogYesNo> GameDialogYesNo(const std::string& text) {
  auto dialog = TDialogYesNo::Create(text, BankPicture(QuestionPicture(text)));
  Style(*dialog);
  return StartNow(std::move(dialog));
}

std::unique_ptr<TDialogOK> GameDialogOK(const std::string& text) {
  auto dialog = TDialogOK::Create(text, BankPicture("inputlong"));
  Style(*dialog);
  return StartNow(std::move(dialog));
}

std::unique_ptr<TDialogTextInput> GameDialogTextInput(const std::string& caption, int withCancel) {
  auto dialog = TDialogTextInput::Create(caption, "", 14, BankPicture("input"));
  dialog->Gap = 11;
  dialog->BoxBorderH = 40;
  dialog->MenuCreate(withCancel, 50);
  Style(*dialog);
  StyleField(*dialog);
  return StartNow(std::move(dialog));
}

std::unique_ptr<TDialogYesNo> GameDialogYesNoForKey(const std::string& key) {
  return GameDialogYesNo(TextOfKey(key));
}

std::unique_ptr<TDialogOK> GameDialogOKForKey(const std::string& key) {
  return GameDialogOK(TextOfKey(key));
}

std::unique_ptr<TDialogTextInput> GameDialogTextInputForKey(const std::string& key,
                                                            int withCancel) {
  return GameDialogTextInput(TextOfKey(key), withCancel);
}

void GameCheckText(TDialogTextInput& dialog, TNameCheck errorCheck) {
  dialog.ErrorCheckFunc = std::move(errorCheck);
  dialog.ErrorDialogFunc = [](const std::string& message) {
    return message.empty() ? nullptr : GameDialogOK(message);
  };
}

std::unique_ptr<TDialogTextInput> GameNamePrompt(TNameCheck errorCheck, int withCancel,
                                                 const std::string& caption) {
  std::string file = Game->ImagePath + "entername.png";
  plat::TImagePtr picture = plat::LoadImage(file);
  if (!picture) ReportError("Error loading bitmap " + file, 1);
  plat::SetImageHandle(*picture, 0, 0);
  auto dialog = TDialogTextInput::Create(caption.empty() ? TextOfKey("Enter Name") : caption, "",
                                         10, picture);
  dialog->Gap = 11;
  dialog->BoxBorderH = 90;
  dialog->MenuCreate(withCancel, 50);
  GameCheckText(*dialog, std::move(errorCheck));
  Style(*dialog);
  StyleField(*dialog);
  return StartNow(std::move(dialog));
}

void GameListLook(TBox& box, std::shared_ptr<TColor>& highlight) {
  box.Color = TColor::Create(30, 26, 62, 0.72f);
  box.SetGlass(TColor::Create(200, 196, 255, 0.07f), TColor::Create(169, 162, 220, 0.8f));
  highlight = TColor::Create(255, 181, 77, 0.32f);
}
