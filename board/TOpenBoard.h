// The open board of time attack and endless: a plain rectangle of playing
// cells with create cells along its top row and no marble cell. It is
// written out as a layout file would be and read by the board as any
// layout is. Draws nothing.
#pragma once

#include <string>

class TCellBox;

class TOpenBoard {
 public:
  // The rectangle in the layout's stored grid (16 x 12 cells, no border
  // ring): the size and place of the first standard level.
  static constexpr int Left = 3, Top = 2, Width = 10, Height = 8;

  // The layout file's text.
  static std::string LayoutText();
  // Makes `board` the open board's layout; false only if the text were
  // not a layout.
  static bool Load(TCellBox& board);
};
