// The wall tiles around a board's shape. Each tile's name says which of its
// sides and outside corners border playing cells; the tile draws a rock rim
// along exactly those, from one shared distance field and one texture that
// repeats every cell, so any two tiles that meet continue each other.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Picture.h"

namespace datagen {

enum WallFlag : unsigned {
  kWallL = 1u << 0,
  kWallR = 1u << 1,
  kWallT = 1u << 2,
  kWallB = 1u << 3,
  kInNW = 1u << 4,
  kInNE = 1u << 5,
  kInSW = 1u << 6,
  kInSE = 1u << 7,
  kOutNW = 1u << 8,
  kOutNE = 1u << 9,
  kOutSW = 1u << 10,
  kOutSE = 1u << 11,
};

struct WallRule {
  unsigned required;       // every flag must be set for the rule to apply
  std::string tile;        // "wall-..." without extension
  std::string decoration;  // "" when the rule places none
};

// The game's 46 rules, first match wins.
const std::vector<WallRule>& WallRules();
// Index of the first rule whose flags are all in `flags`, or -1.
int ChooseWallRule(unsigned flags);

// An 18 x 14 layout: 0 empty (wall), 1 normal, 2 marble.
constexpr int kBoardWidth = 18, kBoardHeight = 14;
using BoardLayout = std::array<std::array<int, kBoardWidth>, kBoardHeight>;  // [y][x]
unsigned WallFlagsAt(const BoardLayout& layout, int x, int y);

// The wall tile with exactly these side and outside-corner flags.
Picture PaintWall(unsigned flags);
// The ornament laid over the tile of `rule` (one with a decoration).
Picture PaintWallDecoration(const WallRule& rule);

}  // namespace datagen
