#include "TMenuScreen.h"

#include "GameResources.h"
#include "Globals.h"
#include "PointerSparkles.h"
#include "TGameScreens.h"
#include "TImageBank.h"
#include "TTalvorineGame.h"

void TMenuScreen::LoadCommon(const std::string& background, const std::string& header, float hx,
                             float hy, int menuGap, int fadeMusic) {
  Background = InterfaceImageBank->Find(background);
  HeaderSprite = MakeHeader(header, hx, hy);
  MainMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, menuGap);
  Menu = MainMenu;
  // A visit comes back to the control that led away on the last one.
  Focus.Clear();
  Focus.Add(MainMenu.get());
  SetPointerSparkles(Game->Mouse, 1);
  Game->FadeMusic = fadeMusic;
}

std::shared_ptr<TSprite> TMenuScreen::MakeHeader(const std::string& header, float hx, float hy) {
  std::shared_ptr<TSprite> sprite = TSprite::CreateFromFile(header, hx, hy, 0);
  sprite->SetGlow(3, 0, 0.25f, 0, 0.5f);
  return sprite;
}

TButton* TMenuScreen::AddGrowingButton(TMenu& menu, const std::string& image,
                                       const std::string& name) {
  TButton* button = menu.AddQuickAuto(image, name);
  button->SetupScaleOnMO(1.15f, button->ScaleOnMOUpSpeed, button->ScaleOnMODownSpeed);
  return button;
}

TButton* TMenuScreen::AddGrowingButton(const std::string& image, const std::string& name) {
  return AddGrowingButton(*MainMenu, image, name);
}

void TMenuScreen::AddOk(TMenu& menu, int below) {
  AddGrowingButton(menu, "oksmall", "ok")->OKButton = 1;
  menu.Centre();
  menu.SetY(menu.y + float(below));
}

void TMenuScreen::Start() {
  TScreen::Start();
  Game->GameFade.Init(DefaultFadeLength, 0, nullptr, 0, 0);
  Game->Mouse.On();
  Game->FixedRateLogic.Init();
}

void TMenuScreen::Kill() {
  Focus.Leave();
  TScreen::Kill();
  MainMenu.reset();
  HeaderSprite.reset();
  Background.reset();
}

void TMenuScreen::ManageMenu() {
  Focus.Manage();
  MainMenu->Manage();
}

void TMenuScreen::ManageHeader() {
  if (HeaderSprite) HeaderSprite->ManageGlow();
}

void TMenuScreen::DrawCentred(const TGameImagePtr& picture, float cx, float cy) {
  if (!picture || !picture->image) return;
  // The bank's pictures are shared: their handles are left as they are.
  const plat::TImage& image = *picture->image;
  plat::DrawImage(image, cx - picture->w / 2.0f + image.handle_x,
                  cy - picture->h / 2.0f + image.handle_y);
}

void TMenuScreen::DrawBackground() const {
  plat::SetBlend(plat::SOLIDBLEND);
  if (!Background || !Background->image) {
    plat::Cls();
    return;
  }
  DrawCentred(Background, 400 + x, 300 + y);
}

void TMenuScreen::DrawHeader() const {
  if (!HeaderSprite) return;
  plat::SetBlend(plat::ALPHABLEND);
  HeaderSprite->Draw();
}

bool TMenuScreen::ChangeTo(TScreen* to) { return TGameScreens::ChangeTo(to); }
