// Where the controls find their files: images by folder + name + ".png",
// sounds in the game's sound folder + name + ".wav".
#pragma once

#include <string>

#include "TGameChannel.h"
#include "TGameSound.h"

inline const std::string WidgetImageExt = ".png";
inline const std::string WidgetSoundExt = ".wav";

// The sound of the game's sound folder + name + WidgetSoundExt (a file that
// does not load is a fatal error), shared with the sound bank when it holds
// it; none for "".
TGameSoundPtr LoadWidgetSound(const std::string& name);
// 1 when folder + name + WidgetImageExt exists (letter case aside).
int WidgetImageExists(const std::string& folder, const std::string& name);
// Plays a sound at volume 1 on the game's shared channel array (returning
// its channel) or, without one, on a channel of its own (returning null).
TGameChannelPtr PlayWidgetSound(const TGameSoundPtr& sound);
