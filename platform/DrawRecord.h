// A record of what is drawn where, for layout checks: every text line and
// every image, as the rectangle it covers in the display.
#pragma once

#include <functional>
#include <string>

namespace plat {

struct TDrawnItem {
  bool text = false;
  std::string characters;             // text only
  double x = 0, y = 0, w = 0, h = 0;  // after scale and rotation
};

// While set, called for every text line and every image drawn; an empty
// function stops it.
void SetDrawObserver(std::function<void(const TDrawnItem&)> observer);

}  // namespace plat
