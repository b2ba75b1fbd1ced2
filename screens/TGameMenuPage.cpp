#include "TGameMenuPage.h"

#include "GameConfig.h"
#include "GameInput.h"
#include "GameResources.h"
#include "THelpPage.h"
#include "TImageBank.h"
#include "TMenuScreen.h"
#include "TNavInput.h"
#include "TOptionsScreen.h"
#include "TTalvorineGame.h"

TGameMenuPage::TGameMenuPage(TKind kind) : Kind(kind) {
  NavInput.BackOwners.Push(this);
  bool options = kind == TKind::Options;
  Header = TMenuScreen::MakeHeader(options ? "optionsheader" : "helpheader", 400, 50);
  OkMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  TMenuScreen::AddOk(*OkMenu, options ? TOptionsPanel::OkBelow : THelpPage::OkBelow);
  if (options) {
    Options.Load(false);
    Options.Clicker = OkMenu->FindButton("ok");
    Options.AddTo(Focus);
  }
  Focus.Add(OkMenu.get());
  GameFlushKeys();
}

TGameMenuPage::~TGameMenuPage() {
  NavInput.BackOwners.Remove(this);
  Focus.Leave();
  Options.Kill();
  if (OkMenu) OkMenu->Kill();
}

int TGameMenuPage::Manage() {
  Header->ManageGlow();
  Focus.Manage();
  OkMenu->Manage();
  if (Kind == TKind::Options) Options.Logic();
  bool back = NavInput.BackOwners.Hit(this) != 0;
  if (!back && !OkMenu->Clicked("ok")) return 0;
  if (back) Game->EscapeSoundPlay();
  if (Kind == TKind::Options) {
    ConfigSave();
    Game->IniUpdate(1);
  }
  GameFlushKeys();
  return 1;
}

void TGameMenuPage::Draw() const {
  // On the title's background, for which the headers are painted.
  plat::SetBlend(plat::SOLIDBLEND);
  TMenuScreen::DrawCentred(InterfaceImageBank->Find("titlescreen"), 400, 300);
  if (Kind == TKind::Options) {
    Options.Draw();
  } else {
    THelpPage::Draw();
  }
  plat::SetBlend(plat::ALPHABLEND);
  Header->Draw();
  OkMenu->Draw(0, 0);
  if (Kind == TKind::Options) TOptionsScreen::DrawInfoLine();
}
