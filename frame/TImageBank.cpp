#include "TImageBank.h"

#include "GameResources.h"
#include "Globals.h"
#include "TextCase.h"

std::string WithTrailingSlash(const std::string& path) {
  if (!path.empty() && (path.back() == '/' || path.back() == '\\')) return path;
  return path + "/";
}

std::string BankFilePath(const std::string& path, const std::string& file, const std::string& ext) {
  std::string own = FileExtension(file);
  return path + StripExtension(file) + (own.empty() ? ext : "." + own);
}

void TImageBank::SetPath(const std::string& path) { Path = WithTrailingSlash(path); }

std::string TImageBank::FullPath(const std::string& file) const {
  return BankFilePath(Path, file, Ext);
}

TGameImagePtr TImageBank::Load(const std::string& file, const std::string& name, int flags,
                               int mid) {
  auto image = TGameImage::Create(FullPath(file), flags, mid);
  if (!name.empty()) image->name = UpperCase(name);
  Insert(image);
  return image;
}

TGameImagePtr TImageBank::LoadNoMid(const std::string& file, const std::string& name, int flags) {
  return Load(file, name, flags, 0);
}

TGameImagePtr TImageBank::LoadAnim(const std::string& file, int frameWidth, int frameHeight,
                                   int firstFrame, int frameCount, int flags, int mid) {
  auto image = std::make_shared<TGameImage>();
  image->LoadAnim(FullPath(file), frameWidth, frameHeight, firstFrame, frameCount, flags, mid);
  Insert(image);
  return image;
}

void TImageBank::Insert(const TGameImagePtr& image) { Map[image->name] = image; }

TGameImagePtr TImageBank::Find(const std::string& name) const {
  return FindInBank(Map, name, "Image", "was Not found in the ImageBank");
}

plat::TImagePtr TImageBank::FindTImage(const std::string& name) const {
  auto it = Map.find(UpperCase(name));
  return it == Map.end() ? nullptr : it->second->image;
}

void TImageBank::Precache() {
  for (auto& entry : Map) entry.second->Precache();
}

int TImageBank::CalcRAM() const {
  int total = 0;
  for (const auto& entry : Map) total += entry.second->CalcRAM();
  return total;
}

int TImageBank::CalcVRAM() const {
  int total = 0;
  for (const auto& entry : Map) total += entry.second->CalcVRAM();
  return total;
}

TGameImagePtr AddImageToBank(plat::TImagePtr image, const std::string& name, int mid,
                             TImageBank* bank) {
  if (!bank) bank = InterfaceImageBank.get();
  auto entry = TGameImage::CreateFromImage(std::move(image), name, mid);
  if (bank) bank->Insert(entry);
  return entry;
}
