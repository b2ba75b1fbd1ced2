// The sound effects, synthesised in one glassy, crystalline family. Each is
// normalised to peak at -3 dBFS and ramped at both ends.
#pragma once

#include "Audio.h"

namespace datagen {

constexpr double kEffectPeakDb = -3;

Audio SynthButtonClick();
Audio SynthButtonOver();
Audio SynthSwapBack();  // "buttonclick2": an exchange that makes no line
Audio SynthInvalid();   // an "invalid move" buzz
Audio SynthHint();
Audio SynthStartGame();
Audio SynthScore();  // a line breaks
Audio SynthApplause(bool big);
Audio SynthTick();  // the clock's tick in the last seconds against the clock
// The maker's splash: a shimmering chord that loops seamlessly.
Audio SynthSplash();

}  // namespace datagen
