#include "TPakFileManager.h"

#include <algorithm>

#include "TPakFile.h"
#include "TextCase.h"

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
  if (tail.size() > text.size()) return false;
  return LowerCase(text.substr(text.size() - tail.size())) == LowerCase(tail);
}

std::vector<std::string> SortedEntries(const std::string& folder) {
  std::vector<std::string> names = plat::ReadDir(folder);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::string AbsolutePath(const std::string& path, bool trailingSlash) {
  std::string full = path;
  if (full.empty() || full[0] != '/') full = plat::CurrentDir() + "/" + full;
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= full.size()) {
    size_t slash = full.find_first_of("/\\", start);
    if (slash == std::string::npos) slash = full.size();
    std::string part = full.substr(start, slash - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = slash + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += "/" + part;
  if (out.empty() || trailingSlash) out += "/";
  return out;
}

std::shared_ptr<TPakFileManager> TPakFileManager::Create(const std::string& path,
                                                         const std::string& ext) {
  auto manager = std::make_shared<TPakFileManager>();
  manager->Path = AbsolutePath(path, true);
  manager->Ext = ext;
  manager->Reload();
  return manager;
}

void TPakFileManager::Reload() {
  Map.clear();
  LoadPaks(Path, Ext);
  LoadFiles(Path);
}

int TPakFileManager::LoadPaks(const std::string& path, const std::string& ext) {
  std::string folder = AbsolutePath(path, true);
  if (plat::FileType(folder) != plat::FILETYPE_DIR) return 0;
  std::vector<std::unique_ptr<TPakFile>> paks;
  for (const std::string& name : SortedEntries(folder)) {
    std::string full = folder + name;
    if (!EndsWithNoCase(name, ext) || plat::FileType(full) != plat::FILETYPE_FILE) continue;
    if (auto pak = TPakFile::Create(full)) paks.push_back(std::move(pak));
  }
  for (const auto& pak : paks) InsertArchive(*pak);
  return 1;
}

void TPakFileManager::LoadFiles(const std::string& path) {
  LoadFolder(AbsolutePath(path, true), "");
}

void TPakFileManager::LoadFolder(const std::string& root, const std::string& relative) {
  for (const std::string& name : SortedEntries(root + relative)) {
    std::string itemName = relative + name;
    int type = plat::FileType(root + itemName);
    if (type == plat::FILETYPE_DIR) {
      LoadFolder(root, itemName + "/");
    } else if (type == plat::FILETYPE_FILE && !EndsWithNoCase(name, Ext)) {
      std::vector<uint8_t> bytes;
      plat::TStreamPtr stream = plat::ReadDiskFile(root + itemName);
      if (!stream) continue;
      bytes = stream->ReadAll();
      Insert(
          std::make_shared<TPakItem>(itemName, TPakItem::VarTypeForFile(name), std::move(bytes)));
    }
  }
}

int TPakFileManager::LoadPakFile(const std::string& path) {
  auto pak = TPakFile::Create(path);
  if (!pak) return 0;
  InsertArchive(*pak);
  return 1;
}

void TPakFileManager::InsertArchive(const TPakFile& pak) {
  for (const TPakItemPtr& item : pak.Items) Insert(item);
}

void TPakFileManager::Insert(const TPakItemPtr& item) { Map[LowerCase(item->Name)] = item; }

TPakItemPtr TPakFileManager::GetItem(const std::string& name) const {
  auto it = Map.find(LowerCase(name));
  return it == Map.end() ? nullptr : it->second;
}

std::vector<uint8_t> TPakFileManager::GetBinary(const std::string& name) const {
  auto item = GetItem(name);
  return item ? item->GetBinary() : std::vector<uint8_t>();
}

std::string TPakFileManager::GetString(const std::string& name) const {
  auto item = GetItem(name);
  return item ? item->GetString() : std::string();
}

const std::vector<uint8_t>& TPakFileManager::GetBank(const std::string& name) const {
  static const std::vector<uint8_t> kEmpty;
  auto item = GetItem(name);
  return item ? item->GetBank() : kEmpty;
}

plat::TStreamPtr TPakFileManager::GetStream(const std::string& name) const {
  auto item = GetItem(name);
  return item ? item->GetStream() : nullptr;
}

std::string TPakFileManager::GetText(const std::string& name) const {
  auto item = GetItem(name);
  return item ? item->GetText() : std::string();
}

std::shared_ptr<plat::TPixmap> TPakFileManager::GetPixmap(const std::string& name) const {
  auto item = GetItem(name);
  return item ? item->GetPixmap() : nullptr;
}

plat::TImagePtr TPakFileManager::GetImage(const std::string& name, int flags) const {
  auto item = GetItem(name);
  if (!item) return nullptr;
  plat::TImagePtr image = item->GetImage(flags);
  // It changes picture set as one loaded from its file does.
  plat::SetImageSource(image, Path + name);
  return image;
}

plat::TImagePtr TPakFileManager::GetAnimImage(const std::string& name, int frameWidth,
                                              int frameHeight, int firstFrame, int frameCount,
                                              int flags) const {
  auto item = GetItem(name);
  return item ? item->GetAnimImage(frameWidth, frameHeight, firstFrame, frameCount, flags)
              : nullptr;
}

plat::TFontPtr TPakFileManager::GetImageFont(const std::string& name, int size, int style) const {
  auto item = GetItem(name);
  return item ? item->GetImageFont(size, style) : nullptr;
}

plat::TSoundPtr TPakFileManager::GetSound(const std::string& name, int flags) const {
  auto item = GetItem(name);
  return item ? item->GetSound(flags) : nullptr;
}

plat::TSoundPtr TPakFileManager::GetAudioSample(const std::string& name) const {
  auto item = GetItem(name);
  return item ? item->GetAudioSample() : nullptr;
}
