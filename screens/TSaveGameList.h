// The files of one extension in one folder, named without their extension
// and sorted by name: the saved games ("save") and custom layouts ("layout")
// the save-game manager offers. Draws nothing.
#pragma once

#include <string>
#include <vector>

class TSaveGameList {
 public:
  TSaveGameList(std::string directory, std::string extension)
      : Directory(std::move(directory)), Extension(std::move(extension)) {}

  // Lists the folder again: every file whose extension is exactly
  // Extension (letter case counts), sorted without regard to case. A
  // missing folder gives an empty list.
  void Fill();
  // The path of a listed name.
  std::string PathOf(const std::string& name) const {
    return Directory + name + "." + Extension;
  }
  // Deletes a listed name's file; false when it could not be deleted.
  bool Delete(const std::string& name) const;

  std::string Directory;  // ends in "/"
  std::string Extension;  // without the dot
  std::vector<std::string> Names;
};

// Sorts names by their upper case, then as they are (for a stable order of
// names that differ only in case).
void SortNames(std::vector<std::string>& names);
