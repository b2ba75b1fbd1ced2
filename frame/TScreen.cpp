#include "TScreen.h"

#include "GameInput.h"
#include "TTalvorineGame.h"

void TScreen::ImageLoad(const std::string& file, int flags) {
  Image = plat::LoadImage(Game->ImagePath + file, flags);
  if (Image) plat::SetImageHandle(*Image, 0, 0);
}

void TScreen::HeaderLoad(const std::string& file, float x, float y) {
  plat::TImagePtr image = plat::LoadImage(Game->ImagePath + file + Ext, -1);
  if (!image) return;
  plat::MidHandleImage(*image);
  Header = MakeSprite(image, x, y);
}

void TScreen::PreStart() {
  if (StopInit) {
    CoreStart();
    return;
  }
  Load();
  Start();
}

void TScreen::ResetStops() {
  StopKill = 0;
  StopInit = 0;
}

void TScreen::Start() {
  Game->Mouse.On();
  CoreStart();
}

void TScreen::CoreStart() {
  Game->CurrentTScreen = this;
  if (Menu) Menu->ManageNoSound();
  GameFlushKeys();
  Game->Mouse.ClearButtons();
  Game->FixedRateLogic.Init();
}

void TScreen::Kill() {
  Image.reset();
  Header.reset();
  if (Menu) Menu->Kill();
  Menu.reset();
}

void TScreen::Logic() {
  if (Menu) Menu->Manage();
}

void TScreen::Draw() {
  if (!Image) {
    plat::Cls();
  } else {
    plat::SetBlend(plat::SOLIDBLEND);
    plat::DrawImage(*Image, 0, 0);
  }
  if (Header) {
    plat::SetBlend(plat::ALPHABLEND);
    Header->Draw();
  }
  if (Menu) Menu->Draw(0, 0);
}

int TScreen::SetEscDestination() {
  Game->DestinationTScreen = Game->ExitScreen.get();
  return 0;
}
