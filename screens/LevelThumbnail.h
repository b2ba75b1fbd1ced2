// Thumbnails of layout files for the level selection: the layout's playing
// cells drawn at a quarter of their size (normal and marble cells in their
// own looks), grabbed from the back buffer into a small masked image.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Platform.h"

class TCellBox;
class TVMouse;

class TLevelThumbnails {
 public:
  static constexpr float Scale = 0.25f;
  static constexpr int CellSize = 36;

  TLevelThumbnails();
  ~TLevelThumbnails();

  // The thumbnail of the layout file at path, and its number of playing
  // cells in size. A file that cannot be read gives no image and size 0
  // (the item is still listed). Draws into the back buffer and clears it.
  plat::TImagePtr Create(const std::string& path, int& size);

 private:
  // One board for every thumbnail, read by a pointer far off the screen so
  // that no cell lights up under the real one.
  std::unique_ptr<TCellBox> board_;
  std::unique_ptr<TVMouse> nowhere_;
};

// The level list's thumbnail function over one shared maker.
using TLevelImageFunction = std::function<plat::TImagePtr(const std::string& path, int& size, int index)>;
TLevelImageFunction LevelThumbnailFunction();
