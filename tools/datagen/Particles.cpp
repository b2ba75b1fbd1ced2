#include "Particles.h"

#include <cmath>

#include "Canvas.h"
#include "Noise.h"

namespace datagen {

namespace {

void RadialBlob(cairo_t* cr, double cx, double cy, double r, double core, double alpha) {
  SourceRadial(
      cr, cx, cy, 0, cx, cy, r,
      {{0, Hex(0xffffff), alpha}, {core, Hex(0xffffff), alpha * 0.55}, {1, Hex(0xffffff), 0}});
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_fill(cr);
}

// A thin tapered ray through the centre at angle a.
void Ray(cairo_t* cr, double cx, double cy, double a, double len, double width, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, a);
  cairo_move_to(cr, -len, 0);
  cairo_curve_to(cr, -len * 0.3, -width, len * 0.3, -width, len, 0);
  cairo_curve_to(cr, len * 0.3, width, -len * 0.3, width, -len, 0);
  SourceLinear(cr, -len, 0, len, 0,
               {{0, Hex(0xffffff), 0}, {0.5, Hex(0xffffff), alpha}, {1, Hex(0xffffff), 0}});
  cairo_fill(cr);
  cairo_restore(cr);
}

void StarShape(cairo_t* cr, double cx, double cy, double outer, double inner, int points) {
  cairo_new_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    double a = -M_PI / 2 + i * M_PI / points, r = i % 2 ? inner : outer;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
}

void Frame(cairo_t* cr, int frame, double s) {
  double c = s / 2;
  switch (frame) {
    case 0:  // spark: hot core, short cross
      RadialBlob(cr, c, c, s * 0.42, 0.18, 0.9);
      Ray(cr, c, c, 0, s * 0.46, s * 0.05, 1);
      Ray(cr, c, c, M_PI / 2, s * 0.3, s * 0.04, 0.8);
      RadialBlob(cr, c, c, s * 0.1, 0.5, 1);
      break;
    case 1:  // star
      RadialBlob(cr, c, c, s * 0.46, 0.2, 0.6);
      StarShape(cr, c, c, s * 0.42, s * 0.14, 5);
      SetColour(cr, Hex(0xffffff), 0.95);
      cairo_fill(cr);
      break;
    case 2:  // soft orb
      RadialBlob(cr, c, c, s * 0.48, 0.35, 0.85);
      break;
    case 3: {  // ring
      SourceRadial(cr, c, c, s * 0.28, c, c, s * 0.46,
                   {{0, Hex(0xffffff), 0}, {0.5, Hex(0xffffff), 0.95}, {1, Hex(0xffffff), 0}});
      cairo_paint(cr);
      break;
    }
    case 4: {  // crystal shard: two facets, grey and white
      cairo_move_to(cr, c, s * 0.08);
      cairo_line_to(cr, c + s * 0.14, c);
      cairo_line_to(cr, c, s * 0.92);
      cairo_close_path(cr);
      SetColour(cr, Hex(0xb8b8c4));
      cairo_fill(cr);
      cairo_move_to(cr, c, s * 0.08);
      cairo_line_to(cr, c - s * 0.14, c);
      cairo_line_to(cr, c, s * 0.92);
      cairo_close_path(cr);
      SetColour(cr, Hex(0xffffff));
      cairo_fill(cr);
      break;
    }
    case 5:  // flare: six rays on a glow
      RadialBlob(cr, c, c, s * 0.3, 0.25, 0.8);
      for (int i = 0; i < 3; ++i) Ray(cr, c, c, i * M_PI / 3, s * 0.48, s * 0.03, 0.9);
      RadialBlob(cr, c, c, s * 0.08, 0.6, 1);
      break;
    case 6: {  // smoke puff: a noisy soft cloud
      for (int i = 0; i < 7; ++i) {
        double a = i * 2 * M_PI / 7, r = s * 0.13;
        RadialBlob(cr, c + r * std::cos(a), c + r * std::sin(a), s * 0.27, 0.3, 0.35);
      }
      RadialBlob(cr, c, c, s * 0.3, 0.3, 0.4);
      break;
    }
    case 7:  // glint: long thin cross
      Ray(cr, c, c, 0, s * 0.49, s * 0.035, 1);
      Ray(cr, c, c, M_PI / 2, s * 0.49, s * 0.035, 1);
      Ray(cr, c, c, M_PI / 4, s * 0.2, s * 0.025, 0.6);
      Ray(cr, c, c, -M_PI / 4, s * 0.2, s * 0.025, 0.6);
      RadialBlob(cr, c, c, s * 0.12, 0.3, 0.9);
      break;
    default:  // dot
      RadialBlob(cr, c, c, s * 0.2, 0.55, 1);
      break;
  }
}

}  // namespace

Picture PaintParticleFrame(int frame, int size) {
  Canvas canvas(size, size, 2);
  Frame(canvas.Cr(), frame, size);
  return canvas.Result();
}

Picture PaintParticleStrip(int width, int height) {
  Canvas canvas(width, height);
  for (int f = 0; f < kParticleFrames; ++f) {
    int x = (f * kParticleFrame) % width, y = (f * kParticleFrame) / width * kParticleFrame;
    PaintPicture(canvas.Cr(), PaintParticleFrame(f, kParticleFrame), x, y);
  }
  return canvas.Result();
}

Picture PaintSparkle(int width, int height) {
  Canvas canvas(width, height, 4);
  cairo_t* cr = canvas.Cr();
  double c = width / 2.0;
  RadialBlob(cr, c, c, c * 0.7, 0.2, 0.6);
  StarShape(cr, c, height / 2.0, c * 0.95, c * 0.16, 4);
  SetColour(cr, Hex(0xffffff));
  cairo_fill(cr);
  return canvas.Result();
}

Picture PaintFireworkSpark(int width, int height) {
  Canvas canvas(width, height, 4);
  cairo_t* cr = canvas.Cr();
  double c = width / 2.0;
  RadialBlob(cr, c, height / 2.0, c * 0.95, 0.15, 0.8);
  Ray(cr, c, height / 2.0, 0, c * 0.95, c * 0.08, 1);
  Ray(cr, c, height / 2.0, M_PI / 2, c * 0.95, c * 0.08, 1);
  RadialBlob(cr, c, height / 2.0, c * 0.25, 0.5, 1);
  return canvas.Result();
}

}  // namespace datagen
