#include "TGameModeEditor.h"

#include <iterator>

#include "GameInput.h"
#include "Globals.h"
#include "TCellBox.h"
#include "TGamePlay.h"
#include "TNavInput.h"
#include "TPlayerFiles.h"
#include "TSavedGame.h"
#include "TTalvorineGame.h"
#include "TVMouse.h"

namespace {

// The painted cell already is what the brush would make it.
bool MatchesBrush(const TLayoutCell& cell, const TGameModeEditor& brush) {
  return cell.Contents == brush.LayoutContents && cell.IsChain == brush.IsChain &&
         cell.IsCreate == brush.IsCreate && cell.IsFill == brush.IsFill;
}

}  // namespace

TGameModeEditor::TGameModeEditor(TGamePlay& play, std::shared_ptr<const TBoardArt> art)
    : Mouse(&VMouse), play_(play), art_(art ? std::move(art) : TBoardArt::FromBanks()) {
  GameType = TypeEditor;
  Clear();
}

TGameModeEditor::~TGameModeEditor() = default;

// ---------------------------------------------------------------- validity

int TGameModeEditor::IsLayoutValid(const TCellBox& board) {
  if (board.GetLayoutCellNotEmptyCount() == 0) return LayoutNoPlayingCell;
  if (board.GetLayoutCellMarbleCount() == 0) return LayoutNoMarbleCell;
  if (board.GetLayoutCellFillCount() == 0) return LayoutNoFillCell;
  if (board.GetLayoutCellCreateCount() == 0) return LayoutNoCreateCell;
  // One colour on every fill cell that is not a create cell: a move exists
  // only where the cells the deal fills can line up at all. Tried on a copy,
  // so that the board's own jewels stay as they are.
  std::unique_ptr<TCellBox> trial = board.Clone();
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) trial->Cells[x][y]->ClearContents();
  }
  trial->FillLevel(1, 0);
  bool move = !trial->CreateHintList().empty();
  return move ? LayoutValid : LayoutNoFirstMove;
}

int TGameModeEditor::IsLayoutFileValid(const std::string& path) {
  TCellBox board(TBoardArt::Blank());
  if (!board.ReadLayout(path)) return -1;
  return IsLayoutValid(board);
}

int TGameModeEditor::IsLayoutValid() const { return IsLayoutValid(*CellBox); }

// ---------------------------------------------------------------- set-up, files

void TGameModeEditor::Clear() {
  // Clearing a board that holds cells changes the layout.
  if (CellBox && CellBox->GetLayoutCellNotEmptyCount() > 0) UnsavedChanges = 1;
  CellBox = std::make_unique<TCellBox>(art_);
  CellBox->Clear();
  CellBox->IsLevelEditor = 1;
  CellBox->GameMode = nullptr;
  CellBox->Mouse = Mouse;
}

void TGameModeEditor::Init(const std::string&, int) {
  Clear();
  UnsavedChanges = 0;
}

int TGameModeEditor::LoadLayout(const std::string& path) {
  auto loaded = std::make_unique<TCellBox>(art_);
  if (!loaded->ReadLayout(path)) {
    LogFailure("Could not read file '" + path + "'");
    return 0;
  }
  CellBox = std::move(loaded);
  CellBox->IsLevelEditor = 1;
  CellBox->Mouse = Mouse;
  RebuildWalls();
  UnsavedChanges = 0;
  return 1;
}

int TGameModeEditor::SaveLayout(const std::string& name) {
  // The name the player typed must stay a plain file name inside the
  // profile folder.
  const std::string path = name + TPlayerFiles::Extension(TPlayerFiles::Layout);
  const std::string folder = Game ? Game->ProfilePath : "";
  if (TPlayerFiles::IsSafePath(name, folder) && CellBox->WriteLayout(path)) {
    UnsavedChanges = 0;
    return 1;
  }
  LogFailure("Could not create file '" + path + "'");
  return 0;
}

// ---------------------------------------------------------------- the step

void TGameModeEditor::Logic() {
  if (play_.State.disableButtons) return;
  CellBox->Mouse = Mouse;
  Paint();
  Erase();
  ManageCursor();
  ReadKeys();
}

void TGameModeEditor::RebuildWalls() {
  CellBox->UpdateDrawWall();
  ++WallRebuilds;
}

void TGameModeEditor::Paint() {
  if (Mouse->LeftClick() < 1) return;
  PaintCell(CellBox->GetLayoutCellAtMouseLocation(Mouse->x, Mouse->y));
}

void TGameModeEditor::Erase() {
  if (Mouse->RightClick() < 1) return;
  EraseCell(CellBox->GetLayoutCellAtMouseLocation(Mouse->x, Mouse->y));
}

void TGameModeEditor::PaintCell(TLayoutCell* cell) {
  if (!cell || MatchesBrush(*cell, *this)) return;
  cell->Contents = LayoutContents;
  cell->IsChain = IsChain;
  cell->IsCreate = IsCreate;
  cell->IsFill = IsFill;
  UnsavedChanges = 1;
  RebuildWalls();
}

void TGameModeEditor::EraseCell(TLayoutCell* cell) {
  if (!cell || cell->Contents == 0) return;
  cell->Contents = cell->IsChain = cell->IsCreate = cell->IsFill = 0;
  UnsavedChanges = 1;
  RebuildWalls();
}

