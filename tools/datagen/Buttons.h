// Crystal-glass buttons: a rounded, bevelled glass body with the caption in
// Carlito Bold. Every button has the same margin in all its looks, so the
// looks line up when the game swaps or scales them.
#pragma once

#include <string>

#include "Picture.h"

namespace datagen {

enum class Look { Normal, Over, Down, Disabled };
enum class Glyph { None, Left, Right, Up, Down };

struct ButtonArt {
  std::string caption;
  Glyph glyph = Glyph::None;
  bool radio = false;  // a toggle: shows an indicator, lit when `on`
  bool on = false;

  static ButtonArt Caption(const std::string& text) { return {text, Glyph::None, false, false}; }
  static ButtonArt Arrow(Glyph g) { return {"", g, false, false}; }
  static ButtonArt Toggle(const std::string& text) { return {text, Glyph::None, true, false}; }
};

Picture PaintButton(int width, int height, const ButtonArt& art, Look look);
// The pixel size of the caption in a button of that size (0 for a glyph).
double CaptionPixels(int width, int height, const ButtonArt& art);

}  // namespace datagen
