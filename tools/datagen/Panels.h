// Panels the game draws behind its dialogs, menus and texts, and the frames
// of the level-selection items. Dark crystal glass with a lit rim.
#pragma once

#include "Picture.h"

namespace datagen {

enum class PanelStyle {
  Dialog,    // yes/no, text input, messages, file and player managers: nearly opaque
  Menu,      // the in-game menu behind its button column
  EndLevel,  // the end-of-level panel, with a crest above its buttons
  HelpBar,   // the wide bar at the foot of the game screen
  Backdrop,  // "blackback": the dark translucent panel of the menu screens
  Plain,     // "textback": a neutral text background
};

Picture PaintPanel(int width, int height, PanelStyle style);
// A level item's frame; highlighted: the selected item, with a warm rim.
Picture PaintLevelFrame(int width, int height, bool highlighted);

}  // namespace datagen