// The cursor moves over the inner cells; Accept (Space, Enter) paints the
// brush under it as a left press does, Erase (Delete) erases as a right one.
void TGameModeEditor::ManageCursor() {
  TBoardCursor& cursor = CellBox->Cursor;
  for (TNavCommand command : cursor.TakeCommands()) {
    int dx = 0, dy = 0;
    TLayoutCell* cell = CellBox->GetLayoutCellAtLocation(cursor.X, cursor.Y);
    if (TBoardCursor::Direction(command, dx, dy)) {
      cursor.Move(dx, dy);
    } else if (command == TNavCommand::Accept) {
      PaintCell(cell);
    } else if (command == TNavCommand::Erase) {
      EraseCell(cell);
    }
  }
}

void TGameModeEditor::ReadKeys() {
  // Control is also the erase modifier: erasing must not change the brush,
  // so the kind switches only when Control comes up without a click made
  // while it was held. Both keys are read, so that neither keeps a stale hit.
  int left = GameKeyHit(KeyLeftControl), right = GameKeyHit(KeyRightControl);
  if (left || right) controlTapped_ = true;
  if (Mouse->LeftClick() >= 1 || Mouse->RightClick() >= 1) controlTapped_ = false;
  bool held = GameKeyDown(KeyLeftControl) || GameKeyDown(KeyRightControl);
  if (controlTapped_ && !held) {
    controlTapped_ = false;
    LayoutContents = LayoutContents == 1 ? 2 : 1;
  }
  if (GameKeyHit(KeyChain)) IsChain = !IsChain;
  if (GameKeyHit(KeyCreate)) IsCreate = !IsCreate;
  if (GameKeyHit(KeyFill)) IsFill = !IsFill;
  // No level pages here: the page commands (a pad's shoulders) step the brush.
  if (NavInput.Hit(TNavCommand::PageDown)) CycleBrush(1);
  if (NavInput.Hit(TNavCommand::PageUp)) CycleBrush(-1);
}

void TGameModeEditor::CycleBrush(int by) {
  struct TBrush {
    int Contents, Chain, Create, Fill;
  };
  static constexpr TBrush kBrushes[] = {
      {1, 0, 0, 0}, {2, 0, 0, 1}, {1, 1, 0, 1}, {1, 0, 1, 1}, {1, 0, 0, 1}};
  constexpr int count = int(std::size(kBrushes));
  int at = -1;
  for (int i = 0; i < count; ++i) {
    const TBrush& b = kBrushes[i];
    if (b.Contents == LayoutContents && b.Chain == IsChain && b.Create == IsCreate &&
        b.Fill == IsFill) {
      at = i;
    }
  }
  int next = at < 0 ? 0 : ((at + by) % count + count) % count;
  LayoutContents = kBrushes[next].Contents;
  IsChain = kBrushes[next].Chain;
  IsCreate = kBrushes[next].Create;
  IsFill = kBrushes[next].Fill;
}

// ---------------------------------------------------------------- drawing

void TGameModeEditor::Draw() {
  DrawBounds();
  CellBox->Draw();
  DrawMouseCell();
  DrawTextMessage();
  DrawBrush();
}

void TGameModeEditor::DrawBounds() const {
  // The 16 x 12 interior with a 15-pixel margin; everything else darkened.
  constexpr int Left = 97, Top = 69, Width = 606, Height = 462;
  const double w = ScreenWidth, h = ScreenHeight;
  double alpha = plat::GetAlpha();
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetAlpha(0.5);
  plat::SetColor(0, 0, 0);
  plat::DrawRect(0, 0, w, Top);
  plat::DrawRect(0, Top + Height, w, h);
  plat::DrawRect(0, Top, Left, Height);
  plat::DrawRect(Left + Width, Top, w, Height);
  plat::SetAlpha(1);
  plat::SetColor(255, 255, 255);
  plat::DrawRect(Left, Top, Width, Height, false);
  plat::SetAlpha(alpha);
}

void TGameModeEditor::DrawBrushCell(float x, float y) const {
  auto draw = [x, y](const plat::TImagePtr& image) {
    if (image) plat::DrawImage(*image, x, y);
  };
  draw(LayoutContents == 2 ? art_->LayoutMarble : art_->LayoutNormal);
  if (IsChain) draw(art_->LayoutChain);
  if (IsCreate) draw(art_->LayoutCreate);
  if (!IsFill) draw(art_->LayoutFill);
}

void TGameModeEditor::DrawMouseCell() const {
  // Under the pointer, or under the cursor while that shows.
  const TLayoutCell* cell =
      CellBox->GetLayoutCellAtMouseLocation(CellBox->MouseX(), CellBox->MouseY());
  if (cell) DrawBrushCell(float(cell->X), float(cell->Y));
}

void TGameModeEditor::DrawBrush() const {
  // A flag that is off is drawn dim, so that the four states read at a
  // glance; the kind is named either way.
  constexpr int Size = 20, LineGap = 26, Dim = 110;
  const float x = float(BrushPanelX);
  float y = float(BrushPanelY);
  modetext::DrawCentredAt(brushTitle_.Get(), x, y, Size);
  DrawBrushCell(x, y + 55);
  y += 95;
  modetext::DrawCentredAt(LayoutContents == 2 ? brushMarble_.Get() : brushNormal_.Get(), x, y,
                          Size);
  modetext::DrawCentredAt(brushChain_.Get(), x, y + LineGap, Size, IsChain ? 255 : Dim);
  modetext::DrawCentredAt(brushCreate_.Get(), x, y + 2 * LineGap, Size, IsCreate ? 255 : Dim);
  modetext::DrawCentredAt(brushFill_.Get(), x, y + 3 * LineGap, Size, IsFill ? 255 : Dim);
}

void TGameModeEditor::DrawTextMessage() const {
  modetext::DrawCentred(helpTop_.Get(), 25, 25);
  modetext::DrawCentred(helpBottom_.Get(), 535, 25);
}
