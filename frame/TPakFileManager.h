// The index of every resource archive and loose file of the resource folder.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Platform.h"
#include "TPakItem.h"

class TPakFileManager {
 public:
  std::string Path;                        // absolute, ending in "/"
  std::string Ext;                         // archive extension, e.g. ".pak"
  std::map<std::string, TPakItemPtr> Map;  // keyed by lower-case item name

  // Indexes the folder at once. A damaged archive throws std::runtime_error.
  static std::shared_ptr<TPakFileManager> Create(const std::string& path, const std::string& ext);

  // Rebuilds the index: archives first, then loose files, which replace
  // archive items of the same name.
  void Reload();
  // Returns 0 when the folder cannot be read.
  int LoadPaks(const std::string& path, const std::string& ext);
  void LoadFiles(const std::string& path);
  // Returns 0 when the archive cannot be opened.
  int LoadPakFile(const std::string& path);

  TPakItemPtr GetItem(const std::string& name) const;
  std::vector<uint8_t> GetBinary(const std::string& name) const;
  std::string GetString(const std::string& name) const;
  // Empty when the item is missing.
  const std::vector<uint8_t>& GetBank(const std::string& name) const;
  plat::TStreamPtr GetStream(const std::string& name) const;
  std::string GetText(const std::string& name) const;
  std::shared_ptr<plat::TPixmap> GetPixmap(const std::string& name) const;
  plat::TImagePtr GetImage(const std::string& name, int flags = -1) const;
  plat::TImagePtr GetAnimImage(const std::string& name, int frameWidth, int frameHeight,
                               int firstFrame, int frameCount, int flags = -1) const;
  plat::TFontPtr GetImageFont(const std::string& name, int size, int style = SMOOTHFONT) const;
  plat::TSoundPtr GetSound(const std::string& name, int flags = 0) const;
  plat::TSoundPtr GetAudioSample(const std::string& name) const;

 private:
  void Insert(const TPakItemPtr& item);
  void InsertArchive(const class TPakFile& pak);
  void LoadFolder(const std::string& root, const std::string& relative);
};

// Absolute form of a path, with "." and ".." resolved; a trailing "/" kept
// when asked for.
std::string AbsolutePath(const std::string& path, bool trailingSlash);
