// The pictures painted at twice their size ("data/data2x.pak"): the copy of
// a picture file for a back buffer at scale 2. The archive's table is read
// when the first such copy is asked for and each copy when it is asked for,
// so a game drawn at scale 1 never reads it and one at scale 2 holds only
// the pictures it shows.
#pragma once

#include <map>
#include <string>

#include "Platform.h"
#include "TPakFile.h"

class TDensePictures {
 public:
  // `root` is the game's data folder; the archive's items are named by their
  // files' paths below it, in lower case. `resources` is the resource
  // archive's folder: a loose file there replaces an archive item at every
  // scale, so its copy here is not taken.
  TDensePictures(std::string root, std::string resources);
  // The copy of a picture file, null when the archive has none.
  plat::TStreamPtr Open(const std::string& path);
  // Makes the platform look here for its pictures' dense copies.
  static void Install(const std::string& root, const std::string& resources);

  static constexpr const char* kArchive = "data/data2x.pak";

 private:
  std::string root_;       // absolute, ending in "/"
  std::string resources_;  // the same
  bool read_ = false;
  plat::TStreamPtr file_;
  std::map<std::string, TTableItem> items_;
};
