#include "TGame.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "GameInput.h"
#include "Globals.h"
#include "StartupSteps.h"
#include "TInputMode.h"
#include "TNavInput.h"
#include "TTalvorineGame.h"
#include "TVMouse.h"
#include "Utf8.h"

namespace {

const char* const kProbeLabels[] = {"Ticks   ", "Logic   ", "Draw    ", "Code    ", "FPS     "};

std::string WithSlash(const std::string& path) {
  if (path.empty() || path.back() == '/' || path.back() == '\\') return path;
  return path + "/";
}

// Decimal text as an int; text that is no number gives 0, and a number too
// large for an int gives the nearest int.
int ToInt(const std::string& text) {
  long long value = std::strtoll(text.c_str(), nullptr, 10);
  return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void CreateEmptyFile(const std::string& path) {
  plat::RemoveUnlessPlainFile(path);
  if (plat::TStreamPtr file = plat::WriteFile(path)) file->Close();
}

}  // namespace

TGame::TGame()
    : QueryWindowPosition(plat::GetWindowPosition),
      QueryClientPosition(plat::GetClientPosition),
      QueryForeground([] { return !plat::IsHeadless() && plat::WindowIsForeground(); }),
      ExitScreen(std::make_unique<TExitScreen>()),
      FixedRateLogic(this) {}

TGame::~TGame() = default;

// ------------------------------------------------------------------ start-up

void TGame::Init(int soundDriverChoice, bool openSound) {
  StartupStage = 1;
  SeedRandom();
  TTrackingVar* probes[] = {&FixedRateLogic, &LogicTime, &DrawTime, &CodeTime, &FPS};
  for (int i = 0; i < 5; ++i) probes[i]->Label = kProbeLabels[i];

  CreateSharedFolder();
  // Saves cut short by a crash or a kill leave their temporaries behind;
  // only the copy that holds the folder's lock may take them for stale.
  if (plat::SingleInstanceLock(SubPath)) plat::RemoveStaleTemporaries(SubPath);

  StartupStage = 3;
  Ini.FileName = SettingsName();
  StartupStage = 4;
  IniFill();
  StartupStage = 5;
  std::string defaults = DataPrefix + "data/Default.ini";
  if (plat::FileType(Ini.FileName + ".ini") != plat::FILETYPE_FILE &&
      plat::FileType(defaults) == plat::FILETYPE_FILE) {
    StartupStage = 5012;
    plat::CopyFile(defaults, Ini.FileName + ".ini");
  }
  StartupStage = 5001;
  Ini.Load();
  StartupStage = 6;
  IniExtract();

  CreateProfileFolder();
  StartupStage = 7;
  SetFlipSync();
  StartupStage = 8001;
  ChooseSoundDriver(soundDriverChoice);
  StartupStage = 8002;
  OSVersion = "Linux";
  SoundDriver = "OpenAL Generic Software";
  if (openSound) OpenSoundDevice();
  StartupStage = 8004;
  FixedRateLogic.Create();
  StartupStage = 2;
  MusicChannel = plat::AllocChannel();
  SpeechChannel = plat::AllocChannel();
  EscapeChannel = plat::AllocChannel();
}

void TGame::OpenSoundDevice() { ChangeSoundDriver(SoundDriver, 0); }

void TGame::CreateSharedFolder() {
  if (!UseCorrectPath || plat::FileType(SubPath) == plat::FILETYPE_DIR) return;
  StartupStage = 1001;
  if (!plat::CreateDir(SubPath, true)) {
    ReportError("Cannot create shared data folder " + SubPath, 1);
  }
  StartupStage = 1002;
  // The new folder and each parent up to (not including) the common folder.
  std::string common = plat::CommonDataFolder();
  std::string path = SubPath;
  while (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  while (!path.empty() && path != common) {
    StartupStage = 1003;
    if (!plat::GiveFolderAccess(path))
      ReportError("Cannot give shared data folder full access!", 1);
    size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) break;
    path.resize(cut);
  }
  StartupStage = 1004;
}

void TGame::CreateProfileFolder() {
  StartupStage = 6001;
  if (plat::FileType(ProfilePath) == plat::FILETYPE_DIR) return;
  StartupStage = 6002;
  if (!plat::CreateDir(ProfilePath, true)) {
    ReportError("Cannot create shared profiles folder " + ProfilePath, 1);
  }
}

// The driver the choice or the settings name. Init replaces it at once by
// the software driver, and every name opens the same device: opening the
// device for it as well only made start-up wait for the device twice.
void TGame::ChooseSoundDriver(int soundDriverChoice) {
  static const char* const kDrivers[] = {"FreeAudio", "DirectSound", "OpenAL Generic Software"};
  if (soundDriverChoice >= 1 && soundDriverChoice <= 3) {
    SoundDriver = kDrivers[soundDriverChoice - 1];
  } else if (SoundDriver == "None") {
    SoundDriver = "FreeAudio";
  }
}

std::string TGame::SettingsName() const {
  std::string folder = UseCorrectPath ? SubPath : WithSlash(plat::AppDir());
  return folder + "gleamstrand";
}

// ------------------------------------------------------------------ settings

namespace {

struct TSettingKey {
  const char* name;
  int TGame::*number;
  std::string TGame::*text;
  // A value outside this range (a hand-edited or damaged file) is brought
  // into it, so the next write heals the file.
  int lowest = INT_MIN;
  int highest = INT_MAX;
};

const TSettingKey kSettings[] = {
    {"Full Screen", &TGame::FullScreen, nullptr, 0, 1},
    {"Sound", &TGame::Sound, nullptr, 0, 1},
    {"Music", &TGame::Music, nullptr, 0, 1},
    {"Speech", &TGame::Speech, nullptr, 0, 1},
    {"Sound Volume", &TGame::SoundVolume, nullptr, 0, 100},
    {"Music Volume", &TGame::MusicVolume, nullptr, 0, 100},
    {"Speech Volume", &TGame::SpeechVolume, nullptr, 0, 100},
    {"Fade", &TGame::Fade, nullptr, 0, 1},
    {"Particles", &TGame::Particles, nullptr, 0, 100},
    {"Portal Splash", &TGame::PortalSplash, nullptr, 0, 1},
    {"Portal Splash2", &TGame::PortalSplash2, nullptr, 0, 1},
    {"Intro", &TGame::IntroShow, nullptr, 0, 1},
    {"VSync", &TGame::VSync, nullptr, 0, 1},
    {"Driver", &TGame::Driver, nullptr, 0, 1},
    {"Sound Driver", nullptr, &TGame::SoundDriver},
    {"Full Screen Process Priority", &TGame::FullScreenProcess, nullptr, 0, 2},
    {"Full Screen Thread Priority", &TGame::FullScreenThread, nullptr, -15, 15},
    {"Windowed Process Priority", &TGame::WindowedProcess, nullptr, 0, 2},
    {"Windowed Thread Priority", &TGame::WindowedThread, nullptr, -15, 15},
    {"Profile Name", nullptr, &TGame::ProfileName},
    {"Region", &TGame::Region, nullptr},
    {"Sub-Region", &TGame::SubRegion, nullptr},
};

}  // namespace

void TGame::IniFill() {
  Ini.Clear();
  for (const TSettingKey& key : kSettings) {
    if (key.text) {
      Ini.Add(key.name, this->*key.text);
    } else if (key.number == &TGame::FullScreen && FullScreenOverride >= 0) {
      Ini.Add(key.name, std::to_string(FullScreenStored));  // this run's override is not stored
    } else {
      Ini.Add(key.name, std::to_string(this->*key.number));
    }
  }
}

void TGame::IniExtract() {
  for (const TIniLine& line : Ini.Lines) {
    for (const TSettingKey& key : kSettings) {
      if (line.Name != IniUpper(key.name)) continue;
      if (key.text) {
        // Earlier versions wrote the player's name in Latin-1.
        this->*key.text = plat::TextOfStoredBytes(line.Value);
      } else {
        this->*key.number = std::clamp(ToInt(line.Value), key.lowest, key.highest);
      }
    }
  }
  FullScreenStored = FullScreen;
  if (FullScreenOverride >= 0) FullScreen = FullScreenOverride;
}

std::string TGame::MarkerPath(const std::string& name) const {
  return (UseCorrectPath ? SubPath : DataPrefix + "data/") + name;
}

void TGame::IniUpdate(int markChanged) {
  IniFill();
  Ini.Save();
  if (markChanged == 1) CreateEmptyFile(MarkerPath("inichanged.dat"));
}

void TGame::SettingChanged() {
  IniUpdate(1);
  FixedRateLogic.Init();
}

void TGame::MakeGoodExit() {
  if (Game) CreateEmptyFile(Game->MarkerPath("GoodExit.dat"));
}

void TGame::CheckGoodExit() {
  std::string goodExit = MarkerPath("GoodExit.dat");
  std::string changed = MarkerPath("inichanged.dat");
  // A marker that is no plain file (a folder, a dangling link) was not left
  // by a run: it says nothing of a crash, and it goes so that this run's
  // marker can be written.
  bool strayGoodExit = plat::RemoveUnlessPlainFile(goodExit);
  plat::RemoveUnlessPlainFile(changed);
  if (plat::FileType(goodExit) == plat::FILETYPE_FILE) {
    plat::DeleteFile(goodExit);
  } else if (!strayGoodExit && plat::FileType(changed) == plat::FILETYPE_FILE) {
    RestoreDefaultSettings();
    plat::ShowMessage("Gleamstrand", "Default ini file restored!");
  }
  plat::DeleteFile(changed);
}

// The default settings replace the settings file; the profile name survives.
void TGame::RestoreDefaultSettings() {
  std::string settings = SettingsName() + ".ini";
  std::string profile = IniReadKey(settings, "profile name");
  plat::DeleteFile(settings);
  IniCopyWithKey(DataPrefix + "data/default.ini", settings, "PROFILE NAME", profile);
  // Without a default file, or one that lacks the key, the name is still kept.
  if (IniReadKey(settings, "PROFILE NAME") != profile) {
    TIniFile kept(SettingsName());
    if (plat::TStreamPtr in = plat::ReadDiskFile(settings)) {
      while (!in->Eof()) {
        TIniLine line = IniSplitLine(in->ReadLine());
        if (!line.Name.empty()) kept.Lines.push_back(line);
      }
    }
    kept.Add("PROFILE NAME", profile);
    kept.Save();
  }
}

// ------------------------------------------------------------------ display

void TGame::GraphicsCreate() {
  StartupStage = 100;
  if (plat::GraphicsModes().empty() && !plat::IsHeadless()) {
    plat::ShowMessage("Gleamstrand", "No 3D Hardware Found (could not count graphics modes.)");
    throw TFatalError("no graphics modes");
  }
  StartupStage = 110;
  plat::SetGraphicsDriver(Driver);
  bool first = FirstTime != 0;
  if (FirstTime) {
    FirstTime = 0;
    int desktopRate = plat::DesktopRefreshRate();
    DesktopRefreshRate = desktopRate > 0 ? desktopRate : 60;
    DesktopWidth = plat::DesktopWidth();
    DesktopHeight = plat::DesktopHeight();
  }
  StartupStage = 120;
  OpenDisplay();
  StartupStage = 130;
  UseEventInput();
  SetPriority();
  GameRefreshRate = plat::GraphicsRefreshRate();
  StartupStage = 139;
  // The platform keeps the icon and gives it to every window it opens later.
  if (first) {
    if (auto icon = plat::LoadPixmap(ImagePath + "icon.png")) plat::SetWindowIcon(*icon);
  }
}

void TGame::OpenDisplay() {
  if (FullScreen) {
    Depth = 0;
    for (int depth : {32, 24, 16}) {
      if (plat::GraphicsModeExists(ScreenWidth, ScreenHeight, depth, Hertz) &&
          plat::Graphics(ScreenWidth, ScreenHeight, depth, Hertz)) {
        Depth = depth;
        break;
      }
    }
    if (Depth == 0) {
      ForceWindowedMode = 1;
      FullScreen = 0;
    }
  }
  if (FullScreen) return;
  Depth = 0;
  if (!plat::Graphics(ScreenWidth, ScreenHeight, 0, DesktopRefreshRate)) {
    plat::ShowMessage("Gleamstrand", "Cannot create Windowed Mode at " +
                                         std::to_string(ScreenWidth) + "x" +
                                         std::to_string(ScreenHeight) + " " +
                                         std::to_string(DesktopRefreshRate) + "Hz");
    throw TFatalError("no window");
  }
  plat::CentreWindow();
  SetWindowCoords();
  SetClientCoords();
}

void TGame::SetPriority() {
  plat::SetProcessPriority(FullScreen ? FullScreenProcess : WindowedProcess);
  plat::SetThreadPriority(FullScreen ? FullScreenThread : WindowedThread);
}

int TGame::ToggleFullScreen() {
  if (FullScreen) {
    FullScreen = 0;
  } else {
    if (ForceWindowedMode) return 0;
    FullScreen = 1;
    plat::HideMouse();
  }
  FullScreenOverride = -1;  // the player's own choice is stored from now on
  Mouse.ClearButtons();
  GraphicsCreate();
  RestoreMouseCoords();
  IniUpdate(1);
  FixedRateLogic.Init();
  FixedRateLogic.HistoryClear();
  return 1;
}

void TGame::ToggleVSync() {
  VSync = VSync ? 0 : 1;
  IniUpdate(1);
  SetFlipSync();
  FixedRateLogic.Init();
  FixedRateLogic.HistoryClear();
}

int TGame::SetDriver(int driver) {
  int wanted = driver != 0 ? 1 : 0;
  if (Driver == wanted) return 0;
  Driver = wanted;
  plat::EndGraphics();
  GraphicsCreate();
  plat::MoveMouse(Mouse.x, Mouse.y);
  IniUpdate(1);
  FixedRateLogic.Init();
  FixedRateLogic.HistoryClear();
  GameFlushKeys();
  return 1;
}

void TGame::DebugReset() {
  for (TTrackingVar* probe :
       std::initializer_list<TTrackingVar*>{&LogicTime, &DrawTime, &CodeTime, &FPS}) {
    probe->Init();
  }
}

void TGame::DebugPrint() {
  if (!Debug) return;
  int y = DebugDisplayY;
  for (const TTrackingVar* probe : std::initializer_list<const TTrackingVar*>{
           &FixedRateLogic, &LogicTime, &DrawTime, &CodeTime, &FPS}) {
    probe->Display(DebugDisplayX, y);
    y += DebugImageFontGap;
  }
}

void TGame::SetGP(int x, int y) {
  gpX = x;
  gpY = y;
}

void TGame::SetWindowCoords() { QueryWindowPosition(WindowX, WindowY); }

void TGame::SetClientCoords() { QueryClientPosition(ClientX, ClientY); }

void TGame::RestoreMouseCoords() {
  Mouse.x = std::clamp(Mouse.x, 0, ScreenWidth - 1);
  Mouse.y = std::clamp(Mouse.y, 0, ScreenHeight - 1);
  plat::MoveMouse(Mouse.x, Mouse.y);
}

std::string TGame::TakeScreenshot() {
  std::string path;
  // As sharp as the player sees it, not the logical 800 x 600.
  if (auto pixmap = plat::GrabOutputPixmap()) {
    plat::TDateTime t = plat::LocalDateTime();
    char name[64];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d %02d%02d%02d screenshot.png", t.year, t.month,
                  t.day, t.hour, t.minute, t.second);
    path = (UseCorrectPath ? SubPath : WithSlash(plat::CurrentDir())) + name;
    if (!plat::SavePixmapPNG(*pixmap, path, 9)) path.clear();
  }
  GameFlushKeys();
  FixedRateLogic.Init();
  return path;
}

