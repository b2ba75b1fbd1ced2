#include "TTitleScreen.h"

#include "CommandLine.h"
#include "GameResources.h"
#include "Globals.h"
#include "PlayerSelection.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "THelpScreen.h"
#include "THighScoreScreen.h"
#include "TOptionsScreen.h"
#include "TPlayScreen.h"
#include "TTalvorineGame.h"
#include "TVPlayerManager.h"
#include "TextDraw.h"

namespace {

// The program's own version ("1.0.0"), as --version prints it.
std::string VersionNumber() {
  std::string text = VersionText();
  size_t space = text.rfind(' ');
  if (space != std::string::npos) text.erase(0, space + 1);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

}  // namespace

TTitleScreen::TTitleScreen() { name = "title"; }
TTitleScreen::~TTitleScreen() = default;

void TTitleScreen::Load() {
  // The title screen is the first screen after loading: the music starts
  // with it and the player is chosen once.
  bool first = !Game->CurrentTScreen || Game->CurrentTScreen == Game->LoadingScreen;
  if (first) {
    MusicStarted = 1;
    MusicRotate(1);
  }
  LoadCommon("titlescreen", "logo", 400, 100, 10, 1);
  for (const char* image : ButtonImages) AddGrowingButton(image);
  MainMenu->FindButton("play")->OKButton = 1;
  TButton* change = MainMenu->AddQuickAuto(ChangePlayerButton);
  MainMenu->Centre();
  MainMenu->SetY(MainMenu->y + 50);
  change->MoveTo(400 - change->Width() / 2, ChangePlayerY);
  if (first) PromptForName();
}

void TTitleScreen::PromptForName() {
  switch (ChoosePlayerAtStart()) {
    case TStartPlayer::Ready:
      break;
    case TStartPlayer::AskName:
      SetupPrompt();
      break;
    case TStartPlayer::ShowManager:
      ShowPlayerManager();
      break;
  }
}

void TTitleScreen::SetupPrompt() { EnterName = CreateNamePrompt(); }

void TTitleScreen::ShowPlayerManager() { PlayerManager = CreatePlayerManager(); }

void TTitleScreen::PlayerChosen() {
  if (!EnterName && !PlayerManager) return;
  if (EnterName) EnterName->Kill();
  EnterName.reset();
  if (PlayerManager) PlayerManager->Kill();
  PlayerManager.reset();
}

bool TTitleScreen::DialogShowing() const {
  return (EnterName && EnterName->Active) || (PlayerManager && PlayerManager->Active);
}

void TTitleScreen::Logic() {
  // The prompt and the manager select the player themselves.
  if (ManageModal(EnterName) || ManageModal(PlayerManager)) return;
  ManageMenu();
  ManageHeader();
  if (MainMenu->Clicked("play")) {
    ChangeTo(Screens->Play.get());
  } else if (MainMenu->Clicked("help")) {
    ChangeTo(Screens->Help.get());
  } else if (MainMenu->Clicked("options")) {
    ChangeTo(Screens->Options.get());
  } else if (MainMenu->Clicked("highscore")) {
    ChangeTo(Screens->HighScores.get());
  } else if (MainMenu->Clicked("exit")) {
    // Leaving the game fades the music with the screen, as Escape does.
    TGameScreens::ChangeTo(Game->ExitScreen.get(), true);
  } else if (MainMenu->Clicked(ChangePlayerButton)) {
    ShowPlayerManager();
  }
}

void TTitleScreen::Draw() {
  DrawBackground();
  DrawHeader();
  plat::SetBlend(plat::ALPHABLEND);
  if (EnterName) EnterName->Draw();
  if (PlayerManager) PlayerManager->Draw();
  if (!DialogShowing()) {
    DrawWelcome();
    MainMenu->Draw(0, 0);
  }
  DrawVersion();
}

void TTitleScreen::DrawWelcome() const {
  if (!Game->CurrentProfile) return;
  plat::SetImageFont(GameFont(20));
  plat::SetColor(255, 255, 255);
  SetTextShadow(2, 2, 0.6f);
  DrawLinesEndingAt(400, WelcomeBottomY,
                    GameTextWith("Welcome", {{"name", Game->CurrentProfile->Name}}), 1, 0);
}

void TTitleScreen::DrawVersion() const {
  SetTextShadow(2, 2, 0.6f);
  plat::SetImageFont(GameFont(18));
  plat::SetColor(255, 255, 255);
  DrawTextLine(GameTextWith("Version", {{"version", VersionNumber()}}), VersionX, VersionY, 1, 2,
               1);
}

void TTitleScreen::Kill() {
  if (EnterName) EnterName->Kill();
  EnterName.reset();
  if (PlayerManager) PlayerManager->Kill();
  PlayerManager.reset();
  TMenuScreen::Kill();
}

int TTitleScreen::SetEscDestination() {
  Game->DestinationTScreen = Game->ExitScreen.get();
  return 0;
}
