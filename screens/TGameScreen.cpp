#include "TGameScreen.h"

#include <cmath>

#include "GameInput.h"
#include "GameResources.h"
#include "Globals.h"
#include "LevelTitle.h"
#include "Platform.h"
#include "PointerSparkles.h"
#include "TCellBox.h"
#include "TColor.h"
#include "TGameGUI.h"
#include "TGameMenu.h"
#include "TGameMode.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TLevelClock.h"
#include "TParticleList.h"
#include "TTalvorineGame.h"
#include "TextDraw.h"

namespace {

std::string BackgroundName(int number) { return "gamescreen" + std::to_string(number); }

plat::TImagePtr Background(int number) {
  return InterfaceImageBank ? InterfaceImageBank->FindTImage(BackgroundName(number)) : nullptr;
}

// Pictures drawn with their handle at the centre of the screen.
void CentreHandle(const plat::TImagePtr& image) {
  if (image) plat::SetImageHandle(*image, image->width / 2.0f, image->height / 2.0f);
}

}  // namespace

TGameScreen::TGameScreen()
    : GUI(std::make_unique<TGameGUI>(*this)), InGameMenu(std::make_unique<TGameMenu>(*this)) {
  name = "game";
}

TGameScreen::~TGameScreen() = default;

// ---------------------------------------------------------------- starting a game

TGameMode* TGameScreen::NewGame(int mode) {
  LevelClock.Restart();
  GamePlay.Init(mode);
  GUI->Start();
  return GamePlay.GameMode.get();
}

bool TGameScreen::StartLevel(const std::string& layoutPath, int custom, TPlayWay way) {
  if (!Game || Game->GameFade.Active) return false;
  if (!TCellBox::IsReadableLayout(layoutPath)) {
    // One of the game's own levels damaged or missing is a broken install;
    // a player's own level that cannot be read leaves them where they are.
    if (!custom) ReportError("Could not read file '" + layoutPath + "'", 1);
    return false;
  }
  Game->Mouse.Off();
  TGameMode* mode = NewGame(TGameMode::TypeMatch3);
  GamePlay.Way = way;
  mode->Init(layoutPath, custom);
  return ChangeTo(this);
}

bool TGameScreen::StartOpenBoard(TPlayWay way) {
  if (!Game || Game->GameFade.Active) return false;
  Game->Mouse.Off();
  TGameMode* mode = NewGame(TGameMode::TypeMatch3);
  GamePlay.Way = way;
  mode->Init("", 0);
  return ChangeTo(this);
}

bool TGameScreen::StartSavedGame(const std::string& savePath) {
  if (!Game || Game->GameFade.Active) return false;
  if (!plat::ReadStream(savePath)) return false;
  Game->Mouse.Off();
  if (!NewGame(TGameMode::TypeMatch3)->LoadGame(savePath)) {
    Game->Mouse.On();
    return false;
  }
  return ChangeTo(this);
}

bool TGameScreen::StartEditor() {
  if (!Game || Game->GameFade.Active) return false;
  NewGame(TGameMode::TypeEditor)->Init("", 1);
  return ChangeTo(this);
}

bool TGameScreen::ChangeTo(TScreen* screen) { return TGameScreens::ChangeTo(screen, true); }

void TGameScreen::LoadHighScores() {
  for (TPlayWay way : playway::All) {
    TGleamstrandHighScoreList& table = HighScoresOf(way);
    table = TGleamstrandHighScoreList::Create(playway::HighScoreName(way), 10);
    table.Load();
  }
}

TGleamstrandHighScoreList& TGameScreen::HighScoresOf(TPlayWay way) {
  switch (way) {
    case TPlayWay::Clock:
      return ClockHighscoreList;
    case TPlayWay::Attack:
      return AttackHighscoreList;
    case TPlayWay::Endless:
      return EndlessHighscoreList;
    default:
      return HighscoreList;
  }
}

// ---------------------------------------------------------------- the screen

void TGameScreen::Load() {
  LastImage = plat::Rand(1, BackgroundCount);
  SetBackground(LastImage);
  SetPointerSparkles(Game->Mouse, 0);
  GamePlay.ParticleList.reset();
  CrossFade.reset();
  Game->FadeMusic = 0;
  GUI->Load();
  InGameMenu->Load();
}

