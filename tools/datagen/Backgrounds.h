// The 800 x 600 cavern backgrounds: five moods for the game screen, the menu
// screens' backdrop and the level selection. Each keeps the area the game
// draws over (the board, the level grid) calm and dark.
#pragma once

#include "Picture.h"

namespace datagen {

enum class Scene { Blue, Teal, Violet, Amber, Green, Title, Play };

Picture PaintBackground(Scene scene, int width, int height);

}  // namespace datagen
