#include "Illustrations.h"

#include <cmath>

#include "Canvas.h"
#include "Cells.h"
#include "Gems.h"
#include "Headers.h"

namespace datagen {

namespace {

constexpr int kCols = 5, kRows = 3;
using MiniBoard = int[kRows][kCols];

const MiniBoard kBefore = {{3, 2, 4, 5, 1}, {4, 4, 5, 1, 6}, {6, 1, 2, 3, 2}};
const MiniBoard kAfter = {{3, 2, 5, 5, 1}, {4, 4, 4, 1, 6}, {6, 1, 2, 3, 2}};
const bool kMarble[kRows][kCols] = {{false, false, false, false, false},
                                    {true, true, false, false, false},
                                    {false, false, false, false, false}};

void DrawBoard(cairo_t* cr, const MiniBoard& board, double x0, double y0, double cell) {
  Picture normal = PaintCellNormal(false), marble = PaintCellMarble(false);
  double s = cell / kCellSize;
  for (int y = 0; y < kRows; ++y)
    for (int x = 0; x < kCols; ++x) {
      PaintPicture(cr, kMarble[y][x] ? marble : normal, x0 + x * cell, y0 + y * cell, 1, s);
      PaintPicture(cr, PaintJewel(board[y][x]), x0 + x * cell, y0 + y * cell, 1, s);
    }
}

void SwapArrow(cairo_t* cr, double x, double y0, double y1) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  double mid = (y0 + y1) / 2;
  cairo_move_to(cr, x, y0 + 5);
  cairo_curve_to(cr, x + 16, mid - 4, x + 16, mid + 4, x, y1 - 5);
  cairo_move_to(cr, x - 5, y0 + 12);
  cairo_line_to(cr, x, y0 + 4);
  cairo_line_to(cr, x + 7, y0 + 10);
  cairo_move_to(cr, x - 5, y1 - 12);
  cairo_line_to(cr, x, y1 - 4);
  cairo_line_to(cr, x + 7, y1 - 10);
  cairo_set_line_width(cr, 4.5);
  SetColour(cr, Hex(0x1a0e22), 0.85);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2.4);
  SetColour(cr, palette::kAmber);
  cairo_stroke(cr);
}

void DownArrow(cairo_t* cr, double cx, double y, double h) {
  cairo_move_to(cr, cx - 9, y);
  cairo_line_to(cr, cx + 9, y);
  cairo_line_to(cr, cx + 9, y + h * 0.45);
  cairo_line_to(cr, cx + 18, y + h * 0.45);
  cairo_line_to(cr, cx, y + h);
  cairo_line_to(cr, cx - 18, y + h * 0.45);
  cairo_line_to(cr, cx - 9, y + h * 0.45);
  cairo_close_path(cr);
  SourceLinear(cr, 0, y, 0, y + h, {{0, palette::kMineral, 0.25}, {1, Hex(0xb8ffe0), 0.95}});
  cairo_fill(cr);
}

}  // namespace

Picture PaintHelpImage(int width, int height) {
  const double cell = 34, boardW = cell * kCols, x0 = (width - boardW) / 2;
  const double topY = 14, bottomY = height - 14 - cell * kRows;
  Canvas canvas(width, height, 1);
  cairo_t* cr = canvas.Cr();
  RoundedRect(cr, 2, 2, width - 4, height - 4, 14);
  SetColour(cr, Hex(0x0b0c20), 0.55);
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x9ea8f0), 0.6);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  DrawBoard(cr, kBefore, x0, topY, cell);
  double sx = x0 + 2 * cell;
  PaintPicture(cr, PaintCellMarked(), sx, topY + cell, 1, cell / kCellSize);
  // The exchanged jewels are the upper two of column 2: the arrow runs from
  // one's centre to the other's over the edge they share (its curve bulges
  // 12 pixels to the right, so it starts that much left of the middle).
  SwapArrow(cr, sx + cell / 2 - 6, topY + cell * 0.5, topY + cell * 1.5);
  DownArrow(cr, width / 2.0, topY + cell * kRows + 10, bottomY - topY - cell * kRows - 20);
  DrawBoard(cr, kAfter, x0, bottomY, cell);
  Picture base = canvas.Result();
  // The finished line lights up, with its score rising from it.
  Canvas glow(width, height, 1);
  for (int x = 0; x < 3; ++x)
    PaintPicture(glow.Cr(), PaintCellHint(), x0 + x * cell, bottomY + cell, 1, cell / kCellSize);
  AddLight(base, glow.Result(), 1);
  Picture mark = PaintLettering(52, 26, "+25", Lettering::Score);
  Canvas top(width, height, 1);
  // Over the matched line (the middle row), a little above its centre.
  PaintPicture(top.Cr(), mark, x0 + 1.5 * cell - 26, bottomY + cell * 1.35 - 13);
  Composite(base, top.Result());
  return base;
}

Picture PaintMakerLogo(int width, int height) {
  Canvas canvas(width, height, 2);
  cairo_t* cr = canvas.Cr();
  // The mark: a tall faceted crystal whose facets form a "T".
  double cx = width / 2.0, top = height * 0.06, h = height * 0.5, w = h * 0.42;
  double shoulder = h * 0.26;
  struct P {
    double x, y;
  };
  P tip{cx, top}, l{cx - w, top + shoulder}, r{cx + w, top + shoulder}, bottom{cx, top + h};
  P bar{cx, top + shoulder * 1.15};
  auto facet = [&](std::initializer_list<P> pts, const Rgb& c) {
    for (const P& p : pts) cairo_line_to(cr, p.x, p.y);
    cairo_close_path(cr);
    SetColour(cr, c);
    cairo_fill(cr);
  };
  facet({tip, l, bar}, Hex(0xfff1c8));
  facet({tip, bar, r}, Hex(0xffb54d));
  facet({l, bottom, {cx - w * 0.2, bar.y}}, Hex(0x4f7fd8));
  facet({r, {cx + w * 0.2, bar.y}, bottom}, Hex(0x2a3f8c));
  facet({{cx - w * 0.2, bar.y}, bottom, {cx + w * 0.2, bar.y}}, Hex(0xd6f4ff));
  Picture crystal = canvas.Result();
  Picture out = GlowOf(crystal, 12, palette::kAmber, 0.55);
  Composite(out, crystal);
  Canvas words(width, height, 2);
  cairo_t* wr = words.Cr();
  double px = height * 0.2;
  SelectFont(wr, Face::Bold, px);
  std::string name = "Talvorine";
  TextBox box = MeasureText(Face::Bold, px, name);
  double baseline = top + h + height * 0.25;
  TextPath(wr, name, cx - box.width / 2, baseline);
  SourceLinear(wr, 0, baseline - box.capHeight, 0, baseline,
               {{0, Hex(0xffffff)}, {1, Hex(0xb9c2ee)}});
  cairo_fill(wr);
  double small = height * 0.085;
  SelectFont(wr, Face::Regular, small);
  std::string games = "G  A  M  E  S";
  TextBox gbox = MeasureText(Face::Regular, small, games);
  TextPath(wr, games, cx - gbox.width / 2, baseline + small * 1.6);
  SetColour(wr, palette::kAmber);
  cairo_fill(wr);
  Composite(out, words.Result());
  return out;
}

}  // namespace datagen
