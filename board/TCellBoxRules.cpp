// The board step: selection, the exchange and its decision, lines, falls and
// created jewels, and the light sweep.
#include <algorithm>

#include "Globals.h"
#include "TCellBox.h"
#include "TVMouse.h"

namespace {

constexpr int SwitchLength = 150;  // ms, each way

}  // namespace

void TCellBox::Manage() {
  ManageCells();
  ManageCellSwitch();
  SelectByPress();
  SelectByDrag();
  if (!Mouse || !Mouse->Drag()) HasDraggedAndMatched = 0;
  if (!IsLevelEditor) ManageCursor();
  ManageLights();
}

// ---------------------------------------------------------------- the cursor

TCell* TCellBox::PickedCell() const {
  if (!MarkedCell1 || MarkedCell2 || IsCellSwitchAnimation()) return nullptr;
  return MarkedCell1->HasJewel() ? MarkedCell1 : nullptr;
}

void TCellBox::ManageCursor() {
  for (TNavCommand command : Cursor.TakeCommands()) {
    int dx = 0, dy = 0;
    if (TBoardCursor::Direction(command, dx, dy)) {
      CursorArrow(dx, dy);
    } else if (command == TNavCommand::Accept) {
      CursorAccept();
    } else if (command == TNavCommand::Back) {
      if (TCell* picked = PickedCell()) {
        picked->ClearMarked();
        MarkedCell1 = nullptr;
      }
    }
  }
}

// With the jewel under the cursor picked, an arrow is a drag onto that
// neighbour: the exchange runs (and moves back when it makes no line) and
// the cursor goes along with the jewel. Otherwise the cursor moves.
void TCellBox::CursorArrow(int dx, int dy) {
  TCell* picked = PickedCell();
  if (picked && picked->ArrayX == Cursor.X && picked->ArrayY == Cursor.Y) {
    int x = Cursor.X + dx, y = Cursor.Y + dy;
    TCell* target = IsPlayingCell(x, y) ? GetCellAtLocation(x, y) : nullptr;
    if (!target || target->IsCellInAnimation() || target->LayoutCell().IsChain) return;
    SetMarkedCell(target);
    Cursor.X = x;
    Cursor.Y = y;
    return;
  }
  Cursor.Move(dx, dy);
}

// Accept is a click on the cursor's cell; on the picked jewel it drops it.
void TCellBox::CursorAccept() {
  if (IsCellSwitchAnimation() || !IsPlayingCell(Cursor.X, Cursor.Y)) return;
  TCell* cell = GetCellAtLocation(Cursor.X, Cursor.Y);
  if (cell == PickedCell()) {
    cell->ClearMarked();
    MarkedCell1 = nullptr;
    return;
  }
  if (cell->IsCellInAnimation() || cell->LayoutCell().IsChain) return;
  SetMarkedCell(cell);
}

// ---------------------------------------------------------------- selection

TCell* TCellBox::SelectableCellAtMouse() const {
  TCell* cell = GetCellAtMouseLocation(Mouse->x, Mouse->y);
  if (!cell || cell->IsCellInAnimation() || cell->LayoutCell().IsChain) return nullptr;
  return cell;
}

// Runs on every step while the left button is held.
void TCellBox::SelectByPress() {
  if (!Mouse || IsCellSwitchAnimation() || Mouse->LeftClick() < 1) return;
  if (TCell* cell = SelectableCellAtMouse()) SetMarkedCell(cell);
}

// A drag moves or completes the selection once until the drag ends.
void TCellBox::SelectByDrag() {
  if (!Mouse || IsCellSwitchAnimation() || !Mouse->Drag() || HasDraggedAndMatched) return;
  TCell* cell = SelectableCellAtMouse();
  if (!cell) return;
  if (!MarkedCell1) SetMarkedCell(cell);
  if (MarkedCell1 != cell) {
    SetMarkedCell(cell);
    HasDraggedAndMatched = 1;
  }
}

