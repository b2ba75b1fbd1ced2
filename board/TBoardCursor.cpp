#include "TBoardCursor.h"

#include <cstdlib>

void TBoardCursor::SetFocused(bool focused) {
  if (focused && !Visible) Place();
  Visible = focused ? 1 : 0;
  if (!focused) pending_.clear();
}

bool TBoardCursor::FocusCommand(TNavCommand command) {
  switch (command) {
    case TNavCommand::Up:
    case TNavCommand::Down:
    case TNavCommand::Left:
    case TNavCommand::Right:
    case TNavCommand::Accept:
    case TNavCommand::Erase:
      break;
    case TNavCommand::Back:
      if (!Picking || !Picking()) return false;
      break;
    default:
      return false;
  }
  pending_.push_back(command);
  return true;
}

std::vector<TNavCommand> TBoardCursor::TakeCommands() {
  std::vector<TNavCommand> commands;
  commands.swap(pending_);
  return commands;
}

bool TBoardCursor::Step(int dx, int dy, int& toX, int& toY) const {
  if (!Allowed) return false;
  for (int x = X + dx, y = Y + dy; x >= 0 && y >= 0 && x < Width && y < Height; x += dx, y += dy) {
    if (Allowed(x, y)) {
      toX = x;
      toY = y;
      return true;
    }
  }
  return false;
}

bool TBoardCursor::Direction(TNavCommand command, int& dx, int& dy) {
  dx = command == TNavCommand::Left ? -1 : command == TNavCommand::Right ? 1 : 0;
  dy = command == TNavCommand::Up ? -1 : command == TNavCommand::Down ? 1 : 0;
  return dx != 0 || dy != 0;
}

bool TBoardCursor::Move(int dx, int dy) {
  int x = X, y = Y;
  if (!Step(dx, dy, x, y)) return false;
  X = x;
  Y = y;
  return true;
}

void TBoardCursor::Place() {
  int x = -1, y = -1;
  if (PointerCell && PointerCell(x, y) && Allowed && Allowed(x, y)) {
    X = x;
    Y = y;
    return;
  }
  if (X >= 0 && Allowed && Allowed(X, Y)) return;
  // The allowed position nearest the centre (in doubled units, so the
  // centre of an even grid lies between cells); ties go to the upper left.
  int best = -1;
  X = Y = -1;
  for (int cx = 0; cx < Width; ++cx) {
    for (int cy = 0; cy < Height; ++cy) {
      if (!Allowed || !Allowed(cx, cy)) continue;
      int distance = std::abs(2 * cx + 1 - Width) + std::abs(2 * cy + 1 - Height);
      if (best < 0 || distance < best) {
        best = distance;
        X = cx;
        Y = cy;
      }
    }
  }
}
