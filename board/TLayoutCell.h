// One position of a board's layout: whether it is a playing cell (normal or
// marble), its chain, create and fill marks, and the wall drawn there when it
// is empty.
#pragma once

#include <cstdint>
#include <memory>

#include "Platform.h"

class TCellBox;

class TLayoutCell {
 public:
  static std::unique_ptr<TLayoutCell> Create(int x, int y, int contents);
  // A copy owned by `board`, sharing the wall and decoration pictures.
  std::unique_ptr<TLayoutCell> Clone(TCellBox* board) const;

  void Draw() const;
  void DrawNormalCell() const;
  void DrawMarbleCell() const;
  void DrawEmptyCell() const;
  void DrawOverlay() const;
  void DrawWall() const;
  bool IsMouseOver() const;
  void Manage() {}

  // Wall rebuild of one cell; playing cells get none.
  void SetupDrawWall();
  void SetupDrawWallImage();
  bool SetupDrawWallRandom() const;
  int SetWallLeft();
  int SetWallRight();
  int SetWallTop();
  int SetWallBottom();
  int SetWallCornerInsideNW();
  int SetWallCornerInsideNE();
  int SetWallCornerInsideSW();
  int SetWallCornerInsideSE();
  int SetWallCornerOutsideNW();
  int SetWallCornerOutsideNE();
  int SetWallCornerOutsideSW();
  int SetWallCornerOutsideSE();
  // The twelve flags as TWallFlag bits.
  uint16_t WallFlags() const;

  TCellBox* CellBox = nullptr;
  int X = 0, Y = 0;            // screen centre
  int ArrayX = 0, ArrayY = 0;  // grid position
  int Contents = 0;            // 0 empty, 1 normal, 2 marble
  int IsChain = 0;
  int IsCreate = 0;
  int IsFill = 0;
  plat::TImagePtr DecorationImage;
  plat::TImagePtr WallImage;
  int WallLeft = 0, WallRight = 0, WallTop = 0, WallBottom = 0;
  int WallCornerInsideNW = 0, WallCornerInsideNE = 0, WallCornerInsideSW = 0,
      WallCornerInsideSE = 0;
  int WallCornerOutsideNW = 0, WallCornerOutsideNE = 0, WallCornerOutsideSW = 0,
      WallCornerOutsideSE = 0;
  // Which tile the last rebuild chose (1..46, 0 none) and whether it added
  // the decoration; kept so that the choice can be told without pictures.
  int WallRule = 0;
  int HasDecoration = 0;

 private:
  bool IsPlayingAt(int dx, int dy) const;
  // Both sides of a corner open and the diagonal between them playing.
  int OutsideCorner(int dx, int dy) const;
};
