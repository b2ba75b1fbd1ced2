// A full-screen state of the game (title, level selection, game, ...). One
// screen is current; screens replace each other only through the screen
// fade (TGameFade) and TGame::ScreenChange.
#pragma once

#include <memory>
#include <string>

#include "Platform.h"
#include "TDrawable.h"

class TScreen {
 public:
  virtual ~TScreen() = default;

  virtual void ImageLoad(const std::string& file, int flags);
  virtual void HeaderLoad(const std::string& file, float x, float y);
  virtual void PreStart();
  virtual void ResetStops();
  virtual void Load() {}
  virtual void Start();
  virtual void CoreStart();
  virtual void PostFadeIn() {}
  virtual void Kill();
  virtual void Logic();
  virtual void Draw();
  // Sets Game->DestinationTScreen for the Esc fade; returns its length in
  // ms, 0 for DefaultFadeLength.
  virtual int SetEscDestination();
  // The screen reads Back itself (when nothing is open over it) instead of
  // leaving by it.
  virtual bool ReadsBack() const { return false; }
  virtual void SpecificKeys() {}
  // Advances a loading bar; only the loading screen has one.
  virtual void MoveBar() {}

  plat::TImagePtr Image;
  std::shared_ptr<TDrawable> Header;
  std::string Ext = ".png";
  std::shared_ptr<TScreenMenu> Menu;
  std::string name;
  int StopKill = 0;
  int StopInit = 0;
  TScreen* Destination = nullptr;
};

// Choosing this screen as the destination ends the program after the fade.
class TExitScreen : public TScreen {};
