// A question with "Yes" (also Enter, Space and Y) and "No" (also Escape and
// N). Manage gives 1 for yes and -1 for no on the step the dialog has
// finished closing, else 0.
#pragma once

#include <memory>
#include <string>

#include "TDialog.h"

class TDialogYesNo : public TDialog {
 public:
  static std::unique_ptr<TDialogYesNo> Create(const std::string& caption,
                                              plat::TImagePtr background, int width = 0,
                                              int height = 0, int left = 0, int makeMenu = 1);
  void CalcSize() override;
  void MenuCreate(int gap);
  void MenuPosition() override;
  int Manage() override;
  int YesClick();
  int NoClick();
  void ClickSound();

  int Gap = 50;        // between caption and menu
  int ButtonGap = 50;  // between "Yes" and "No"
};
