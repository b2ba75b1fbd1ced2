// What the menu screens (title, options, help, high scores, level
// selection) have in common: a background picture centred on the screen, a
// header sprite that glows, a menu with the button sounds, the pointer's
// sparkle trail, the 500 ms fade-in, and the standard fade to the next
// screen.
#pragma once

#include <memory>
#include <string>

#include "TFocusRing.h"
#include "TGameImage.h"
#include "TMenu.h"
#include "TScreen.h"
#include "TSprite.h"

class TMenuScreen : public TScreen {
 public:
  void Start() override;
  void Kill() override;

  // The screen's menu (also the frame's TScreen::Menu) and header.
  std::shared_ptr<TMenu> MainMenu;
  std::shared_ptr<TSprite> HeaderSprite;
  float x = 0, y = 0;  // offset of the background from the screen centre
  // The keyboard's focus: LoadCommon puts the main menu in; a screen with
  // more controls lists them all in screen order after it (Clear, Add...).
  TFocusRing Focus;
  // A picture of the interface bank centred on (cx, cy), whatever its handle.
  static void DrawCentred(const TGameImagePtr& picture, float cx, float cy);
  // A button of the menu that grows to 1.15 under the pointer.
  static TButton* AddGrowingButton(TMenu& menu, const std::string& image,
                                   const std::string& name = "");
  // The small "ok" (Enter's button) as the only button of the menu, centred
  // across the screen and `below` pixels under its middle.
  static void AddOk(TMenu& menu, int below);
  // The header picture of a page, mid-handled at (hx, hy), with its slow
  // pulsing glow.
  static std::shared_ptr<TSprite> MakeHeader(const std::string& header, float hx, float hy);

 protected:
  // Background from the interface bank, the header (a picture of the image
  // folder, mid-handled at hx, hy, with its slow pulsing glow), an empty
  // menu of the given spacing, the sparkle trail and the framework's music
  // fading (on for the title screen only).
  void LoadCommon(const std::string& background, const std::string& header, float hx, float hy,
                  int menuGap, int fadeMusic);
  // A button of the menu that grows to 1.15 under the pointer.
  TButton* AddGrowingButton(const std::string& image, const std::string& name = "");
  void ManageHeader();
  // The focus, then the main menu (the focus clicks a button through it).
  void ManageMenu();
  void DrawBackground() const;
  void DrawHeader() const;
  // The standard fade to `to`; ignored while a fade runs.
  static bool ChangeTo(TScreen* to);
  // Steps a dialog the screen shows over its menu (none: false). Once it
  // has answered it is dropped, and the press that answered it does not
  // reach the menu. True while it still holds the input.
  template <class TModal>
  bool ManageModal(std::unique_ptr<TModal>& dialog) {
    if (!dialog) return false;
    if (dialog->Manage() != 0) {
      dialog->Kill();
      dialog.reset();
      MainMenu->ManageNoSound();
    }
    return dialog && dialog->Active;
  }

  TGameImagePtr Background;
};
