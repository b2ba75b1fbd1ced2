// Lets the stream layer open archive items: "pak::name" addresses an item by
// name, and a plain path into the resource folder finds the item when no
// loose file of that name is on the disk.
#pragma once

#include <memory>
#include <string>

#include "Platform.h"

class TPakFileManager;

class TPakFileStreamFactory {
 public:
  std::shared_ptr<TPakFileManager> PakMan;
  std::string Protocoll;

  // Null when the request is not for this factory or names no item.
  plat::TStreamPtr CreateStream(const std::string& url, const std::string& protocol,
                                const std::string& path, bool readable, bool writeable) const;
  // The stream layer's entry: splits "protocol::path" and asks CreateStream.
  plat::TStreamPtr Open(const std::string& url) const;

 private:
  plat::TStreamPtr OpenInFolder(const std::string& url) const;
};

// Installs a factory for the manager as the stream layer's hook (null
// removes the hook) and returns it.
std::shared_ptr<TPakFileStreamFactory> RegisterPakProtocol(std::shared_ptr<TPakFileManager> manager,
                                                           const std::string& protocol);
