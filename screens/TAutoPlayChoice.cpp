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

}  // namespace

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
    move.Marbles = board.MarblesCleared(a.first, a.second, b.first, b.second);
    for (auto [x, y] : board.LineCells(a.first, a.second, b.first, b.second)) {
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