// ------------------------------------------------------------------ window state

int TGame::GameTerminated() {
  if (!TerminatedEvent) return 1;
  TerminatedEvent = 0;
  if (TerminatedUserFunction && TerminatedUserFunction() != 0) return 1;
  InstantExit = 1;
  if (CurrentProfile && CurrentTScreen && CurrentTScreen->name == "game") CurrentProfile->Save();
  return -1;
}

void TGame::MuteForPause() {
  PausedMusicState = Music;
  PausedSpeechState = Speech;
  if (Music) MusicOff();
  if (Speech) SpeechOff();
  if (PausedUserFunction) PausedUserFunction();
  plat::SetProcessPriority(0);
  plat::SetThreadPriority(0);
}

void TGame::UnmuteAfterPause() {
  if (PausedMusicState == 1) MusicOn();
  if (PausedSpeechState == 1) SpeechOn();
  SetPriority();
}

int TGame::CheckWindow() {
  if (GameTerminated() == -1) return -1;
  if (SuspendedEvent == 1 && Suspended == 0) {
    if (PauseOnLossOfFocus && !Paused) {
      Paused = 1;
      Pause();
    }
    if (!Paused) MuteForPause();
    Suspended = 1;
    if (UserSuspendFunction) UserSuspendFunction();
  } else if (SuspendedEvent == 0 && Suspended == 1) {
    if (!Paused) UnmuteAfterPause();
    FixedRateLogic.Init();
    Suspended = 0;
    if (UserResumeFunction) UserResumeFunction();
    GameFlushKeys();
  }
  if (!Suspended && !Paused) {
    if (Music == 1 && !MusicLooped && !plat::ChannelPlaying(MusicChannel)) MusicStopped = 1;
    if (Speech == 1 && !plat::ChannelPlaying(SpeechChannel)) SpeechStopped = 1;
    MusicFadeInManage();
    MusicFadeOutManage();
  }
  if (Suspended) plat::Delay(1);  // a suspended game idles instead of spinning
  return 1;
}

