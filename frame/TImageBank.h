// Images by upper-case name, loaded from one folder.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "Globals.h"
#include "TGameImage.h"
#include "TextCase.h"

class TImageBank {
 public:
  std::map<std::string, TGameImagePtr> Map;
  std::string Path;
  std::string Ext = ".png";

  void SetPath(const std::string& path);
  // Loads Path + file (with Ext when the file has no extension) under the
  // upper-cased name, or under the file's own name when name is empty. An
  // entry of the same name is replaced.
  TGameImagePtr Load(const std::string& file, const std::string& name = "", int flags = -1,
                     int mid = 1);
  TGameImagePtr LoadNoMid(const std::string& file, const std::string& name = "", int flags = -1);
  TGameImagePtr LoadAnim(const std::string& file, int frameWidth, int frameHeight, int firstFrame,
                         int frameCount, int flags = -1, int mid = 1);
  void Insert(const TGameImagePtr& image);
  // A missing name is a fatal error.
  TGameImagePtr Find(const std::string& name) const;
  // The entry's image, or null (no error).
  plat::TImagePtr FindTImage(const std::string& name) const;
  void Precache();
  int CalcRAM() const;
  int CalcVRAM() const;

 private:
  std::string FullPath(const std::string& file) const;
};

// Wraps a loaded image as an entry of the bank (the interface image bank
// when bank is null).
TGameImagePtr AddImageToBank(plat::TImagePtr image, const std::string& name, int mid,
                             TImageBank* bank = nullptr);

// The entry under the upper-cased name; a missing one is the fatal error
// kind + " '" + NAME + "' " + tail.
template <typename Entry>
std::shared_ptr<Entry> FindInBank(const std::map<std::string, std::shared_ptr<Entry>>& map,
                                  const std::string& name, const std::string& kind,
                                  const std::string& tail) {
  std::string key = UpperCase(name);
  auto it = map.find(key);
  if (it != map.end()) return it->second;
  ReportError(kind + " '" + key + "' " + tail, 1);
  return nullptr;
}

// The folder rule shared by the banks: a trailing "/" unless the path ends
// in "/" or "\".
std::string WithTrailingSlash(const std::string& path);
// Path + file without its extension + its own extension, or ext when it has
// none.
std::string BankFilePath(const std::string& path, const std::string& file, const std::string& ext);
