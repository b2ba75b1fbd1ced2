// The two ambient music tracks, composed procedurally from a chord
// progression: soft pads, a low drone, a bell arpeggio and a few long
// melody notes, in a gentle reverb. Stereo, about two minutes, each ending
// in silence (the game plays them one after the other, unlooped).
#pragma once

#include "Audio.h"

namespace datagen {

constexpr double kMusicPeakDb = -2;

// track 1 or 2.
Audio ComposeMusic(int track);
// A shortened rendering of the same piece (tests: every part of the
// arrangement in a few seconds).
Audio ComposeMusicExcerpt(int track, int bars);

}  // namespace datagen
