// Composed pictures: the help page's example move and the maker's splash mark.
#pragma once

#include "Picture.h"

namespace datagen {

// A small board before and after a swap that makes a line of three.
Picture PaintHelpImage(int width, int height);
// "Talvorine Games": the studio mark shown on black before the game starts.
Picture PaintMakerLogo(int width, int height);

}  // namespace datagen
