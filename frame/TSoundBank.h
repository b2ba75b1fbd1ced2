// Sounds by upper-case name, loaded from one folder.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "TGameSound.h"

class TSoundBank {
 public:
  std::map<std::string, TGameSoundPtr> Map;
  std::string Path;
  std::string Ext = ".wav";

  void SetPath(const std::string& path);
  // Loads Path + file (with Ext when the file has no extension) under the
  // upper-cased name, or the file's own name when name is empty.
  TGameSoundPtr Load(const std::string& file, float pitch = 1.0f, float volume = 1.0f,
                     const std::string& name = "", int flags = 0);
  // A missing name is a fatal error.
  TGameSoundPtr Find(const std::string& name) const;
};
