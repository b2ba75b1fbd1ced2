// Start-up and exit of the program.
#include "GameConfig.h"
#include "GameInput.h"
#include "Globals.h"
#include "StartupSteps.h"
#include "TGamePad.h"
#include "TTalvorineGame.h"
#include "TVMouse.h"

TRunOptions RunOptions;
TStartupHooks StartupHooks;

void SeedRandom() {
  plat::SeedRnd(RunOptions.HasSeed ? RunOptions.Seed : uint32_t(plat::MilliSecs()));
}

bool GameSetup() {
  TTalvorineGame& game = CreateGame();
  InstallPadNavigation();
  game.FullScreen = 1;
  game.FullScreenOverride = RunOptions.FullScreen;
  game.MusicSetVolume(50, 0);
  game.SoundSetVolume(50, 0);
  game.TerminatedUserFunction = [] { return 0; };
  // Without its display the game cannot go on: the report is all it can do.
  plat::SetDisplayLostHandler([] { ReportError("The connection to the display was lost", 0); });
  game.DataInAppBundle = 1;
  game.SetSubPathWrapper("Talvorine Games/Cavernglow");
  game.CheckGoodExit();
  // A sound server takes tens of milliseconds to answer: the device is
  // opened once the window shows, before the first sound.
  game.Init(0, false);
  game.ChannelsCreate(16);
  game.SetEscapeSound("buttonclick");
  game.IgnoreDebugKey = 1;
  game.IgnoreFrameworkKeys = 1;
  LoadStartTime = plat::MilliSecs();
  LoadParticlesImage();
  LoadGameText();
  ErrorsOnScreen = 0;
  if (!CheckDataPak()) {
    FailureReported = 1;
    return false;
  }
  CreateArchiveManager();
  LoadFonts();
  SetBankPaths();
  VMouse.DraggingPixels = 2;
  ConfigLoad(game.SubPath);
  LoadHighScores();
  game.GraphicsCreate();
  game.OpenSoundDevice();
  plat::HideMouse();
  game.PortalSplash = 0;
  plat::AutoMidHandle(false);
  if (game.Fade == 1) ShowMakerSplash(game.Sound, 0);
  plat::AutoMidHandle(true);
  LoadResources();
  GameFlushKeys();
  CreateGameState();
  return true;
}

int EndGame() {
  TGame::MakeGoodExit();
  if (Game) Game->Kill();
  plat::ShowMouse();
  std::string playUrl = plat::AppDir() + "/play.url";
  // Headless runs have no desktop to open it on.
  if (!plat::IsHeadless() && plat::FileType(playUrl) == plat::FILETYPE_FILE) {
    if (Game && Game->FullScreen) plat::EndGraphics();
    plat::OpenWithDefaultHandler(playUrl);
  }
  if (GameConfig.File.FileName.empty() && Game) GameConfig.File.FileName = Game->SubPath + "config";
  GameConfig.FirstRun = 0;
  ConfigSave();
  return FailureReported ? 1 : 0;
}
