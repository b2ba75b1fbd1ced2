// Particle images, white and grey on transparent (the game tints them):
// the nine-frame strip of the jewel bursts, the pointer's sparkle and the
// firework spark.
#pragma once

#include "Picture.h"

namespace datagen {

constexpr int kParticleFrame = 128;
constexpr int kParticleFrames = 9;

// Frames left to right: spark, star, soft orb, ring, shard, flare, smoke
// puff, glint, dot.
Picture PaintParticleStrip(int width, int height);
Picture PaintParticleFrame(int frame, int size);
Picture PaintSparkle(int width, int height);
Picture PaintFireworkSpark(int width, int height);

}  // namespace datagen
