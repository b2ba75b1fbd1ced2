#include "TTalvorineGame.h"

#include "GameResources.h"
#include "Globals.h"
#include "TChannelArray.h"
#include "TSoundBank.h"

TTalvorineGame* Game = nullptr;

namespace {
std::unique_ptr<TTalvorineGame>& GameObject() {
  static std::unique_ptr<TTalvorineGame> object;
  return object;
}
}  // namespace

TTalvorineGame& CreateGame() {
  Game = nullptr;
  GameObject() = std::make_unique<TTalvorineGame>();
  Game = GameObject().get();
  return *Game;
}

void DestroyGame() {
  Game = nullptr;
  GameObject().reset();
}

float AnimLengthFromMs(float ms) { return Game ? Game->CalcAnimLengthFromFloat(ms) : ms / 5.0f; }

int TTalvorineGame::LogicWrapper() { return LogicStep(true, true); }

int TTalvorineGame::MusicStreamLoad(const std::string& name, int flags) {
  streamSample_ = plat::LoadSound(MusicPath + name, flags | plat::SOUND_STREAM);
  return streamSample_ ? 1 : 0;
}

void TTalvorineGame::MusicStreamPlay() {
  if (!Music || !streamSample_) return;
  MusicChannel = plat::CueSound(streamSample_, MusicChannel);
  if (!MusicChannel) return;
  plat::SetChannelVolume(MusicChannel, MusicVolume / 100.0);
  plat::ResumeChannel(MusicChannel);
}

void TTalvorineGame::MusicStreamStop() {
  if (MusicChannel) plat::StopChannel(MusicChannel);
}

void TTalvorineGame::SoundStop() {
  if (!Channels) return;
  for (const TGameChannelPtr& channel : Channels->Channels) {
    channel->Kill();
    channel->Channel = plat::AllocChannel();
  }
}

int MusicStarted = 0;
int MusicRotateTrack = 1;

void MusicRotate(int force) {
  if (!Game || !MusicStarted || Game->Music != 1 || !(force || Game->MusicStopped)) return;
  if (!MusicBank) return;
  std::string track = "music" + std::to_string(MusicRotateTrack);
  Game->MusicStop();
  Game->MusicSample = MusicBank->Find(track)->sound;
  Game->MusicLooped = 0;
  Game->MusicRestart = 1;
  Game->MusicFileName = track + ".ogg";
  Game->MusicPlay(1);
  ++MusicRotateTrack;
  if (MusicRotateTrack > 2 || MusicRotateTrack <= 0) MusicRotateTrack = 1;
}
