#include "TWallRule.h"

namespace {

constexpr uint16_t L = WallFlagLeft, R = WallFlagRight, T = WallFlagTop, B = WallFlagBottom;
constexpr uint16_t iNW = WallFlagInsideNW, iNE = WallFlagInsideNE, iSW = WallFlagInsideSW,
                   iSE = WallFlagInsideSE;
constexpr uint16_t oNW = WallFlagOutsideNW, oNE = WallFlagOutsideNE, oSW = WallFlagOutsideSW,
                   oSE = WallFlagOutsideSE;
constexpr TDecorationKind None = DecorationKindNone;

}  // namespace

const std::array<TWallRule, WallRuleCount> WallRules = {{
    {1, L | R | T | B | iNW | iNE | iSW | iSE, "wall-full", "wall-fulldecoration",
     DecorationKindFull},
    {2, L | T | B | iNW | iSW, "wall-lefttopbottom", "wall-lefttopbottomdecoration",
     DecorationKindLeftTopBottom},
    {3, R | T | B | iNE | iSE, "wall-righttopbottom", "wall-righttopbottomdecoration",
     DecorationKindRightTopBottom},
    {4, L | R | T | iNW | iNE, "wall-topleftright", "wall-topleftrightdecoration",
     DecorationKindTopLeftRight},
    {5, L | R | B | iSW | iSE, "wall-bottomleftright", "wall-bottomleftrightdecoration",
     DecorationKindBottomLeftRight},
    {6, L | R, "wall-leftright", nullptr, None},
    {7, T | B, "wall-topbottom", nullptr, None},
    {8, T | L | oSE, "wall-topleftse", nullptr, None},
    {9, T | L, "wall-topleft", "wall-topleftdecoration", DecorationKindTopLeft},
    {10, T | R | oSW, "wall-toprightsw", nullptr, None},
    {11, T | R, "wall-topright", "wall-toprightdecoration", DecorationKindTopRight},
    {12, B | L | oNE, "wall-bottomleftne", nullptr, None},
    {13, B | L, "wall-bottomleft", "wall-bottomleftdecoration", DecorationKindBottomLeft},
    {14, B | R | oNW, "wall-bottomrightnw", nullptr, None},
    {15, B | R, "wall-bottomright", "wall-bottomrightdecoration", DecorationKindBottomRight},
    {16, B | oNW | oNE, "wall-bottomnwne", nullptr, None},
    {17, B | oNW, "wall-bottomnw", nullptr, None},
    {18, B | oNE, "wall-bottomne", nullptr, None},
    {19, T | oSW | oSE, "wall-topswse", nullptr, None},
    {20, T | oSW, "wall-topsw", nullptr, None},
    {21, T | oSE, "wall-topse", nullptr, None},
    {22, L | oNE | oSE, "wall-leftnese", nullptr, None},
    {23, L | oNE, "wall-leftne", nullptr, None},
    {24, L | oSE, "wall-leftse", nullptr, None},
    {25, R | oNW | oSW, "wall-rightnwsw", nullptr, None},
    {26, R | oNW, "wall-rightnw", nullptr, None},
    {27, R | oSW, "wall-rightsw", nullptr, None},
    {28, oNW | oNE | oSW | oSE, "wall-nwneswse", nullptr, None},
    {29, oNE | oSW | oSE, "wall-neswse", nullptr, None},
    {30, oNW | oNE | oSE, "wall-nwnese", nullptr, None},
    {31, oNW | oNE | oSW, "wall-nwnesw", nullptr, None},
    {32, oNW | oSW | oSE, "wall-nwswse", nullptr, None},
    {33, oNE | oSE, "wall-nese", nullptr, None},
    {34, oNE | oSW, "wall-nesw", nullptr, None},
    {35, oNW | oNE, "wall-nwne", nullptr, None},
    {36, oNW | oSE, "wall-nwse", nullptr, None},
    {37, oNW | oSW, "wall-nwsw", nullptr, None},
    {38, oSW | oSE, "wall-swse", nullptr, None},
    {39, oNW, "wall-corner-outside-nw", nullptr, None},
    {40, oNE, "wall-corner-outside-ne", nullptr, None},
    {41, oSW, "wall-corner-outside-sw", nullptr, None},
    {42, oSE, "wall-corner-outside-se", nullptr, None},
    {43, L, "wall-left", nullptr, None},
    {44, R, "wall-right", nullptr, None},
    {45, T, "wall-top", nullptr, None},
    {46, B, "wall-bottom", nullptr, None},
}};

const TWallRule* FindWallRule(uint16_t flags) {
  for (const TWallRule& rule : WallRules) {
    if ((flags & rule.Required) == rule.Required) return &rule;
  }
  return nullptr;
}
