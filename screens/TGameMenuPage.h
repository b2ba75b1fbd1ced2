// A page opened from the in-game menu over the game: the options or the
// help, drawn as the title's options and help screens are, with their
// controls, words and pictures, and "ok" (or Escape) back to the menu. The game screen
// is not left, so the level goes on where it stood; the menu stays open
// beneath (the level clock keeps still). The language is changed from the
// title's options only: a level's bars and words are made for one.
#pragma once

#include <memory>

#include "TFocusRing.h"
#include "TMenu.h"
#include "TOptionsPanel.h"
#include "TSprite.h"

class TGameMenuPage {
 public:
  enum class TKind { Options, Help };

  explicit TGameMenuPage(TKind kind);
  ~TGameMenuPage();
  TGameMenuPage(const TGameMenuPage&) = delete;
  TGameMenuPage& operator=(const TGameMenuPage&) = delete;

  // One step; 1 once "ok" or Escape closed the page (the options written).
  int Manage();
  void Draw() const;

  const TKind Kind;
  std::shared_ptr<TMenu> OkMenu;
  std::shared_ptr<TSprite> Header;
  // The options' controls (on the options page).
  TOptionsPanel Options;
  TFocusRing Focus;
};
