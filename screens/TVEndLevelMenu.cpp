#include "TVEndLevelMenu.h"

#include <algorithm>
#include <array>

#include "GameResources.h"
#include "Platform.h"
#include "StarRow.h"
#include "TImageBank.h"
#include "TTalvorineGame.h"
#include "TextCase.h"
#include "TextDraw.h"

namespace {

constexpr int ButtonGap = 10;

plat::TImagePtr PanelImage() {
  if (!InterfaceImageBank) return nullptr;
  if (!InterfaceImageBank->FindTImage("endlevelback")) InterfaceImageBank->Load("endlevelback");
  return InterfaceImageBank->FindTImage("endlevelback");
}

}  // namespace

std::array<std::string, 3> TVEndLevelMenu::ButtonNames() const {
  return {"nextpuzzle", RestartButton, "backtomenu"};
}

void TVEndLevelMenu::Init(int x, int y) {
  Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, ButtonGap);
  for (const std::string& name : ButtonNames()) Menu->AddQuick(name);
  Focus.Clear();
  Focus.Reset();
  Focus.Add(Menu.get());
  orgX = x;
  orgY = y;
  PositionMenu();
  PanelImage();
  Show = 1;
}

void TVEndLevelMenu::PositionMenu() {
  if (!Menu) return;
  if (orgX < 0) {
    Menu->Centre();
    if (!Title.empty()) Menu->SetY(float(Y + ButtonsBelowCentre));
    return;
  }
  X = orgX;
  Y = orgY;
  Menu->SetX(float(X - Menu->CalcWidth() / 2));
  Menu->SetY(float(Y - Menu->CalcHeight() / 2));
}

void TVEndLevelMenu::Offer(int next, int restart, int back) {
  if (!Menu) return;
  const int offered[3] = {next, restart, back};
  const std::array<std::string, 3> names = ButtonNames();
  bool removed = false;
  for (size_t i = 0; i < names.size(); ++i) {
    if (offered[i] || !Menu->FindButton(names[i])) continue;
    std::string upper = UpperCase(names[i]);
    auto& buttons = Menu->Buttons;
    buttons.erase(std::remove_if(buttons.begin(), buttons.end(),
                                 [&](const auto& button) { return button->name == upper; }),
                  buttons.end());
    removed = true;
  }
  if (removed) PositionMenu();
}

void TVEndLevelMenu::Logic(int next, int restart, int back) {
  Selected = SelectNone;
  if (!Show) return;
  Offer(next, restart, back);
  Focus.Manage();
  Menu->Manage();
  if (Menu->Clicked("nextpuzzle") && next) Selected = SelectNext;
  if (Menu->Clicked(RestartButton) && restart) Selected = SelectRestart;
  if (Menu->Clicked("backtomenu") && back) Selected = SelectBack;
}

void TVEndLevelMenu::Draw() {
  if (!Show) return;
  if (plat::TImagePtr panel = PanelImage()) plat::DrawImage(*panel, X, Y);
  DrawSummary();
  Menu->Draw();
}

void TVEndLevelMenu::DrawStars(float top) const {
  DrawStarRow(Stars, float(X), top + StarSize / 2.0f, StarSize, StarGap);
}

void TVEndLevelMenu::DrawSummary() const {
  if (Title.empty()) return;
  SetTextShadow(2, 2, 0.6f);
  float y = float(Y + SummaryTop);
  if (plat::TFontPtr font = GameFont(25)) {
    plat::SetImageFont(font);
    plat::SetColor(255, 226, 166);
    DrawTextLine(Title, float(X), y, 1, 1, 1);
  }
  y += TitleGap;
  if (Stars != NoStars) {
    DrawStars(y);
    y += StarRowHeight;
  }
  if (plat::TFontPtr font = GameFont(20)) {
    plat::SetImageFont(font);
    plat::SetColor(255, 255, 255);
    for (const std::string& line : Summary) {
      DrawTextLine(line, float(X), y, 1, 1, 1);
      y += LineGap;
    }
  }
  plat::SetColor(255, 255, 255);
}
