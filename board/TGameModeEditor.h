// The level editor: the player paints the 16 x 12 interior with normal or
// marble cells, each optionally chained, creating or filled at the start,
// and erases cells back to empty; the walls follow every change. A layout is
// saved as a custom level only once IsLayoutValid accepts it.
#pragma once

#include <memory>
#include <string>

#include "TBoardArt.h"
#include "TGameMode.h"
#include "TModeText.h"

class TCellBox;
class TGamePlay;
class TMenu;
class TLayoutCell;
class TVMouse;

class TGameModeEditor : public TGameMode {
 public:
  // Why a layout cannot be played (0: it can), first failing test first.
  enum TLayoutCheck {
    LayoutValid = 0,
    LayoutNoPlayingCell = 1,
    LayoutNoMarbleCell = 2,
    LayoutNoFillCell = 3,
    LayoutNoCreateCell = 4,
    LayoutNoFirstMove = 5,
  };
  // Checks a layout without a running game: the layout's playing, marble,
  // fill and create cells, then whether a board whose non-create fill cells
  // all hold one colour offers a move (only possible when the fill cells can
  // line up at all). The board is not changed.
  static int IsLayoutValid(const TCellBox& board);
  // The same for a layout file; -1 when it cannot be read.
  static int IsLayoutFileValid(const std::string& path);

  // Control keys switch the brush kind when tapped alone (held with a
  // click they erase instead); X, C and Z toggle its flags.
  static constexpr int KeyLeftControl = 162, KeyRightControl = 163;
  static constexpr int KeyChain = 88, KeyCreate = 67, KeyFill = 90;

  // `art`: the pictures of the board (null: the game's banks).
  explicit TGameModeEditor(TGamePlay& play, std::shared_ptr<const TBoardArt> art = nullptr);
  ~TGameModeEditor() override;

  void Clear() override;
  void Init(const std::string& name, int custom) override;
  void Logic() override;
  void Draw() override;
  void GameFinished() override {}
  TCellBox* Board() const override { return CellBox.get(); }

  void DrawBounds() const;
  void DrawMouseCell() const;
  void DrawTextMessage() const;
  // The brush's state beside the frame: its cell, then its buttons.
  void DrawBrush() const;
  // Where DrawBrush centres its panel.
  static constexpr int BrushPanelX = 751, BrushPanelY = 90;
  // The panel's buttons, top to bottom: "normal" and "marble" set the kind,
  // "chain", "create" and "fill" switch the flags (the pointer, the focus,
  // a pad). Each is drawn lit while what it sets holds.
  static constexpr const char* BrushButtons[] = {"normal", "marble", "chain", "create", "fill"};
  static constexpr int BrushButtonsY = 172, BrushButtonW = 90, BrushButtonH = 24,
                       BrushButtonGap = 4;
  std::shared_ptr<TMenu> BrushMenu;
  // What the panel's button sets holds now.
  bool BrushButtonLit(const std::string& name) const;
  int IsLayoutValid() const;

  // Loads a custom layout for editing: 1, or 0 when it cannot be read (the
  // board is then left as it was).
  int LoadLayout(const std::string& path);
  // Saves the board to name + ".layout", as SaveGame takes its name (a path
  // without extension): 1, or 0 when it cannot be written or the name would
  // lead out of the profile folder (the old file is kept and the failure
  // logged).
  int SaveLayout(const std::string& name);
  // The board differs from what was last saved or loaded (or from the empty
  // board the editor opened with): leaving or loading would lose it.
  bool HasUnsavedChanges() const { return UnsavedChanges != 0; }

  std::unique_ptr<TCellBox> CellBox;
  // Brush: 1 normal, 2 marble, with its chain, create and fill flags.
  int LayoutContents = 1;
  int IsChain = 0;
  int IsCreate = 0;
  int IsFill = 1;
  // Steps the brush by one (or back) through the five kinds of cell, for a
  // pad's shoulder buttons: normal (empty at the start), marble, chained,
  // creating, filled. A brush the keys made of several flags starts over at
  // normal.
  void CycleBrush(int by);
  // How often the walls were rebuilt since the mode was made.
  int WallRebuilds = 0;
  // Painted, erased or cleared since the last save or load.
  int UnsavedChanges = 0;
  // The click tracker read (the game's shared one by default).
  TVMouse* Mouse;

 private:
  void Paint();
  void Erase();
  void PaintCell(TLayoutCell* cell);
  void EraseCell(TLayoutCell* cell);
  void ManageCursor();
  void ManageBrushButtons();
  void ReadKeys();
  void RebuildWalls();
  // Draws the brush's cell pictures with their handles at (x, y).
  void DrawBrushCell(float x, float y) const;
  void MakeBrushButtons();
  const std::string& BrushButtonText(const std::string& name) const;

  TGamePlay& play_;
  std::shared_ptr<const TBoardArt> art_;
  // A Control press not yet used with a click: it switches the brush kind
  // when the key comes up.
  bool controlTapped_ = false;
  // The texts drawn every frame, looked up once.
  mutable modetext::TKeyText helpTop_{"Level Editor 1"}, helpBottom_{"Level Editor 2"};
  mutable modetext::TKeyText brushTitle_{"Editor Brush"}, brushNormal_{"Editor Brush Normal"},
      brushMarble_{"Editor Brush Marble"}, brushChain_{"Editor Brush Chain"},
      brushCreate_{"Editor Brush Create"}, brushFill_{"Editor Brush Fill"};
};
