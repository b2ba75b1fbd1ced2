#include "GameResources.h"

#include "TGameText.h"
#include "TImageBank.h"
#include "TPakFileManager.h"
#include "TPakFileStreamFactory.h"
#include "TSoundBank.h"

std::shared_ptr<TImageBank> InterfaceImageBank;
std::shared_ptr<TImageBank> CellImageBank;
std::shared_ptr<TImageBank> WallImageBank;
std::shared_ptr<TSoundBank> SoundBank;
std::shared_ptr<TSoundBank> MusicBank;
std::shared_ptr<TPakFileManager> PakMan;
std::shared_ptr<TGameText> GameText;
std::map<int, plat::TFontPtr> GameFonts;
plat::TImagePtr ParticleFXImage;

plat::TFontPtr GameFont(int size) {
  auto it = GameFonts.find(size);
  return it == GameFonts.end() ? nullptr : it->second;
}

void CreateBanks() {
  for (auto* bank : {&InterfaceImageBank, &CellImageBank, &WallImageBank}) {
    if (!*bank) *bank = std::make_shared<TImageBank>();
  }
  for (auto* bank : {&SoundBank, &MusicBank}) {
    if (!*bank) *bank = std::make_shared<TSoundBank>();
  }
}

void ReleaseGameResources() {
  InterfaceImageBank.reset();
  CellImageBank.reset();
  WallImageBank.reset();
  SoundBank.reset();
  MusicBank.reset();
  if (PakMan) RegisterPakProtocol(nullptr, "");
  PakMan.reset();
  GameText.reset();
  GameFonts.clear();
  ParticleFXImage.reset();
}
