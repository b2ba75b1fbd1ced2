#include "THelpPage.h"

#include <algorithm>

#include "GameResources.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TMenuScreen.h"
#include "TPlayWay.h"
#include "TextDraw.h"

namespace {

void SetRuleColour() { plat::SetColor(255, 226, 166); }

std::string Text(const char* key) { return GameText->FindString(key); }

}  // namespace

void THelpPage::Draw() {
  plat::SetBlend(plat::ALPHABLEND);
  TMenuScreen::DrawCentred(InterfaceImageBank->Find("blackback"), PanelX, PanelY);
  TMenuScreen::DrawCentred(InterfaceImageBank->Find("helpimage"), 175, 300);
  plat::SetImageFont(GameFont(25));
  plat::SetColor(255, 255, 255);
  SetTextShadow(TextShadow, TextShadow, 0.6f);
  DrawLinesEndingAt(TextX, TextBottomY, Text("Help Message Gleamstrand"), 0, 0);
  plat::SetImageFont(GameFont(20));
  SetRuleColour();
  DrawLinesEndingAt(TextX, StarsBottomY, Text("Help Stars"), 0, StarsLineGap);
  plat::SetImageFont(GameFont(WaysFontSize));
  float y = WaysY;
  for (const std::string& line : SplitLines(Text(playway::RuleKey(TPlayWay::Clock)))) {
    DrawTextLine(line, 400, y, TextOutline, 1, 1);
    y += WaysLineGap;
  }
  DrawOpenBoardRules(y);
  plat::SetColor(255, 255, 255);
}

void THelpPage::DrawOpenBoardRules(float y) {
  constexpr TPlayWay ways[] = {TPlayWay::Attack, TPlayWay::Endless};
  float names = 0, rules = 0;
  for (TPlayWay way : ways) {
    names = std::max(names, TextLineWidth(Text(playway::TextKey(way)), nullptr));
    rules = std::max(rules, TextLineWidth(Text(playway::RuleKey(way)), nullptr));
  }
  const float split = 400 - (names + WayNameGap + rules) / 2 + names;
  for (TPlayWay way : ways) {
    plat::SetColor(255, 255, 255);
    DrawTextLine(Text(playway::TextKey(way)), split, y, TextOutline, 2, 1);
    SetRuleColour();
    DrawTextLine(Text(playway::RuleKey(way)), split + WayNameGap, y, TextOutline, 0, 1);
    y += WaysLineGap;
  }
}
