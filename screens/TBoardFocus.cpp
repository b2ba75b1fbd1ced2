#include "TBoardFocus.h"

#include "TCellBox.h"

bool TBoardFocus::CanFocus() const {
  TCellBox* board = board_();
  return board && board->Cursor.CanFocus();
}

void TBoardFocus::SetFocused(bool focused) {
  focused_ = focused;
  if (TCellBox* board = board_()) board->Cursor.SetFocused(focused);
}

bool TBoardFocus::FocusCommand(TNavCommand command) {
  TCellBox* board = board_();
  return board && board->Cursor.FocusCommand(command);
}

void TBoardFocus::Follow() {
  TCellBox* board = board_();
  if (focused_ && board && !board->Cursor.Visible) board->Cursor.SetFocused(true);
}
