#include "TCellBox.h"

#include "TVMouse.h"

namespace {

TCellBox::THoverGate& HoverGate() {
  static TCellBox::THoverGate gate;
  return gate;
}

}  // namespace

void TCellBox::SetHoverGate(THoverGate gate) { HoverGate() = std::move(gate); }

bool TCellBox::IsHoverAllowed() const {
  const THoverGate& gate = HoverGate();
  return !gate || gate();
}

TCellBox::TCellBox(std::shared_ptr<const TBoardArt> art) : Art(std::move(art)), Mouse(&VMouse) {
  if (!Art) Art = TBoardArt::Blank();
  LayoutNormalImage = Art->LayoutNormal;
  LayoutNormalMOImage = Art->LayoutNormalMO;
  LayoutMarbleImage = Art->LayoutMarble;
  LayoutMarbleMOImage = Art->LayoutMarbleMO;
  LayoutChainImage = Art->LayoutChain;
  LayoutCreateImage = Art->LayoutCreate;
  LayoutFillImage = Art->LayoutFill;
  LayoutEmptyImage = Art->LayoutEmpty;
  LayoutMarkedImage = Art->LayoutMarked;
  LayoutHintImage = Art->LayoutHint;
  Score1Image = Art->Score1;
  Score2Image = Art->Score2;
  // A new board is blank rather than holding unset positions, so that no
  // operation ever meets a missing cell. An all-empty layout has no walls.
  SetupCells(0, 0);
  SetUpCursor();
}

void TCellBox::SetUpCursor() {
  Cursor.Width = board::GridWidth;
  Cursor.Height = board::GridHeight;
  // The editor paints every inner cell; play uses the playing cells only.
  Cursor.Allowed = [this](int x, int y) {
    return board::IsInterior(x, y) && (IsLevelEditor || IsPlayingCell(x, y));
  };
  Cursor.PointerCell = [this](int& x, int& y) {
    if (!Mouse || (Mouse->x == cursorPointerX_ && Mouse->y == cursorPointerY_)) return false;
    cursorPointerX_ = Mouse->x;
    cursorPointerY_ = Mouse->y;
    x = GetCellLocationX(Mouse->x, Mouse->y);
    y = GetCellLocationY(Mouse->x, Mouse->y);
    return x >= 0 && y >= 0;
  };
  Cursor.Picking = [this] { return PickedCell() != nullptr; };
}

TCellBox::~TCellBox() = default;

void TCellBox::Clear() {
  CellsLights.clear();
  IsLevelEditor = 0;
  // The old cells leave the board: a selection or exchange of them is void.
  MarkedCell1 = MarkedCell2 = nullptr;
  CellSwitchPosition1.reset();
  CellSwitchPosition2.reset();
  SetupCells(0, 0);
}

void TCellBox::SetupCells(int jewelContents, int layoutContents) {
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) {
      bool border = board::IsBorder(x, y);
      auto cell = TCell::Create(board::CentreX(x), board::CentreY(y), 0);
      cell->CellBox = this;
      cell->ArrayX = x;
      cell->ArrayY = y;
      cell->SetContents(border ? 0 : jewelContents);
      Cells.Set(x, y, std::move(cell));

      auto layout =
          TLayoutCell::Create(board::CentreX(x), board::CentreY(y), border ? 0 : layoutContents);
      layout->CellBox = this;
      layout->ArrayX = x;
      layout->ArrayY = y;
      Layout.Set(x, y, std::move(layout));
    }
  }
  UpdateDrawWall();
}

std::unique_ptr<TCellBox> TCellBox::Clone() const {
  auto copy = std::make_unique<TCellBox>(Art);
  copy->Mouse = Mouse;
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) {
      copy->Layout.Set(x, y, LayoutAt(x, y).Clone(copy.get()));
      copy->Cells.Set(x, y, CellAt(x, y).Clone(copy.get()));
    }
  }
  if (MarkedCell1) copy->MarkedCell1 = &copy->CellAt(MarkedCell1->ArrayX, MarkedCell1->ArrayY);
  if (MarkedCell2) copy->MarkedCell2 = &copy->CellAt(MarkedCell2->ArrayX, MarkedCell2->ArrayY);
  copy->IsLevelEditor = IsLevelEditor;
  for (int kind = 0; kind < DecorationKindCount; ++kind) {
    copy->DecorationCounter(TDecorationKind(kind)) = DecorationCounter(TDecorationKind(kind));
  }
  return copy;
}

// ---------------------------------------------------------------- geometry

int TCellBox::GetCellLocationX(int mx, int my) const {
  if (mx < AreaStartX || mx > AreaEndX || my < AreaStartY || my > AreaEndY) return -1;
  int column = (mx - AreaStartX) / board::CellSize;
  return column >= 1 && column <= board::GridWidth - 2 ? column : -1;
}

