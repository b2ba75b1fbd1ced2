// The in-game menu: an overlay over the darkened game, opened with the
// "menu" button or Escape, with "resume", "restartpuzzle", "shufflepuzzle",
// "savegame", "options", "help" and "backtomenu". It fades in and out over
// 200 ms; while it is Active the board does not run. The questions it asks
// belong to the in-game interface, which manages and draws them; the
// options and help pages are its own (TGameMenuPage).
#pragma once

#include <memory>

#include "TAnimation.h"
#include "TFocusRing.h"
#include "TGameMenuPage.h"
#include "TGameSound.h"
#include "TMenu.h"
#include "TScreen.h"

class TGameScreen;

class TGameMenu : public TScreen {
 public:
  static constexpr int FadeMs = 200;
  static constexpr float DimAlpha = 0.7f;

  explicit TGameMenu(TGameScreen& screen) : Screen(&screen) { name = "ingamemenu"; }
  ~TGameMenu() override;

  void Load() override;
  void Kill() override;
  void Logic() override;
  void Draw() override;
  // Opens the menu; playSound 1 plays the opening sound.
  void Show(int playSound);
  void Hide();

  // The buttons (the inherited Menu as its own type).
  TMenu* Buttons() const { return buttons_.get(); }
  // The keyboard's focus over the buttons.
  TFocusRing Focus;
  // The options or help page open over the menu, else null.
  std::unique_ptr<TGameMenuPage> Page;

  int Active = 0;
  int MouseState = 0;
  TGameSoundPtr ActivateSound;
  TGameSoundPtr DeactivateSound;
  std::unique_ptr<TAnimation> FadeIn;
  std::unique_ptr<TAnimation> FadeOut;
  TGameScreen* Screen;

 private:
  // Open, the menu takes Back (and closes by it); closed, Back is the
  // screen's, which opens it.
  void SetActive(int active);
  // Greys out what the level does not offer (on a won level: reshuffle and
  // save).
  void OfferForLevel();
  void OpenPage(TGameMenuPage::TKind kind, const char* button);

  std::shared_ptr<TMenu> buttons_;
};
