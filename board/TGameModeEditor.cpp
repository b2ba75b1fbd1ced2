#include "TGameModeEditor.h"

#include <iterator>

#include "GameInput.h"
#include "Globals.h"
#include "TCellBox.h"
#include "TGamePlay.h"
#include "TMenu.h"
#include "TNavInput.h"
#include "TPlayerFiles.h"
#include "TSavedGame.h"
#include "TTalvorineGame.h"
#include "TVMouse.h"
#include "TextCase.h"

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
  MakeBrushButtons();
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
  // First: a press on a button is the button's, not the board's.
  ManageBrushButtons();
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

// Buttons without pictures: the panel draws them (DrawBrush); they bring
// the pointer's and the focus's looks, the sounds and the clicks.
void TGameModeEditor::MakeBrushButtons() {
  BrushMenu = Game ? TMenu::Create("buttonMO", "buttonclick") : TMenu::Create("", "");
  float y = float(BrushButtonsY);
  for (const char* name : BrushButtons) {
    auto button = std::make_unique<TButton>();
    button->SetName(name);
    button->SoundMouseOver = BrushMenu->SoundMouseOver;
    button->SoundClick = BrushMenu->SoundClick;
    button->x = float(BrushPanelX - BrushButtonW / 2);
    button->y = y;
    button->w = BrushButtonW;
    button->h = BrushButtonH;
    y += float(BrushButtonH + BrushButtonGap);
    BrushMenu->Buttons.push_back(std::move(button));
  }
}

void TGameModeEditor::ManageBrushButtons() {
  BrushMenu->Manage();
  if (BrushMenu->Clicked("normal")) LayoutContents = 1;
  if (BrushMenu->Clicked("marble")) LayoutContents = 2;
  if (BrushMenu->Clicked("chain")) IsChain = !IsChain;
  if (BrushMenu->Clicked("create")) IsCreate = !IsCreate;
  if (BrushMenu->Clicked("fill")) IsFill = !IsFill;
}

bool TGameModeEditor::BrushButtonLit(const std::string& name) const {
  if (name == "normal") return LayoutContents == 1;
  if (name == "marble") return LayoutContents == 2;
  if (name == "chain") return IsChain != 0;
  if (name == "create") return IsCreate != 0;
  return name == "fill" && IsFill != 0;
}

const std::string& TGameModeEditor::BrushButtonText(const std::string& name) const {
  if (name == "normal") return brushNormal_.Get();
  if (name == "marble") return brushMarble_.Get();
  if (name == "chain") return brushChain_.Get();
  if (name == "create") return brushCreate_.Get();
  return brushFill_.Get();
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
  // A button is lit while what it sets holds; one that is not is drawn dim,
  // so that the brush reads at a glance. The pointer's or the focus's
  // button wears a gold frame.
  constexpr int Size = 20, Dim = 110;
  const float x = float(BrushPanelX);
  modetext::DrawCentredAt(brushTitle_.Get(), x, float(BrushPanelY), Size);
  DrawBrushCell(x, float(BrushPanelY) + 55);
  double alpha = plat::GetAlpha();
  for (const auto& button : BrushMenu->Buttons) {
    std::string name = LowerCase(button->name);
    bool lit = BrushButtonLit(name);
    plat::SetBlend(plat::ALPHABLEND);
    if (lit) {
      plat::SetColor(255, 200, 40);
      plat::SetAlpha(0.35);
      plat::DrawRect(button->x, button->y, button->w, button->h);
    }
    if (button->MouseOver) {
      plat::SetColor(255, 220, 90);
      plat::SetAlpha(1);
      plat::DrawRect(button->x - 1, button->y - 1, button->w + 2, button->h + 2, false);
      plat::DrawRect(button->x, button->y, button->w, button->h, false);
    } else {
      plat::SetColor(255, 255, 255);
      plat::SetAlpha(0.35);
      plat::DrawRect(button->x, button->y, button->w, button->h, false);
    }
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(alpha);
    modetext::DrawCentredAt(BrushButtonText(name), x, button->y + 1, Size,
                            lit || button->MouseOver ? 255 : Dim);
  }
}

void TGameModeEditor::DrawTextMessage() const {
  modetext::DrawCentred(helpTop_.Get(), 25, 25);
  modetext::DrawCentred(helpBottom_.Get(), 535, 25);
}
