// The files of one extension in one folder, named without their extension
// and sorted by name: the saved games ("save") and custom layouts ("layout")
// the save-game manager offers. Draws nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Platform.h"
#include "TSavedGame.h"

class TSaveGameList {
 public:
  TSaveGameList(std::string directory, std::string extension)
      : Directory(std::move(directory)), Extension(std::move(extension)) {}

  // Lists the folder again: every file whose extension is exactly
  // Extension (letter case counts), sorted without regard to case. A
  // missing folder gives an empty list.
  void Fill();
  // What tells the listed files apart, one entry per name: when each was
  // written (seconds since 1970, -1 unknown) and, for saved games, the
  // level and the score it holds (no level for a save from before saves
  // named theirs, score -1 when it is no readable save).
  void ReadDetails();
  // The path of a listed name.
  std::string PathOf(const std::string& name) const {
    return Directory + plat::FileNameOfText(name) + "." + Extension;
  }
  // Deletes a listed name's file; false when it could not be deleted.
  bool Delete(const std::string& name) const;

  std::string Directory;  // ends in "/"
  std::string Extension;  // without the dot
  std::vector<std::string> Names;
  std::vector<int64_t> Modified;
  std::vector<int> Scores;
  std::vector<TSavedLevel> Levels;
};

// Sorts names by their upper case, then as they are (for a stable order of
// names that differ only in case).
void SortNames(std::vector<std::string>& names);