void TCellBox::SetMarkedCell(TCell* cell) {
  if (!cell || !cell->HasJewel()) return;
  // A first mark whose jewel has since fallen away or been destroyed marks
  // nothing: exchanging it would move a jewel into a hole.
  if (MarkedCell1 && !MarkedCell2 && !MarkedCell1->HasJewel()) {
    MarkedCell1->ClearMarked();
    MarkedCell1 = nullptr;
  }
  if (!MarkedCell1) {
    MarkedCell1 = cell;
    cell->SetMarked();
  } else if (!MarkedCell2) {
    MarkedCell2 = cell;
    cell->SetMarked();
    if (IsCellsNextToEachOther(MarkedCell1, MarkedCell2)) {
      StartCellSwitch(0);
    } else {
      MarkedCell1->ClearMarked();
      MarkedCell1 = MarkedCell2;
      MarkedCell2 = nullptr;
    }
  }
}

bool TCellBox::IsCellsNextToEachOther(const TCell* a, const TCell* b) {
  int dx = a->ArrayX - b->ArrayX, dy = a->ArrayY - b->ArrayY;
  return (dy == 0 && (dx == 1 || dx == -1)) || (dx == 0 && (dy == 1 || dy == -1));
}

// ---------------------------------------------------------------- the exchange

void TCellBox::StartCellSwitch(int type) {
  CellSwitchType = type;
  const TCell& c1 = *MarkedCell1;
  const TCell& c2 = *MarkedCell2;
  const TCell& from1 = type == 0 ? c1 : c2;
  const TCell& from2 = type == 0 ? c2 : c1;
  CellSwitchPosition1 = std::make_unique<TLinePosition>();
  CellSwitchPosition1->Start(from1.GetCalculatedX(), from1.GetCalculatedY(), from2.GetCalculatedX(),
                             from2.GetCalculatedY(), SwitchLength);
  CellSwitchPosition2 = std::make_unique<TLinePosition>();
  CellSwitchPosition2->Start(from2.GetCalculatedX(), from2.GetCalculatedY(), from1.GetCalculatedX(),
                             from1.GetCalculatedY(), SwitchLength);
}

void TCellBox::ManageCellSwitch() {
  if (CellSwitchPosition1) {
    CellSwitchPosition1->Manage();
    if (MarkedCell1) {
      MarkedCell1->X = CellSwitchPosition1->GetCurrentX();
      MarkedCell1->Y = CellSwitchPosition1->GetCurrentY();
    }
    if (CellSwitchPosition1->IsFinished()) {
      FinishCellSwitch();
      return;
    }
  }
  if (CellSwitchPosition2) {
    CellSwitchPosition2->Manage();
    if (MarkedCell2) {
      MarkedCell2->X = CellSwitchPosition2->GetCurrentX();
      MarkedCell2->Y = CellSwitchPosition2->GetCurrentY();
    }
  }
}

namespace {

void PlaceAtEnd(TCell* cell, const TLinePosition& line) {
  if (!cell) return;
  cell->X = line.EndX;
  cell->Y = line.EndY;
}

// Exchanged jewels take their turn with them.
void ExchangeRotations(TCell& a, TCell& b) {
  std::swap(a.RotationDegree, b.RotationDegree);
  std::swap(a.CurrentRotationDegree, b.CurrentRotationDegree);
}

}  // namespace

void TCellBox::FinishCellSwitch() {
  const TLinePosition& end1 = *CellSwitchPosition1;
  const TLinePosition& end2 = *CellSwitchPosition2;
  PlaceAtEnd(MarkedCell1, end1);
  PlaceAtEnd(MarkedCell2, end2);
  if (CellSwitchType == 0) {
    if (CheckMarkedCells() == 0) {
      StartCellSwitch(1);
      if (GameMode) GameMode->PlayInvalidSound();
      return;
    }
    // Each cell is back on its own centre, now holding the other's jewel.
    PlaceAtEnd(MarkedCell1, end2);
    PlaceAtEnd(MarkedCell2, end1);
  }
  if (MarkedCell1) MarkedCell1->ClearMarked();
  if (MarkedCell2) MarkedCell2->ClearMarked();
  MarkedCell1 = MarkedCell2 = nullptr;
  CellSwitchPosition1.reset();
  CellSwitchPosition2.reset();
}

