// The game object's audio state: music with its fades, the effect-channel
// pool, speech, the escape sound, and the on/off switches and volumes that
// the settings keep.
#include <algorithm>

#include "Globals.h"
#include "TChannelArray.h"
#include "TGame.h"
#include "TGameSound.h"
#include "TextCase.h"

namespace {

int ClampVolume(int volume) { return std::clamp(volume, 0, 100); }

// Resumes a channel that still holds a (paused) sound; an idle one stays idle.
void ResumeIfHeld(const plat::TChannelPtr& channel) {
  if (channel && plat::ChannelPlaying(channel)) plat::ResumeChannel(channel);
}

void PauseIfSet(const plat::TChannelPtr& channel) {
  if (channel) plat::PauseChannel(channel);
}

// (L - counter) / L over a length in logic steps; 1 for a length of none.
float FadeProgress(float lengthSteps, float counter) {
  return lengthSteps > 0 ? (lengthSteps - counter) / lengthSteps : 1.0f;
}

// Counts a fade counter down by the logic delta to 0; true while it ran.
bool CountDown(float& counter) {
  if (counter <= 0) return false;
  counter = std::max(0.0f, counter - LogicDelta);
  return true;
}

}  // namespace

// ------------------------------------------------------------------ music

void TGame::MusicLoad(const std::string& file, int loop) {
  if (Music && file != "none") {
    MusicStop();
    int flags = (loop ? plat::SOUND_LOOP : 0);
    if (LowerCase(FileExtension(file)) == "ogg") flags |= plat::SOUND_STREAM;
    MusicSample = plat::LoadSound(MusicPath + file, flags);
  }
  MusicLooped = loop;
  MusicRestart = 1;
  MusicFileName = file;
}

void TGame::MusicSet(plat::TSoundPtr sound, const std::string& file, int loop) {
  if (Music) {
    MusicStop();
    MusicSample = std::move(sound);
  }
  MusicLooped = loop;
  MusicRestart = 1;
  MusicFileName = file;
}

void TGame::MusicStop() {
  if (Music && MusicChannel && plat::ChannelPlaying(MusicChannel)) {
    plat::StopChannel(MusicChannel);
    MusicChannel = plat::AllocChannel();
  }
  MusicRestart = 1;
}

void TGame::MusicPlay(int fadeIn) {
  if (Music && MusicChannel && MusicSample) {
    MusicFadeInCounter = fadeIn == 1 ? CalcAnimLengthFromFloat(MusicFadeIn - 1) : 0;
    MusicChannel = plat::CueSound(MusicSample, MusicChannel);
    MusicFadeInApply();
    plat::ResumeChannel(MusicChannel);
    MusicRestart = 0;
    MusicStopped = 0;
  } else if (!Music) {
    MusicRestart = 1;
  }
  MusicName = MusicFileName;
}

void TGame::MusicNone() {
  MusicFileName = MusicName = "none";
  MusicRestart = 1;
}

float TGame::MusicFadeInCalc() {
  return FadeProgress(CalcAnimLengthFromFloat(MusicFadeIn), MusicFadeInCounter);
}

float TGame::MusicFadeOutCalc() {
  return FadeProgress(CalcAnimLengthFromFloat(MusicFadeOut), MusicFadeOutCounter);
}

void TGame::MusicFadeInApply() {
  float factor = MusicFadeIn == 0 ? 1.0f : MusicFadeInCalc();
  if (MusicChannel) plat::SetChannelVolume(MusicChannel, factor * MusicVolume / 100.0);
}

void TGame::MusicFadeOutApply() {
  if (MusicChannel) {
    plat::SetChannelVolume(MusicChannel, MusicVolume / 100.0 * (1.0 - MusicFadeOutCalc()));
  }
}

// The volume is touched only while a fade runs, so that the screen fade's
// control of the music channel is not overridden every step.
void TGame::MusicFadeInManage() {
  if (CountDown(MusicFadeInCounter)) MusicFadeInApply();
}

void TGame::MusicFadeOutManage() {
  if (CountDown(MusicFadeOutCounter)) MusicFadeOutApply();
}

void TGame::MusicFadeOutSet(float ms) {
  MusicFadeOut = ms;
  MusicFadeOutCounter = CalcAnimLengthFromFloat(ms);
}

void TGame::MusicSetVolume(int volume, int save) {
  MusicVolume = ClampVolume(volume);
  if (MusicChannel) plat::SetChannelVolume(MusicChannel, MusicVolume / 100.0);
  if (save == 1) SettingChanged();
}

void TGame::MusicChangeVolume(int by) { MusicSetVolume(MusicVolume + by, 1); }

void TGame::ToggleMusic() {
  if (Paused) return;
  if (Music) {
    MusicOff();
  } else {
    MusicOn();
  }
  SettingChanged();
}

int TGame::MusicOff() {
  if (MusicRestart == 1) return 0;
  Music = 0;
  PauseIfSet(MusicChannel);
  PauseIfSet(SpecialChannel);
  MusicRestart = 0;
  return 1;
}

void TGame::MusicOn() {
  if (Music == 1) return;
  Music = 1;
  if (MusicRestart == 1 || !MusicChannel) {
    MusicLoad(MusicFileName, MusicLooped);
    if (MusicName != "none") MusicPlay(1);
  } else {
    if (MusicLooped || !MusicStopped) ResumeIfHeld(MusicChannel);
    ResumeIfHeld(SpecialChannel);
  }
}

