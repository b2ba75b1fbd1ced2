// Board cell pictures (36 x 36): the playing-cell backgrounds, which tile
// seamlessly, and the marks drawn over cells in play and in the editor.
#pragma once

#include "Picture.h"

namespace datagen {

Picture PaintCellNormal(bool mouseOver);
Picture PaintCellMarble(bool mouseOver);
Picture PaintCellChain();
Picture PaintCellCreate();
Picture PaintCellFill();
Picture PaintCellEmpty();
Picture PaintCellMarked();
Picture PaintCellHint();

}  // namespace datagen
