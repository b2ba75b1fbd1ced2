// The board's place in the game screen's focus order. The board behind it
// changes with every deal, restart and loaded layout, so this stands for
// whichever board the game is showing and hands the focus to its cursor.
#pragma once

#include <functional>

#include "TFocusRing.h"

class TCellBox;

class TBoardFocus : public TFocusItem {
 public:
  explicit TBoardFocus(std::function<TCellBox*()> board) : board_(std::move(board)) {}

  bool CanFocus() const override;
  void SetFocused(bool focused) override;
  bool FocusCommand(TNavCommand command) override;
  // Once per step: a board that took the place of the focused one shows
  // the cursor too.
  void Follow();

 private:
  std::function<TCellBox*()> board_;
  bool focused_ = false;
};
