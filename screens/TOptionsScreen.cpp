#include "TOptionsScreen.h"

#include "GameConfig.h"
#include "GameResources.h"
#include "TGameScreens.h"
#include "TLanguage.h"
#include "TModeText.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TextDraw.h"

void TOptionsScreen::Load() {
  LoadCommon("titlescreen", "optionsheader", 400, 50, 10, 0);
  AddOk(*MainMenu, TOptionsPanel::OkBelow);
  Panel.Load();
  Panel.Clicker = MainMenu->FindButton("ok");
  // Top to bottom: the panel's controls, "ok".
  Focus.Clear();
  Panel.AddTo(Focus);
  Focus.Add(MainMenu.get());
}

void TOptionsScreen::Logic() {
  ManageMenu();
  ManageHeader();
  bool language = Panel.Logic();
  if (MainMenu->Clicked("ok")) {
    ConfigSave();
    Game->IniUpdate(1);
    ChangeTo(Screens->Title.get());
  }
  if (language) NextLanguage();
}

void TOptionsScreen::NextLanguage() {
  int region = TLanguage::RegionOf(GameLanguage.Code) % int(TLanguage::Languages().size()) + 1;
  GameLanguage.Change(region);
  // The screen's own pictures in the new language, at once: its widgets
  // are made again, as a new visit makes them, and the focus comes back to
  // the button, to step on through the languages.
  Kill();
  Load();
}

std::string TOptionsScreen::InfoLine() { return modetext::Text("Options Hint"); }

void TOptionsScreen::DrawInfoLine() {
  SetTextShadow(2, 2, 1);
  plat::SetImageFont(GameFont(18));
  plat::SetColor(255, 255, 255);
  DrawTextLine(InfoLine(), InfoX, InfoY, 1, 2, 1);
  SetTextShadow(2, 2, 0.6f);
}

void TOptionsScreen::Draw() {
  DrawBackground();
  Panel.Draw();
  DrawHeader();
  MainMenu->Draw(0, 0);
  DrawInfoLine();
}

void TOptionsScreen::Kill() {
  Panel.Kill();
  TMenuScreen::Kill();
}

int TOptionsScreen::SetEscDestination() {
  Game->DestinationTScreen = Screens->Title.get();
  return 0;
}
