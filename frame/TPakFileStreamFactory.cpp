#include "TPakFileStreamFactory.h"

#include "TPakFileManager.h"

namespace {

const std::string kSeparator = "::";

}  // namespace

plat::TStreamPtr TPakFileStreamFactory::CreateStream(const std::string& /*url*/,
                                                     const std::string& protocol,
                                                     const std::string& path, bool readable,
                                                     bool writeable) const {
  if (protocol != Protocoll || !readable || writeable || !PakMan) return nullptr;
  return PakMan->GetStream(path);
}

plat::TStreamPtr TPakFileStreamFactory::Open(const std::string& url) const {
  size_t sep = url.find(kSeparator);
  if (sep == std::string::npos) return OpenInFolder(url);
  return CreateStream(url, url.substr(0, sep), url.substr(sep + kSeparator.size()), true, false);
}

plat::TStreamPtr TPakFileStreamFactory::OpenInFolder(const std::string& url) const {
  if (!PakMan || url.empty()) return nullptr;
  // A file on the disk always wins over the archive's copy.
  if (plat::FileType(url) == plat::FILETYPE_FILE) return nullptr;
  std::string full = AbsolutePath(url, false);
  const std::string& folder = PakMan->Path;
  if (full.size() <= folder.size() || full.compare(0, folder.size(), folder) != 0) return nullptr;
  return PakMan->GetStream(full.substr(folder.size()));
}

std::shared_ptr<TPakFileStreamFactory> RegisterPakProtocol(std::shared_ptr<TPakFileManager> manager,
                                                           const std::string& protocol) {
  if (!manager) {
    plat::SetStreamFactory(nullptr);
    return nullptr;
  }
  auto factory = std::make_shared<TPakFileStreamFactory>();
  factory->PakMan = std::move(manager);
  factory->Protocoll = protocol;
  plat::SetStreamFactory([factory](const std::string& url) { return factory->Open(url); });
  return factory;
}
