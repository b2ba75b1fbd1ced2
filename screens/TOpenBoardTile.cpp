#include "TOpenBoardTile.h"

#include <cmath>
#include <cstdlib>

#include "GameResources.h"
#include "TVLevelList.h"
#include "TVMouse.h"
#include "TextDraw.h"

TOpenBoardTile::TOpenBoardTile(plat::TImagePtr picture, std::string caption, std::string rule,
                               std::string best)
    : picture_(std::move(picture)),
      caption_(std::move(caption)),
      rule_(std::move(rule)),
      best_(std::move(best)) {
  glow_.Init(0, 360, 0.5f);
}

bool TOpenBoardTile::UnderPointer() const {
  return std::abs(VMouse.x - X) <= TVLevelList::ItemHalfWidth &&
         std::abs(VMouse.y - Y) <= TVLevelList::ItemHalfHeight;
}

void TOpenBoardTile::Manage() {
  glow_.Manage();
  start_ = startPending_ || (UnderPointer() && VMouse.LeftClick());
  startPending_ = false;
}

bool TOpenBoardTile::FocusCommand(TNavCommand command) {
  if (command != TNavCommand::Accept) return false;
  startPending_ = true;
  return true;
}

void TOpenBoardTile::Draw() const {
  const float x = float(X), y = float(Y);
  const bool lit = focused_ || UnderPointer();
  TVLevelList::DrawItemFrame(x, y, lit, 0.5f * std::fabs(glow_.ratio));
  TVLevelList::DrawItemPicture(picture_, x, y + 8);
  if (focused_) {
    DrawFocusFrame(x - TVLevelList::ItemHalfWidth, y - TVLevelList::ItemHalfHeight,
                   2 * TVLevelList::ItemHalfWidth, 2 * TVLevelList::ItemHalfHeight);
  }
  SetTextShadow(2, 2, 0.6f);
  plat::SetColor(255, 255, 255);
  TVLevelList::DrawItemCaption(caption_, x, y);
  plat::SetImageFont(GameFont(RuleSize));
  DrawLinesWithShadow(x, float(RuleY), WrapLines(SplitLines(rule_), float(RuleWidth), nullptr, 1),
                      1, float(RuleGap));
  if (best_.empty()) return;
  plat::SetImageFont(GameFont(BestSize));
  plat::SetColor(255, 226, 166);
  DrawTextLine(best_, x, float(BestY), 1, 1, 1);
  plat::SetColor(255, 255, 255);
}
