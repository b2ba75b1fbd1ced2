// The game's icon: a crystal-glass tile holding jewels, painted at any size
// so that the window icon and the desktop's icon sizes are all sharp.
#pragma once

#include "Picture.h"

namespace datagen {

// Square icon of the given side. Small sizes (under 32) show one jewel only:
// three would blur into one another.
Picture PaintAppIcon(int size);

}  // namespace datagen
