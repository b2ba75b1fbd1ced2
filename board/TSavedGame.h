// The saved-game file: a header, the elapsed playing time, the shown score,
// then ten blocks of 12 rows of 16 digits after a "-" line each: the first
// deal's jewels, layout kinds, chains, create and fill marks, then the same
// five for the board at saving time. Reads and writes only; draws nothing.
#pragma once

#include <string>

class TCellBox;

class TSavedGame {
 public:
  static constexpr const char* Header = "Cavernglow Savegame";
  static constexpr const char* Extension = ".save";
  static constexpr int Lines = 133;

  // Writes the file atomically: 1, or 0 (the old file is kept).
  static int Write(const std::string& path, int elapsedMs, int score, const TCellBox& firstDeal,
                   const TCellBox& current);
  // Reads the file into two cleared boards: 1, or 0 when it cannot be
  // opened or ends before the last row of the board at saving time. A
  // damaged file is read as far as it goes: unreadable characters count as
  // 0, and values no board can hold (a jewel colour above 6, a kind above 2,
  // a jewel outside the layout) are dropped.
  static int Read(const std::string& path, int& elapsedMs, int& score, TCellBox& firstDeal,
                  TCellBox& current);

  // Reads only the shown score (for the list of saves): 1, or 0 when the
  // file cannot be opened or is no saved game.
  static int ReadScore(const std::string& path, int& score);

  // A name the player typed for a file in the profile folder: not empty,
  // not "." or "..", and no folder separator, so that it cannot lead
  // elsewhere. `path` is the folder + the name; the part after `folder` is
  // checked (after the last separator when the path does not start with it).
  static bool IsSafePlayerFile(const std::string& path, const std::string& folder);
};
