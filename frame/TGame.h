// The game object: owns the display mode, the settings, the screens and the
// fade, the pointer, the logic timer, the audio state and the folders. One
// instance lives from start to exit in the global Game (TTalvorineGame.h).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Platform.h"
#include "TDrawable.h"
#include "TFixedRateLogic.h"
#include "TFrameSchedule.h"
#include "TGameFade.h"
#include "TIniFile.h"
#include "TMousePointer.h"
#include "TProfile.h"
#include "TScreen.h"
#include "TTrackingVar.h"

class TGameSound;
class TGameChannel;
class TChannelArray;

class TGame {
 public:
  TGame();
  virtual ~TGame();
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  // ---- start-up, settings, run markers
  // openSound false leaves the sound device to OpenSoundDevice, so that
  // the start-up can show its window before the device is ready.
  virtual void Init(int soundDriverChoice, bool openSound = true);
  // Opens the sound device of the chosen driver (the last step of Init).
  void OpenSoundDevice();
  void IniFill();
  void IniExtract();
  void IniUpdate(int markChanged);
  static void MakeGoodExit();
  void CheckGoodExit();
  // Path of the settings file without ".ini" (SubPath + "gleamstrand").
  std::string SettingsName() const;

  // ---- display
  void GraphicsCreate();
  void SetPriority();
  int ToggleFullScreen();
  void ToggleVSync();
  int SetDriver(int driver);
  void DebugReset();
  void DebugPrint();
  void SetGP(int x, int y);
  int CheckWindow();
  void SetWindowCoords();
  void SetClientCoords();
  int GameTerminated();
  void SpritePausedCreate(plat::TImagePtr image);
  void ShowPaused();

  // ---- folders
  void SetDefaultPaths();
  void SetSubPath(const std::string& path);
  void SetSubPathWrapper(const std::string& path);
  void ApplySubPath();
  void SetImagePath(const std::string& path);
  void SetSoundPath(const std::string& path);
  void SetMusicPath(const std::string& path);
  void SetSpeechPath(const std::string& path);
  void SetMenuPath(const std::string& path);
  void SetProfilePath(const std::string& path);
  void SetTextPath(const std::string& path);
  void SetLevelsPath(const std::string& path);

  // ---- frame keys, timing modes, pausing
  int ReadKeys();
  void FastOn();
  void FastOff();
  void SlowMotionOn();
  void SlowMotionOff();
  void SetFlipSync();
  void Pause();
  void UnPause();

  // ---- audio (GameAudio.cpp)
  void MusicLoad(const std::string& file, int loop);
  void MusicSet(plat::TSoundPtr sound, const std::string& file, int loop);
  void MusicStop();
  void MusicPlay(int fadeIn);
  void MusicNone();
  float MusicFadeInCalc();
  float MusicFadeOutCalc();
  void MusicFadeInApply();
  void MusicFadeOutApply();
  void MusicFadeInManage();
  void MusicFadeOutManage();
  void MusicFadeOutSet(float ms);
  void MusicSetVolume(int volume, int save);
  void MusicChangeVolume(int by);
  void ToggleMusic();
  int MusicOff();
  void MusicOn();
  float PauseFadeCalc();
  void PauseFadeApply();
  void PauseFadeManage();
  void ChannelsCreate(int n);
  void ChannelsKill();
  void ChangeSoundDriver(const std::string& name, int save);
  plat::TChannelPtr SoundPlay(const plat::TSoundPtr& sound);
  void SoundPlaySameChannel(plat::TChannelPtr& channel, const plat::TSoundPtr& sound);
  void SoundPlayReturnChannel(plat::TChannelPtr& channel, const plat::TSoundPtr& sound, float rate);
  void GameSoundPlay(plat::TChannelPtr& channel, const std::shared_ptr<TGameSound>& gameSound,
                     float pan);
  void SoundSetVolume(int volume, int save);
  void SoundChangeVolume(int by);
  void ToggleSound();
  void SoundOff();
  void SoundOn();
  void SpeechStop();
  void SpeechPlay(const std::shared_ptr<TGameSound>& gameSound, int interrupt);
  void SpeechSetVolume(int volume, int save);
  void SpeechChangeVolume(int by);
  void SpeechOff();
  void SpeechOn();
  void StopChannels();
  void SetEscapeSound(const std::string& name);
  void EscapeSoundPlay();
  // The screen fade's second channel (a pool channel): volume and stop.
  void GameChannelSetVolume(const std::shared_ptr<TGameChannel>& channel, float volume);
  void GameChannelStop(const std::shared_ptr<TGameChannel>& channel, int throughPool);

