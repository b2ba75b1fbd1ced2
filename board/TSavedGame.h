// The saved-game file: a header, the elapsed playing time, the shown score,
// then ten blocks of 12 rows of 16 digits after a "-" line each: the first
// deal's jewels, layout kinds, chains, create and fill marks, then the same
// five for the board at saving time; then one line naming the level
// ("standard 005" or "custom NAME") and one counting the player's moves
// ("moves 14"); against the clock two more, the way and the milliseconds
// left ("way clock", "remaining 43210"). Saves written before those lines
// existed end earlier: their level or their count is unknown, and they are
// played relaxed.
// Reads and writes only; draws nothing.
#pragma once

#include <string>

#include "TLevelClock.h"
#include "TPlayWay.h"

class TCellBox;

// The level a saved game was played on: the layout's file name without
// folder and extension, and whether it is one of the player's own levels.
struct TSavedLevel {
  std::string Name;  // "" = not known (a save from before the level line)
  int Custom = 0;
  bool Known() const { return !Name.empty(); }
  bool operator==(const TSavedLevel&) const = default;
};

// How a saved game is played, and the time it has left against the clock.
struct TSavedClock {
  TPlayWay Way = TPlayWay::Relaxed;
  int RemainingMs = 0;
  bool operator==(const TSavedClock&) const = default;
};

class TSavedGame {
 public:
  static constexpr const char* Header = "Cavernglow Savegame";
  // The header, time, score and ten boards; the level line follows them.
  static constexpr int Lines = 133;
  static constexpr int LevelLine = 134;
  // The move count of a save that holds none.
  static constexpr int MovesUnknown = -1;
  // A count read is kept within 0..this.
  static constexpr int MaxMoves = 1000000;
  // An elapsed time read is kept within 0..this, so that the level clock
  // can always subtract it.
  static constexpr int MaxElapsedMs = TLevelClock::MaxElapsedMs;
  static constexpr int MaxRemainingMs = TLevelClock::MaxElapsedMs;

  // Writes the file atomically: 1, or 0 (the old file is kept). An unknown
  // level writes no level line, an unknown count (below 0) no moves line,
  // a relaxed game neither the way's nor the time's.
  static int Write(const std::string& path, int elapsedMs, int score, const TCellBox& firstDeal,
                   const TCellBox& current, const TSavedLevel& level = {}, int moves = MovesUnknown,
                   const TSavedClock& clock = {});
  // Reads the file into two cleared boards: 1, or 0 when it cannot be
  // opened, is no saved game (another header, far too large), ends before
  // the last row of the board at saving time, holds a character that is no
  // digit or a value no board can hold (a jewel colour above 6, a kind
  // above 2, a mark above 1), or a board without a playing or a marble
  // cell. Jewels outside the layout are dropped. The elapsed time is kept
  // within 0..MaxElapsedMs; the level and moves lines after the boards are
  // optional (`moves` is MovesUnknown without one; `clock` relaxed without
  // both the way and the time left).
  static int Read(const std::string& path, int& elapsedMs, int& score, TCellBox& firstDeal,
                  TCellBox& current, TSavedLevel* level = nullptr, int* moves = nullptr,
                  TSavedClock* clock = nullptr);
  // Only the level line, without reading the boards (the save chooser):
  // 1, or 0 when the file cannot be opened. `level` is unknown for an old
  // save or a damaged line.
  static int ReadLevel(const std::string& path, TSavedLevel& level);
  // The level line's text, and back ("" / unknown when it names none).
  static std::string LevelLineText(const TSavedLevel& level);
  static TSavedLevel ParseLevelLine(const std::string& line);
  // The moves line's text, and back (MovesUnknown when it counts none).
  static std::string MovesLineText(int moves);
  static int ParseMovesLine(const std::string& line);
  static std::string WayLineText(TPlayWay way);
  static std::string RemainingLineText(int remainingMs);

  // Reads only the shown score (for the list of saves): 1, or 0 when the
  // file cannot be opened or is no saved game.
  static int ReadScore(const std::string& path, int& score);
};
