#include "TAutoPlayChoice.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "TCell.h"
#include "TCellBox.h"
#include "TLayoutCell.h"

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

std::set<std::pair<int, int>> TAutoPlayChoice::LineCells(const TCellBox& board, int x1, int y1,
                                                         int x2, int y2) {
  TSwappedView view{board, {x1, y1}, {x2, y2}};
  std::set<TPosition> line;
  view.AddRuns(x1, y1, line);
  view.AddRuns(x2, y2, line);
  return line;
}

int TAutoPlayChoice::MarblesCleared(const TCellBox& board, int x1, int y1, int x2, int y2) {
  int marbles = 0;
  for (auto [x, y] : LineCells(board, x1, y1, x2, y2))
    if (board.Layout.At(x, y)->Contents == 2) ++marbles;
  return marbles;
}

std::optional<TAutoPlayMove> TAutoPlayChoice::Choose(const TCellBox& board,
                                                     const TMatch3HintList& hints) {
  std::vector<TPosition> marbles;
  for (int x = 1; x < board::GridWidth - 1; ++x)
    for (int y = 1; y < board::GridHeight - 1; ++y)
      if (board.Layout.At(x, y)->Contents == 2) marbles.push_back({x, y});
  // One entry per move, whichever way round and however often it is listed.
  std::vector<TAutoPlayMove> moves;
  std::set<std::pair<TPosition, TPosition>> seen;
  for (const TMatch3Hint& hint : hints) {
    if (!hint.FirstCell || !hint.SecondCell) continue;
    TPosition a{hint.FirstCell->ArrayX, hint.FirstCell->ArrayY};
    TPosition b{hint.SecondCell->ArrayX, hint.SecondCell->ArrayY};
    if (b < a) std::swap(a, b);
    if (!seen.insert({a, b}).second) continue;
    TAutoPlayMove move{a.first, a.second, b.first, b.second};
    for (auto [x, y] : LineCells(board, a.first, a.second, b.first, b.second)) {
      if (board.Layout.At(x, y)->Contents == 2) ++move.Marbles;
      for (auto [mx, my] : marbles)
        move.Distance = std::min(move.Distance, std::abs(mx - x) + std::abs(my - y));
    }
    moves.push_back(move);
  }
  if (moves.empty()) return std::nullopt;

  auto better = [](const TAutoPlayMove& m, const TAutoPlayMove& best) {
    if (m.Marbles != best.Marbles) return m.Marbles > best.Marbles ? 1 : -1;
    if (m.Distance != best.Distance) return m.Distance < best.Distance ? 1 : -1;
    int low = std::max(m.Y1, m.Y2), bestLow = std::max(best.Y1, best.Y2);
    if (low != bestLow) return low > bestLow ? 1 : -1;
    return 0;
  };
  std::vector<TAutoPlayMove> best{moves.front()};
  for (size_t i = 1; i < moves.size(); ++i) {
    int c = better(moves[i], best.front());
    if (c > 0)
      best = {moves[i]};
    else if (c == 0)
      best.push_back(moves[i]);
  }
  std::uniform_int_distribution<size_t> pick(0, best.size() - 1);
  return best[pick(random_)];
}
