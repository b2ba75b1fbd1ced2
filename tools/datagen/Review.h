// Pictures for people reviewing the art, written beside the build and never
// loaded by the game: a contact sheet of every picture, a mock-up of the
// game screen, and a board built to use every wall rule.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Picture.h"
#include "Walls.h"

namespace datagen {

struct NamedPicture {
  std::string folder, name;
  const Picture* picture;
};

Picture ContactSheet(const std::vector<NamedPicture>& pictures);

// Looks pictures up by file name without extension ("cell1", "wall-top").
using PictureLookup = std::map<std::string, const Picture*>;

// A game screen: background, an irregular board inside its walls with normal
// and marble cells, chained jewels, all six jewels, and the button column.
// helpLine: the text shown on the bar at the foot of the screen.
Picture GameScreenMockup(const PictureLookup& pictures, const std::string& helpLine);

// Where a board goes on a picture: the top-left corner of its cell (0, 0)
// and the scale of its 36-pixel cells.
struct BoardPlace {
  double x, y, scale;
};
// A layout's cells and walls as the game builds them (decorations drawn with
// the given seed).
void PaintBoard(cairo_t* cr, const BoardLayout& layout, const PictureLookup& pictures,
                const BoardPlace& place, uint64_t seed);
// One cell-sized picture (an editor mark) over cell (x, y) of a placed board.
void PaintCellMark(cairo_t* cr, const Picture& mark, const BoardPlace& place, int x, int y);

// A layout in which every one of the 46 wall rules occurs; found by a seeded
// search, so it is the same on every run.
BoardLayout WallTestLayout();
// Indexes of the wall rules a layout uses.
std::vector<int> WallRulesUsed(const BoardLayout& layout);
Picture WallTestMockup(const PictureLookup& pictures);

}  // namespace datagen
