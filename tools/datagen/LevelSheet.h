// The review sheet of the standard levels: every layout file of a folder as
// a small board inside its walls, with the editor's marks (chains, create
// cells, cells that start empty) and each level's counts, eight to a row
// like the pages of the level selection. Never loaded by the game.
#pragma once

#include <string>
#include <vector>

#include "Picture.h"
#include "Review.h"
#include "Walls.h"

namespace datagen {

struct LevelFile {
  std::string name;                                   // file name without extension ("001")
  BoardLayout contents{}, chain{}, create{}, fill{};  // [y][x], border ring 0
};

// Reads a layout file as the game reads it; throws when it cannot be opened.
LevelFile ReadLevelFile(const std::string& path);
// Every ".layout" file of the folder, sorted by name.
std::vector<LevelFile> ReadLevelFolder(const std::string& folder);

Picture LevelSheet(const std::vector<LevelFile>& levels, const PictureLookup& pictures);

// The sheet of a folder, painting just the cell and wall pictures it needs
// (the font folder must be set for the labels).
Picture LevelSheetOfFolder(const std::string& folder);

}  // namespace datagen
