// A player's best results on the standard levels: "<player>b.ini" in the
// profile folder, one line a level, "001=stars,score,ms,moves": the most
// stars, the highest score, the shortest playing time and the fewest moves
// of any win (each on its own; 0 stars or 0 moves: none earned or not
// counted, as a win of a saved game that kept no count). The completion
// record "<player>s.ini" stays as it is beside it. The game screen records,
// the level selection and the end panel show. Draws nothing.
#pragma once

#include <string>
#include <vector>

#include "TIniFile.h"

struct TLevelBest {
  int Stars = 0;
  int Score = 0;
  int Ms = 0;     // 0: no time
  int Moves = 0;  // 0: not counted
  bool operator==(const TLevelBest&) const = default;
};

class TLevelBests {
 public:
  explicit TLevelBests(std::string path) : Path(std::move(path)) {}
  // The file of the player in the profile folder: relaxed, or against the
  // clock ("<player>~b.ini").
  static TLevelBests OfPlayer(const std::string& player, bool clock = false);

  // Reads the file; a missing or unreadable file holds no bests.
  void Load();
  // The bests of a level (a path or a bare name); false when it has none.
  bool Find(const std::string& level, TLevelBest& best) const;
  // Takes a win into the level's bests: the file is read again, the line
  // replaced or added, and the whole file written atomically. `before` gets
  // the bests as they were (all 0 when there were none). False when it
  // cannot be written (the file on disk is then unchanged).
  bool Record(const std::string& level, const TLevelBest& win, TLevelBest* before = nullptr);
  // The bests of an earlier best and a new win, field by field.
  static TLevelBest Merge(const TLevelBest& best, const TLevelBest& win);
  // "stars,score,ms,moves", and back (false when the value does not read).
  static std::string ValueText(const TLevelBest& best);
  static bool ParseValue(const std::string& value, TLevelBest& best);

  std::string Path;
  std::vector<TIniLine> Lines;
};
