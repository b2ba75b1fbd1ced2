#include "THelpScreen.h"

#include "TGameScreens.h"
#include "THelpPage.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"

void THelpScreen::Load() {
  LoadCommon("titlescreen", "helpheader", 400, 50, 10, 0);
  AddOk(*MainMenu, THelpPage::OkBelow);
}

void THelpScreen::Logic() {
  ManageMenu();
  ManageHeader();
  if (MainMenu->Clicked("ok")) ChangeTo(Screens->Title.get());
}

void THelpScreen::Draw() {
  DrawBackground();
  THelpPage::Draw();
  DrawHeader();
  MainMenu->Draw(0, 0);
}

int THelpScreen::SetEscDestination() {
  Game->DestinationTScreen = Screens->Title.get();
  return 0;
}
