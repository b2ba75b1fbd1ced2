#include "Cells.h"

#include <cmath>

#include "Canvas.h"
#include "Gems.h"
#include "Noise.h"

namespace datagen {

namespace {

constexpr int S = kCellSize;

// A noise that repeats every cell, so neighbouring cells continue each other.
double CellNoise(double x, double y, uint32_t seed, int cells, int octaves) {
  return Fbm(x / S * cells, y / S * cells, seed, octaves, 0.5, cells);
}

// A one-pixel bevel at the cell's edge: light above and left, shade below and
// right. Faint, so the board reads as one surface with a gentle grid.
double Bevel(double x, double y, double light, double shade) {
  double v = 0;
  if (y < 1) v += light;
  if (x < 1) v += light * 0.7;
  if (y > S - 1) v -= shade;
  if (x > S - 1) v -= shade * 0.7;
  return v;
}

Canvas::Texel Slate(double x, double y, bool mouseOver) {
  double n = CellNoise(x, y, 11, 3, 3);
  double grain = CellNoise(x, y, 12, 12, 2);
  double cx = (x - S / 2.0) / (S / 2.0), cy = (y - S / 2.0) / (S / 2.0);
  double well = 1 - 0.18 * (cx * cx + cy * cy);
  Rgb base = mouseOver ? Hex(0x3a3f78) : Hex(0x1f2144);
  Rgb c = Scale(base, well * (1 + 0.12 * n + 0.05 * grain));
  double b = Bevel(x, y, 0.22, 0.35);
  c = b > 0 ? Mix(c, Hex(0xb8b4ff), b) : Scale(c, 1 + b);
  if (mouseOver) {
    // A soft teal light rising from the cell's rim.
    double edge = std::min({x, y, S - x, S - y});
    c = Add(c, Scale(palette::kCyan, 0.35 * std::exp(-edge / 3.5)));
  }
  return {Clamp(c), mouseOver ? 0.78 : 0.62};
}

Canvas::Texel Marble(double x, double y, bool mouseOver) {
  double turb = Turbulence(x / S * 2, y / S * 2, 21, 4, 2);
  double phase = 2 * M_PI * (x / S + 2 * y / S) + 7 * turb;
  double vein = std::pow(1 - std::fabs(std::sin(phase)), 10);
  double fine = std::pow(1 - std::fabs(std::sin(2 * M_PI * (3 * x / S - y / S) +
                                                9 * Turbulence(x / S * 3, y / S * 3, 23, 3, 3))),
                         24);
  double cloud = CellNoise(x, y, 22, 2, 3);
  Rgb c = Mix(Hex(0xf1ece4), Hex(0xd9d5e2), 0.5 + 0.5 * cloud);
  c = Mix(c, Hex(0x8a86a6), 0.55 * vein);
  c = Mix(c, Hex(0xa9a2b8), 0.35 * fine);
  // Polished sheen across the cell, and a broad gilded frame: the frame
  // shows round any jewel lying on the cell, so a goal cell reads as one.
  double sheen = 0.08 * std::sin(M_PI * (x + y) / (2.0 * S));
  c = Add(c, {sheen, sheen, sheen});
  double edge = std::min({x, y, S - x, S - y});
  Rgb frame = mouseOver ? Hex(0xffffff) : Hex(0xfff6e6);
  c = Mix(c, frame, 0.85 * (edge < 3.5 ? 1.0 : std::exp(-(edge - 3.5) / 1.5)));
  Rgb rim = mouseOver ? Hex(0xffd27a) : Hex(0xe8b360);
  c = Mix(c, rim, (mouseOver ? 0.9 : 0.8) * std::exp(-edge / 1.2));
  if (mouseOver) c = Add(c, Scale(palette::kGlow, 0.2 * (1 - std::exp(-edge / 9))));
  double b = Bevel(x, y, 0.25, 0.3);
  c = b > 0 ? Mix(c, Hex(0xffffff), b) : Scale(c, 1 + b);
  return {Clamp(c), 0.94};
}

Picture Shaded(const std::function<Canvas::Texel(double, double)>& f) {
  Canvas canvas(S, S, 3);
  canvas.Shade(f);
  return canvas.Result();
}

// A glowing outline: the stroke itself over a blurred copy of it.
Picture Glowing(const std::function<void(cairo_t*)>& draw, const Rgb& glow, double radius,
                double glowAlpha) {
  Canvas canvas(S, S, 3);
  draw(canvas.Cr());
  Picture shape = canvas.Result();
  Picture out = GlowOf(shape, radius, glow, glowAlpha);
  Composite(out, shape);
  return out;
}

void ChainLink(cairo_t* cr, double cx, double cy, double angle, bool faceOn) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  double w = 8.6, h = faceOn ? 5.4 : 2.4;
  RoundedRect(cr, -w / 2, -h / 2, w, h, h / 2);
  cairo_restore(cr);
}

void StrokeSteel(cairo_t* cr, double width) {
  cairo_set_line_width(cr, width + 1.4);
  SetColour(cr, Hex(0x0c0a18), 0.85);
  cairo_stroke_preserve(cr);
  SourceLinear(cr, 0, 0, S, S, {{0, Hex(0xf2f4ff)}, {0.5, Hex(0x9ea4c0)}, {1, Hex(0xd5d9ea)}});
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void DrawChain(cairo_t* cr, double angle) {
  double dx = std::cos(angle), dy = std::sin(angle);
  for (int i = -3; i <= 3; ++i) {
    double t = i * 6.6;
    ChainLink(cr, S / 2.0 + dx * t, S / 2.0 + dy * t, angle, i % 2 == 0);
    StrokeSteel(cr, 1.5);
  }
}

}  // namespace

Picture PaintCellNormal(bool mouseOver) {
  return Shaded([=](double x, double y) { return Slate(x, y, mouseOver); });
}

Picture PaintCellMarble(bool mouseOver) {
  return Shaded([=](double x, double y) { return Marble(x, y, mouseOver); });
}

Picture PaintCellChain() {
  Canvas canvas(S, S, 3);
  cairo_t* cr = canvas.Cr();
  DrawChain(cr, M_PI / 4);
  DrawChain(cr, -M_PI / 4);
  // A small shackle where the chains cross: the lock of the cell.
  cairo_new_path(cr);
  cairo_arc(cr, S / 2.0, S / 2.0, 3.2, 0, 2 * M_PI);
  SetColour(cr, Hex(0x0c0a18), 0.85);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke_preserve(cr);
  SourceRadial(cr, S / 2.0 - 1, S / 2.0 - 1, 0, S / 2.0, S / 2.0, 3.5,
               {{0, Hex(0xfff2c4)}, {1, Hex(0xc08a3a)}});
  cairo_fill(cr);
  return canvas.Result();
}

Picture PaintCellCreate() {
  return Glowing(
      [](cairo_t* cr) {
        // Two chevrons pointing down, under a bright spawning line.
        for (int i = 0; i < 2; ++i) {
          double y = 9 + i * 8;
          cairo_move_to(cr, 9, y);
          cairo_line_to(cr, S / 2.0, y + 7);
          cairo_line_to(cr, S - 9, y);
        }
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 3);
        SetColour(cr, Hex(0x9dffcf));
        cairo_stroke(cr);
        cairo_move_to(cr, 6, 4);
        cairo_line_to(cr, S - 6, 4);
        cairo_set_line_width(cr, 2);
        SetColour(cr, Hex(0xe6fff3));
        cairo_stroke(cr);
      },
      palette::kMineral, 3, 0.9);
}

