// Every file the generator writes: where it goes, its size and kind, what it
// shows, and the function that makes it. Folders are spelt as the game asks
// for them; items of the resource archive have the folder
// "data/resources/data.pak:".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Audio.h"
#include "Picture.h"

namespace datagen {

enum class Kind {
  Png,       // picture
  Jpeg,      // picture (backgrounds)
  Wav,       // sound
  Ogg,       // sound or music
  Copy,      // a committed source or system file copied as it is
  Particle,  // particle-effect file
  Archive,   // data.pak, built from the items in its pseudo-folder; data2x.pak
};

struct Entry {
  std::string folder;
  std::string name;
  Kind kind = Kind::Png;
  int width = 0, height = 0;  // pictures
  std::string shows;
  std::function<Picture(int width, int height)> paint;  // Png, Jpeg
  std::function<Audio()> sound;                         // Wav, Ogg
  bool slow = false;                                    // worth a thread of its own (music)
  std::string source;  // Copy: "text:<file>", "font:<face file>", "licence"
  int effect = 0;      // Particle: which score effect
  // Pictures with words: the key of the words in a language's picture
  // texts ("" for none), the English words, the painter of any words and
  // the pixel size it paints them at.
  std::string wordsKey;
  std::string words;
  std::function<Picture(int width, int height, const std::string& words)> paintWords;
  std::function<double(int width, int height, const std::string& words)> wordsPixels;

  std::string Path() const { return folder + name; }
  bool InArchive() const { return folder == kArchiveFolder; }
  bool IsPicture() const { return kind == Kind::Png || kind == Kind::Jpeg; }
  bool HasWords() const { return !wordsKey.empty(); }

  static inline const std::string kArchiveFolder = "data/resources/data.pak:";
  // Every picture again, painted at twice its size, each named by its path
  // (an archive item's as if it were a loose file) in lower case.
  static inline const std::string kDenseArchive = "data/data2x.pak";
  static constexpr int kDenseScale = 2;
  // The name of a picture's copy in the dense archive.
  static std::string DenseName(const std::string& path);
};

const std::vector<Entry>& Manifest();
const Entry* FindEntry(const std::string& folder, const std::string& name);

}  // namespace datagen
