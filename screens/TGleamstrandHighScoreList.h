// The ten best scores of the installation and their file: the 4 bytes
// "GSU8", then the entries best first, each the name's UTF-8 bytes shifted
// by NameShift, a 0 byte and the score as a little-endian 32-bit integer. A
// file without the mark, from an earlier version, holds its names in
// Latin-1 (one byte a character) and reads as exactly those names. Draws
// nothing; the high-score screen and the game screen show it.
#pragma once

#include <string>
#include <vector>

class TGleamstrandHighScore {
 public:
  std::string name;
  int score = 0;
};

class TGleamstrandHighScoreList {
 public:
  static constexpr int numPositions = 10;
  // Added to every name character on writing. 256 - NameShift is the
  // Escape character, which no name prompt lets through, so no character of
  // a typed name is ever written as the terminating 0.
  // Byte 27 is no part of UTF-8 text but that character either.
  static constexpr int NameShift = 229;
  static constexpr char kUtf8Mark[4] = {'G', 'S', 'U', '8'};

  // An empty table over the profile folder's name + ".hsdat".
  static TGleamstrandHighScoreList Create(const std::string& name, int maxNameLength);

  void Add(const std::string& name, int score);
  // Places the entry before the first lower score (equal scores stay
  // above) and keeps ten. 0 when it falls off the end of a full table.
  int Insert(const std::string& name, int score);
  // Reads the file; a missing file gives the default table (written at
  // once). A damaged file yields the entries read before the damage, the
  // default table when not even one entry survives.
  void Load();
  // Writes the table atomically. 0 when it cannot be written (the old file
  // stays as it was).
  int Save() const;
  // The ten default entries named by the game texts "Highscore Name 1" to
  // "Highscore Name 10", 200 down to 10; then saved.
  void CreateDefault();
  // count entries "Empty" with 0; then saved.
  void Zero(int count);
  // The place 1..10 the score would take, 0 for none. Equal scores rank
  // below the ones already there.
  int GetPosition(int score) const;

  std::vector<TGleamstrandHighScore> Entries;
  std::string filepath;
  int MaxNameLength = 10;  // characters
};
