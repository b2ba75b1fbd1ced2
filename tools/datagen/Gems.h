// The six jewels: faceted gems, each colour with its own silhouette so that
// they stay apart without colour vision. The game turns a jewel by half a
// turn for every row it falls, so every picture, shape and light, is the
// same after a half turn.
#pragma once

#include "Picture.h"

namespace datagen {

constexpr int kCellSize = 36;

// colour 1 red round brilliant, 2 green emerald-cut octagon, 3 blue rhombus,
// 4 yellow four-pointed star, 5 purple hexagon, 6 white-cyan princess square.
// size is the picture's side (36 in the game; other sizes for illustrations).
Picture PaintJewel(int colour, int size = kCellSize);

}  // namespace datagen