void TGame::SpritePausedCreate(plat::TImagePtr image) {
  SpritePaused = MakeSprite(std::move(image), ScreenWidth / 2.0f, ScreenHeight / 2.0f);
}

void TGame::ShowPaused() {
  if (!(Paused || Suspended) || !SpritePaused) return;
  plat::SetBlend(plat::ALPHABLEND);
  if (DimWhenPaused) {
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(0.5);
    plat::DrawRect(0, 0, ScreenWidth, ScreenHeight);
  }
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
  SpritePaused->Draw();
}

// ------------------------------------------------------------------ folders

void TGame::SetDefaultPaths() {
  SetImagePath(DataPrefix + "Data/graphics");
  SetSoundPath(DataPrefix + "Data/sound");
  SetMusicPath(DataPrefix + "Data/music");
  SetSpeechPath(DataPrefix + "Data/speech");
  SetMenuPath(DataPrefix + "Data/menus");
  SetProfilePath(UseCorrectPath ? "profiles" : DataPrefix + "Data/profiles");
  SetTextPath(DataPrefix + "Data/text");
  SetLevelsPath(DataPrefix + "Data/levels");
}

void TGame::SetSubPath(const std::string& path) {
  SubPath = WithSlash(path);
  if (UseCorrectPath) {
    SubPath = WithSlash(plat::CommonDataFolder()) + SubPath;
    ApplySubPath();
  }
  SharedDataPath = SubPath;
}

