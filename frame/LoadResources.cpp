// The loading sequence: every sound, music track and image goes into its
// bank behind the loading screen, one bar step per group.
#include <memory>
#include <string>

#include "ArrowPointer.h"
#include "GameResources.h"
#include "Globals.h"
#include "StartupSteps.h"
#include "TImageBank.h"
#include "TPakFileManager.h"
#include "TSoundBank.h"
#include "TTalvorineGame.h"
#include "TVLoadingScreen.h"
#include "TextCase.h"

namespace {

// 21 groups move the bar; one step more keeps it from ever showing as full.
constexpr int kBarSteps = 22;
constexpr int kBarTop = 600 - 175;

const char* const kSounds[] = {"buttonclick",   "buttonmo", "buttonclick2", "applause.ogg",
                               "applause2.ogg", "invalid",  "hint",         "score.ogg",
                               "startgame",     "tick"};
const char* const kMusic[] = {"music1.ogg", "music2.ogg"};
const char* const kInterfaceImages[] = {
    "progress",     "progressmo", "levelback", "levelhighlight", "check",        "textback",
    "helptextback", "score1",     "score2",    "paused",         "music",        "sound",
    "blackback",    "input",      "inputlong", "helpimage",      "manager",      "menu",
    "star",         "starempty",  "timebar",   "timebarfill",    "timebarurgent"};
const char* const kCellImages[] = {"cellnormal", "cellnormalmo", "cellmarble", "cellmarblemo",
                                   "cell1",      "cell2",        "cell3",      "cell4",
                                   "cell5",      "cell6",        "cellchain",  "cellcreate",
                                   "cellfill",   "cellempty",    "cellmarked", "cellhint"};
const char* const kWallShapes[] = {"fulldecoration",
                                   "full",
                                   "topleftrightdecoration",
                                   "topleftright",
                                   "bottomleftrightdecoration",
                                   "bottomleftright",
                                   "lefttopbottomdecoration",
                                   "lefttopbottom",
                                   "righttopbottomdecoration",
                                   "righttopbottom",
                                   "leftright",
                                   "topbottom",
                                   "topleftdecoration",
                                   "topleft",
                                   "topleftse",
                                   "toprightdecoration",
                                   "topright",
                                   "toprightsw",
                                   "bottomleftdecoration",
                                   "bottomleft",
                                   "bottomleftne",
                                   "bottomrightdecoration",
                                   "bottomright",
                                   "bottomrightnw",
                                   "nese",
                                   "nesw",
                                   "neswse",
                                   "nwne",
                                   "nwnese",
                                   "nwnesw",
                                   "nwneswse",
                                   "nwse",
                                   "nwsw",
                                   "nwswse",
                                   "swse",
                                   "topswse",
                                   "topsw",
                                   "topse",
                                   "bottomnwne",
                                   "bottomnw",
                                   "bottomne",
                                   "leftnese",
                                   "leftne",
                                   "leftse",
                                   "rightnwsw",
                                   "rightnw",
                                   "rightsw",
                                   "bottom",
                                   "top",
                                   "left",
                                   "right",
                                   "corner-outside-nw",
                                   "corner-outside-ne",
                                   "corner-outside-sw",
                                   "corner-outside-se"};
const char* const kScreenImages[] = {"gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg",
                                     "gamescreen4.jpg", "gamescreen5.jpg", "playscreen.jpg",
                                     "titlescreen.jpg", "particle1.png",   "particle2.png"};

std::unique_ptr<TVLoadingScreen>& LoadingScreenObject() {
  static std::unique_ptr<TVLoadingScreen> screen;
  return screen;
}

void OpenLoadingScreen() {
  auto& loading = LoadingScreenObject();
  loading = std::make_unique<TVLoadingScreen>();
  Game->LoadingScreen = loading.get();
  loading->SpecialLoad("", "loadingbar.png", "loading.png");
  loading->LoadingBar.Centre(kBarTop);
  loading->LoadingBar.Mode = 1;
  loading->SetSteps(kBarSteps);
  loading->Draw();
  plat::Flip(FlipSync);
}

std::string ResourceItemPath(const std::string& item) {
  return (PakMan ? PakMan->Path : std::string()) + item;
}

}  // namespace

TVLoadingScreen* GameLoadingScreen() { return LoadingScreenObject().get(); }

void ReleaseLoadingScreen() {
  if (!LoadingScreenObject()) return;
  if (Game) {
    if (Game->LoadingScreen == LoadingScreenObject().get()) Game->LoadingScreen = nullptr;
    if (Game->CurrentTScreen == LoadingScreenObject().get()) Game->CurrentTScreen = nullptr;
  }
  LoadingScreenObject()->Kill();
  LoadingScreenObject().reset();
}

void LoadSounds() {
  for (const char* name : kSounds) {
    SoundBank->Load(name);
    Game->MoveBar();
  }
}

void LoadMusic() {
  // Streamed: only the compressed bytes stay in memory.
  for (const char* name : kMusic) {
    MusicBank->Load(name, 1.0f, 1.0f, "", plat::SOUND_STREAM);
    Game->MoveBar();
  }
}

void LoadInterfaceImages() {
  Game->Mouse.Load("pointer");
  // The game draws its own pointer; without the picture an arrow stands in.
  if (!Game->Mouse.Image) Game->Mouse.Image = MakeArrowPointer();
  Game->Mouse.CalcSize();
  for (const char* name : kInterfaceImages) InterfaceImageBank->Load(name);
  Game->SpritePausedCreate(InterfaceImageBank->Find("paused")->image);
  for (const char* name : kCellImages) CellImageBank->Load(name);
  for (const char* shape : kWallShapes) WallImageBank->Load(std::string("wall-") + shape);
  Game->MoveBar();
}

void ReloadWordedImages() {
  if (!InterfaceImageBank || !Game) return;
  // As at start-up: magenta is see-through, pictures are mid-handled.
  plat::SetMaskColor(255, 0, 255);
  plat::AutoMidHandle(true);
  for (const char* name : kInterfaceImages) InterfaceImageBank->Load(name);
  Game->SpritePausedCreate(InterfaceImageBank->Find("paused")->image);
  plat::SetMaskColor(0, 0, 0);
}

void LoadScreenImages() {
  for (const char* file : kScreenImages) {
    plat::TImagePtr image = PakMan ? PakMan->GetImage(file) : nullptr;
    // The screens draw these without checking again.
    if (!image) ReportError("Error loading bitmap " + ResourceItemPath(file), 1);
    AddImageToBank(image, FileStem(file), 0, InterfaceImageBank.get());
    Game->MoveBar();
  }
}

void LoadResources() {
  plat::SetMaskColor(255, 0, 255);
  plat::AutoMidHandle(true);
  plat::Cls();
  plat::Flip(FlipSync);
  OpenLoadingScreen();
  LoadSounds();
  LoadMusic();
  LoadInterfaceImages();
  LoadScreenImages();
  TVLoadingScreen* loading = LoadingScreenObject().get();
  Game->CurrentTScreen = loading;
  CreateFirstScreen();
  loading->Destination = FirstScreen();
  if (!plat::IsHeadless() && Game->QueryForeground && !Game->QueryForeground()) {
    Game->SuspendedEvent = 1;
  }
  plat::SetMaskColor(0, 0, 0);
}