float TGame::PauseFadeCalc() {
  return FadeProgress(CalcAnimLengthFromFloat(PauseFadeLength), PauseFadeCounter);
}

void TGame::PauseFadeApply() {
  float factor = 1.0f;
  if (PauseFadeLength != 0) factor = PauseFadeDirection ? PauseFadeCalc() : 1.0f - PauseFadeCalc();
  if (MusicChannel) plat::SetChannelVolume(MusicChannel, factor * MusicVolume / 100.0);
}

void TGame::PauseFadeManage() {
  if (CountDown(PauseFadeCounter)) PauseFadeApply();
}

// ------------------------------------------------------------------ effects

void TGame::ChannelsCreate(int n) {
  Channels = TChannelArray::Create(n);
  Channels->MaxVol = float(n);
}

void TGame::ChannelsKill() {
  if (Channels) Channels->Kill();
  Channels.reset();
}

void TGame::ChangeSoundDriver(const std::string& name, int save) {
  SoundDriver = plat::SetAudioDriver(name) ? name : "None";
  IniUpdate(save);
  FixedRateLogic.Init();
}

plat::TChannelPtr TGame::SoundPlay(const plat::TSoundPtr& sound) {
  if (!Sound) return nullptr;
  return StartSound(sound, nullptr, SoundVolume / 100.0f, 0, 1);
}

void TGame::SoundPlaySameChannel(plat::TChannelPtr& channel, const plat::TSoundPtr& sound) {
  if (!Sound) return;
  channel = StartSound(sound, channel, SoundVolume / 100.0f, 0, 1);
}

void TGame::SoundPlayReturnChannel(plat::TChannelPtr& channel, const plat::TSoundPtr& sound,
                                   float rate) {
  if (!Sound) return;
  channel = StartSound(sound, nullptr, SoundVolume / 100.0f, 0, rate);
}

void TGame::GameSoundPlay(plat::TChannelPtr& channel, const std::shared_ptr<TGameSound>& gameSound,
                          float pan) {
  if (!Sound || !gameSound) return;
  float volume = SoundVolume / 100.0f * gameSound->volume;
  if (GameFade.Active) volume *= GameFade.Ratio;  // effects fade with the screen
  channel = StartSound(gameSound->sound, channel, volume, pan, gameSound->pitch);
}

void TGame::SoundSetVolume(int volume, int save) {
  SoundVolume = ClampVolume(volume);
  if (save == 1) SettingChanged();
}

void TGame::SoundChangeVolume(int by) { SoundSetVolume(SoundVolume + by, 1); }

void TGame::ToggleSound() {
  Sound = Sound ? 0 : 1;
  SettingChanged();
}

void TGame::SoundOff() { Sound = 0; }
void TGame::SoundOn() { Sound = 1; }

void TGame::StopChannels() {
  for (plat::TChannelPtr* channel : {&MusicChannel, &SpeechChannel}) {
    if (*channel) plat::StopChannel(*channel);
    *channel = plat::AllocChannel();
  }
}

void TGame::SetEscapeSound(const std::string& name) {
  // The escape sound is a nicety: without its file the Esc fade is silent.
  EscapeSound.reset();
  if (plat::TSoundPtr sound = plat::LoadSound(SoundPath + name + ".wav")) {
    EscapeSound = std::make_shared<TGameSound>();
    EscapeSound->name = UpperCase(name);
    EscapeSound->sound = std::move(sound);
  }
}

void TGame::EscapeSoundPlay() {
  if (EscapeSound) GameSoundPlay(EscapeChannel, EscapeSound, 0);
}

void TGame::GameChannelSetVolume(const std::shared_ptr<TGameChannel>& channel, float volume) {
  if (channel && channel->Channel) plat::SetChannelVolume(channel->Channel, volume);
}

void TGame::GameChannelStop(const std::shared_ptr<TGameChannel>& channel, int throughPool) {
  if (!channel) return;
  if (throughPool && Channels) {
    Channels->StopGameChannel(channel);
  } else {
    channel->Kill();
  }
}

// ------------------------------------------------------------------ speech

void TGame::SpeechStop() {
  if (SpeechChannel && plat::ChannelPlaying(SpeechChannel)) {
    plat::StopChannel(SpeechChannel);
    SpeechChannel = plat::AllocChannel();
  }
}

void TGame::SpeechPlay(const std::shared_ptr<TGameSound>& gameSound, int interrupt) {
  if (!Speech || !SpeechChannel || !gameSound) return;
  if (plat::ChannelPlaying(SpeechChannel) && interrupt == 0) return;
  SpeechChannel =
      StartSound(gameSound->sound, SpeechChannel, SpeechVolume / 100.0f, 0, gameSound->pitch);
  SpeechStopped = 0;
}

void TGame::SpeechSetVolume(int volume, int save) {
  SpeechVolume = ClampVolume(volume);
  if (SpeechChannel) plat::SetChannelVolume(SpeechChannel, SpeechVolume / 100.0);
  if (save == 1) SettingChanged();
}

void TGame::SpeechChangeVolume(int by) { SpeechSetVolume(SpeechVolume + by, 1); }

void TGame::SpeechOff() {
  Speech = 0;
  PauseIfSet(SpeechChannel);
}

void TGame::SpeechOn() {
  if (Speech) return;
  Speech = 1;
  if (!SpeechStopped) ResumeIfHeld(SpeechChannel);
}
