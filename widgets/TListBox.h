// A list of strings in a box, one per line, with a highlighted selection
// chosen by clicking or with the arrow keys (auto-repeating), double clicks
// reported once, an optional limit of shown lines with a scroll bar, and
// locked lines in a colour of their own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Platform.h"
#include "TBox.h"
#include "TFocusRing.h"
#include "TFont.h"
#include "TGameImage.h"
#include "TGameSound.h"
#include "TScrollBar.h"

class TBitmapFont;

class TListBox : public TFocusItem {
 public:
  TListBox();
  // The first argument has no effect.
  static std::unique_ptr<TListBox> Create(int ignored, int gap, int centred, int drawBox,
                                          int doubleClickMs);
  void CalcLineHeight();
  void ClearIndex();
  void Draw();
  void DrawHighlight();
  // The line double-clicked since the last call, else -1.
  int GetDoubleClicked();
  // The selected line's top y; 0 without a selection.
  int GetIndexY() const;
  // One past the last line shown.
  int GetTempLimit() const;
  void Init(int ignored, int gap, int centred, int drawBox);
  void Kill();
  void Manage();
  void PlayClick();
  void SetClickSound(TGameSoundPtr sound);
  void SetCoords(float x, float y, float w, float h);
  void SetIndex(int i);
  void SetTopIndex(int t);
  void SetupBox(std::shared_ptr<TColor> color);
  void SetupFont(plat::TFontPtr imageFont, std::shared_ptr<TColor> color,
                 std::shared_ptr<TShadow> shadow, std::shared_ptr<TBitmapFont> bitmapFont = nullptr,
                 std::shared_ptr<TColor> inverseColor = nullptr);
  int Count() const { return int(Strings.size()); }

  std::shared_ptr<TFont> Font;
  int DrawBox = 1;
  TBox Box;
  TGameImagePtr Background;
  float BackgroundOffsetX = 0, BackgroundOffsetY = 0;
  int TextBorder = 10;
  int Gap = 5;
  int LineYOffset = 0;
  int LineHeight = 0;
  int Centred = 0;
  std::vector<std::string> Strings;
  // What each line shows when it should read differently from its string
  // (a mark beside a name); used only while it is as long as Strings.
  std::vector<std::string> Labels;
  int Index = -1;
  int TopIndex = 0;
  std::string Value;
  int Clicked = -1;
  std::shared_ptr<TColor> HighlightCol;
  int HighlightUnder = 1;
  int DoubleClicked = -1;
  float DoubleClickTime = 100;  // logic steps
  float DoubleClickCounter = 0;
  int Limit = 0;  // lines shown, 0: all
  int RoundHeight = 1;
  int DisplayLines = 0;
  TGameSoundPtr ClickSound;
  plat::TChannelPtr ClickChannel;
  int NoShadowOnHighlighted = 0;
  int ArrowKeysMoveHighlight = 1;
  std::vector<int> LockedArray;
  std::shared_ptr<TColor> LockedColor;
  std::unique_ptr<TScrollBar> ScrollBar;
  float Scale = 1.0f;
  double OldScale = 1.0;
  // Holds the keyboard focus (a frame is drawn around the box).
  int Focused = 0;

  // ---- the focus: Up and Down move the selection (held, they repeat as
  // the navigation commands do: at once, after 400 ms, then every 100 ms);
  // Accept on a selected line reports it as double-clicked.
  bool CanFocus() const override { return Count() > 0; }
  void SetFocused(bool focused) override { Focused = focused ? 1 : 0; }
  bool FocusCommand(TNavCommand command) override;
  bool TakesFirstCommand() const override { return true; }
};

// Shared by the list boxes: the row (0-based, counted from the box top)
// that a point falls in, both vertical bounds strict, or -1.
int ListRowAt(const TBox& box, float lineHeight, float scale, int rows, int px, int py);
// One line of a list in the font's current colour: plain at alpha, or with
// the font's shadow; bitmap-font lines rounded only when asked.
void DrawListLine(TFont& font, const std::string& text, float x, float y, int centred,
                  int withShadow, float alpha, int round);
