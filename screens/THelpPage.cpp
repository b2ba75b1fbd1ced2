#include "THelpPage.h"

#include "GameResources.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TMenuScreen.h"
#include "TextDraw.h"

void THelpPage::Draw() {
  plat::SetBlend(plat::ALPHABLEND);
  TMenuScreen::DrawCentred(InterfaceImageBank->Find("blackback"), 400, 300);
  TMenuScreen::DrawCentred(InterfaceImageBank->Find("helpimage"), 175, 300);
  plat::SetImageFont(GameFont(25));
  plat::SetColor(255, 255, 255);
  SetTextShadow(2, 2, 0.6f);
  DrawLinesEndingAt(TextX, TextBottomY, GameText->FindString("Help Message Gleamstrand"), 0, 0);
  plat::SetImageFont(GameFont(20));
  plat::SetColor(255, 226, 166);
  DrawLinesEndingAt(TextX, StarsBottomY, GameText->FindString("Help Stars"), 0, StarsLineGap);
  plat::SetImageFont(GameFont(18));
  DrawLinesEndingAt(400, ClockBottomY, GameText->FindString("Help Clock"), 1, ClockLineGap);
  plat::SetColor(255, 255, 255);
}