void TGame::SetSubPathWrapper(const std::string& path) {
  SetDefaultPaths();
  SetSubPath(path);
}

void TGame::ApplySubPath() { SetProfilePath(SubPath + ProfilePath); }

void TGame::SetImagePath(const std::string& path) { ImagePath = WithSlash(path); }
void TGame::SetSoundPath(const std::string& path) { SoundPath = WithSlash(path); }
void TGame::SetMusicPath(const std::string& path) { MusicPath = WithSlash(path); }
void TGame::SetSpeechPath(const std::string& path) { SpeechPath = WithSlash(path); }
void TGame::SetMenuPath(const std::string& path) { MenuPath = WithSlash(path); }
void TGame::SetProfilePath(const std::string& path) { ProfilePath = WithSlash(path); }
void TGame::SetTextPath(const std::string& path) { TextPath = WithSlash(path); }
void TGame::SetLevelsPath(const std::string& path) { LevelsPath = WithSlash(path); }

// ------------------------------------------------------------------ frame keys

void TGame::StartExitFade(int lengthMs, plat::TChannelPtr channel) {
  // A fade-in would end without a screen change and swallow the request.
  if (GameFade.Active && !GameFade.Out) GameFade.Finish();
  GameFade.Init(lengthMs, 1, std::move(channel), 1, 0);
  DestinationTScreen = ExitScreen.get();
}

