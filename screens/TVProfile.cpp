#include "TVProfile.h"

#include "TProfileStore.h"
#include "TTalvorineGame.h"

std::shared_ptr<TVProfile> TVProfile::Create(const std::string& name) {
  auto profile = std::make_shared<TVProfile>();
  profile->Init(name);
  // Only the name is stored: the file's existence is the whole record.
  TVProfile* self = profile.get();
  profile->SaveFunction = [self] { return TProfileStore().Write(self->Name) ? 1 : 0; };
  profile->LoadFunction = [self] {
    if (TProfileStore().Read(self->Name)) return 1;
    self->Save();
    return 0;
  };
  return profile;
}

int TVProfile::Save() { return SaveFunction ? SaveFunction() : 0; }

int TVProfile::Load() { return LoadFunction ? LoadFunction() : 0; }

int SelectPlayer(const std::string& name) {
  TProfileStore store;
  // The file first, so that a name that cannot be stored changes nothing.
  if (!store.Read(name) && !store.Write(name)) return 0;
  Game->ProfileName = name;
  auto profile = TVProfile::Create(name);
  profile->Load();
  Game->CurrentProfile = profile;
  Game->IniUpdate(1);
  return 1;
}

std::string CurrentPlayerName() {
  if (Game && Game->CurrentProfile && !Game->CurrentProfile->Name.empty()) {
    return Game->CurrentProfile->Name;
  }
  return "Player";
}
