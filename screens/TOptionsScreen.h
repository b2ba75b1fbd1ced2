// The options screen: the options' controls (TOptionsPanel) on the title's
// background, the language button moving on to the next language at once
// (the choice is stored as REGION), and "ok", which writes the settings
// and returns to the title screen.
#pragma once

#include <string>

#include "TMenuScreen.h"
#include "TOptionsPanel.h"

class TOptionsScreen : public TMenuScreen {
 public:
  static constexpr int InfoX = 790, InfoY = 576;

  TOptionsScreen() { name = "options"; }
  void Load() override;
  void Logic() override;
  void Draw() override;
  void Kill() override;
  int SetEscDestination() override;

  // The language after the one spoken, in the order of TLanguage::Languages().
  void NextLanguage();
  // The bottom-right line: the full-screen key.
  static std::string InfoLine();
  // Draws the info line.
  static void DrawInfoLine();

  TOptionsPanel Panel;
};
