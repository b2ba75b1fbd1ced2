#include "TDensePictures.h"

#include <stdexcept>

#include "TPakFile.h"
#include "TPakFileManager.h"
#include "TextCase.h"

TDensePictures::TDensePictures(std::string root) : root_(AbsolutePath(root, true)) {}

plat::TStreamPtr TDensePictures::Open(const std::string& path) {
  if (!read_) {
    read_ = true;
    try {
      if (auto pak = TPakFile::Create(root_ + kArchive))
        for (const TPakItemPtr& item : pak->Items) items_[LowerCase(item->Name)] = item;
    } catch (const std::runtime_error&) {
      // A damaged copy of the art is no reason to stop: the pictures serve.
      items_.clear();
    }
  }
  std::string full = AbsolutePath(path, false);
  if (items_.empty() || full.compare(0, root_.size(), root_) != 0) return nullptr;
  auto it = items_.find(LowerCase(full.substr(root_.size())));
  return it == items_.end() ? nullptr : it->second->GetStream();
}

void TDensePictures::Install(const std::string& root) {
  auto pictures = std::make_shared<TDensePictures>(root);
  plat::SetDensePictureSource([pictures](const std::string& path) { return pictures->Open(path); });
}
