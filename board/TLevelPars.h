// The par of each standard level (the moves a level takes the autoplay bot,
// the median over ten seeds, rounded up), the stars a win earns against it,
// and the level's time limit against the clock. The level report writes
// "layouts/par.txt", one line a level: "NNN PAR CHECKSUM LIMIT", the checksum
// being that of the layout file par and limit were measured on, so that a
// changed layout is caught before they are wrong; the limit is in seconds.
// Reads only; draws nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TLevelPars {
 public:
  static constexpr const char* FileName = "par.txt";
  static constexpr int MaxStars = 3;

  struct TEntry {
    std::string Name;  // the layout's file name without extension ("005")
    int Par = 0;
    uint32_t Checksum = 0;
    int LimitSeconds = 0;  // 0: none measured
  };

  // Reads a par file; a missing file or a line that does not read is no
  // par. False when the file cannot be opened.
  bool Load(const std::string& path);
  // The game's own: "layouts/par.txt" beside the standard levels.
  bool LoadStandard();
  // The par of a level (a path or a bare name), 0 when it has none.
  int ParOf(const std::string& level) const;
  const TEntry* Find(const std::string& level) const;
  // The time limit of a level in seconds, 0 when it has none.
  int LimitOf(const std::string& level) const;

  // 3 at moves <= par, 2 at moves <= 2 x par, else 1; 0 (no stars) when
  // the level has no par or the moves are not known (below 0).
  static int Stars(int moves, int par);
  // The checksum of a layout file's bytes (32-bit FNV-1a).
  static uint32_t Checksum(const std::string& bytes);

  std::vector<TEntry> Entries;
};