  // ---- loading bar, fades
  void MoveBar();
  int Fading() const { return GameFade.Active; }
  void FadeOff() { NoFade = 1; }

  // ---- main loop
  int MainLogicLoop();
  virtual int LogicWrapper();
  void DoPeekEvent();
  // Enter went down with Alt held on this step (the full-screen chord).
  bool AltEnterPending() const { return altEnter_; }
  // Whether this pass of the main loop draws (wanted: a screenshot is due);
  // a pass that does not draw calls SkipFrame instead of ScreenDraw.
  bool FrameDue(bool wanted);
  void SkipFrame();
  void ScreenDraw();
  // Draws the frame for BeforeFlip alone (a headless screenshot): nothing is
  // presented and the clock stands still, so the run plays on as it would
  // have undrawn.
  void ScreenDrawUnshown();
  // Before the flip (BeforeFlip); then the flip, or without `show` only
  // the wait for the next frame.
  void PostDraw(bool show = true);
  void ScreenChange();

  void ParticlesSet(int value, int save);
  void ParticlesChange(int by);
  float CalcAnimLength(int ms) const;
  float CalcAnimLengthFromFloat(float ms) const;
  int CalcMilliSecsFromFrames(float steps) const;
  virtual void Kill();
  // Saves the picture as the output shows it (its size in pixels, as a
  // headless --screenshot does) as a PNG; returns the file written ("" on
  // failure).
  std::string TakeScreenshot();
  void RestoreMouseCoords();

  // Run control: the whole 5 ms logic steps of game time run so far (a
  // frame's shorter remainder step counts toward the step its time falls
  // in), that game time in steps, a limit after which the main loop ends
  // (-1: none), and hooks before each step and before each flip (scripted
  // input, screenshots). BeforeLogicStep(N) runs once for every step N, just
  // before the pass in which game time enters step N.
  long long LogicSteps = 0;
  double StepClock = 0;
  long long StepLimit = -1;
  std::function<void(long long step)> BeforeLogicStep;
  std::function<void()> BeforeFlip;

  // --windowed / --fullscreen for this run only (-1: the setting), and the
  // setting itself, which is what the settings file keeps.
  int FullScreenOverride = -1;
  int FullScreenStored = 1;

  // The window system's answers; tests substitute their own.
  std::function<void(int& x, int& y)> QueryWindowPosition;
  std::function<void(int& x, int& y)> QueryClientPosition;
  std::function<bool()> QueryForeground;

  // ---- settings object and display mode
  TIniFile Ini;
  int FullScreen = 1;
  int ForceWindowedMode = 0;
  int Hertz = 60;
  int Depth = 0;
  int DesktopRefreshRate = 0;
  int GameRefreshRate = 0;
  int Fast = 0, LastFlipSync = 0;
  int SlowMotion = 0;
  float SlowMotionSpeed = 0.25f;
  float CurrentSpeed = 1.0f;
  int WindowHandle = 0;
  int WindowX = 0, WindowY = 0;
  int ClientX = 0, ClientY = 0;
  float ScrollX = 0, ScrollY = 0;
  int VSync = 1;
  int LagFix = 0;
  int NoTiming = 0, NoTimingTicks = 1;
  int Driver = 0;
  std::string DirectXVersion;
  int DesktopWidth = 0, DesktopHeight = 0;
  int FullScreenProcess = 0, FullScreenThread = 0, WindowedProcess = 0, WindowedThread = 0;

  // ---- screens and fades (screens live for the whole program; these are
  // references to them)
  TScreen* CurrentTScreen = nullptr;
  TScreen* DestinationTScreen = nullptr;
  TScreen* LastTScreen = nullptr;
  int FadeOnExit = 1;
  int FadeMouse = 0;
  int FirstTime = 1;
  int InstantExit = 0;
  int Fade = 1;
  int NoFade = 0;
  int NoDraw = 0;
  TScreen* LoadingScreen = nullptr;  // the game's loading screen, once made
  std::unique_ptr<TScreen> ExitScreen;
  TGameFade GameFade;
  TMousePointer Mouse;