void TGame::EscapeKey() {
  if (GameFade.Active) {
    if (!GameFade.Out) {
      GameFade.FadeInAborted = 1;
      GameFade.AbortKey = 0;
    }
    GameFade.Finish();
  } else if (Paused) {
    Paused = 0;
    UnPause();
    GameFlushKeys();
  } else {
    EscapeSoundPlay();
    int length = 0;
    if (CurrentTScreen) {
      length = CurrentTScreen->SetEscDestination();
    } else {
      DestinationTScreen = ExitScreen.get();
    }
    if (length == 0) length = DefaultFadeLength;
    GameFade.Init(length, 1, FadeMusic == 1 ? MusicChannel : nullptr, 0, 0);
    FadeMusic = 1;
  }
}

bool TGame::ExitUnderWay() const {
  if (InstantExit || CurrentTScreen == ExitScreen.get()) return true;
  return GameFade.Active && GameFade.Out && DestinationTScreen == ExitScreen.get();
}

int TGame::ReadKeys() {
  bool leaving = ExitUnderWay();
  if (CheckWindow() == -1) {
    // A lost window shows nothing more: leave at once. A further close
    // request while leaving must not restart (or cancel) the exit.
    if (FadeOnExit == 0 || plat::WindowLost()) return -1;
    if (leaving) {
      InstantExit = CurrentTScreen == ExitScreen.get() ? 1 : 0;
    } else {
      InstantExit = 0;
      StartExitFade(DefaultFadeLength, MusicChannel);
    }
  }
  if (BlockKeys) return 0;
  if (!IgnorePauseKey) {
    bool pauseHit = NavInput.Hit(TNavCommand::Pause) != 0;
    if (pauseHit || (Paused && Mouse.h1 > 0)) {
      Paused = Paused ? 0 : 1;
      if (Paused) {
        Pause();
      } else {
        UnPause();
      }
      GameFlushKeys();
      // The press that ends the pause is used up here, not passed on to
      // whatever lies under the pointer.
      GameFlushMouse();
    }
  }
  // Back (Escape, any device's) ends a fade or the pause before anything
  // else; otherwise it is the screen's when nothing is open over it and the
  // screen does not read it itself.
  if (GameFade.Active || Paused) {
    if (NavInput.Hit(TNavCommand::Back)) EscapeKey();
  } else if (!(CurrentTScreen && CurrentTScreen->ReadsBack()) &&
             NavInput.BackOwners.Hit(TBackOwners::Screen)) {
    EscapeKey();
  }
  bool alt = altEnter_ || GameKeyDown(plat::KEY_LALT) || GameKeyDown(plat::KEY_RALT);
  altEnter_ = false;
  if (alt && GameKeyHit(plat::KEY_ENTER)) {
    ToggleFullScreen();
    GameFlushKeys();
  }
  if (!IgnoreFrameworkKeys && GameKeyHit(plat::KEY_F12)) TakeScreenshot();
  if (!Paused && !Suspended && CurrentTScreen) CurrentTScreen->SpecificKeys();
  return 1;
}

