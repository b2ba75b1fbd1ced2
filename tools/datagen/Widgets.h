// Small interface pieces: bars, the volume slider, the completion mark, the
// stars and the mouse pointer.
#pragma once

#include "Picture.h"

namespace datagen {

enum class BarLook { Empty, Full, Final, Urgent };

// Progress and loading bars: an empty trough, or the same trough filled with
// crystal light (the game reveals the filled look from the left).
Picture PaintBar(int width, int height, BarLook look);
// The slider's track: usable between 22 pixels from either end.
Picture PaintSliderTrack(int width, int height);
Picture PaintSliderKnob(int width, int height);
Picture PaintCheck(int width, int height);
// A five-pointed star: earned (amber, glowing) or not yet (a dim outline).
Picture PaintStar(int width, int height, bool earned);
// An arrow whose tip is the top-left pixel (the pointer's hot spot).
Picture PaintPointer(int width, int height);

}  // namespace datagen