Picture PaintCellFill() {
  return Glowing(
      [](cairo_t* cr) {
        // "Starts empty": an open circle struck through.
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_new_path(cr);
        cairo_arc(cr, S / 2.0, S / 2.0, 9.5, 0, 2 * M_PI);
        cairo_move_to(cr, S / 2.0 - 8, S / 2.0 + 8);
        cairo_line_to(cr, S / 2.0 + 8, S / 2.0 - 8);
        cairo_set_line_width(cr, 2.6);
        SetColour(cr, Hex(0xffd08a));
        cairo_stroke(cr);
      },
      palette::kAmberDeep, 2.5, 0.9);
}

Picture PaintCellEmpty() {
  Canvas canvas(S, S, 3);
  cairo_t* cr = canvas.Cr();
  RoundedRect(cr, 2.5, 2.5, S - 5, S - 5, 4);
  SetColour(cr, Hex(0x8c88c8), 0.07);
  cairo_fill_preserve(cr);
  double dash[] = {3, 3};
  cairo_set_dash(cr, dash, 2, 1.5);
  cairo_set_line_width(cr, 1);
  SetColour(cr, Hex(0xc9c5ff), 0.35);
  cairo_stroke(cr);
  return canvas.Result();
}

Picture PaintCellMarked() {
  return Glowing(
      [](cairo_t* cr) {
        RoundedRect(cr, 2.5, 2.5, S - 5, S - 5, 8);
        cairo_set_line_width(cr, 2.6);
        SourceLinear(cr, 0, 0, S, S,
                     {{0, Hex(0xfff3c0)}, {0.5, palette::kAmber}, {1, Hex(0xfff3c0)}});
        cairo_stroke(cr);
      },
      palette::kAmber, 2.5, 1.0);
}

Picture PaintCellHint() {
  return Glowing(
      [](cairo_t* cr) {
        cairo_new_path(cr);
        cairo_arc(cr, S / 2.0, S / 2.0, 15.2, 0, 2 * M_PI);
        cairo_set_line_width(cr, 2.4);
        SetColour(cr, Hex(0xeafcff));
        cairo_stroke(cr);
        // Four small glints on the diagonals.
        for (int i = 0; i < 4; ++i) {
          double a = M_PI / 4 + i * M_PI / 2;
          double x = S / 2.0 + 15.2 * std::cos(a), y = S / 2.0 + 15.2 * std::sin(a);
          cairo_move_to(cr, x - 3, y);
          cairo_line_to(cr, x + 3, y);
          cairo_move_to(cr, x, y - 3);
          cairo_line_to(cr, x, y + 3);
        }
        cairo_set_line_width(cr, 1.3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColour(cr, Hex(0xffffff));
        cairo_stroke(cr);
      },
      palette::kCyan, 3, 1.0);
}

}  // namespace datagen
