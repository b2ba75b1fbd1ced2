// What the game's two choosers (the save-game manager and the player
// manager) share: a dialog on a panel with a list in its middle, a row of
// buttons at its bottom, and a message or a confirmation that may open over
// it and owns the input while it is open.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "TDialog.h"
#include "TDialogOK.h"
#include "TDialogYesNo.h"

class TChooserDialog : public TDialog {
 public:
  // The game's own builders, the look of the game's choosers, and Start.
  void StyleAsGame(int captionSize);

  // The buttons in a row ButtonGap apart, centred at the dialog's bottom;
  // the first name is the OK button (Enter) when okButton is 1.
  void MakeButtonRow(std::initializer_list<const char*> names, const char* okName);
  void MenuPosition() override;

  // The list's rectangle: the inner area below the caption and above the
  // buttons, BoxBorderH and BoxBorderV inside, at most `lines` lines of
  // lineHeight, centred in the free height unless BoxY is set.
  void ListArea(int lineHeight, int lines, int& bx, int& by, int& bw, int& bh) const;

  // Opens the message or the confirmation (built by the functions given).
  void ShowMessage(const std::string& text);
  void AskYesNo(const std::string& text);

  enum TSubDialogs { SubNone, SubOpen, SubMessageClosed, SubYes, SubNo };
  // The open message or confirmation, managed. One that closes is dropped
  // and the buttons are managed once without sound, so the click that
  // closed it goes no further.
  TSubDialogs ManageSubDialogs();
  // A choice on this step: a double click in the list or the OK button
  // (okName) take the selection (OKClick); Escape or "Cancel" cancel. True
  // with the result when one of them happened (a cancel refused is none).
  bool ManageChoice(bool doubleClicked, const char* okName, int& result);
  virtual int OKClick() = 0;
  // -1 when the dialog closes, 0 when it must stay open.
  virtual int CancelClick() = 0;
  virtual void ClickSound() = 0;

  // The darkening and the open message or confirmation, over the dialog.
  void DrawSubDialogs();
  void DrawDim() const;
  void KillSubDialogs();

  int ButtonGap = 10;
  int BoxBorderH = 20, BoxBorderV = 20;
  int BoxY = 0;
  int DimWhenActive = 0;
  int DimWhenShowingDialogs = 0;
  int UpperFirstChar = 1;
  std::function<std::unique_ptr<TDialogOK>(const std::string&)> ErrorDialogFunc;
  std::unique_ptr<TDialogOK> DialogOK;
  std::function<std::unique_ptr<TDialogYesNo>(const std::string&)> DialogYesNoFunc;
  std::unique_ptr<TDialogYesNo> DialogYesNo;
};
