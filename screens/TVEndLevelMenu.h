// The panel over a finished level: what was done (the level, the stars
// earned, the score, the time, the moves against par, the high-score place,
// the best so far) above "nextpuzzle", "restartpuzzle" and
// "backtomenu" on the "endlevelback" picture; over a level that ran out of
// time, "Out of time" above "tryagain" and "backtomenu". A button the level does not
// offer is removed for good when the panel opens (and at each step), and the
// rest are centred again.
#pragma once

#include <array>
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
  static constexpr int ButtonsBelowCentre = 40;
  static constexpr int SummaryTop = -156;
  static constexpr int TitleGap = 32, LineGap = 23;
  // The row of stars under the title: each star's size and the row's height.
  static constexpr int StarSize = 30, StarGap = 6, StarRowHeight = 34;
  static constexpr int NoStars = -1;
  // The middle button of a level lost against the clock.
  static constexpr const char* TryAgainButton = "tryagain";

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
  // The stars the win earned (0..3, shown out of 3); NoStars: the level has
  // none (a custom level, or no par).
  int Stars = NoStars;
  // The middle button: "restartpuzzle", or TryAgainButton; set before Init.
  std::string RestartButton = "restartpuzzle";

 private:
  std::array<std::string, 3> ButtonNames() const;
  void DrawSummary() const;
  void DrawStars(float top) const;
};