// ------------------------------------------------------------------ timing modes, pausing

void TGame::FastOn() {
  Fast = 1;
  LastFlipSync = FlipSync;
  FlipSync = 0;
  FixedRateLogic.Init();
  FixedRateLogic.HistoryClear();
}

void TGame::FastOff() {
  if (!Fast) return;
  Fast = 0;
  FlipSync = LastFlipSync;
  FixedRateLogic.Init();
  FixedRateLogic.HistoryClear();
}

void TGame::SlowMotionOn() {
  SlowMotion = 1;
  CurrentSpeed = SlowMotionSpeed;
  FixedRateLogic.Framerate = float(FixedRateLogic.FramerateDefault) * SlowMotionSpeed;
  FixedRateLogic.CalcMS();
  FixedRateLogic.Init();
}

void TGame::SlowMotionOff() {
  SlowMotion = 0;
  CurrentSpeed = 1;
  FixedRateLogic.Framerate = float(FixedRateLogic.FramerateDefault);
  FixedRateLogic.CalcMS();
  FixedRateLogic.Init();
}

void TGame::SetFlipSync() { FlipSync = VSync ? 1 : 0; }

void TGame::Pause() { MuteForPause(); }

void TGame::UnPause() {
  UnmuteAfterPause();
  FixedRateLogic.Init();
}

