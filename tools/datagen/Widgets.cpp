#include "Widgets.h"

#include <cmath>

#include "Canvas.h"

namespace datagen {

namespace {

void Trough(cairo_t* cr, double x, double y, double w, double h) {
  RoundedRect(cr, x, y, w, h, h / 2);
  SourceLinear(cr, 0, y, 0, y + h, {{0, Hex(0x05050f), 0.92}, {1, Hex(0x1c1d40), 0.92}});
  cairo_fill_preserve(cr);
  SourceLinear(cr, 0, y, 0, y + h, {{0, Hex(0x6a62b0), 0.9}, {1, Hex(0xb9c2ff), 0.9}});
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
}

void CrystalFill(cairo_t* cr, double x, double y, double w, double h, BarLook look) {
  RoundedRect(cr, x, y, w, h, h / 2);
  if (look == BarLook::Urgent) {
    // Embers: the time is almost gone.
    SourceLinear(
        cr, x, 0, x + w, 0,
        {{0, Hex(0x6e0f1c)}, {0.4, Hex(0xc0262e)}, {0.8, Hex(0xf2553a)}, {1, Hex(0xffa36b)}});
  } else {
    SourceLinear(cr, x, 0, x + w, 0,
                 {{0, palette::kMineralDeep},
                  {0.35, palette::kMineral},
                  {0.75, Hex(0xd9e87a)},
                  {1, look == BarLook::Final ? Hex(0xfff3c4) : palette::kAmber}});
  }
  cairo_fill(cr);
  // Faceted bands: the fill reads as a growing crystal.
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, h / 2);
  cairo_clip(cr);
  for (double fx = x - h; fx < x + w + h; fx += h * 1.1) {
    cairo_move_to(cr, fx, y + h);
    cairo_line_to(cr, fx + h * 0.55, y);
    cairo_line_to(cr, fx + h * 0.85, y);
    cairo_line_to(cr, fx + h * 0.3, y + h);
    cairo_close_path(cr);
  }
  SetColour(cr, Hex(0xffffff), 0.12);
  cairo_fill(cr);
  SourceLinear(cr, 0, y, 0, y + h,
               {{0, Hex(0xffffff), 0.55}, {0.45, Hex(0xffffff), 0.08}, {1, Hex(0x000000), 0.15}});
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace

Picture PaintBar(int width, int height, BarLook look) {
  Canvas canvas(width, height, 2);
  cairo_t* cr = canvas.Cr();
  double m = 2;
  Trough(cr, m, m, width - 2 * m, height - 2 * m);
  if (look != BarLook::Empty) {
    double inset = std::max(2.0, height * 0.16);
    CrystalFill(cr, m + inset, m + inset, width - 2 * (m + inset), height - 2 * (m + inset), look);
  }
  Picture shape = canvas.Result();
  if (look == BarLook::Empty) return shape;
  Picture out = GlowOf(shape, 3, look == BarLook::Urgent ? Hex(0xff4a3a) : palette::kMineral, 0.4);
  Composite(out, shape);
  return out;
}

Picture PaintSliderTrack(int width, int height) {
  Canvas canvas(width, height, 2);
  cairo_t* cr = canvas.Cr();
  double h = height * 0.34, y = (height - h) / 2;
  Trough(cr, 14, y, width - 28, h);
  // Tick marks at 0, 25, 50, 75 and 100 of the usable range.
  for (int i = 0; i <= 4; ++i) {
    double x = 22 + (width - 44) * i / 4.0;
    cairo_move_to(cr, x, y + h + 2.5);
    cairo_line_to(cr, x, y + h + 5.5);
  }
  SetColour(cr, Hex(0x9aa2e0), 0.7);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // Small crystal end caps.
  for (double cx : {8.0, width - 8.0}) {
    RegularPolygon(cr, cx, height / 2.0, 6, 4, 0);
    SetColour(cr, cx < width / 2 ? palette::kMineral : palette::kAmber);
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0xffffff), 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  return canvas.Result();
}

Picture PaintSliderKnob(int width, int height) {
  Canvas canvas(width, height, 3);
  cairo_t* cr = canvas.Cr();
  double cx = width / 2.0, w = width / 2.0 - 2, top = 1.5, bottom = height - 1.5;
  double shoulder = height * 0.22;
  // An upright crystal: pointed ends, two facets.
  cairo_move_to(cr, cx, top);
  cairo_line_to(cr, cx + w, top + shoulder);
  cairo_line_to(cr, cx + w, bottom - shoulder);
  cairo_line_to(cr, cx, bottom);
  cairo_line_to(cr, cx - w, bottom - shoulder);
  cairo_line_to(cr, cx - w, top + shoulder);
  cairo_close_path(cr);
  SetColour(cr, Hex(0x2a1430), 0.9);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke_preserve(cr);
  SourceLinear(cr, cx - w, 0, cx + w, 0,
               {{0, Hex(0xfff4cc)},
                {0.49, palette::kAmber},
                {0.51, palette::kAmberDeep},
                {1, Hex(0x9a4d1a)}});
  cairo_fill(cr);
  cairo_move_to(cr, cx - w * 0.45, top + shoulder + 1);
  cairo_line_to(cr, cx - w * 0.45, bottom - shoulder - 1);
  SetColour(cr, Hex(0xffffff), 0.8);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  return canvas.Result();
}

Picture PaintCheck(int width, int height) {
  Canvas canvas(width, height, 3);
  cairo_t* cr = canvas.Cr();
  double cx = width / 2.0, cy = height / 2.0, r = std::min(width, height) / 2.0 - 2;
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SourceRadial(cr, cx - r * 0.3, cy - r * 0.4, 0, cx, cy, r,
               {{0, Hex(0x2f8f74)}, {1, Hex(0x0c3a33)}});
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0xffd27a));
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  cairo_move_to(cr, cx - r * 0.5, cy + r * 0.02);
  cairo_line_to(cr, cx - r * 0.12, cy + r * 0.42);
  cairo_line_to(cr, cx + r * 0.55, cy - r * 0.45);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, r * 0.36);
  SetColour(cr, Hex(0x08231e), 0.7);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, r * 0.22);
  SetColour(cr, Hex(0xeafff2));
  cairo_stroke(cr);
  Picture shape = canvas.Result();
  Picture out = GlowOf(shape, 2, palette::kMineral, 0.6);
  Composite(out, shape);
  return out;
}

