// The board: the layout grid, the jewel grid and the light-sweep grid, with
// the rules that run on them every logic step (selection, exchanges, lines,
// falls, created jewels, the hint search) and the deal.
//
// Sources: TCellBox.cpp (set-up, geometry, copies, counts, walls),
// TCellBoxLayoutFile.cpp, TCellBoxRules.cpp (the step, exchanges, lines,
// falls), TCellBoxHints.cpp (hint search, deal), TCellBoxDraw.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "BoardGrid.h"
#include "Platform.h"
#include "TBoardArt.h"
#include "TBoardCursor.h"
#include "TBoardMode.h"
#include "TCell.h"
#include "TGlow.h"
#include "TLayoutCell.h"
#include "TLinePosition.h"
#include "TMatch3Hint.h"
#include "TWallRule.h"

class TVMouse;

class TCellBox {
 public:
  // Whether a playing cell may light up under the pointer (not while the
  // in-game menu is open or the level has finished); set by the game screen.
  using THoverGate = std::function<bool()>;
  static void SetHoverGate(THoverGate gate);

  // How many whole redeals a deal tries before it keeps a board without a move.
  static constexpr int MaxDealAttempts = 1000;

  explicit TCellBox(std::shared_ptr<const TBoardArt> art = TBoardArt::FromBanks());
  ~TCellBox();
  TCellBox(const TCellBox&) = delete;
  TCellBox& operator=(const TCellBox&) = delete;

  // ---- set-up, copies, geometry
  void Clear();
  void SetupCells(int jewelContents, int layoutContents);
  std::unique_ptr<TCellBox> Clone() const;
  int GetCellLocationX(int mx, int my) const;
  int GetCellLocationY(int mx, int my) const;
  TCell* GetCellAtLocation(int x, int y) const;
  TLayoutCell* GetLayoutCellAtLocation(int x, int y) const;
  TCell* GetCellAtMouseLocation(int mx, int my) const;
  TLayoutCell* GetLayoutCellAtMouseLocation(int mx, int my) const;
  int GetLayoutCellMarbleCount() const;
  int GetLayoutCellCreateCount() const;
  int GetLayoutCellFillCount() const;
  int GetLayoutCellNotEmptyCount() const;
  int SetLayoutCellAtPosition(int x, int y, int value);
  // Inside the grid with a layout Contents other than 0.
  bool IsPlayingCell(int x, int y) const;

  // ---- layout file
  int LoadLayout(const std::string& path);
  int SaveLayout(const std::string& path) const;
  // The same without the fatal report: 1, or 0 when the file cannot be read
  // or is not a layout the game could have written (the board is then
  // unchanged), or cannot be written (the old file is kept).
  int ReadLayout(const std::string& path);
  // The same from a stream; with `needsMarbles` false a layout without a
  // marble cell is taken too (the open board).
  int ReadLayout(plat::TStream& in, bool needsMarbles);
  int WriteLayout(const std::string& path) const;
  // Whether ReadLayout would take the file, without a board.
  static bool IsReadableLayout(const std::string& path);

  // ---- walls
  void UpdateDrawWall();
  int& DecorationCounter(TDecorationKind kind);
  int DecorationCounter(TDecorationKind kind) const;
  // How many of the nine decorations the last rebuild placed.
  int DecorationsPlaced() const;

  // ---- drawing
  void Draw() const;
  void DrawCells() const;
  void DrawMarkedCell() const;
  bool IsHoverAllowed() const;
  // Where the board lights a cell as if the pointer were over it: the
  // pointer, or the centre of the cursor's cell while the cursor shows.
  int MouseX() const;
  int MouseY() const;
  void DrawCursor() const;

  // ---- the step and its rules
  void Manage();
  void ManageCells();
  void ManageCellSwitch();
  void ManageLights();
  // The cursor's commands of this step, with the pointer's rules: Accept
  // picks (or drops) the jewel under it, an arrow exchanges a picked jewel
  // with that neighbour or else moves the cursor, Back drops the pick.
  void ManageCursor();
  // The jewel the cursor or the pointer picked, while no exchange runs.
  TCell* PickedCell() const;
  void SetMarkedCell(TCell* cell);
  static bool IsCellsNextToEachOther(const TCell* a, const TCell* b);
  void StartCellSwitch(int type);
  bool IsCellSwitchAnimation() const { return CellSwitchPosition1 || CellSwitchPosition2; }
  int CheckMarkedCells();
  void CheckCells();
  void CheckCellsCheck(int x, int y);
  int WillCreateMatch(int x, int y, int colour) const;
  int RemoveMatchCells(int x, int y, int colour);
  void AddPendingScore(int points);

