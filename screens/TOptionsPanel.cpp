#include "TOptionsPanel.h"

#include "GameResources.h"
#include "TFocusRing.h"
#include "TImageBank.h"
#include "TLanguage.h"
#include "TMenuScreen.h"
#include "TModeText.h"
#include "TTalvorineGame.h"
#include "TextDraw.h"

void TOptionsPanel::Load(bool offerLanguage) {
  OptionsMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  OptionsMenu->AddQuick("fullscreen");
  SetFullScreenLook();
  TButton* language = OptionsMenu->AddQuick("language" + GameLanguage.Code, "language");
  if (!offerLanguage) {
    language->Disabled = 1;
    language->ClickDisabled = 0;
    language->Alpha = 0.5f;
    language->UseAlpha = 1;
  }
  OptionsMenu->CentreHoriz();
  OptionsMenu->SetY(240);
  MusicSlider = TSlider::CreateSpecial("slider", "marker", MusicSliderX, MusicSliderY, SliderBorder,
                                       "musicslider", 0);
  SoundSlider = TSlider::CreateSpecial("slider", "marker", SoundSliderX, SoundSliderY, SliderBorder,
                                       "soundslider", 0);
  MusicSlider->SetValue(Game->MusicVolume);
  SoundSlider->SetValue(Game->SoundVolume);
  LastClickTime = 0;
  ClickCount = 0;
}

void TOptionsPanel::Kill() {
  if (OptionsMenu) OptionsMenu->Kill();
  OptionsMenu.reset();
  MusicSlider.reset();
  SoundSlider.reset();
  Clicker = nullptr;
}

void TOptionsPanel::AddTo(TFocusRing& focus) {
  focus.Add(MusicSlider.get());
  focus.Add(SoundSlider.get());
  focus.Add(OptionsMenu.get());
}

void TOptionsPanel::SetFullScreenLook() {
  shownFullScreen_ = Game->FullScreen;
  std::string look = Game->FullScreen ? "fullscreenOn" : "fullscreen";
  OptionsMenu->FindButton("fullscreen")->LoadImages(look, look + "MO", 0, 0, 1);
}

bool TOptionsPanel::Logic() {
  OptionsMenu->Manage();
  if (MusicSlider->Manage()) Game->MusicSetVolume(MusicSlider->Value, 0);
  if (SoundSlider->Manage()) {
    Game->SoundSetVolume(SoundSlider->Value, 0);
    int now = plat::MilliSecs();
    if (now - LastClickTime >= ClickIntervalMs) {
      LastClickTime = now;
      ClickSound(Clicker);
    }
  }
  if (OptionsMenu->Clicked("fullscreen")) Game->ToggleFullScreen();
  // The look follows the game, also when Alt+Enter switched it.
  if (shownFullScreen_ != Game->FullScreen) SetFullScreenLook();
  return OptionsMenu->Clicked("language") != 0;
}

void TOptionsPanel::ClickSound(TButton* clicker) {
  ++ClickCount;
  if (clicker) clicker->PlayClick();
}

std::string TOptionsPanel::VolumeText(int value) {
  return modetext::WithNumber(modetext::Text("Volume Percent"), value);
}

void TOptionsPanel::Draw() const {
  plat::SetBlend(plat::ALPHABLEND);
  TMenuScreen::DrawCentred(InterfaceImageBank->Find("blackback"), 400, 284);
  TMenuScreen::DrawCentred(InterfaceImageBank->Find("music"), 242, 151);
  TMenuScreen::DrawCentred(InterfaceImageBank->Find("sound"), 242, 207);
  MusicSlider->Draw();
  SoundSlider->Draw();
  plat::SetImageFont(GameFont(25));
  plat::SetColor(255, 255, 255);
  SetTextShadow(2, 2, 0.6f);
  for (const TSlider* slider : {MusicSlider.get(), SoundSlider.get()}) {
    float middle = slider->y + float(slider->h) / 2;
    DrawTextLine(VolumeText(slider->Value), slider->x + float(slider->w + VolumeGap),
                 middle - float(plat::TextHeight("0%")) / 2, 1, 0, 1);
  }
  plat::SetBlend(plat::ALPHABLEND);
  OptionsMenu->Draw(0, 0);
}
