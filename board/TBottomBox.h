// The box at the foot of the game screen behind the help, bonus and end
// texts: the "helptextback" picture, 700 x 70, centred at (400, 556), with
// the text's top at 545. A tall board's bottom wall reaches into that place;
// there the box moves below the board and grows flatter, so that it covers
// nothing of the board. Placement only; the callers draw.
#pragma once

#include "Platform.h"

class TCellBox;

class TBottomBox {
 public:
  static constexpr int X = 400, Y = 556, Height = 70, TextY = 545;
  // The text's top stands this far above the box's centre.
  static constexpr int TextAboveCentre = Y - TextY;
  // The flattest box a line of text still fits in, and the gap kept to the
  // board and to the screen's bottom edge.
  static constexpr int MinHeight = 36, Gap = 1;

  // The place for a board (null: the standard place).
  static TBottomBox For(const TCellBox* board);
  // The lowest pixel row the board draws (its bottom wall included); 0 for
  // an empty board.
  static int BoardBottom(const TCellBox& board);

  // The picture, scaled to the box's height.
  void DrawImage(const plat::TImagePtr& image) const;

  float CentreY = Y;
  float ScaleY = 1;
  float TextTop = TextY;
};