int TCellBox::GetCellLocationY(int mx, int my) const {
  if (mx < AreaStartX || mx > AreaEndX || my < AreaStartY || my > AreaEndY) return -1;
  int row = (my - AreaStartY) / board::CellSize;
  return row >= 1 && row <= board::GridHeight - 2 ? row : -1;
}

TCell* TCellBox::GetCellAtLocation(int x, int y) const {
  if (!board::IsInGrid(x, y) || LayoutAt(x, y).Contents == 0) return nullptr;
  return &CellAt(x, y);
}

TLayoutCell* TCellBox::GetLayoutCellAtLocation(int x, int y) const {
  return board::IsInGrid(x, y) ? &LayoutAt(x, y) : nullptr;
}

TCell* TCellBox::GetCellAtMouseLocation(int mx, int my) const {
  int x = GetCellLocationX(mx, my), y = GetCellLocationY(mx, my);
  return x == -1 || y == -1 ? nullptr : GetCellAtLocation(x, y);
}

TLayoutCell* TCellBox::GetLayoutCellAtMouseLocation(int mx, int my) const {
  int x = GetCellLocationX(mx, my), y = GetCellLocationY(mx, my);
  return x == -1 || y == -1 ? nullptr : GetLayoutCellAtLocation(x, y);
}

bool TCellBox::IsPlayingCell(int x, int y) const {
  return board::IsInGrid(x, y) && LayoutAt(x, y).Contents != 0;
}

int TCellBox::MouseX() const {
  if (Cursor.Visible && Cursor.X >= 0) return board::CentreX(Cursor.X);
  return Mouse ? Mouse->x : -1;
}

int TCellBox::MouseY() const {
  if (Cursor.Visible && Cursor.Y >= 0) return board::CentreY(Cursor.Y);
  return Mouse ? Mouse->y : -1;
}

// ---------------------------------------------------------------- counts

namespace {

template <class Predicate>
int CountLayout(const TOwnedGrid<std::unique_ptr<TLayoutCell>>& layout, Predicate counts) {
  int n = 0;
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) n += counts(*layout.At(x, y)) ? 1 : 0;
  }
  return n;
}

}  // namespace

int TCellBox::GetLayoutCellMarbleCount() const {
  return CountLayout(Layout, [](const TLayoutCell& c) { return c.Contents == 2; });
}
int TCellBox::GetLayoutCellCreateCount() const {
  return CountLayout(Layout, [](const TLayoutCell& c) { return c.IsCreate != 0; });
}
int TCellBox::GetLayoutCellFillCount() const {
  return CountLayout(Layout, [](const TLayoutCell& c) { return c.IsFill != 0; });
}
int TCellBox::GetLayoutCellNotEmptyCount() const {
  return CountLayout(Layout, [](const TLayoutCell& c) { return c.Contents != 0; });
}

int TCellBox::SetLayoutCellAtPosition(int x, int y, int value) {
  if (!board::IsInGrid(x, y)) return 0;
  if (board::IsBorder(x, y)) return -1;
  LayoutAt(x, y).Contents = value;
  return 0;
}

// ---------------------------------------------------------------- walls

void TCellBox::UpdateDrawWall() {
  for (int kind = 0; kind < DecorationKindCount; ++kind) {
    DecorationCounter(TDecorationKind(kind)) = 0;
  }
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) {
      TLayoutCell& cell = LayoutAt(x, y);
      cell.WallImage.reset();
      cell.DecorationImage.reset();
      cell.SetupDrawWall();
    }
  }
}

int TCellBox::DecorationCounter(TDecorationKind kind) const {
  return const_cast<TCellBox*>(this)->DecorationCounter(kind);
}

int TCellBox::DecorationsPlaced() const {
  int placed = 0;
  for (int kind = 0; kind < DecorationKindCount; ++kind) {
    placed += DecorationCounter(TDecorationKind(kind));
  }
  return placed;
}

int& TCellBox::DecorationCounter(TDecorationKind kind) {
  switch (kind) {
    case DecorationKindFull:
      return DecorationFull;
    case DecorationKindTopLeftRight:
      return DecorationTopLeftRight;
    case DecorationKindBottomLeftRight:
      return DecorationBottomLeftRight;
    case DecorationKindLeftTopBottom:
      return DecorationLeftTopBottom;
    case DecorationKindRightTopBottom:
      return DecorationRightTopBottom;
    case DecorationKindTopLeft:
      return DecorationTopLeft;
    case DecorationKindTopRight:
      return DecorationTopRight;
    case DecorationKindBottomLeft:
      return DecorationBottomLeft;
    default:
      return DecorationBottomRight;
  }
}