void TGameScreen::Start() {
  TScreen::Start();
  Game->GameFade.Init(DefaultFadeLength, 0, nullptr, 0, 0);
  LastMouseZ = Game->Mouse.z;
  LastTime = 0;
  DidPauseOrSuspend = -1;
  Game->Mouse.On();
  GameFlushKeys();
  GameFlushMouse();
  LastFade = plat::MilliSecs();
  LastBurst = LastFade;
  BurstDelay = 0;
  Game->FixedRateLogic.Init();
}

void TGameScreen::Logic() {
  ManageFireworks();
  ManageBackground();
  GUI->Logic();
  TGameMode* mode = GamePlay.GameMode.get();
  if (!State.disableButtons && !(mode && mode->GameType == TGameMode::TypeEditor)) {
    InGameMenu->Logic();
  }
  if (!InGameMenu->Active) GamePlay.Logic();
}

void TGameScreen::Draw() {
  // A page of the in-game menu (options, help) is drawn as the title's
  // screen of the same name: nothing of the level shows through its words.
  if (InGameMenu->Page) {
    ManageInterruption();
    InGameMenu->Page->Draw();
    return;
  }
  plat::Cls();
  plat::SetBlend(plat::ALPHABLEND);
  SetTextShadow(2, 2, 0.6f);
  if (CrossFade) {
    CrossFade->Draw();
  } else if (Image) {
    plat::SetBlend(plat::SOLIDBLEND);
    plat::DrawImage(*Image, ScreenWidth / 2.0, ScreenHeight / 2.0);
    plat::SetBlend(plat::ALPHABLEND);
  }
  if (!State.stateCustomMode) {
    DrawScore();
    DrawLevelName();
    DrawLevelOwnName();
  }
  ManageInterruption();
  if (State.stateCustomMode) {
    DrawBoard();
    GUI->DrawMenus();
  } else {
    GUI->DrawMenus();
    DrawBoard();
  }
  if (GamePlay.ParticleList) GamePlay.ParticleList->Draw();
  InGameMenu->Draw();
  GUI->Draw();
  plat::SetAlpha(1);
  plat::SetColor(255, 255, 255);
}

void TGameScreen::Kill() {
  // Left for another screen or the program's end, not started afresh on
  // itself (a new deal, the next level): the run ends here.
  if (Game && Game->DestinationTScreen != this) GUI->LeaveRun();
  InGameMenu->Kill();
  GUI->Kill();
  CrossFade.reset();
  TScreen::Kill();
}

// ---------------------------------------------------------------- its parts

void TGameScreen::SetBackground(int number) {
  Image = Background(number);
  CentreHandle(Image);
}

void TGameScreen::ManageFireworks() {
  if (!GamePlay.ParticleList) return;
  // New bursts only while asked for; sparks already flying always run out,
  // or they would hang over the board after a restart or a bonus.
  if (State.stateFinished || GamePlay.ShowVictoryParticles) {
    int now = plat::MilliSecs();
    if (now - LastBurst >= BurstDelay) {
      LastBurst = now;
      BurstDelay = plat::Rand(BurstMinMs, BurstMaxMs);
      SpawnBurst();
    }
  }
  GamePlay.ParticleList->Manage();
}

void TGameScreen::SpawnBurst() {
  TGameImagePtr spark = InterfaceImageBank ? InterfaceImageBank->Find("particle2") : nullptr;
  if (!spark) return;
  float x = float(plat::Rnd(100, ScreenWidth - 100));
  float y = float(plat::Rnd(100, ScreenHeight - 100));
  int count = BurstSparks * Game->Particles / 100;
  for (int i = 0; i < count; ++i) {
    auto particle = GamePlay.ParticleList->AddNew(
        x, y, spark, float(plat::Rnd(-1.5, 1.5)), float(plat::Rnd(-2.0, 0.0)), 0.01f, 1000, 1,
        plat::Rand(0, 1) ? 1 : -1, float(plat::Rnd(0.5, 3.0)), float(plat::Rnd(0.3, 1.0)), 0, 0, 0);
    particle->Color =
        TColor::Create(plat::Rand(100, 255), plat::Rand(100, 255), plat::Rand(100, 255));
  }
}

