// How the autoplay bot picks its next move: only from the moves the mode
// lists for the settled board, judged by what a player sees (the jewels'
// colours and which cells are still marble). Moves that put a line over
// marble cells come first, then moves whose lines lie nearest to a marble
// cell still left (they bring fresh jewels next to it, which matters most at
// the foot of a narrow shaft), then moves low on the board (they leave more
// jewels above to fall into cascades); ties are broken by the bot's own
// seeded random source, so a run can be repeated.
#pragma once

#include <cstdint>
#include <optional>
#include <random>

#include "TMatch3Hint.h"

class TCellBox;

struct TAutoPlayMove {
  // Grid positions of the jewel clicked first and of its neighbour.
  int X1 = -1, Y1 = -1, X2 = -1, Y2 = -1;
  // Marble cells under the lines the exchange would make.
  int Marbles = 0;
  // Steps from those lines to the nearest marble cell left (a line there
  // brings new jewels next to it).
  int Distance = 1000;
};

class TAutoPlayChoice {
 public:
  explicit TAutoPlayChoice(uint32_t seed = 1) : random_(seed) {}

  // The move to make, or none when the list is empty.
  std::optional<TAutoPlayMove> Choose(const TCellBox& board, const TMatch3HintList& hints);

 private:
  std::mt19937 random_;
};