int TCellBox::CheckMarkedCells() {
  if (!MarkedCell1 || !MarkedCell2) return 0;
  TCell& c1 = *MarkedCell1;
  TCell& c2 = *MarkedCell2;
  const int k1 = c1.Contents, k2 = c2.Contents;
  c1.SetContents(k2);
  c2.SetContents(k1);
  bool line =
      WillCreateMatch(c1.ArrayX, c1.ArrayY, k2) || WillCreateMatch(c2.ArrayX, c2.ArrayY, k1);
  if (!line) {
    c1.SetContents(k1);
    c2.SetContents(k2);
    return 0;
  }
  c1.ClearMarked();
  c2.ClearMarked();
  // Both cells may complete a line; each removal is its own match. The first
  // cell keeps its jewel until its fade ends, like every matched jewel, so
  // nothing can fall into it while it still fades.
  bool firstLine = WillCreateMatch(c1.ArrayX, c1.ArrayY, k2);
  if (firstLine) {
    ExchangeRotations(c1, c2);
    RemoveMatchCells(c1.ArrayX, c1.ArrayY, c1.Contents);
  }
  bool secondLine = WillCreateMatch(c2.ArrayX, c2.ArrayY, k1);
  if (secondLine) {
    if (!firstLine) ExchangeRotations(c1, c2);
    RemoveMatchCells(c2.ArrayX, c2.ArrayY, c2.Contents);
  }
  if (!firstLine && !secondLine) {
    c1.SetContents(k1);
    c2.SetContents(k2);
    return 0;
  }
  if (GameMode) {
    GameMode->MoveMade();
    GameMode->ResetHint();
    // The step's list was built before these lines went.
    if (GameMode->HintList) DropStaleHints(*GameMode->HintList);
  }
  return 1;
}

// ---------------------------------------------------------------- lines

namespace {

inline bool IsSettledJewelOf(const TCell* cell, int colour) {
  return cell->Contents == colour && cell->IsSettled();
}

}  // namespace

// The hint search calls this thousands of times a step, hence the plain
// loops over plain pointers.
int TCellBox::WillCreateMatch(int x, int y, int colour) const {
  constexpr int W = board::GridWidth, H = board::GridHeight;
  if (x < 1 || x > W - 2 || y < 1 || y > H - 2 || colour <= 0) {
    return 0;  // outside the grid or on its border ring
  }
  TCell* const* column = Cells.cells_[x];
  int across = 0;
  for (int i = x - 1; i >= 0 && IsSettledJewelOf(Cells.cells_[i][y], colour); --i) ++across;
  for (int i = x + 1; i < W && across < 2 && IsSettledJewelOf(Cells.cells_[i][y], colour); ++i) {
    ++across;
  }
  if (across >= 2) return 1;
  int down = 0;
  for (int j = y - 1; j >= 0 && IsSettledJewelOf(column[j], colour); --j) ++down;
  for (int j = y + 1; j < H && down < 2 && IsSettledJewelOf(column[j], colour); ++j) ++down;
  return down >= 2 ? 1 : 0;
}

// The run of `colour` through (x, y) along one axis, by colour alone; three
// or more are destroyed. Returns whether they were.
int TCellBox::DestroyRun(int x, int y, int dx, int dy, int colour) {
  int first = 0, last = 0;
  auto matches = [&](int i) {
    int cx = x + i * dx, cy = y + i * dy;
    return board::IsInGrid(cx, cy) && CellAt(cx, cy).Contents == colour;
  };
  if (matches(0)) {
    while (matches(first - 1)) --first;
  } else {
    first = 1;  // (x, y) is not part of it: the run starts beside it
  }
  while (matches(last + 1)) ++last;
  if (last - first + 1 < 3) return 0;
  for (int i = first; i <= last; ++i) CellAt(x + i * dx, y + i * dy).StartDestroyAnimation();
  return 1;
}

int TCellBox::RemoveMatchCells(int x, int y, int colour) {
  if (!board::IsInterior(x, y)) return 0;
  if (colour <= 0) return 1;
  int horizontal = DestroyRun(x, y, 1, 0, colour);
  int vertical = DestroyRun(x, y, 0, 1, colour);
  if ((horizontal || vertical) && GameMode) {
    GameMode->PlayMatchSound();
    GameMode->ShowHelpMessage = 0;
    GameMode->BonusCounter += 1;
    GameMode->CheckBonusCounter();
  }
  return 1;
}

