// The panel over a finished level: "nextpuzzle", "restartpuzzle" and
// "backtomenu" on the "endlevelback" picture. A button the level does not
// offer is removed for good when the panel opens (and at each step), and the
// rest are centred again.
#pragma once

#include <memory>

#include "TMenu.h"

class TVEndLevelMenu {
 public:
  enum { SelectNone = 0, SelectNext = 1, SelectRestart = 2, SelectBack = 3 };

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
  int X = 400, Y = 300;
  int orgX = -1, orgY = -1;
  int Selected = SelectNone;
  int Show = 0;
};
