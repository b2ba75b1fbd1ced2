#include "TSoundBank.h"

#include "Globals.h"
#include "TImageBank.h"
#include "TextCase.h"

void TSoundBank::SetPath(const std::string& path) { Path = WithTrailingSlash(path); }

TGameSoundPtr TSoundBank::Load(const std::string& file, float pitch, float volume,
                               const std::string& name, int flags) {
  auto sound = TGameSound::Create(BankFilePath(Path, file, Ext), flags);
  sound->pitch = pitch;
  sound->volume = volume;
  if (!name.empty()) sound->name = UpperCase(name);
  Map[sound->name] = sound;
  return sound;
}

TGameSoundPtr TSoundBank::Find(const std::string& name) const {
  return FindInBank(Map, name, "Sound", "was not found in the SoundBank");
}
