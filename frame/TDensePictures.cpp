#include "TDensePictures.h"

#include <memory>
#include <stdexcept>

#include "TPakFileManager.h"
#include "TextCase.h"

TDensePictures::TDensePictures(std::string root, std::string resources)
    : root_(AbsolutePath(root, true)), resources_(AbsolutePath(resources, true)) {}

plat::TStreamPtr TDensePictures::Open(const std::string& path) {
  // A damaged copy of the art is no reason to stop: the pictures serve.
  if (!read_) {
    read_ = true;
    file_ = plat::ReadDiskFile(root_ + kArchive);
    try {
      if (file_)
        for (TTableItem& item : TPakFile::ReadTable(*file_)) items_[LowerCase(item.Name)] = item;
    } catch (const std::runtime_error&) {
      items_.clear();
    }
  }
  std::string full = AbsolutePath(path, false);
  if (items_.empty() || full.compare(0, root_.size(), root_) != 0) return nullptr;
  auto it = items_.find(LowerCase(full.substr(root_.size())));
  if (it == items_.end()) return nullptr;
  // The copy was painted for the resource archive's picture: a loose file
  // in its place is the player's replacement, drawn enlarged instead.
  if (full.compare(0, resources_.size(), resources_) == 0 &&
      plat::FileType(full) == plat::FILETYPE_FILE)
    return nullptr;
  try {
    return std::make_unique<plat::TMemoryStream>(TPakFile::ReadItem(*file_, it->second));
  } catch (const std::runtime_error&) {
    return nullptr;
  }
}

void TDensePictures::Install(const std::string& root, const std::string& resources) {
  auto pictures = std::make_shared<TDensePictures>(root, resources);
  plat::SetDensePictureSource([pictures](const std::string& path) { return pictures->Open(path); });
}
