#include "Headers.h"

#include <algorithm>
#include <cmath>

#include "Canvas.h"
#include "Gems.h"
#include "Noise.h"

namespace datagen {

namespace {

struct TextStyle {
  Face face = Face::Bold;
  Rgb top, middle, bottom;  // fill gradient
  Rgb outline;
  double outlineWidth;
  Rgb glow;
  double glowRadius, glowAlpha;
};

TextStyle StyleOf(Lettering l) {
  switch (l) {
    case Lettering::Header:
      return {Face::Bold,    Hex(0xfffbee), Hex(0xffdd8a),   Hex(0xe0882e),
              Hex(0x24123a), 3.2,           palette::kAmber, 9,
              0.75};
    case Lettering::Label:
      return {Face::Bold,
              Hex(0xfff8e6),
              Hex(0xffe2a0),
              Hex(0xe89a48),
              Hex(0x1e1234),
              2.4,
              palette::kAmber,
              5,
              0.5};
    case Lettering::Score:
      return {Face::Bold,
              Hex(0xffffff),
              Hex(0xfff0c8),
              palette::kAmber,
              Hex(0x2a1420),
              2.6,
              palette::kAmber,
              4,
              0.8};
    case Lettering::Bonus:
      return {Face::Bold,
              Hex(0xffffff),
              Hex(0xfffbe0),
              Hex(0xffd060),
              Hex(0x3a2410),
              2.8,
              Hex(0xfff0b0),
              5,
              1.0};
  }
  return StyleOf(Lettering::Header);
}

// Lettering centred in the picture: glow, dark outline, gradient fill.
Picture Letters(int width, int height, const std::string& text, double px, const TextStyle& st,
                double cy) {
  TextBox box = MeasureText(st.face, px, text);
  double x = (width - box.width) / 2, baseline = cy + box.capHeight / 2;
  double top = baseline - box.capHeight, bottom = baseline;
  Canvas fill(width, height, 2);
  cairo_t* cr = fill.Cr();
  SelectFont(cr, st.face, px);
  TextPath(cr, text, x, baseline);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, st.outlineWidth * 2);
  SetColour(cr, st.outline, 0.92);
  cairo_stroke_preserve(cr);
  SourceLinear(cr, 0, top - px * 0.1, 0, bottom + px * 0.15,
               {{0, st.top}, {0.5, st.middle}, {1, st.bottom}});
  cairo_fill(cr);
  Picture shape = fill.Result();
  Picture out = GlowOf(shape, st.glowRadius, st.glow, st.glowAlpha);
  Composite(out, shape);
  return out;
}

double FittingSize(Face face, const std::string& text, double width, double height) {
  double px = height * 0.78;
  while (px > 8 && TextWidth(face, px, text) > width * 0.86) px -= 0.5;
  return px;
}

void Sparkle(cairo_t* cr, double x, double y, double r) {
  for (int i = 0; i < 2; ++i) {
    double len = i ? r * 0.55 : r;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, i * M_PI / 4);
    cairo_move_to(cr, -len, 0);
    cairo_curve_to(cr, -len * 0.1, -len * 0.08, -len * 0.08, -len * 0.1, 0, -len);
    cairo_curve_to(cr, len * 0.08, -len * 0.1, len * 0.1, -len * 0.08, len, 0);
    cairo_curve_to(cr, len * 0.1, len * 0.08, len * 0.08, len * 0.1, 0, len);
    cairo_curve_to(cr, -len * 0.08, len * 0.1, -len * 0.1, len * 0.08, -len, 0);
    cairo_restore(cr);
    SetColour(cr, Hex(0xffffff), 0.95);
    cairo_fill(cr);
  }
}

}  // namespace

double LetteringPixels(int width, int height, const std::string& text, Lettering style) {
  return FittingSize(StyleOf(style).face, text, width, height);
}

// The paused and loading words: their own size, smaller only when too wide.
double PausedPixels(int width, int height, const std::string& text) {
  return std::min(height * 0.48, FittingSize(Face::Bold, text, width, height));
}

double LoadingPixels(int width, int height, const std::string& text) {
  return std::min(height * 0.5, FittingSize(Face::Bold, text, width, height));
}

Picture PaintLettering(int width, int height, const std::string& text, Lettering style) {
  TextStyle st = StyleOf(style);
  double px = LetteringPixels(width, height, text, style);
  return Letters(width, height, text, px, st, height / 2.0);
}

Picture PaintLogo(int width, int height) {
  // "Gleamstrand" in icy crystal letters on a warm glow, with a cluster of
  // gems under the word and sparkles on its letters.
  TextStyle st{
      Face::Bold, Hex(0xffffff), Hex(0xbfeaff), Hex(0x7b6cff), Hex(0x140c2e), 4, palette::kAmber,
      14,         0.85};
  double px = FittingSize(st.face, "Gleamstrand", width, height * 0.72);
  Picture out = BlankPicture(width, height);
  Canvas back(width, height, 1);
  cairo_t* cr = back.Cr();
  // A warm glow behind the word, an ellipse that fades out inside the picture.
  cairo_translate(cr, width / 2.0, height * 0.45);
  cairo_scale(cr, width * 0.48, height * 0.44);
  SourceRadial(
      cr, 0, 0, 0, 0, 0, 1,
      {{0, palette::kAmber, 0.32}, {0.55, palette::kAmberDeep, 0.1}, {1, palette::kAmberDeep, 0}});
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_fill(cr);
  Composite(out, back.Result());
  Composite(out, Letters(width, height, "Gleamstrand", px, st, height * 0.42));
  Canvas gems(width, height, 1);
  int order[6] = {2, 5, 1, 4, 3, 6};
  double gx = width / 2.0 - 3 * 30 + 15;
  for (int i = 0; i < 6; ++i) {
    Picture jewel = PaintJewel(order[i], 26);
    PaintPicture(gems.Cr(), jewel, gx + i * 30 - 13, height * 0.8 - 13);
  }
  Sparkle(gems.Cr(), width * 0.5 - px * 2.2, height * 0.42 - px * 0.42, px * 0.22);
  Sparkle(gems.Cr(), width * 0.5 + px * 2.05, height * 0.42 - px * 0.3, px * 0.16);
  Composite(out, gems.Result());
  return out;
}

Picture PaintPaused(int width, int height, const std::string& text) {
  Canvas glass(width, height, 2);
  cairo_t* cr = glass.Cr();
  RoundedRect(cr, 4, 4, width - 8, height - 8, height / 3.0);
  SetColour(cr, Hex(0x0e0f26), 0.82);
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0xb4bcff), 0.8);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  Picture out = glass.Result();
  TextStyle st = StyleOf(Lettering::Header);
  Composite(out, Letters(width, height, text, PausedPixels(width, height, text), st, height / 2.0));
  return out;
}

Picture PaintLoading(int width, int height, const std::string& text) {
  TextStyle st = StyleOf(Lettering::Header);
  Picture out = Letters(width, height, text, LoadingPixels(width, height, text), st, height * 0.45);
  return out;
}

}  // namespace datagen
