#include "WidgetFiles.h"

#include "TChannelArray.h"
#include "TTalvorineGame.h"

TGameSoundPtr LoadWidgetSound(const std::string& name) {
  if (name.empty()) return nullptr;
  return TGameSound::Create(Game->SoundPath + name + WidgetSoundExt);
}

int WidgetImageExists(const std::string& folder, const std::string& name) {
  return plat::FileType(folder + name + WidgetImageExt) == plat::FILETYPE_FILE ? 1 : 0;
}

TGameChannelPtr PlayWidgetSound(const TGameSoundPtr& sound) {
  if (!sound || !Game) return nullptr;
  if (Game->Channels) return Game->Channels->PlayGameSound(sound, nullptr, 1.0f, 0);
  plat::TChannelPtr channel;
  Game->GameSoundPlay(channel, sound, 0);
  return nullptr;
}
