#include "TGameMenu.h"

#include "GameDialogs.h"
#include "GameInput.h"
#include "GameResources.h"
#include "Globals.h"
#include "Platform.h"
#include "TGameGUI.h"
#include "TGameScreen.h"
#include "TImageBank.h"
#include "TNavInput.h"
#include "TSoundBank.h"
#include "TTalvorineGame.h"
#include "WidgetFiles.h"

namespace {
constexpr int ButtonGap = 10;
constexpr int PanelAboveMenu = 50;
}  // namespace

void TGameMenu::Load() {
  buttons_ = TMenu::Create("buttonMO", "buttonclick", 0, 0, ButtonGap);
  buttons_->AddQuick("resume")->OKButton = 1;
  for (const char* name : {"restartpuzzle", "shufflepuzzle", "savegame"}) buttons_->AddQuick(name);
  buttons_->AddQuick("gameoptions", "options");
  buttons_->AddQuick("gamehelp", "help");
  buttons_->AddQuick("backtomenu");
  buttons_->Centre();
  Focus.Clear();
  Focus.Add(buttons_.get());
  Menu = buttons_;
  ActivateSound = SoundBank ? SoundBank->Find("buttonclick") : nullptr;
  FadeIn = TAnimation::Create(FadeMs, 0, 0, 0);
  FadeIn->Stop();
  FadeOut = TAnimation::Create(FadeMs, 0, 0, 0);
  FadeOut->Stop();
  SetActive(0);
  buttons_->Precache();
}

TGameMenu::~TGameMenu() { NavInput.BackOwners.Remove(this); }

void TGameMenu::SetActive(int active) {
  Active = active;
  if (active) {
    NavInput.BackOwners.Push(this);
  } else {
    NavInput.BackOwners.Remove(this);
  }
}

void TGameMenu::Kill() {
  Page.reset();
  if (buttons_) buttons_->Kill();
  buttons_.reset();
  Menu.reset();
  FadeIn.reset();
  FadeOut.reset();
  SetActive(0);
}

void TGameMenu::Show(int playSound) {
  SetActive(1);
  Page.reset();
  OfferForLevel();
  Focus.Reset();
  if (buttons_) buttons_->ManageNoSound();
  MouseState = Game->Mouse.Active;
  Game->Mouse.On();
  if (playSound == 1 && ActivateSound) PlayWidgetSound(ActivateSound);
  if (FadeOut) FadeOut->Stop();
  if (FadeIn) FadeIn->Start();
  GameFlushKeys();
  GameFlushMouse();
}

void TGameMenu::Hide() {
  if (!MouseState) Game->Mouse.Off();
  if (DeactivateSound) PlayWidgetSound(DeactivateSound);
  if (FadeOut && FadeIn) {
    // A half-finished opening closes from where it stands.
    FadeOut->Start();
    FadeOut->Counter = FadeIn->Length[0] - FadeIn->Counter;
    FadeIn->Stop();
  }
  GameFlushKeys();
  GameFlushMouse();
}

void TGameMenu::Logic() {
  if (!buttons_) return;
  // A page takes the input (Escape closes it) until it is closed; the
  // menu's focus is still on the button that opened it.
  if (Page) {
    if (Page->Manage()) Page.reset();
    return;
  }
  if (Active) {
    FadeIn->Manage();
    if (FadeOut->Active) {
      if (FadeOut->Manage()) {
        SetActive(0);
        return;
      }
    } else {
      Focus.Manage();
      buttons_->Manage();
    }
  }
  if (FadeOut->Active) return;
  if (NavInput.BackOwners.Hit(Active ? this : TBackOwners::Screen)) {
    if (Active) {
      Game->EscapeSoundPlay();
      Hide();
    } else {
      Show(1);
    }
    return;
  }
  if (!Active) return;
  TGameGUI& gui = *Screen->GUI;
  if (buttons_->Clicked("resume")) {
    Hide();
  } else if (buttons_->Clicked("restartpuzzle")) {
    gui.AskToRestart();
  } else if (buttons_->Clicked("shufflepuzzle")) {
    gui.AskToShuffle();
  } else if (buttons_->Clicked("savegame")) {
    if (!Screen->State.Over() && !playway::OnOpenBoard(Screen->GamePlay.Way)) {
      gui.AskSaveName();
    }
  } else if (buttons_->Clicked("options")) {
    OpenPage(TGameMenuPage::TKind::Options, "options");
  } else if (buttons_->Clicked("help")) {
    OpenPage(TGameMenuPage::TKind::Help, "help");
  } else if (buttons_->Clicked("backtomenu")) {
    gui.AskToLeave();
  }
}

// Back from the page, the focus stands on its button, however it was pressed.
void TGameMenu::OpenPage(TGameMenuPage::TKind kind, const char* button) {
  Focus.FocusOn(buttons_->FindButton(button));
  Page = std::make_unique<TGameMenuPage>(kind);
}

void TGameMenu::OfferForLevel() {
  if (!buttons_) return;
  // A won or lost level is neither dealt again nor saved, and time attack
  // and endless are never saved: those buttons are greyed out and take no
  // click.
  const bool over = Screen->State.Over();
  const bool open = playway::OnOpenBoard(Screen->GamePlay.Way);
  for (const char* name : {"shufflepuzzle", "savegame"}) {
    const int off = over || (open && std::string(name) == "savegame") ? 1 : 0;
    if (TButton* button = buttons_->FindButton(name)) {
      const std::string look = std::string(name) + "_disabled";
      if (off && !button->ImageDisabled && WidgetImageExists(Game->MenuPath, look)) {
        button->LoadDisabled(look);
      }
      button->Disabled = off;
      button->ClickDisabled = off ? 0 : 1;
    }
  }
}

void TGameMenu::Draw() {
  if (!Active || !buttons_) return;
  float dim = DimAlpha;
  float alpha = 1;
  if (FadeOut->Active) {
    dim = DimAlpha * FadeOut->GetRatioSine();
    alpha = FadeOut->GetRatio();
  } else if (FadeIn->Active) {
    dim = DimAlpha * FadeIn->GetRatioInvSine();
    alpha = FadeIn->GetRatioInv();
  }
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(0, 0, 0);
  plat::SetAlpha(dim);
  plat::DrawRect(0, 0, ScreenWidth, ScreenHeight);
  plat::SetColor(255, 255, 255);
  // A question or message opened from the menu stands alone over the
  // dimmed game: the panel's words would show through the dialog. (A page
  // the game screen draws alone.)
  if (Page || (Screen->GUI && Screen->GUI->DialogOpen())) {
    plat::SetAlpha(1);
    return;
  }
  plat::SetAlpha(alpha);
  if (plat::TImagePtr panel =
          InterfaceImageBank ? InterfaceImageBank->FindTImage("menu") : nullptr) {
    // The panel's top edge stands 50 pixels above the first button.
    plat::DrawImage(*panel, ScreenWidth / 2.0 - panel->width / 2.0 + panel->handle_x,
                    buttons_->y - PanelAboveMenu + panel->handle_y);
  }
  buttons_->SetAlpha(alpha);
  buttons_->ChangeShadow(1, 3, 3, 0.4f);
  buttons_->Draw();
  plat::SetAlpha(1);
}