Picture PaintStar(int width, int height, bool earned) {
  Canvas canvas(width, height, 3);
  cairo_t* cr = canvas.Cr();
  const double cx = width / 2.0, cy = height / 2.0 + height * 0.04;
  const double outer = std::min(width, height) / 2.0 - 3, inner = outer * 0.45;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? inner : outer;
    const double a = -M_PI / 2 + i * M_PI / 5;
    if (i == 0) {
      cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    } else {
      cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
  }
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (earned) {
    SourceRadial(cr, cx - outer * 0.25, cy - outer * 0.35, 0, cx, cy, outer,
                 {{0, Hex(0xfff4cc)}, {0.55, palette::kAmber}, {1, palette::kAmberDeep}});
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x4a2410), 0.9);
  } else {
    SetColour(cr, palette::kRockDeep, 0.55);
    cairo_fill_preserve(cr);
    SetColour(cr, palette::kRockHighlight, 0.8);
  }
  cairo_set_line_width(cr, std::max(1.2, outer * 0.09));
  cairo_stroke(cr);
  Picture shape = canvas.Result();
  if (!earned) return shape;
  Picture out = GlowOf(shape, 2, palette::kGlow, 0.5);
  Composite(out, shape);
  return out;
}

Picture PaintPointer(int width, int height) {
  Canvas canvas(width, height, 4);
  cairo_t* cr = canvas.Cr();
  // The outline starts exactly at the corner: the top-left pixel is the tip.
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 0, 21.5);
  cairo_line_to(cr, 5.6, 16.6);
  cairo_line_to(cr, 9.6, 25.4);
  cairo_line_to(cr, 13.2, 23.8);
  cairo_line_to(cr, 9.3, 15.3);
  cairo_line_to(cr, 16.2, 15.3);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  SourceLinear(cr, 0, 0, 12, 24, {{0, Hex(0xffffff)}, {0.55, Hex(0xcdeeff)}, {1, Hex(0x9d8cff)}});
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x120a2c), 0.95);
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
  // A facet line down the arrow.
  cairo_move_to(cr, 1.2, 3);
  cairo_line_to(cr, 7.5, 14.5);
  SetColour(cr, Hex(0xffffff), 0.7);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  Picture shape = canvas.Result();
  Picture out = GlowOf(shape, 3, palette::kCyan, 0.55);
  Composite(out, shape);
  return out;
}

}  // namespace datagen
