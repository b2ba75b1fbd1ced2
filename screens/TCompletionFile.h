// The levels a player has finished: "<player>s.ini" for the standard levels
// and "<player>c.ini" for the custom ones, in the profile folder, one line
// KEY=1 per finished level (the key is the layout's file name without folder
// and extension, upper case). The game screen records, the level selection
// reads. Draws nothing.
#pragma once

#include <string>
#include <vector>

#include "TIniFile.h"

class TCompletionFile {
 public:
  explicit TCompletionFile(std::string path) : Path(std::move(path)) {}

  // Reads the file; a missing or unreadable file is an empty record.
  void Load();
  // 1 when the level (a path or a bare name) is recorded as finished.
  int IsCompleted(const std::string& level) const;
  // Records the level as finished: the file is read again, the level's line
  // replaced or added, and the whole file written atomically. False when
  // it cannot be written (the record on disk is then unchanged).
  bool MarkCompleted(const std::string& level);

  // The key of a level: its file name without folder and extension, upper
  // case.
  static std::string KeyOf(const std::string& level);

  std::string Path;
  std::vector<TIniLine> Lines;
};
