#include "TOptionsScreen.h"

#include "GameConfig.h"
#include "GameResources.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TLanguage.h"
#include "TModeText.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TextDraw.h"

void TOptionsScreen::Load() {
  LoadCommon("titlescreen", "optionsheader", 400, 50, 10, 0);
  AddGrowingButton("oksmall", "ok")->OKButton = 1;
  MainMenu->Centre();
  MainMenu->SetY(MainMenu->y + 220);
  OptionsMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  OptionsMenu->AddQuick("fullscreen");
  SetFullScreenLook();
  OptionsMenu->AddQuick("language" + GameLanguage.Code, "language");
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
  // Top to bottom: the two volumes, full screen, "ok".
  Focus.Clear();
  Focus.Add(MusicSlider.get());
  Focus.Add(SoundSlider.get());
  Focus.Add(OptionsMenu.get());
  Focus.Add(MainMenu.get());
}

void TOptionsScreen::SetFullScreenLook() {
  shownFullScreen_ = Game->FullScreen;
  std::string look = Game->FullScreen ? "fullscreenOn" : "fullscreen";
  OptionsMenu->FindButton("fullscreen")->LoadImages(look, look + "MO", 0, 0, 1);
}

void TOptionsScreen::Logic() {
  ManageMenu();
  ManageHeader();
  OptionsMenu->Manage();
  if (MainMenu->Clicked("ok")) {
    ConfigSave();
    Game->IniUpdate(1);
    ChangeTo(Screens->Title.get());
  }
  if (MusicSlider->Manage()) Game->MusicSetVolume(MusicSlider->Value, 0);
  if (SoundSlider->Manage()) {
    Game->SoundSetVolume(SoundSlider->Value, 0);
    int now = plat::MilliSecs();
    if (now - LastClickTime >= ClickIntervalMs) {
      LastClickTime = now;
      ClickSound();
    }
  }
  if (OptionsMenu->Clicked("fullscreen")) Game->ToggleFullScreen();
  // The look follows the game, also when Alt+Enter switched it.
  if (shownFullScreen_ != Game->FullScreen) SetFullScreenLook();
  if (OptionsMenu->Clicked("language")) NextLanguage();
}

void TOptionsScreen::NextLanguage() {
  int region = TLanguage::RegionOf(GameLanguage.Code) % int(TLanguage::Languages().size()) + 1;
  GameLanguage.Change(region);
  // The screen's own pictures in the new language, at once: its widgets
  // are made again, as a new visit makes them. A player on the keys stays
  // on the button, to step on through the languages.
  bool keys = Focus.Shown() && Focus.Current() == OptionsMenu->FindButton("language");
  Kill();
  Load();
  if (keys) Focus.FocusOn(OptionsMenu->FindButton("language"));
}

void TOptionsScreen::ClickSound() {
  ++ClickCount;
  if (TButton* ok = MainMenu->FindButton("ok")) ok->PlayClick();
}

std::string TOptionsScreen::InfoLine() const { return modetext::Text("Options Hint"); }

std::string TOptionsScreen::VolumeText(int value) {
  return modetext::WithNumber(modetext::Text("Volume Percent"), value);
}

void TOptionsScreen::Draw() {
  DrawBackground();
  plat::SetBlend(plat::ALPHABLEND);
  DrawCentred(InterfaceImageBank->Find("blackback"), 400, 284);
  DrawCentred(InterfaceImageBank->Find("music"), 242, 151);
  DrawCentred(InterfaceImageBank->Find("sound"), 242, 207);
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
  DrawHeader();
  MainMenu->Draw(0, 0);
  OptionsMenu->Draw(0, 0);
  SetTextShadow(2, 2, 1);
  plat::SetImageFont(GameFont(18));
  plat::SetColor(255, 255, 255);
  DrawTextLine(InfoLine(), InfoX, InfoY, 1, 2, 1);
  SetTextShadow(2, 2, 0.6f);
}

void TOptionsScreen::Kill() {
  if (OptionsMenu) OptionsMenu->Kill();
  OptionsMenu.reset();
  MusicSlider.reset();
  SoundSlider.reset();
  TMenuScreen::Kill();
}

int TOptionsScreen::SetEscDestination() {
  Game->DestinationTScreen = Screens->Title.get();
  return 0;
}
