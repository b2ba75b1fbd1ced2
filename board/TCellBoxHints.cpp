// The hint search (every exchange that would make a line), what a move
// would clear, and the deal.
#include <vector>

#include "TCellBox.h"

TMatch3HintList TCellBox::CreateHintList() {
  TMatch3HintList list;
  RefreshSettledAll();
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) SearchHints(list, x, y);
  }
  return list;
}

void TCellBox::CreateHintListMainCheck(TMatch3HintList& list, int x, int y) {
  RefreshSettledAll();
  SearchHints(list, x, y);
}

void TCellBox::CreateHintListCheck(TMatch3HintList& list, int x, int y, int x2, int y2) {
  RefreshSettledAll();
  SearchHintPair(list, x, y, x2, y2);
}

// ---------------------------------------------------------------- what a move clears

namespace {

using TPosition = std::pair<int, int>;

// The colour a player sees at (x, y), with the two exchanged jewels swapped.
struct TSwappedView {
  const TCellBox& board;
  TPosition a, b;

  int Colour(int x, int y) const {
    if (!board::IsInGrid(x, y)) return 0;
    TPosition p{x, y};
    if (p == a)
      p = b;
    else if (p == b)
      p = a;
    const TCell* cell = board.Cells.At(p.first, p.second);
    return cell ? cell->Contents : 0;
  }

  // Adds the cells of the runs of three or more through (x, y) to `line`.
  void AddRuns(int x, int y, std::set<TPosition>& line) const {
    int colour = Colour(x, y);
    if (colour == 0) return;
    for (auto [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
      std::vector<TPosition> run{{x, y}};
      for (int i = 1; Colour(x - dx * i, y - dy * i) == colour; ++i)
        run.push_back({x - dx * i, y - dy * i});
      for (int i = 1; Colour(x + dx * i, y + dy * i) == colour; ++i)
        run.push_back({x + dx * i, y + dy * i});
      if (run.size() >= 3) line.insert(run.begin(), run.end());
    }
  }
};

}  // namespace

std::set<std::pair<int, int>> TCellBox::LineCells(int x1, int y1, int x2, int y2) const {
  TSwappedView view{*this, {x1, y1}, {x2, y2}};
  std::set<TPosition> line;
  view.AddRuns(x1, y1, line);
  view.AddRuns(x2, y2, line);
  return line;
}

int TCellBox::MarblesCleared(int x1, int y1, int x2, int y2) const {
  int marbles = 0;
  for (auto [x, y] : LineCells(x1, y1, x2, y2))
    if (Layout.At(x, y)->Contents == 2) ++marbles;
  return marbles;
}

int TCellBox::MarblesCleared(const TMatch3Hint& hint) const {
  if (!hint.FirstCell || !hint.SecondCell) return 0;
  return MarblesCleared(hint.FirstCell->ArrayX, hint.FirstCell->ArrayY, hint.SecondCell->ArrayX,
                        hint.SecondCell->ArrayY);
}

// ---------------------------------------------------------------- settled colours

namespace {

// The tables carry a margin of two empty positions round the grid, so that
// a look two cells along never leaves them.
constexpr int Margin = 2;
constexpr int Stride = board::GridHeight + 2 * Margin;

constexpr int Slot(int x, int y) { return (x + Margin) * Stride + y + Margin; }

// Would `colour` at `slot` complete a line of settled jewels? The slot
// itself does not count.
inline bool CompletesLine(const int8_t* settled, int slot, int colour) {
  for (int step : {Stride, 1}) {
    bool before = settled[slot - step] == colour;
    bool after = settled[slot + step] == colour;
    if ((before && after) || (before && settled[slot - 2 * step] == colour) ||
        (after && settled[slot + 2 * step] == colour)) {
      return true;
    }
  }
  return false;
}

}  // namespace

void TCellBox::RefreshSettled(int x, int y) {
  const TCell* cell = Cells.cells_[x][y];
  int slot = Slot(x, y);
  jewel_[slot] = int8_t(cell->Contents);
  settled_[slot] = int8_t(cell->IsSettled() ? cell->Contents : 0);
  chained_[slot] = int8_t(Layout.cells_[x][y]->IsChain != 0);
}

void TCellBox::RefreshSettledAll() {
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) RefreshSettled(x, y);
  }
}