  // ---- folders
  int DataInAppBundle = 0;
  int UseCorrectPath = 1;
  std::string SubPath = "Brightmoor/My Game/";
  std::string DataPrefix;
  std::string ImagePath, SoundPath, MusicPath, SpeechPath, MenuPath, ProfilePath, TextPath,
      LevelsPath;

  // ---- audio
  int Sound = 1, Music = 1, Speech = 1;
  int SoundVolume = 100, MusicVolume = 100, SpeechVolume = 100;
  plat::TSoundPtr MusicSample;
  plat::TChannelPtr MusicChannel;
  std::string MusicFileName = "none", MusicName = "none";
  int MusicLooped = 1;
  int MusicRestart = 1;
  int MusicStopped = 0;
  float MusicFadeIn = 50.0f, MusicFadeInCounter = 0;
  float MusicFadeOut = 1000.0f, MusicFadeOutCounter = 0;
  float PauseFadeLength = 100.0f, PauseFadeCounter = 0;
  int PauseFadeDirection = 0;
  plat::TChannelPtr SpecialChannel;
  int FadeMusic = 1;
  std::shared_ptr<TGameSound> EscapeSound;
  plat::TChannelPtr EscapeChannel;
  std::string SoundDriver = "FreeAudio";
  std::shared_ptr<TChannelArray> Channels;
  plat::TChannelPtr SpeechChannel;
  int SpeechStopped = 0;
  int PausedMusicState = 1, PausedSpeechState = 1;

  // ---- pause, suspension, keys and hooks
  std::shared_ptr<TDrawable> SpritePaused;
  int Particles = 80;
  int PortalSplash = 0, PortalSplash2 = 0, IntroShow = 0;
  int Paused = 0;
  int DimWhenPaused = 1;
  int PauseOnLossOfFocus = 0;
  int Suspended = 0;
  int BlockKeys = 0;
  int MaxLevels = 10;
  int TerminatedEvent = 0;
  std::function<int()> TerminatedUserFunction;
  int SuspendedEvent = 0;
  int IgnoreFrameworkKeys = 0, IgnorePauseKey = 0, IgnoreDebugKey = 0;
  std::string OSVersion = "Mac OSX";
  std::function<int()> PausedUserFunction, UserSuspendFunction, UserResumeFunction;
  TFixedRateLogic FixedRateLogic;
  TFrameSchedule FrameSchedule;
  std::shared_ptr<TProfile> CurrentProfile;
  std::string ProfileName;
  int Region = 0, SubRegion = 0;

  // ---- measurement and debugging (the overlay is never shown)
  int Debug = 0;
  plat::TFontPtr DebugImageFont;
  int DebugImageFontGap = 12;
  int DebugShadow = 1;
  int DebugShowFPSOnly = 0;
  float DebugPanel = 0.4f;
  int Debug1 = 0, Debug2 = 0, Debug3 = 0, Debug4 = 0;
  int DebugDisplayX = 0, DebugDisplayY = 0;
  TDebugVar LogicTime, DrawTime, CodeTime;
  TFPSCounter FPS;
  int GraphicPlacement = 0, gpX = 0, gpY = 0;

 protected:
  int LogicStep(bool withGrace, bool withClickTracker);
  void EscapeKey();
  // The exit fade runs, or has ended on the exit screen.
  bool ExitUnderWay() const;
  void StartExitFade(int lengthMs, plat::TChannelPtr channel);
  // A stored setting changed: write the settings (with the marker) and
  // restart the logic timer after the file work.
  void SettingChanged();
  int RunStep(double steps);
  bool StepLimitReached() const;
  std::string MarkerPath(const std::string& name) const;
  void RestoreDefaultSettings();
  void MuteForPause();
  void UnmuteAfterPause();
  void CreateSharedFolder();
  void CreateProfileFolder();
  void ChooseSoundDriver(int soundDriverChoice);
  void OpenDisplay();

 private:
  // The screen, the pause, the fade and the pointer into the back buffer.
  plat::TFrameChange DrawFrame();

  bool altEnter_ = false;        // Enter went down while Alt was held, this step
  long long announcedStep_ = 0;  // last step given to BeforeLogicStep
};