void TGameScreen::ManageBackground() {
  int now = plat::MilliSecs();
  if (now - LastFade > BackgroundCycleMs - 1) {
    int next = LastImage % BackgroundCount + 1;
    plat::TImagePtr old = Background(LastImage);
    SetBackground(next);
    CrossFade = TCrossFade::Create(old, Image, BackgroundCrossFadeMs);
    CrossFade->SetImage1Coords(ScreenWidth / 2.0f, ScreenHeight / 2.0f);
    CrossFade->SetImage2Coords(ScreenWidth / 2.0f, ScreenHeight / 2.0f);
    LastImage = next;
    LastFade = now;
  }
  if (CrossFade) {
    CrossFade->Manage();
    if (CrossFade->Done()) CrossFade.reset();
  }
}

void TGameScreen::ManageInterruption() {
  if (LastTime == 0) {
    int cause = -1;
    if (Game->Paused) {
      cause = 0;
    } else if (Game->Suspended) {
      cause = 1;
    } else if (InGameMenu->Active) {
      cause = 2;
    }
    if (cause >= 0) {
      if (!State.Over()) {
        LevelClock.Pause();
        LastTime = LevelClock.PauseTime;
      }
      DidPauseOrSuspend = cause;
    }
  }
  if (LevelClock.IsPaused() && LastTime != 0) {
    bool ended = (DidPauseOrSuspend == 0 && !Game->Paused) ||
                 (DidPauseOrSuspend == 1 && !Game->Suspended) ||
                 (DidPauseOrSuspend == 2 && !InGameMenu->Active);
    if (ended) {
      if (!State.Over()) LevelClock.Resume();
      DidPauseOrSuspend = -1;
      LastTime = 0;
    }
  }
}

void TGameScreen::DrawBoard() {
  // Whatever the bars left behind, the board starts from plain drawing.
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetAlpha(1);
  plat::SetColor(255, 255, 255);
  GamePlay.Draw();
}

void TGameScreen::DrawScore() const {
  plat::TFontPtr font = GameFont(modetext::HudTextSize);
  if (!font) return;
  plat::SetImageFont(font);
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
  std::string label = GameText ? GameText->FindString("Score") : std::string();
  DrawTextLine(label + std::to_string(GamePlay.Score), ScoreX, ScoreY, 1, 0, 1);
}

void TGameScreen::DrawLevelOwnName() const {
  std::string name = LevelName(GamePlay.CurrentLevel, GamePlay.IsCustomLevel);
  if (name.empty()) return;
  plat::TFontPtr font;
  for (int size : {NameFontSize, 16, NameMinFontSize}) {
    font = GameFont(size);
    if (!font) continue;
    plat::SetImageFont(font);
    if (plat::TextWidth(name) <= NameWidth) break;
  }
  if (!font) return;
  plat::SetColor(240, 226, 166);
  plat::SetAlpha(1);
  DrawTextLine(FitTextToWidth(name, float(NameWidth)), float(LevelX), float(NameY), 1, 0, 1);
  plat::SetColor(255, 255, 255);
}

void TGameScreen::DrawLevelName() const {
  plat::TFontPtr lineFont = GameFont(modetext::HudTextSize);
  if (!lineFont) return;
  // On the top line's baseline, whatever the face.
  plat::SetImageFont(lineFont);
  float baseline = float(ScoreY) + float(plat::TextHeight("0"));
  // The open board is named by its way.
  std::string name = playway::OnOpenBoard(GamePlay.Way)
                         ? (GameText ? GameText->FindString(playway::TextKey(GamePlay.Way)) : "")
                         : LevelTitle(GamePlay.CurrentLevel, GamePlay.IsCustomLevel);
  plat::TFontPtr font;
  for (int size : {modetext::HudTextSize, 20, 18, LevelMinFontSize}) {
    font = GameFont(size);
    if (!font) continue;
    plat::SetImageFont(font);
    if (plat::TextWidth(name) <= LevelWidth) break;
  }
  if (!font) return;
  float y = baseline - float(plat::TextHeight("0"));
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
  DrawTextLine(FitTextToWidth(name, float(LevelWidth)), float(LevelX), y, 1, 0, 1);
}
