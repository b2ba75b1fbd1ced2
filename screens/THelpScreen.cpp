#include "THelpScreen.h"

#include "GameResources.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TextDraw.h"

void THelpScreen::Load() {
  LoadCommon("titlescreen", "helpheader", 400, 50, 10, 0);
  AddGrowingButton("oksmall", "ok")->OKButton = 1;
  MainMenu->Centre();
  MainMenu->SetY(MainMenu->y + 260);
}

void THelpScreen::Logic() {
  ManageMenu();
  ManageHeader();
  if (MainMenu->Clicked("ok")) ChangeTo(Screens->Title.get());
}

void THelpScreen::Draw() {
  DrawBackground();
  plat::SetBlend(plat::ALPHABLEND);
  DrawCentred(InterfaceImageBank->Find("blackback"), 400, 300);
  DrawCentred(InterfaceImageBank->Find("helpimage"), 175, 300);
  plat::SetImageFont(GameFont(25));
  plat::SetColor(255, 255, 255);
  SetTextShadow(2, 2, 0.6f);
  DrawLinesEndingAt(TextX, TextBottomY, GameText->FindString("Help Message Gleamstrand"), 0, 0);
  DrawHeader();
  MainMenu->Draw(0, 0);
}

int THelpScreen::SetEscDestination() {
  Game->DestinationTScreen = Screens->Title.get();
  return 0;
}
