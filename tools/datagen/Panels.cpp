#include "Panels.h"

#include <cmath>

#include "Canvas.h"
#include "Noise.h"

namespace datagen {

namespace {

struct PanelLook {
  double alpha;  // body opacity
  double radius;
  double margin;  // room for the outer glow
  bool studs;     // faceted gold studs at the corners
  bool inlay;     // a fine gold line inside the rim
};

PanelLook LookOf(PanelStyle style, int height) {
  switch (style) {
    case PanelStyle::Dialog:
      return {0.95, 16, 7, true, true};
    case PanelStyle::Menu:
      return {0.9, 18, 7, true, true};
    case PanelStyle::EndLevel:
      return {0.92, 18, 7, true, true};
    case PanelStyle::HelpBar:
      return {0.74, height / 2.4, 4, false, true};
    case PanelStyle::Backdrop:
      return {0.64, 20, 5, false, true};
    case PanelStyle::Plain:
      return {0.7, 12, 3, false, false};
  }
  return {0.9, 16, 4, false, false};
}

void GlassBody(cairo_t* cr, double x, double y, double w, double h, double r, double alpha) {
  RoundedRect(cr, x, y, w, h, r);
  SourceLinear(
      cr, 0, y, 0, y + h,
      {{0, Hex(0x272b5c), alpha}, {0.25, Hex(0x1b1d45), alpha}, {1, Hex(0x0e0f26), alpha}});
  cairo_fill(cr);
  // A cool light from above and a faint mineral glow at the foot.
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, r);
  cairo_clip(cr);
  SourceRadial(cr, x + w / 2, y - h * 0.3, 0, x + w / 2, y - h * 0.3, h * 0.9,
               {{0, Hex(0x8c9cff), 0.22 * alpha}, {1, Hex(0x8c9cff), 0}});
  cairo_paint(cr);
  SourceLinear(cr, 0, y + h * 0.7, 0, y + h,
               {{0, palette::kMineral, 0}, {1, palette::kMineral, 0.12 * alpha}});
  cairo_paint(cr);
  cairo_restore(cr);
}

void GlassRim(cairo_t* cr, double x, double y, double w, double h, double r, const Rgb& top,
              const Rgb& bottom) {
  RoundedRect(cr, x, y, w, h, r);
  SourceLinear(cr, 0, y, 0, y + h,
               {{0, top, 0.95}, {0.5, Mix(top, bottom, 0.6), 0.8}, {1, bottom, 0.9}});
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  RoundedRect(cr, x + 3, y + 3, w - 6, h - 6, std::max(2.0, r - 3));
  SetColour(cr, Hex(0xffffff), 0.08);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// A small four-facet gold stud, lit from the top-left.
void Stud(cairo_t* cr, double x, double y, double r) {
  const Rgb facets[4] = {Hex(0xfff1c2), Hex(0xe8a64a), Hex(0x8c4f1c), Hex(0xc9822e)};
  const double px[4] = {0, r, 0, -r}, py[4] = {-r, 0, r, 0};
  for (int i = 0; i < 4; ++i) {
    int j = (i + 1) % 4;
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + px[i], y + py[i]);
    cairo_line_to(cr, x + px[j], y + py[j]);
    cairo_close_path(cr);
    SetColour(cr, facets[(i + 3) % 4]);
    cairo_fill(cr);
  }
  cairo_move_to(cr, x, y - r);
  for (int i = 1; i <= 4; ++i) cairo_line_to(cr, x + px[i % 4], y + py[i % 4]);
  SetColour(cr, Hex(0x2a1408), 0.8);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

void Inlay(cairo_t* cr, double x, double y, double w, double h, double r) {
  RoundedRect(cr, x + 6, y + 6, w - 12, h - 12, std::max(3.0, r - 5));
  SourceLinear(cr, 0, y, 0, y + h, {{0, Hex(0xffe0a0), 0.55}, {1, palette::kAmberDeep, 0.35}});
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// The glass a little frosted, so large panels are not flat.
void Frost(Canvas& canvas, double alpha) {
  Canvas noise(canvas.Width(), canvas.Height());
  noise.Shade([](double x, double y) {
    double n = Fbm(x / 60, y / 40, 77, 4);
    return Canvas::Texel{Hex(0xb8c0ff), 0.5 + 0.5 * n};
  });
  cairo_t* cr = canvas.Cr();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
  PaintPicture(cr, noise.Result(), 0, 0, alpha);
  cairo_restore(cr);
}

// A crest above the end-of-level buttons: a gold stud in a star of light.
void Crest(cairo_t* cr, double cx, double cy) {
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4, len = i % 2 ? 16 : 28;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + len * std::cos(a), cy + len * std::sin(a) * 0.6);
  }
  cairo_set_line_width(cr, 1.4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColour(cr, palette::kGlow, 0.7);
  cairo_stroke(cr);
  Stud(cr, cx, cy, 11);
}

}  // namespace

Picture PaintPanel(int width, int height, PanelStyle style) {
  PanelLook look = LookOf(style, height);
  double m = look.margin, w = width - 2 * m, h = height - 2 * m;
  Canvas body(width, height, 2);
  cairo_t* cr = body.Cr();
  GlassBody(cr, m, m, w, h, look.radius, look.alpha);
  Frost(body, 0.06);
  GlassRim(cr, m, m, w, h, look.radius, Hex(0xc4cbff), Hex(0x5a48b0));
  if (look.inlay) Inlay(cr, m, m, w, h, look.radius);
  if (look.studs) {
    double k = look.radius * 0.42;
    for (auto [sx, sy] : {std::pair{m + k, m + k},
                          {width - m - k, m + k},
                          {m + k, height - m - k},
                          {width - m - k, height - m - k}})
      Stud(cr, sx, sy, 5.5);
  }
  if (style == PanelStyle::EndLevel) Crest(cr, width / 2.0, m + 26);
  Picture shape = body.Result();
  Picture out = GlowOf(shape, m * 1.4, Hex(0x6f5cff), 0.4);
  Composite(out, shape);
  return out;
}

Picture PaintLevelFrame(int width, int height, bool highlighted) {
  const double m = 3, r = 12;
  double w = width - 2 * m, h = height - 2 * m;
  Canvas canvas(width, height, 2);
  cairo_t* cr = canvas.Cr();
  GlassBody(cr, m, m, w, h, r, highlighted ? 0.9 : 0.78);
  // The name strip along the top and the well the thumbnail sits in.
  RoundedRect(cr, m + 4, m + 3, w - 8, 19, 8);
  SetColour(cr, highlighted ? Hex(0x4a3f86) : Hex(0x2c2f66), 0.8);
  cairo_fill(cr);
  RoundedRect(cr, width / 2.0 - 79, height / 2.0 + 8 - 61, 158, 122, 6);
  SetColour(cr, Hex(0x05060f), 0.55);
  cairo_fill(cr);
  if (highlighted) {
    GlassRim(cr, m, m, w, h, r, Hex(0xfff0c0), palette::kAmberDeep);
  } else {
    GlassRim(cr, m, m, w, h, r, Hex(0x9ea8f0), Hex(0x4a3e98));
  }
  Picture shape = canvas.Result();
  Picture out =
      GlowOf(shape, 4, highlighted ? palette::kAmber : Hex(0x6f5cff), highlighted ? 0.7 : 0.3);
  Composite(out, shape);
  return out;
}

}  // namespace datagen
