// One move found on the board: exchanging these two neighbouring jewels
// makes a line. The cells are shared so that a hint on show stays valid even
// after its board is replaced (restart, reshuffle of the mode's board).
#pragma once

#include <memory>
#include <vector>

class TCell;

class TMatch3Hint {
 public:
  TMatch3Hint() = default;
  TMatch3Hint(std::shared_ptr<TCell> first, std::shared_ptr<TCell> second) {
    SetHint(std::move(first), std::move(second));
  }
  void SetHint(std::shared_ptr<TCell> first, std::shared_ptr<TCell> second) {
    FirstCell = std::move(first);
    SecondCell = std::move(second);
  }

  std::shared_ptr<TCell> FirstCell;
  std::shared_ptr<TCell> SecondCell;
};

using TMatch3HintList = std::vector<TMatch3Hint>;
