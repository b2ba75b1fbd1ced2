#include "Icon.h"

#include <algorithm>
#include <cmath>

#include "Canvas.h"
#include "Gems.h"

namespace datagen {

namespace {

// The tile: dark blue-violet glass, lit from above, with an amber rim like
// the game's panels.
void PaintTile(cairo_t* cr, double size) {
  double m = std::max(0.5, size * 0.04);
  double w = size - 2 * m, r = size * 0.2;
  RoundedRect(cr, m, m, w, w, r);
  SourceLinear(cr, 0, m, 0, m + w, {{0, Hex(0x353a7a)}, {0.45, Hex(0x1d1f4b)}, {1, Hex(0x0d0e24)}});
  cairo_fill(cr);
  cairo_save(cr);
  RoundedRect(cr, m, m, w, w, r);
  cairo_clip(cr);
  double cx = size / 2;
  SourceRadial(cr, cx, size * 0.62, 0, cx, size * 0.62, size * 0.55,
               {{0, Hex(0x7fe0c8), 0.30}, {1, Hex(0x7fe0c8), 0}});
  cairo_paint(cr);
  cairo_restore(cr);
  RoundedRect(cr, m, m, w, w, r);
  SourceLinear(cr, 0, m, 0, m + w, {{0, Hex(0xffe2a0), 0.95}, {1, Hex(0xb0662a), 0.9}});
  cairo_set_line_width(cr, std::max(1.0, size * 0.035));
  cairo_stroke(cr);
}

// A four-pointed glint.
void PaintSparkle(cairo_t* cr, double x, double y, double r) {
  cairo_move_to(cr, x, y - r);
  cairo_curve_to(cr, x + r * 0.12, y - r * 0.12, x + r * 0.12, y - r * 0.12, x + r, y);
  cairo_curve_to(cr, x + r * 0.12, y + r * 0.12, x + r * 0.12, y + r * 0.12, x, y + r);
  cairo_curve_to(cr, x - r * 0.12, y + r * 0.12, x - r * 0.12, y + r * 0.12, x - r, y);
  cairo_curve_to(cr, x - r * 0.12, y - r * 0.12, x - r * 0.12, y - r * 0.12, x, y - r);
  cairo_close_path(cr);
  SetColour(cr, Hex(0xffffff), 0.95);
  cairo_fill(cr);
}

}  // namespace

Picture PaintAppIcon(int size) {
  Canvas canvas(size, size, 4);
  cairo_t* cr = canvas.Cr();
  double s = size;
  PaintTile(cr, s);
  if (size >= 32) {
    // Blue and green behind, the red brilliant in front: the game's jewels.
    int small = int(std::lround(s * 0.46));
    PaintPicture(cr, PaintJewel(3, small), s * 0.10, s * 0.44);
    PaintPicture(cr, PaintJewel(2, small), s * 0.90 - small, s * 0.44);
    int big = int(std::lround(s * 0.64));
    PaintPicture(cr, PaintJewel(1, big), (s - big) / 2, s * 0.10);
    PaintSparkle(cr, s * 0.70, s * 0.22, s * 0.11);
  } else {
    int big = int(std::lround(s * 0.86));
    PaintPicture(cr, PaintJewel(1, big), (s - big) / 2, (s - big) / 2);
  }
  return canvas.Result();
}

}  // namespace datagen
