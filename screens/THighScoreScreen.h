// The high-score screen: the ten places of the table slide in row by row,
// 30 ms apart and alternately from the left and the right, each lighting up
// green as it arrives and fading back to white. "clear" asks, then restores
// the default table; "ok" (or Escape) goes back to the title screen. The
// arrows (Page Up and Down, the pad's shoulders) page through the tables of
// the ways to play, relaxed first; "clear" clears the one shown.
#pragma once

#include <memory>

#include "TDialogYesNo.h"
#include "TMenuScreen.h"
#include "TPlayWay.h"
#include "TSlideLine.h"

class TGleamstrandHighScoreList;

class THighScoreScreen : public TMenuScreen {
 public:
  static constexpr int RowGap = 25;
  static constexpr int RowDelayMs = 30;
  static constexpr int SlideMs = 600;
  static constexpr int HighlightMs = 500;
  // The ranks end this far left of the name column; the scores (and their
  // heading) end this far left of col3, clear of the panel's border.
  static constexpr int RankGap = 14;
  static constexpr int ScoreMargin = 20;
  // The table's name between the column headings, and the arrows beside it.
  static constexpr int PageArrowsGap = 190, TableNameSize = 25;

  THighScoreScreen() { name = "highscores"; }
  void Load() override;
  void SetSlideLines();
  // Shows the table of the page (0 relaxed, 1 against the clock), wrapping.
  void ShowPage(int page);
  void Logic() override;
  void Draw() override;
  void Kill() override;
  int SetEscDestination() override;

  // A row's colour now: green on arrival, back to white at the end of its
  // highlight phase, white otherwise.
  static TColor RowColour(const TSlideLine& line);
  // The right edge of the score column for a row standing at x.
  int ScoreRight(float x) const { return int(x) + col3 - col1 - ScoreMargin; }

  std::unique_ptr<TSlideLineList> SlideLines;
  int StartY = 165;
  int col1 = 150;
  int col2 = 650;
  int col3 = 720;
  int w = 0;
  int height = 0;
  TGleamstrandHighScoreList* CurrentHighScoreList = nullptr;
  std::shared_ptr<TMenu> PageMenu;
  int Page = 0;
  std::unique_ptr<TDialogYesNo> ClearHighscore;
  int ShowingInput = 0;
};