// ------------------------------------------------------------------ main loop

void TGame::MoveBar() {
  if (LoadingScreen) LoadingScreen->MoveBar();
}

namespace {
// Game time is summed from fractions; this much below a whole step counts
// as the whole step (well under a microsecond of game time).
constexpr double kStepSlack = 1e-4;
}  // namespace

// A pass of `steps` logic steps' worth of game time (1 for a whole step, less
// for the remainder of a frame). Step numbers count whole 5 ms steps of game
// time, so the remainder passes do not make the numbering drift.
int TGame::RunStep(double steps) {
  if (StepLimit >= 0) steps = std::min(steps, double(StepLimit) - StepClock);
  long long reaching = (long long)std::ceil(StepClock + steps - kStepSlack);
  if (BeforeLogicStep) {
    for (long long step = announcedStep_ + 1; step <= reaching; ++step) BeforeLogicStep(step);
  }
  announcedStep_ = std::max(announcedStep_, reaching);
  StepClock += steps;
  LogicSteps = (long long)std::floor(StepClock + kStepSlack);
  FixedRateLogic.SetDelta(float(steps));
  return LogicWrapper();
}

bool TGame::StepLimitReached() const { return StepLimit >= 0 && LogicSteps >= StepLimit; }

int TGame::MainLogicLoop() {
  // A run limited to a number of steps ends after the frame of its last step.
  if (StepLimitReached()) return -1;
  FixedRateLogic.Calc();
  if (NoTiming) FixedRateLogic.NumTicks = NoTimingTicks;
  LogicTime.Start();
  double ticks = FixedRateLogic.NumTicks;
  for (int i = 1; i <= int(std::floor(ticks)); ++i) {
    if (StepLimitReached()) break;
    if (RunStep(1.0) == -1) return -1;
  }
  double fraction = std::fmod(ticks, 1.0);
  if (fraction > 0 && !StepLimitReached()) {
    if (RunStep(fraction) == -1) return -1;
  }
  LogicTime.Calc();
  return 1;
}

int TGame::LogicWrapper() { return LogicStep(false, false); }

int TGame::LogicStep(bool withGrace, bool withClickTracker) {
  Mouse.ClearMouseHit();
  Mouse.Manage();
  DoPeekEvent();
  NavInput.Step();
  InputMode.Step(Mouse, NavInput);
  ReadKeys();
  if (InstantExit) return -1;
  // The exit fade runs even without focus: a window closed from outside (or
  // destroyed) would otherwise leave a suspended process holding the lock.
  bool leaving = GameFade.Active && DestinationTScreen == ExitScreen.get();
  bool held = (Paused || Suspended) && !leaving;
  if (held && (!withGrace || plat::MilliSecs() - LoadStartTime > 5000)) return 0;
  GameFade.Manage();
  if (!GameFade.Active || GameFade.AllowAnim) {
    ScreenChange();
    if (withClickTracker) VMouse.UpdateMouseClicks();
    if (CurrentTScreen) CurrentTScreen->Logic();
  }
  return 1;
}

