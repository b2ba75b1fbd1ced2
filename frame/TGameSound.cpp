#include "TGameSound.h"

#include "Globals.h"
#include "TTalvorineGame.h"
#include "TextCase.h"

plat::TChannelPtr StartSound(const plat::TSoundPtr& sound, plat::TChannelPtr channel, float volume,
                             float pan, float rate) {
  if (!sound) return channel;
  if (channel && plat::ChannelPlaying(channel)) plat::SetChannelVolume(channel, 0.1);
  channel = plat::CueSound(sound, std::move(channel));
  if (!channel) return nullptr;
  plat::SetChannelVolume(channel, volume);
  plat::SetChannelPan(channel, pan);
  plat::SetChannelRate(channel, rate);
  plat::ResumeChannel(channel);
  return channel;
}

std::shared_ptr<TGameSound> TGameSound::Create(const std::string& file, int flags) {
  auto gs = std::make_shared<TGameSound>();
  gs->Load(file, flags);
  return gs;
}

void TGameSound::Load(const std::string& file, int flags) {
  name = UpperCase(FileStem(file));
  sound = plat::LoadSound(file, flags);
  if (!sound) ReportError("Error loading sample " + file, 1);
}

void TGameSound::PlayInChannel(const plat::TChannelPtr& channel, float pan) {
  float gameVolume = Game ? float(Game->SoundVolume) / 100.0f : 1.0f;
  StartSound(sound, channel, volume * gameVolume, pan, pitch);
}
