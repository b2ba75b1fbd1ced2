#include "Review.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

#include "Canvas.h"
#include "Gems.h"
#include "Noise.h"

namespace datagen {

// ---------------------------------------------------------------- contact sheet

namespace {

void Checkerboard(cairo_t* cr, double x, double y, double w, double h) {
  const double s = 8;
  for (double cy = 0; cy < h; cy += s)
    for (double cx = 0; cx < w; cx += s) {
      bool dark = (int(cx / s) + int(cy / s)) % 2;
      SetColour(cr, dark ? Hex(0x55555f) : Hex(0x8a8a94));
      cairo_rectangle(cr, x + cx, y + cy, std::min(s, w - cx), std::min(s, h - cy));
      cairo_fill(cr);
    }
}

void Label(cairo_t* cr, const std::string& text, double x, double y, double px, const Rgb& c) {
  SelectFont(cr, Face::Regular, px);
  TextPath(cr, text, x, y);
  SetColour(cr, c);
  cairo_fill(cr);
}

struct Placed {
  const NamedPicture* item;
  double x, y, scale;
};

}  // namespace

Picture ContactSheet(const std::vector<NamedPicture>& pictures) {
  const double width = 1900, gap = 14, labelH = 30, maxW = 440;
  std::vector<Placed> placed;
  std::vector<std::pair<double, std::string>> headings;
  double x = gap, y = 50, rowH = 0;
  std::string folder;
  for (const NamedPicture& p : pictures) {
    if (p.folder != folder) {
      folder = p.folder;
      y += rowH + (placed.empty() ? 0 : gap * 2);
      x = gap;
      rowH = 0;
      headings.push_back({y, folder});
      y += 28;
    }
    double s = std::min(1.0, maxW / p.picture->width);
    double label = TextWidth(Face::Regular, 12, p.name) + 6;
    double w = std::max(p.picture->width * s, label), h = p.picture->height * s + labelH;
    if (x + w > width - gap) {
      x = gap;
      y += rowH + gap;
      rowH = 0;
    }
    placed.push_back({&p, x, y, s});
    x += w + gap;
    rowH = std::max(rowH, h);
  }
  double height = y + rowH + gap;
  Canvas canvas{int(width), int(height)};
  cairo_t* cr = canvas.Cr();
  SetColour(cr, Hex(0x1b1a24));
  cairo_paint(cr);
  Label(cr, "Gleamstrand - every generated picture (" + std::to_string(pictures.size()) + ")", gap,
        32, 24, Hex(0xffe2a6));
  for (auto& [hy, name] : headings) Label(cr, name, gap, hy + 20, 18, Hex(0xb4bcff));
  for (const Placed& p : placed) {
    const Picture& pic = *p.item->picture;
    double w = pic.width * p.scale, h = pic.height * p.scale;
    Checkerboard(cr, p.x, p.y, w, h);
    PaintPicture(cr, pic, p.x, p.y, 1, p.scale);
    std::string size = std::to_string(pic.width) + "x" + std::to_string(pic.height);
    if (p.scale < 1) size += " (shown at " + std::to_string(int(std::lround(p.scale * 100))) + "%)";
    Label(cr, p.item->name, p.x, p.y + h + 13, 12, Hex(0xf0f0f0));
    Label(cr, size, p.x, p.y + h + 26, 11, Hex(0x9a9aa8));
  }
  return canvas.Result();
}

// ---------------------------------------------------------------- boards

namespace {

constexpr double kBoardX = 94 - 18, kBoardY = 66 - 18;  // top-left of cell (0, 0)

// Layout rows y = 0..13: '.' wall, 'o' normal, 'M' marble.
BoardLayout ParseLayout(const char* const rows[kBoardHeight]) {
  BoardLayout l{};
  for (int y = 0; y < kBoardHeight; ++y)
    for (int x = 0; x < kBoardWidth; ++x)
      l[y][x] = rows[y][x] == 'o' ? 1 : rows[y][x] == 'M' ? 2 : 0;
  return l;
}

const Picture& Find(const PictureLookup& pictures, const std::string& name) {
  auto it = pictures.find(name);
  if (it == pictures.end()) throw std::runtime_error("mock-up needs the picture " + name);
  return *it->second;
}

// The game screen's board place, used by the mock-ups.
constexpr BoardPlace kScreenPlace{kBoardX, kBoardY, 1};

void DrawCell(cairo_t* cr, const Picture& p, int x, int y, const BoardPlace& at = kScreenPlace) {
  PaintPicture(cr, p, at.x + x * kCellSize * at.scale, at.y + y * kCellSize * at.scale, 1,
               at.scale);
}

// Walls as the game builds them: the first matching rule's tile, and each
// decoration at most once, on the first eligible cell that wins a 1-in-5 draw.
void DrawWalls(cairo_t* cr, const BoardLayout& layout, const PictureLookup& pictures, uint64_t seed,
               const BoardPlace& at = kScreenPlace) {
  Rng rng(seed);
  std::set<std::string> placed;
  for (int x = 0; x < kBoardWidth; ++x)
    for (int y = 0; y < kBoardHeight; ++y) {
      if (layout[y][x] != 0) continue;
      int rule = ChooseWallRule(WallFlagsAt(layout, x, y));
      if (rule < 0) continue;
      const WallRule& r = WallRules()[size_t(rule)];
      DrawCell(cr, Find(pictures, r.tile), x, y, at);
      if (!r.decoration.empty() && !placed.count(r.decoration) && rng.Int(0, 4) == 0) {
        placed.insert(r.decoration);
        DrawCell(cr, Find(pictures, r.decoration), x, y, at);
      }
    }
}

void DrawCells(cairo_t* cr, const BoardLayout& layout, const PictureLookup& pictures,
               const BoardPlace& at = kScreenPlace) {
  for (int y = 0; y < kBoardHeight; ++y)
    for (int x = 0; x < kBoardWidth; ++x)
      if (layout[y][x] != 0)
        DrawCell(cr, Find(pictures, layout[y][x] == 2 ? "cellmarble" : "cellnormal"), x, y, at);
}

// Jewels without a ready-made line of three.
std::array<std::array<int, kBoardWidth>, kBoardHeight> DealJewels(const BoardLayout& layout,
                                                                  uint64_t seed) {
  Rng rng(seed);
  std::array<std::array<int, kBoardWidth>, kBoardHeight> j{};
  for (int y = 0; y < kBoardHeight; ++y)
    for (int x = 0; x < kBoardWidth; ++x) {
      if (layout[y][x] == 0) continue;
      int c;
      do {
        c = rng.Int(1, 6);
      } while ((x >= 2 && j[y][x - 1] == c && j[y][x - 2] == c) ||
               (y >= 2 && j[y - 1][x] == c && j[y - 2][x] == c));
      j[y][x] = c;
    }
  return j;
}

void GameText(cairo_t* cr, const std::string& text, double x, double y, double px, bool centred) {
  SelectFont(cr, Face::Regular, px);
  double w = TextWidth(Face::Regular, px, text);
  double left = centred ? x - w / 2 : x;
  double top = y + px * 0.8;  // the game places text by its top edge
  TextPath(cr, text, left + 1.5, top + 1.5);
  SetColour(cr, Hex(0x000000), 0.6);
  cairo_fill(cr);
  TextPath(cr, text, left, top);
  SetColour(cr, Hex(0xffffff));
  cairo_fill(cr);
}

void MidHandled(cairo_t* cr, const Picture& p, double cx, double cy) {
  PaintPicture(cr, p, cx - p.width / 2, cy - p.height / 2);
}

}  // namespace

void PaintBoard(cairo_t* cr, const BoardLayout& layout, const PictureLookup& pictures,
                const BoardPlace& place, uint64_t seed) {
  DrawCells(cr, layout, pictures, place);
  DrawWalls(cr, layout, pictures, seed, place);
}

void PaintCellMark(cairo_t* cr, const Picture& mark, const BoardPlace& place, int x, int y) {
  DrawCell(cr, mark, x, y, place);
}

Picture GameScreenMockup(const PictureLookup& pictures, const std::string& helpLine) {
  static const char* const rows[kBoardHeight] = {
      "..................", "....oooooooooo....", "...ooooooooooooo..", "..oooMMooooMMooo..",
      ".oooMMMMooMMMMooo.", ".oooooMMoooMMoooo.", ".oooo..oooo..oooo.", ".ooooo.oooo.ooooo.",
      "..oooooooooooooo..", "..ooooMMMMMMoooo..", "...oooooooooooo...", ".....oooooooo.....",
      "......oooooo......", "..................",
  };
  BoardLayout layout = ParseLayout(rows);
  Canvas canvas(800, 600);
  cairo_t* cr = canvas.Cr();
  PaintPicture(cr, Find(pictures, "gamescreen1"), 0, 0);
  DrawCells(cr, layout, pictures);
  DrawWalls(cr, layout, pictures, 4);
  auto jewels = DealJewels(layout, 9);
  const std::set<std::pair<int, int>> chained = {{5, 7},  {6, 7},  {11, 7},
                                                 {12, 7}, {8, 10}, {9, 10}};
  for (int y = 0; y < kBoardHeight; ++y)
    for (int x = 0; x < kBoardWidth; ++x) {
      if (!jewels[y][x]) continue;
      DrawCell(cr, Find(pictures, "cell" + std::to_string(jewels[y][x])), x, y);
      if (chained.count({x, y})) DrawCell(cr, Find(pictures, "cellchain"), x, y);
    }
  DrawCell(cr, Find(pictures, "cellmarked"), 4, 8);
  DrawCell(cr, Find(pictures, "cellhint"), 9, 5);
  DrawCell(cr, Find(pictures, "cellhint"), 9, 6);
  MidHandled(cr, Find(pictures, "score1"), kBoardX + 13.5 * kCellSize, kBoardY + 4.2 * kCellSize);
  MidHandled(cr, Find(pictures, "score2"), kBoardX + 6.5 * kCellSize, kBoardY + 3.0 * kCellSize);
  // Top bar: progress label and bar, score; the button column at x = 710.
  GameText(cr, "Progress", 100, 25, 34, false);
  const Picture& bar = Find(pictures, "progress");
  const Picture& full = Find(pictures, "progressmo");
  MidHandled(cr, bar, 320, 44);
  cairo_save(cr);
  cairo_rectangle(cr, 320 - bar.width / 2.0, 0, bar.width * 0.4, 600);
  cairo_clip(cr);
  MidHandled(cr, full, 320, 44);
  cairo_restore(cr);
  GameText(cr, "Score: 1250", 450, 25, 34, false);
  PaintPicture(cr, Find(pictures, "menu"), 710, 18);
  PaintPicture(cr, Find(pictures, "hintMO"), 710, 18 + 28 + 6);
  MidHandled(cr, Find(pictures, "helptextback"), 400, 556);
  GameText(cr, helpLine, 400, 545, 25, true);
  PaintPicture(cr, Find(pictures, "pointer"), 262, 372);
  return canvas.Result();
}

std::vector<int> WallRulesUsed(const BoardLayout& layout) {
  std::set<int> used;
  for (int y = 0; y < kBoardHeight; ++y)
    for (int x = 0; x < kBoardWidth; ++x) {
      int r = ChooseWallRule(WallFlagsAt(layout, x, y));
      if (r >= 0) used.insert(r);
    }
  return {used.begin(), used.end()};
}

BoardLayout WallTestLayout() {
  // Hill-climb from a seeded random interior: flip cells while the number of
  // different rules in use does not drop; stop once all are used.
  Rng rng(46);
  BoardLayout best{};
  for (int y = 1; y < kBoardHeight - 1; ++y)
    for (int x = 1; x < kBoardWidth - 1; ++x) best[y][x] = rng.Uniform() < 0.5 ? 1 : 0;
  size_t score = WallRulesUsed(best).size();
  const size_t all = WallRules().size();
  for (int step = 0; step < 30000 && score < all; ++step) {
    BoardLayout next = best;
    int x = rng.Int(1, kBoardWidth - 2), y = rng.Int(1, kBoardHeight - 2);
    next[y][x] = next[y][x] ? 0 : 1;
    size_t s = WallRulesUsed(next).size();
    if (s >= score) {
      best = next;
      score = s;
    }
  }
  for (int y = 0; y < kBoardHeight; ++y)  // a few goal cells, for the look
    for (int x = 0; x < kBoardWidth; ++x)
      if (best[y][x] && (x * 7 + y * 3) % 11 == 0) best[y][x] = 2;
  return best;
}

Picture WallTestMockup(const PictureLookup& pictures) {
  BoardLayout layout = WallTestLayout();
  Canvas canvas(800, 600);
  cairo_t* cr = canvas.Cr();
  PaintPicture(cr, Find(pictures, "gamescreen3"), 0, 0);
  DrawCells(cr, layout, pictures);
  DrawWalls(cr, layout, pictures, 11);
  GameText(cr,
           "Wall test: " + std::to_string(WallRulesUsed(layout).size()) + " of " +
               std::to_string(WallRules().size()) + " rules in use",
           400, 8, 25, true);
  return canvas.Result();
}

}  // namespace datagen