void TGame::DoPeekEvent() {
  plat::PollSystem();
  plat::TEvent event;
  while (plat::PollEvent(event)) {
    switch (event.kind) {
      case plat::EVENT_APPSUSPEND:
        SuspendedEvent = 1;
        FrameSchedule.Input();
        break;
      case plat::EVENT_APPRESUME:
        SuspendedEvent = 0;
        FrameSchedule.Force();
        break;
      case plat::EVENT_APPTERMINATE:
        TerminatedEvent = 1;
        break;
      default:
        // A quick chord can release Alt within the same step as Enter.
        if (event.kind == plat::EVENT_KEYDOWN && event.data == plat::KEY_ENTER &&
            (GameKeyDown(plat::KEY_LALT) || GameKeyDown(plat::KEY_RALT))) {
          altEnter_ = true;
        }
        GameInputFeed(event, &Mouse);
        FrameSchedule.Input();
        break;
    }
  }
  if (plat::TakeRedrawRequest()) FrameSchedule.Force();
  if (Suspended == 1 && SuspendedEvent == 1 && QueryForeground()) SuspendedEvent = 0;
}

void TGame::ScreenChange() {
  if (!GameFade.GetDone() || !GameFade.Out) return;
  if (CurrentTScreen && !CurrentTScreen->StopKill) CurrentTScreen->Kill();
  if (!DestinationTScreen) {
    std::string name = CurrentTScreen ? CurrentTScreen->name : std::string();
    ReportError("Screen '" + name + "' does not have a destination screen set!", 1);
  }
  LastTScreen = CurrentTScreen;
  if (DestinationTScreen == ExitScreen.get()) {
    InstantExit = 1;
    CurrentTScreen = ExitScreen.get();
  } else {
    DestinationTScreen->PreStart();
  }
  GameFlushKeys();
}

bool TGame::FrameDue(bool wanted) {
  if (plat::TakeRedrawRequest()) FrameSchedule.Force();
  return FrameSchedule.Due(plat::MilliSecs(), plat::DisplayShown(), wanted);
}

void TGame::SkipFrame() { plat::WaitFrame(); }

// The frame is recorded and drawn where it differs from the last; one that
// shows nothing new is not presented (unless the window wants it again).
void TGame::ScreenDraw() {
  DrawTime.Start();
  if (NoDraw) {
    NoDraw = 0;
    return;
  }
  plat::TFrameChange change = DrawFrame();
  DrawTime.Calc();
  if (plat::TakeRedrawRequest()) FrameSchedule.Force();
  PostDraw(FrameSchedule.Drawn(change, plat::MilliSecs()));
  FPS.Frame();
}

void TGame::ScreenDrawUnshown() {
  DrawFrame();
  if (BeforeFlip) BeforeFlip();
}

plat::TFrameChange TGame::DrawFrame() {
  plat::BeginFrame();
  if (CurrentTScreen) {
    CurrentTScreen->Draw();
  } else {
    plat::Cls();
  }
  if (!GameFade.Active) ShowPaused();
  if (FadeMouse) Mouse.Draw();
  GameFade.Draw();
  if (GameFade.Active) ShowPaused();
  if (!FadeMouse) Mouse.Draw();
  DebugPrint();
  return plat::EndFrame();
}

void TGame::PostDraw(bool show) {
  if (BeforeFlip) BeforeFlip();
  if (show) {
    plat::Flip(FlipSync);
  } else {
    plat::WaitFrame();
  }
}

// ------------------------------------------------------------------ conversions, exit

void TGame::ParticlesSet(int value, int save) {
  Particles = std::clamp(value, 0, 100);
  if (save == 1) IniUpdate(1);
}

void TGame::ParticlesChange(int by) { ParticlesSet(Particles + by, 1); }

float TGame::CalcAnimLength(int ms) const { return CalcAnimLengthFromFloat(float(ms)); }

float TGame::CalcAnimLengthFromFloat(float ms) const {
  return ms / FixedRateLogic.MS / CurrentSpeed;
}

int TGame::CalcMilliSecsFromFrames(float steps) const {
  return int(steps * FixedRateLogic.MS * CurrentSpeed);
}

void TGame::Kill() {
  for (plat::TChannelPtr* channel : {&MusicChannel, &SpeechChannel, &EscapeChannel}) {
    if (*channel) plat::StopChannel(*channel);
    channel->reset();
  }
  MusicSample.reset();
  ChannelsKill();
}
