// The start-up steps that find and load the game's resources: the particle
// strip, the game text, the archive and the face, the banks' folders, the
// first screen.
#include "StartupSteps.h"

#include <memory>
#include <stdexcept>

#include "GameResources.h"
#include "Globals.h"
#include "Language.h"
#include "TDensePictures.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TLanguage.h"
#include "TPakFileManager.h"
#include "TPakFileStreamFactory.h"
#include "TScreen.h"
#include "TSoundBank.h"
#include "TTalvorineGame.h"

namespace {

const char* const kFontFile = "calibri.ttf";

TScreen* FirstScreenShown = nullptr;

// Stands in when no layer above provides a first screen (frame tests).
std::unique_ptr<TScreen>& PlainFirstScreen() {
  static std::unique_ptr<TScreen> screen;
  return screen;
}

std::string ResourceFolder() { return Game->DataPrefix + "data/resources/"; }

}  // namespace

void LoadParticlesImage() {
  std::string file = Game->ImagePath + "particles.png";
  ParticleFXImage = plat::LoadAnimImage(file, 128, 128, 0, 9);
  if (!ParticleFXImage) ReportError("Error loading anim bitmap " + file, 1);
  // Sparks are placed by their centres.
  plat::MidHandleImage(*ParticleFXImage);
}

void LoadGameText() {
  GameLanguage.Use(TLanguage::Choose(RunOptions.Language, Game->Region, plat::DesktopLanguage()));
  GameLanguage.LoadText();
}

int CheckDataPak() {
  std::string folder = ResourceFolder();
  if (plat::FileType(folder + "data.pak") == plat::FILETYPE_FILE) return 1;
  std::string message = GameText ? GameText->FindString("Data Pak Error") : std::string();
  ReportError(message.empty() ? "The game's data file " + folder + "data.pak is missing." : message,
              0);
  return 0;
}

void CreateArchiveManager() {
  try {
    PakMan = TPakFileManager::Create(ResourceFolder(), ".pak");
  } catch (const TFatalError&) {
    throw;
  } catch (const std::runtime_error& e) {
    // A damaged archive: reported like the crash report, and logged.
    ReportError(ExceptionMessage(e.what(), true), 1);
  }
  RegisterPakProtocol(PakMan, "pak");
  TDensePictures::Install(Game->DataPrefix, ResourceFolder());
}

void LoadFonts() {
  GameFonts.clear();
  for (int size : GameFontSizes) {
    plat::TFontPtr font = PakMan->GetImageFont(kFontFile, size, SMOOTHFONT);
    // Every text of the game needs the face; without it nothing can be read.
    if (!font) ReportError("Error loading font " + PakMan->Path + kFontFile, 1);
    GameFonts[size] = font;
  }
}

void SetBankPaths() {
  CreateBanks();
  InterfaceImageBank->SetPath(Game->ImagePath);
  CellImageBank->SetPath(Game->ImagePath);
  WallImageBank->SetPath(Game->ImagePath);
  SoundBank->SetPath(Game->SoundPath);
  MusicBank->SetPath(Game->MusicPath);
}

void LoadHighScores() {
  if (StartupHooks.FinishPlayerFiles) StartupHooks.FinishPlayerFiles();
  if (StartupHooks.LoadHighScores) StartupHooks.LoadHighScores();
}

void CreateGameState() {
  if (StartupHooks.CreateGameState) StartupHooks.CreateGameState();
}

void CreateFirstScreen() {
  FirstScreenShown = StartupHooks.FirstScreen ? StartupHooks.FirstScreen() : nullptr;
  if (!FirstScreenShown) {
    PlainFirstScreen() = std::make_unique<TScreen>();
    PlainFirstScreen()->name = "first";
    FirstScreenShown = PlainFirstScreen().get();
  }
  FirstScreenShown->Load();
  FirstScreenShown->Start();
}

TScreen* FirstScreen() { return FirstScreenShown; }

void ReleaseStartupObjects() {
  if (Game) {
    if (Game->CurrentTScreen == PlainFirstScreen().get()) Game->CurrentTScreen = nullptr;
    ReleaseLoadingScreen();
  }
  FirstScreenShown = nullptr;
  PlainFirstScreen().reset();
  ReleaseGameResources();
  plat::SetDensePictureSource(nullptr);
}
