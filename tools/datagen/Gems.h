// The six jewels: faceted gems, each colour with its own silhouette so that
// they stay apart without colour vision, shaded evenly enough to read right
// when the game turns them upside down while they fall.
#pragma once

#include "Picture.h"

namespace datagen {

constexpr int kCellSize = 36;

// colour 1 red round brilliant, 2 green emerald-cut octagon, 3 blue rhombus,
// 4 yellow trillion triangle, 5 purple hexagon, 6 white-cyan princess square.
// size is the picture's side (36 in the game; other sizes for illustrations).
Picture PaintJewel(int colour, int size = kCellSize);

}  // namespace datagen
