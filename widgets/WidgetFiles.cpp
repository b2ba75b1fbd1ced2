#include "WidgetFiles.h"

#include "GameResources.h"
#include "TChannelArray.h"
#include "TSoundBank.h"
#include "TTalvorineGame.h"
#include "TextCase.h"

TGameSoundPtr LoadWidgetSound(const std::string& name) {
  if (name.empty()) return nullptr;
  // Start-up loaded the interface's sounds into the bank from the same
  // folder: every menu and dialog shares them instead of reading the file.
  if (SoundBank) {
    auto found = SoundBank->Map.find(UpperCase(name));
    if (found != SoundBank->Map.end()) return found->second;
  }
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
