#include "Buttons.h"

#include <cmath>

#include "Canvas.h"

namespace datagen {

namespace {

struct Body {
  double x, y, w, h, r;
};

struct Tones {
  Rgb top, bottom, inner, rimTop, rimBottom, caption;
  double alpha;
};

Tones TonesOf(Look look, bool on) {
  Tones t{Hex(0x3c4392),     Hex(0x161a42), palette::kMineral, Hex(0xc3ccff), Hex(0x5d4fb8),
          palette::kCaption, 0.93};
  if (on) {
    t.top = Hex(0x4c4aa6);
    t.inner = palette::kAmber;
    t.rimBottom = palette::kAmberDeep;
  }
  switch (look) {
    case Look::Normal:
      break;
    case Look::Over:
      t.top = Mix(t.top, Hex(0x7f8cff), 0.45);
      t.bottom = Mix(t.bottom, Hex(0x34408a), 0.6);
      t.inner = palette::kAmber;
      t.rimTop = Hex(0xfff0c4);
      t.rimBottom = palette::kAmber;
      t.caption = Hex(0xfff4d2);
      break;
    case Look::Down:
      std::swap(t.top, t.bottom);
      t.top = Scale(t.top, 0.8);
      t.rimTop = Hex(0x8a86c8);
      t.caption = Hex(0xdcd6ca);
      break;
    case Look::Disabled:
      t.top = Desaturate(t.top, 0.85);
      t.bottom = Desaturate(t.bottom, 0.85);
      t.inner = Hex(0x55586a);
      t.rimTop = Hex(0x8e90a0);
      t.rimBottom = Hex(0x4a4b58);
      t.caption = Hex(0x8f8e9c);
      t.alpha = 0.7;
      break;
  }
  return t;
}

Body BodyOf(int width, int height) {
  double margin = std::max(2.0, std::round(height * 0.09));
  Body b{margin, margin, width - 2 * margin, height - 2 * margin, 0};
  b.r = std::min(b.h * 0.42, 14.0);
  return b;
}

double IndentOf(const Body& b, const ButtonArt& art) { return art.radio ? b.h * 0.7 : 0; }

// The caption's own size, shrunk only as far as the body needs.
double CaptionPixelsIn(const Body& b, const ButtonArt& art, double indent) {
  double px = std::min(b.h * 0.56, 26.0);
  while (px > 8 && TextWidth(Face::Bold, px, art.caption) > b.w - indent - b.h * 0.55) px -= 0.5;
  return px;
}

void BodyPath(cairo_t* cr, const Body& b) { RoundedRect(cr, b.x, b.y, b.w, b.h, b.r); }

void DrawGlass(cairo_t* cr, const Body& b, const Tones& t, Look look) {
  BodyPath(cr, b);
  SourceLinear(
      cr, 0, b.y, 0, b.y + b.h,
      {{0, t.top, t.alpha}, {0.55, Mix(t.top, t.bottom, 0.7), t.alpha}, {1, t.bottom, t.alpha}});
  cairo_fill(cr);
  // Light caught inside the glass, rising from its lower edge.
  cairo_save(cr);
  BodyPath(cr, b);
  cairo_clip(cr);
  double cx = b.x + b.w / 2, cy = b.y + b.h * 1.05;
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, b.w * 0.55, b.h * 0.6);
  SourceRadial(cr, 0, 0, 0, 0, 0, 1,
               {{0, t.inner, look == Look::Over ? 0.6 : 0.4}, {1, t.inner, 0}});
  cairo_paint(cr);
  cairo_set_matrix(cr, &m);
  // The gloss on the upper half.
  if (look != Look::Down) {
    RoundedRect(cr, b.x + 1.5, b.y + 1.2, b.w - 3, b.h * 0.48, b.r * 0.8);
    SourceLinear(
        cr, 0, b.y, 0, b.y + b.h * 0.5,
        {{0, Hex(0xffffff), look == Look::Disabled ? 0.12 : 0.3}, {1, Hex(0xffffff), 0.03}});
    cairo_fill(cr);
  }
  cairo_restore(cr);
  // Rim: a bright bevel on top fading into the crystal's colour below.
  BodyPath(cr, b);
  SourceLinear(cr, 0, b.y, 0, b.y + b.h, {{0, t.rimTop, 0.95}, {1, t.rimBottom, 0.9}});
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

void GlyphPath(cairo_t* cr, Glyph glyph, double cx, double cy, double s) {
  double a = 0;
  switch (glyph) {
    case Glyph::Right:
      a = 0;
      break;
    case Glyph::Down:
      a = M_PI / 2;
      break;
    case Glyph::Left:
      a = M_PI;
      break;
    case Glyph::Up:
      a = -M_PI / 2;
      break;
    case Glyph::None:
      return;
  }
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, a);
  cairo_move_to(cr, s * 0.6, 0);
  cairo_line_to(cr, -s * 0.4, -s * 0.6);
  cairo_line_to(cr, -s * 0.4, s * 0.6);
  cairo_close_path(cr);
  cairo_restore(cr);
}

// Caption or glyph, with a soft dark shadow under it.
void DrawFace(cairo_t* cr, const Body& b, const ButtonArt& art, const Tones& t, Look look,
              double indent) {
  double shift = look == Look::Down ? 1 : 0;
  double cx = b.x + indent + (b.w - indent) / 2, cy = b.y + b.h / 2 + shift;
  if (art.glyph != Glyph::None) {
    GlyphPath(cr, art.glyph, cx, cy, std::min(b.w, b.h) * 0.42);
  } else {
    double px = CaptionPixelsIn(b, art, indent);
    SelectFont(cr, Face::Bold, px);
    TextBox box = MeasureText(Face::Bold, px, art.caption);
    TextPath(cr, art.caption, cx - box.width / 2, cy + box.capHeight / 2);
  }
  cairo_save(cr);
  cairo_translate(cr, 0, 1.2);
  SetColour(cr, Hex(0x07061a), look == Look::Disabled ? 0.3 : 0.6);
  cairo_fill_preserve(cr);
  cairo_restore(cr);
  SourceLinear(cr, 0, b.y, 0, b.y + b.h,
               {{0, Mix(t.caption, Hex(0xffffff), 0.4)},
                {1, look == Look::Over ? Mix(t.caption, palette::kAmber, 0.35) : t.caption}});
  cairo_fill(cr);
}

void DrawIndicator(cairo_t* cr, const Body& b, bool on, Look look) {
  double r = b.h * 0.2, cx = b.x + b.h * 0.5, cy = b.y + b.h / 2;
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetColour(cr, Hex(0x0b0a20), 0.8);
  cairo_fill_preserve(cr);
  SetColour(cr, on ? palette::kAmber : Hex(0x9aa2e0), look == Look::Disabled ? 0.5 : 0.95);
  cairo_set_line_width(cr, 1.4);
  cairo_stroke(cr);
  if (!on) return;
  SourceRadial(cr, cx - r * 0.3, cy - r * 0.3, 0, cx, cy, r * 0.8,
               {{0, Hex(0xfffbe8)}, {0.5, palette::kAmber}, {1, palette::kAmberDeep}});
  cairo_arc(cr, cx, cy, r * 0.62, 0, 2 * M_PI);
  cairo_fill(cr);
}

}  // namespace

