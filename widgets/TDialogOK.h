// A message with one "OK" button (also Enter, Space and Escape). Manage
// gives 1 on the step the dialog has finished closing, else 0.
#pragma once

#include <memory>
#include <string>

#include "TDialog.h"

class TDialogOK : public TDialog {
 public:
  // y stays 0 until the dialog is centred.
  static std::unique_ptr<TDialogOK> Create(const std::string& caption, plat::TImagePtr background,
                                           int width = 0, int height = 0, int left = 0);
  void CalcSize() override;
  void MenuCreate();
  void MenuPosition() override;
  int Manage() override;
  int OKClick();

  int Gap = 50;  // between caption and menu
};
