// The wall-tile rule table: an empty layout cell takes the tile of the first
// rule whose flags it all has. Some tiles may carry one decoration per board.
#pragma once

#include <array>
#include <cstdint>

// The twelve wall flags of an empty layout cell, as bits.
enum TWallFlag : uint16_t {
  WallFlagLeft = 1 << 0,
  WallFlagRight = 1 << 1,
  WallFlagTop = 1 << 2,
  WallFlagBottom = 1 << 3,
  WallFlagInsideNW = 1 << 4,
  WallFlagInsideNE = 1 << 5,
  WallFlagInsideSW = 1 << 6,
  WallFlagInsideSE = 1 << 7,
  WallFlagOutsideNW = 1 << 8,
  WallFlagOutsideNE = 1 << 9,
  WallFlagOutsideSW = 1 << 10,
  WallFlagOutsideSE = 1 << 11,
};

// The nine decorations, each placed at most once per wall rebuild.
enum TDecorationKind {
  DecorationKindNone = -1,
  DecorationKindFull,
  DecorationKindTopLeftRight,
  DecorationKindBottomLeftRight,
  DecorationKindLeftTopBottom,
  DecorationKindRightTopBottom,
  DecorationKindTopLeft,
  DecorationKindTopRight,
  DecorationKindBottomLeft,
  DecorationKindBottomRight,
  DecorationKindCount
};

struct TWallRule {
  int Number;         // 1..46, the order in which rules are tried
  uint16_t Required;  // every one of these flags must be set
  const char* Tile;
  const char* Decoration;  // nullptr when the tile has none
  TDecorationKind DecorationKind;
};

constexpr int WallRuleCount = 46;
extern const std::array<TWallRule, WallRuleCount> WallRules;

// The first rule whose flags are all in `flags`, or nullptr.
const TWallRule* FindWallRule(uint16_t flags);
