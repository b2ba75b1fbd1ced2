// Fixed geometry of every board: an 18 x 14 grid whose outer ring never
// holds a playing cell, with 36-pixel cells on the 800 x 600 screen.
#pragma once

#include <array>

namespace board {

constexpr int GridWidth = 18;
constexpr int GridHeight = 14;
constexpr int GridCells = GridWidth * GridHeight;
constexpr int CellSize = 36;

constexpr int AreaStartX = 76;
constexpr int AreaStartY = 48;
constexpr int AreaEndX = AreaStartX + GridWidth * CellSize;
constexpr int AreaEndY = AreaStartY + GridHeight * CellSize;
constexpr int DrawStartX = AreaStartX + CellSize / 2;
constexpr int DrawStartY = AreaStartY + CellSize / 2;

constexpr bool IsInGrid(int x, int y) {
  return x >= 0 && x < GridWidth && y >= 0 && y < GridHeight;
}

constexpr bool IsBorder(int x, int y) {
  return x == 0 || y == 0 || x == GridWidth - 1 || y == GridHeight - 1;
}

// Inside the grid and off the border ring: where playing cells may be.
constexpr bool IsInterior(int x, int y) { return IsInGrid(x, y) && !IsBorder(x, y); }

constexpr int CentreX(int x) { return DrawStartX + CellSize * x; }
constexpr int CentreY(int y) { return DrawStartY + CellSize * y; }

// Grids are indexed [x][y], column first.
template <class T>
using TGrid = std::array<std::array<T, GridHeight>, GridWidth>;

}  // namespace board

class TCellBox;

// A grid of cells owned by their board: anyone may read it ([x][y] gives the
// owning pointer), only the board puts cells in. Beside the owners it keeps
// plain pointers, because the rules look cells up thousands of times a step.
template <class TOwner>
class TOwnedGrid {
 public:
  using TCellType = typename TOwner::element_type;
  using TColumn = std::array<TOwner, board::GridHeight>;

  const TColumn& operator[](int x) const { return owners_[size_t(x)]; }
  TCellType* At(int x, int y) const { return cells_[x][y]; }

 private:
  friend class TCellBox;
  void Set(int x, int y, TOwner cell) {
    cells_[x][y] = cell.get();
    owners_[size_t(x)][size_t(y)] = std::move(cell);
  }

  std::array<TColumn, board::GridWidth> owners_;
  TCellType* cells_[board::GridWidth][board::GridHeight] = {};
};