  // ---- hints and the deal
  TMatch3HintList CreateHintList();
  void CreateHintListMainCheck(TMatch3HintList& list, int x, int y);
  void CreateHintListCheck(TMatch3HintList& list, int x, int y, int x2, int y2);
  // Deals jewels with no line and at least one move. Returns 1, or 0 when no
  // move turned up in DealAttempts deals (the last deal is kept).
  int GenerateLevel();
  // MaxDealAttempts in play; lowered where boards are dealt by the thousand
  // (the fuzzing of layouts), since a board without a move tries them all.
  int DealAttempts = MaxDealAttempts;
  void FillLevel(int colour, int includeCreate);
  // The cells of the lines that exchanging (x1, y1) with (x2, y2) would
  // make, judged by the jewels' colours as they lie now.
  std::set<std::pair<int, int>> LineCells(int x1, int y1, int x2, int y2) const;
  // Marble cells under those lines (0 also when it makes none): the goal
  // that move brings nearer.
  int MarblesCleared(int x1, int y1, int x2, int y2) const;
  int MarblesCleared(const TMatch3Hint& hint) const;

  TBoardMode* GameMode = nullptr;
  TOwnedGrid<std::unique_ptr<TLayoutCell>> Layout;
  TOwnedGrid<std::shared_ptr<TCell>> Cells;
  // Empty until the first board step; then one glow per position, [x * 14 + y].
  std::vector<std::unique_ptr<TGlow>> CellsLights;
  int IsLevelEditor = 0;
  TCell* MarkedCell1 = nullptr;
  TCell* MarkedCell2 = nullptr;
  plat::TImagePtr LayoutNormalImage, LayoutNormalMOImage, LayoutMarbleImage, LayoutMarbleMOImage,
      LayoutChainImage, LayoutCreateImage, LayoutFillImage, LayoutEmptyImage, LayoutMarkedImage,
      LayoutHintImage;
  plat::TImagePtr Score1Image, Score2Image;
  int DecorationFull = 0, DecorationTopLeftRight = 0, DecorationBottomLeftRight = 0,
      DecorationLeftTopBottom = 0, DecorationRightTopBottom = 0, DecorationTopLeft = 0,
      DecorationTopRight = 0, DecorationBottomLeft = 0, DecorationBottomRight = 0;
  int AreaStartX = board::AreaStartX, AreaStartY = board::AreaStartY;
  int AreaEndX = board::AreaEndX, AreaEndY = board::AreaEndY;
  int DrawStartX = board::DrawStartX, DrawStartY = board::DrawStartY;
  int CellSwitchType = 0;
  std::unique_ptr<TLinePosition> CellSwitchPosition1, CellSwitchPosition2;
  int HasDraggedAndMatched = 0;
  float lightCounter = 0;

  // The pictures and bursts this board draws (shared by its copies).
  std::shared_ptr<const TBoardArt> Art;
  // The click tracker the board reads; the game's shared one by default.
  TVMouse* Mouse;
  // The keyboard's (or pad's) cursor; it stands on playing cells (on any
  // inner cell in the editor, which sets Cursor.Allowed).
  TBoardCursor Cursor;

 private:
  void SelectByPress();
  void SelectByDrag();
  TCell* SelectableCellAtMouse() const;
  void FinishCellSwitch();
  void SetUpCursor();
  void CursorArrow(int dx, int dy);
  void CursorAccept();
  // The pointer's place when the cursor last appeared: the cursor starts
  // under the pointer only when the pointer has moved since.
  int cursorPointerX_ = -1, cursorPointerY_ = -1;
  int DestroyRun(int x, int y, int dx, int dy, int colour);
  // What the second pass of a step saw: jewels in motion, and changes that
  // may have undone moves listed earlier in the pass.
  struct TStepState {
    bool Busy = false;
    bool Changed = false;
  };
  void CheckAndSearch(int x, int y, TStepState& state);
  bool IsHintValid(const TMatch3Hint& hint) const;
  void DropStaleHints(TMatch3HintList& list) const;
  void PublishHints(const TStepState& state);
  void DealOnce();
  // The hint search reads each position's jewel, its settled colour (0: no
  // jewel, or one that moves, appears or fades) and its chain from small
  // tables kept in step with the cells while it runs.
  void RefreshSettled(int x, int y);
  void RefreshSettledAll();
  void RefreshSettledCross(int x, int y);
  void RefreshFall(int x, int y);
  void SearchHints(TMatch3HintList& list, int x, int y);
  void SearchHintPair(TMatch3HintList& list, int x, int y, int x2, int y2);
  TCell& CellAt(int x, int y) const { return *Cells.cells_[x][y]; }
  TLayoutCell& LayoutAt(int x, int y) const { return *Layout.cells_[x][y]; }

  // The hint list being built by the current step (swapped into the mode's).
  TMatch3HintList hintScratch_;
  static constexpr int SearchSlots = (board::GridWidth + 4) * (board::GridHeight + 4);
  int8_t jewel_[SearchSlots] = {};
  int8_t settled_[SearchSlots] = {};
  int8_t chained_[SearchSlots] = {};
};
