// Thumbnails of layout files for the level selection: the layout drawn at
// 8 pixels a cell in flat colours of the game's palette (the walls around
// the shape, the playing cells, the marble cells to clear), grabbed from the
// back buffer into a small masked image that holds just the shape.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Platform.h"

class TCellBox;
class TVMouse;

class TLevelThumbnails {
 public:
  // Pixels a layout cell takes in a thumbnail: a little under a quarter of
  // a cell, so that a full grid with its walls (144 x 112) fits the item's
  // well.
  static constexpr int ThumbCellSize = 8;

  TLevelThumbnails();
  ~TLevelThumbnails();

  // The thumbnail of the layout file at path, and its number of marble
  // cells (the cells to clear) in size. A file that cannot be read gives no
  // image and size 0 (the item is still listed). Draws into the back buffer
  // and clears it.
  plat::TImagePtr Create(const std::string& path, int& size);
  // The same of the open board (time attack, endless).
  plat::TImagePtr CreateOpenBoard();

 private:
  // The board read last, drawn and grabbed; size as for Create.
  plat::TImagePtr Grab(int& size);
  // An empty layout cell beside a playing cell (diagonals count).
  bool IsWall(int column, int row) const;

  // One board for every thumbnail, read by a pointer far off the screen so
  // that no cell lights up under the real one.
  std::unique_ptr<TCellBox> board_;
  std::unique_ptr<TVMouse> nowhere_;
};

// The level list's thumbnail function over one shared maker.
using TLevelImageFunction =
    std::function<plat::TImagePtr(const std::string& path, int& size, int index)>;
TLevelImageFunction LevelThumbnailFunction();