double CaptionPixels(int width, int height, const ButtonArt& art) {
  if (art.glyph != Glyph::None) return 0;
  Body b = BodyOf(width, height);
  return CaptionPixelsIn(b, art, IndentOf(b, art));
}

Picture PaintButton(int width, int height, const ButtonArt& art, Look look) {
  Body b = BodyOf(width, height);
  double margin = b.x;
  Tones t = TonesOf(look, art.on);
  Canvas glass(width, height, 2);
  DrawGlass(glass.Cr(), b, t, look);
  double indent = IndentOf(b, art);
  if (art.radio) DrawIndicator(glass.Cr(), b, art.on, look);
  Canvas face(width, height, 2);
  DrawFace(face.Cr(), b, art, t, look, indent);
  Picture body = glass.Result(), text = face.Result();
  Picture out = BlankPicture(width, height);
  if (look == Look::Over) {
    Composite(out, GlowOf(body, margin * 1.6, palette::kAmber, 0.55));
  } else if (look != Look::Disabled) {
    Composite(out, GlowOf(body, margin, Hex(0x05040f), 0.5));
  }
  Composite(out, body);
  if (look == Look::Over) AddLight(out, GlowOf(text, 3, palette::kAmber, 0.5));
  Composite(out, text);
  return out;
}

}  // namespace datagen
