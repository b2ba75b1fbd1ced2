// The panel over a finished level: what was done (the level, the score,
// the time, the high-score place) above "nextpuzzle", "restartpuzzle" and
// "backtomenu" on the "endlevelback" picture. A button the level does not
// offer is removed for good when the panel opens (and at each step), and the
// rest are centred again.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TFocusRing.h"
#include "TMenu.h"

class TVEndLevelMenu {
 public:
  enum { SelectNone = 0, SelectNext = 1, SelectRestart = 2, SelectBack = 3 };
  // With a summary, the buttons' column starts this far below the panel's
  // centre, and the summary's lines stand from SummaryTop above it.
  static constexpr int ButtonsBelowCentre = 10;
  static constexpr int SummaryTop = -120;
  static constexpr int TitleGap = 38, LineGap = 26;

  // The buttons, placed at (x, y) or centred on the screen when x < 0.
  void Init(int x, int y);
  void PositionMenu();
  // One logic step; Selected tells the choice. The flags say which buttons
  // the level offers: next puzzle, restart, back to menu.
  void Logic(int next, int restart, int back);
  // Removes the buttons the level does not offer and centres the rest.
  void Offer(int next, int restart, int back);
  void Draw();

  std::shared_ptr<TMenu> Menu;
  // The keyboard's focus over the panel's buttons.
  TFocusRing Focus;
  int X = 400, Y = 300;
  int orgX = -1, orgY = -1;
  int Selected = SelectNone;
  int Show = 0;
  // The heading ("Level 12 complete") and the lines under it; set before
  // Init so that the buttons make room for them.
  std::string Title;
  std::vector<std::string> Summary;

 private:
  void DrawSummary() const;
};