void TCellBox::RefreshSettledCross(int x, int y) {
  for (int i = 0; i < board::GridWidth; ++i) RefreshSettled(i, y);
  for (int j = 0; j < board::GridHeight; ++j) RefreshSettled(x, j);
}

// ---------------------------------------------------------------- the search

void TCellBox::SearchHints(TMatch3HintList& list, int x, int y) {
  int slot = Slot(x, y);
  if (jewel_[slot] == 0) return;
  SearchHintPair(list, x, y, x, y - 1);
  SearchHintPair(list, x, y, x, y + 1);
  SearchHintPair(list, x, y, x - 1, y);
  SearchHintPair(list, x, y, x + 1, y);
}

// Each cell of a pair that would complete a line lists the pair once, so a
// move may be listed up to four times in all. The exchange is tried on the
// settled colours only; the cells keep their jewels. Lines never reach the
// border ring, whose positions are empty.
void TCellBox::SearchHintPair(TMatch3HintList& list, int x, int y, int x2, int y2) {
  const int first = Slot(x, y), second = Slot(x2, y2);
  const int colourFirst = jewel_[first], colourSecond = jewel_[second];
  if (colourFirst == 0 || colourSecond == 0 || chained_[first] || chained_[second]) return;
  // Both hold jewels, so a settled colour of 0 means the jewel is in motion.
  const int8_t settledFirst = settled_[first], settledSecond = settled_[second];
  settled_[first] = int8_t(settledFirst ? colourSecond : 0);
  settled_[second] = int8_t(settledSecond ? colourFirst : 0);
  bool interiorFirst = board::IsInterior(x, y), interiorSecond = board::IsInterior(x2, y2);
  if (interiorFirst && CompletesLine(settled_, first, colourSecond)) {
    list.emplace_back(Cells[x][y], Cells[x2][y2]);
  }
  if (interiorSecond && CompletesLine(settled_, second, colourFirst)) {
    list.emplace_back(Cells[x][y], Cells[x2][y2]);
  }
  settled_[first] = settledFirst;
  settled_[second] = settledSecond;
}

void TCellBox::DealOnce() {
  constexpr int Columns = board::GridWidth - 2, Rows = board::GridHeight - 2;
  for (int x = 1; x <= Columns; ++x) {
    for (int y = 1; y <= Rows; ++y) {
      TCell& cell = CellAt(x, y);
      if (LayoutAt(x, y).Contents != 0 && cell.HasJewel()) {
        cell.HasSetContents = 1;
        cell.ClearContents();
      }
    }
  }
  // Only jewels to the left and above are dealt yet, so at most two colours
  // are ever excluded and the redraw ends.
  for (int x = 1; x <= Columns; ++x) {
    for (int y = 1; y <= Rows; ++y) {
      const TLayoutCell& layout = LayoutAt(x, y);
      TCell& cell = CellAt(x, y);
      if (!((layout.Contents != 0 && layout.IsFill) || cell.HasSetContents)) continue;
      int colour = plat::Rand(1, 6);
      while (WillCreateMatch(x, y, colour)) colour = plat::Rand(1, 6);
      cell.SetContents(colour);
      cell.HasSetContents = 0;
    }
  }
}

int TCellBox::GenerateLevel() {
  for (int attempt = 0; attempt < DealAttempts; ++attempt) {
    DealOnce();
    if (!CreateHintList().empty()) return 1;
  }
  return 0;
}

void TCellBox::FillLevel(int colour, int includeCreate) {
  for (int x = 1; x <= board::GridWidth - 2; ++x) {
    for (int y = 1; y <= board::GridHeight - 2; ++y) {
      const TLayoutCell& layout = LayoutAt(x, y);
      if (layout.Contents == 0 || !layout.IsFill) continue;
      if (layout.IsCreate && !includeCreate) continue;
      if (colour == 0) {
        CellAt(x, y).ClearContents();
      } else {
        CellAt(x, y).SetContents(colour);
      }
    }
  }
}
