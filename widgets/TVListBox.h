// A list box that shows an eight-line window of its strings, from StartList
// to EndList (inclusive), which the owner moves; a click selects a line and
// a second click on it within the double-click time reports it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Platform.h"
#include "TBox.h"
#include "TFocusRing.h"
#include "TFont.h"
#include "TGameSound.h"

// A column of a list's details: its left edge (from the box's left), its
// width, and its alignment within it (0 left, 2 right).
struct TListColumn {
  float X = 0, Width = 0;
  int Alignment = 0;
};

class TVListBox : public TFocusItem {
 public:
  static constexpr int LastItemInList = 7;

  TVListBox();
  // The first argument has no effect.
  static std::unique_ptr<TVListBox> Create(int ignored, int gap, int centred, int drawBox,
                                           int doubleClickMs);
  void Init(int ignored, int gap, int centred, int drawBox);
  void SetupFont(plat::TFontPtr imageFont, std::shared_ptr<TColor> color,
                 std::shared_ptr<TShadow> shadow);
  void SetCoords(float x, float y, float w, float h);
  void SetupBox(std::shared_ptr<TColor> color);
  void CalcLineHeight();
  void ClearIndex();
  void SetIndex(int i);
  void Manage();
  void Draw();
  void DrawHighlight();
  void Kill();
  // The line double-clicked since the last call, else -1.
  int GetDoubleClicked();
  int Count() const { return int(Strings.size()); }

  std::shared_ptr<TFont> Font;
  int DrawBox = 1;
  TBox Box;
  int TextBorder = 10;
  int Gap = 5;
  int LineHeight = 0;
  int Centred = 0;
  std::vector<std::string> Strings;
  int Index = -1;
  std::string Value;
  int Clicked = -1;
  std::shared_ptr<TColor> HighlightCol;
  int HighlightUnder = 1;
  int DoubleClicked = -1;
  float DoubleClickTime = 500;  // logic steps once Create has run
  float DoubleClickCounter = 0;
  int RoundHeight = 1;
  TGameSoundPtr ClickSound;
  plat::TChannelPtr ClickChannel;
  int StartList = 0;
  int EndList = LastItemInList;
  // With columns, each line shows its string in the first column and its
  // details (in DetailFont, vertically centred on the line) in the others;
  // every text is cut to its column's width.
  std::vector<TListColumn> Columns;
  std::vector<std::vector<std::string>> Details;
  std::shared_ptr<TFont> DetailFont;
  // A line whose entry in Marked is 1 shows Mark (scaled to the detail
  // text's height) at the start of its first detail column.
  std::vector<int> Marked;
  plat::TImagePtr Mark;
  // Shown in the middle of the box while it holds no strings.
  std::string EmptyText;
  // Holds the keyboard focus (a frame is drawn around the box).
  int Focused = 0;

  // ---- the focus: Up and Down move the selection, the shown window
  // following it; Accept on a selected line reports it as double-clicked.
  bool CanFocus() const override { return Count() > 0; }
  void SetFocused(bool focused) override { Focused = focused ? 1 : 0; }
  bool FocusCommand(TNavCommand command) override;
  bool TakesFirstCommand() const override { return true; }

 private:
  void DrawColumns(size_t line, float y);
};
