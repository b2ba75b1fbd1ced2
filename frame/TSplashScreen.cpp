#include "TSplashScreen.h"

#include "GameInput.h"
#include "Globals.h"
#include "StartupShots.h"
#include "StartupSteps.h"
#include "TTalvorineGame.h"

void TSplashScreen::Init(const std::string& imageFile, const std::string& soundFile, int sound,
                         int fadeSound) {
  Image = plat::LoadImage(imageFile, 0);
  if (!Image) ReportError("Error loading bitmap " + imageFile, 1);
  if (!soundFile.empty()) {
    Sample = plat::LoadSound(soundFile, fadeSound == 1 ? plat::SOUND_LOOP : 0);
    if (!Sample) ReportError("Error loading sample " + soundFile, 1);
  }
  Sound = sound;
  FadeSound = fadeSound;
  plat::FlushKeys();
  OriginalPolledInputState = GameInputPolled();
  UsePolledInput();
}

void TSplashScreen::InitTimes(float inMs, float fullMs, float outMs) {
  TimeIn = inMs;
  TimeFull = fullMs;
  TimeOut = outMs;
}

void TSplashScreen::StartSound() {
  if (Sound != 1 || !Sample) return;
  if (FadeSound == 1) {
    // Silent until the fade gives it its first volume.
    Channel = plat::CueSound(Sample);
    plat::SetChannelVolume(Channel, 0);
    plat::SetChannelRate(Channel, SampleRate);
    plat::ResumeChannel(Channel);
  } else {
    Channel = plat::PlaySound(Sample);
  }
}

int TSplashScreen::RunFades() {
  fade.Init(TimeIn, Image, FadeSound == 1 ? Channel : nullptr);
  fade.CentreImage();
  if (fade.FadeDo(0) < 0) return -1;
  SaveStartupShot("splash");
  if (fade.WaitForTime(TimeFull) < 0) return -1;
  fade.Reset();
  fade.Length = TimeOut;
  if (fade.FadeDo(1) < 0) return -1;
  fade.Zero();
  return 0;
}

int TSplashScreen::DoSplash() {
  plat::Cls();
  plat::Flip(FlipSync);
  StartSound();
  if (background) {
    fade.Background = background;
    fade.BackgroundXSpeed = BackgroundXSpeed;
    fade.BackgroundYSpeed = BackgroundYSpeed;
    fade.BackgroundZoomSpeed = BackgroundZoomSpeed;
    fade.BackgroundFadeTime = BackgroundFadeTime;
  }
  int result = RunFades();
  CleanUp();
  return result;
}

void TSplashScreen::CleanUp() {
  if (Channel) plat::StopChannel(Channel);
  plat::FlushMouse();
  plat::FlushKeys();
  if (!OriginalPolledInputState) UseEventInput();
  GameFlushKeys();
}

void ShowMakerSplash(int withSound, int withBackground) {
  TSplashScreen splash;
  const std::string& prefix = Game->DataPrefix;
  splash.Init(prefix + "data/graphics/talvorinelogo.png", prefix + "data/sound/splash.wav",
              withSound, 1);
  std::string backgroundFile = prefix + "data/graphics/splashbg.jpg";
  if (withBackground && plat::FileType(backgroundFile) == plat::FILETYPE_FILE) {
    splash.background = plat::LoadImage(backgroundFile);
    if (splash.background) plat::MidHandleImage(*splash.background);
    splash.BackgroundXSpeed = 20;
    splash.BackgroundYSpeed = 10;
    splash.BackgroundZoomSpeed = 0.02f;
    splash.BackgroundFadeTime = 250;
  }
  splash.SampleRate = 0.9f;
  splash.InitTimes(1250, 1500, 1250);
  splash.DoSplash();
}