void TCellBox::AddPendingScore(int points) {
  if (GameMode) GameMode->AddPendingScore(points);
}

void TCellBox::CheckCellsCheck(int x, int y) {
  int colour = CellAt(x, y).Contents;
  if (WillCreateMatch(x, y, colour)) RemoveMatchCells(x, y, colour);
}

void TCellBox::CheckCells() {
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) {
      const TCell& cell = CellAt(x, y);
      if (cell.HasJewel() && cell.IsSettled() && !LayoutAt(x, y).IsChain) CheckCellsCheck(x, y);
    }
  }
}

// ---------------------------------------------------------------- the jewel step

void TCellBox::ManageCells() {
  hintScratch_.clear();
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = board::GridHeight - 1; y >= 0; --y) {
      LayoutAt(x, y).Manage();
      TCell& cell = CellAt(x, y);
      cell.Manage();
      cell.CheckCellMoveDown(0);
    }
  }
  TStepState state;
  RefreshSettledAll();
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = board::GridHeight - 1; y >= 0; --y) {
      TCell& cell = CellAt(x, y);
      int colour = cell.Contents;
      cell.CheckCellMoveDown(1);
      if (cell.Contents != colour) {
        // A jewel fell away, maybe out of a move listed already.
        state.Changed = true;
        RefreshFall(x, y);
      }
      CheckAndSearch(x, y, state);
    }
  }
  PublishHints(state);
}

void TCellBox::RefreshFall(int x, int y) {
  RefreshSettled(x, y);
  if (y + 1 >= board::GridHeight) return;
  for (int i = std::max(x - 1, 0); i <= std::min(x + 1, board::GridWidth - 1); ++i) {
    RefreshSettled(i, y + 1);
  }
}

void TCellBox::CheckAndSearch(int x, int y, TStepState& state) {
  TCell& cell = CellAt(x, y);
  if (!cell.HasJewel() || LayoutAt(x, y).IsChain) return;
  if (!cell.IsSettled()) {
    state.Busy = true;
    return;
  }
  CheckCellsCheck(x, y);
  if (!cell.IsSettled()) {
    // A line through (x, y) went just now: the board is in motion again.
    state.Busy = state.Changed = true;
    RefreshSettledCross(x, y);
  }
  SearchHints(hintScratch_, x, y);
}

bool TCellBox::IsHintValid(const TMatch3Hint& hint) const {
  TCell& a = *hint.FirstCell;
  TCell& b = *hint.SecondCell;
  if (!a.HasJewel() || !b.HasJewel() || a.LayoutCell().IsChain || b.LayoutCell().IsChain) {
    return false;
  }
  std::swap(a.Contents, b.Contents);
  bool line = WillCreateMatch(a.ArrayX, a.ArrayY, a.Contents) ||
              WillCreateMatch(b.ArrayX, b.ArrayY, b.Contents);
  std::swap(a.Contents, b.Contents);
  return line;
}

void TCellBox::DropStaleHints(TMatch3HintList& list) const {
  std::erase_if(list, [this](const TMatch3Hint& hint) { return !IsHintValid(hint); });
}

void TCellBox::PublishHints(const TStepState& state) {
  if (!GameMode) return;
  // Moves found early in the pass that later falls or lines have undone
  // would show the player a move that makes nothing.
  if (state.Changed) DropStaleHints(hintScratch_);
  if (state.Busy && hintScratch_.empty()) {
    GameMode->HintList.reset();
    return;
  }
  if (!GameMode->HintList) GameMode->HintList.emplace();
  GameMode->HintList->swap(hintScratch_);
  hintScratch_.clear();
}

// ---------------------------------------------------------------- light sweep

void TCellBox::ManageLights() {
  lightCounter += LogicDelta;
  if (CellsLights.empty()) {
    CellsLights.resize(board::GridCells);
    for (auto& glow : CellsLights) glow = TGlow::Create(1.7f, 0.3f, 0, 180);
  }
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) {
      TGlow* glow = CellsLights[x * board::GridHeight + y].get();
      if ((x + y) * 20 + 3000 < lightCounter) {
        glow->Logic();
        glow->CheckCounter();
      }
    }
  }
  if (lightCounter > 6000) {
    for (auto& glow : CellsLights) glow->Reset();
    lightCounter = 0;
  }
}
