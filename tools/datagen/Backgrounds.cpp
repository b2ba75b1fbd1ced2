#include "Backgrounds.h"

#include <cmath>
#include <vector>

#include "Canvas.h"
#include "Noise.h"

namespace datagen {

namespace {

struct Mood {
  Rgb deep;    // the darkest rock
  Rgb air;     // the cave's haze
  Rgb light;   // the mood's crystal light
  Rgb accent;  // second crystal colour
  uint32_t seed;
  double lightX, lightY;  // where the broad glow of the far cave sits (0..1)
};

Mood MoodOf(Scene scene) {
  switch (scene) {
    case Scene::Blue:
      return {Hex(0x060918), Hex(0x1a2f66), Hex(0x69b4ff), palette::kAmber, 101, 0.22, 0.9};
    case Scene::Teal:
      return {Hex(0x041010), Hex(0x124a4c), Hex(0x52f0d2), Hex(0xa8d8ff), 202, 0.8, 0.85};
    case Scene::Violet:
      return {Hex(0x0b0616), Hex(0x34205e), Hex(0xc28cff), palette::kAmber, 303, 0.25, 0.15};
    case Scene::Amber:
      return {Hex(0x110905), Hex(0x4a2a14), Hex(0xffb457), Hex(0xff7f52), 404, 0.75, 0.12};
    case Scene::Green:
      return {Hex(0x040c06), Hex(0x1a422a), Hex(0x78e890), Hex(0xe2ff90), 505, 0.3, 0.55};
    case Scene::Title:
      return {Hex(0x090617), Hex(0x2c2060), Hex(0xa899ff), palette::kAmber, 606, 0.5, 0.2};
    case Scene::Play:
      return {Hex(0x050a17), Hex(0x16345a), Hex(0x66ccff), Hex(0x84f5c8), 707, 0.5, 0.92};
  }
  return MoodOf(Scene::Blue);
}

// The region the game draws over, kept calm.
struct Quiet {
  double x0, y0, x1, y1, feather, strength;
};

Quiet QuietOf(Scene scene) {
  if (scene == Scene::Title) return {230, 190, 570, 520, 90, 0.35};
  if (scene == Scene::Play) return {20, 140, 780, 470, 50, 0.5};
  return {76, 48, 724, 552, 36, 0.72};
}

double QuietWeight(const Quiet& q, double x, double y) {
  double dx = std::max({q.x0 - x, 0.0, x - q.x1});
  double dy = std::max({q.y0 - y, 0.0, y - q.y1});
  return q.strength * (1 - Smoothstep(0, q.feather, std::hypot(dx, dy)));
}

// Cave outlines: spikes hanging from the ceiling and rising from the floor,
// walls that bulge in from the sides. Each returns how far a point lies
// inside the rock (negative outside).
struct Spike {
  double at, width, length;
};

std::vector<Spike> Spikes(Rng& rng, double span, int count, double length) {
  std::vector<Spike> s;
  for (int i = 0; i < count; ++i)
    s.push_back({rng.Range(0, span), rng.Range(14, 46), length * rng.Range(0.35, 1.0)});
  return s;
}

double Profile(const std::vector<Spike>& spikes, double at) {
  double v = 0;
  for (const Spike& s : spikes) {
    double t = 1 - std::fabs(at - s.at) / s.width;
    if (t > 0) v = std::max(v, s.length * std::pow(t, 1.6));
  }
  return v;
}

struct Outline {
  std::vector<Spike> ceiling, floor;
  uint32_t seed;
  double scale;  // 1 for the near rock; the far rock is smaller and softer

  double Depth(double x, double y, double w, double h) const {
    double left =
        scale * (52 + 40 * Fbm(y / 130.0, 1.3, seed, 4) + 14 * Fbm(y / 28.0, 7.1, seed + 1, 2));
    double right =
        scale * (52 + 40 * Fbm(y / 130.0, 4.7, seed + 2, 4) + 14 * Fbm(y / 28.0, 9.3, seed + 3, 2));
    double top = scale * (14 + 14 * Fbm(x / 90.0, 3.3, seed + 5, 3)) + Profile(ceiling, x) * scale;
    double bottom = scale * (16 + 14 * Fbm(x / 80.0, 5.5, seed + 6, 3)) + Profile(floor, x) * scale;
    return std::max({left - x, x - (w - right), top - y, y - (h - bottom)});
  }
};

Outline MakeOutline(uint32_t seed, double w, double scale, double spikeLength) {
  Rng rng(seed);
  Outline o;
  o.seed = seed;
  o.scale = scale;
  o.ceiling = Spikes(rng, w, 22, spikeLength);
  o.floor = Spikes(rng, w, 16, spikeLength * 0.7);
  return o;
}

Rgb RockShade(const Mood& m, double depth, double tex, double rimLight, double dark) {
  Rgb rock = Scale(Mix(m.deep, palette::kRock, 0.35 + 0.3 * tex),
                   dark * (1 - 0.45 * Smoothstep(0, 45, depth)));
  double rim = std::exp(-std::fabs(depth) / 3.2) * (0.55 + 0.45 * tex);
  return Add(rock, Scale(m.light, rimLight * rim));
}

struct Layers {
  Outline far, near;
};

Canvas::Texel SceneTexel(const Mood& m, const Layers& layers, double x, double y, double w,
                         double h) {
  double u = x / w, v = y / h;
  // The air: dark above, a glowing haze low in the cave, and the mood light.
  double band = std::exp(-std::pow((v - 0.6) / 0.3, 2));
  Rgb c = Mix(m.deep, m.air, 0.12 + 0.55 * band);
  double lx = (u - m.lightX) * 1.4, ly = v - m.lightY;
  c = Add(c, Scale(m.light, 0.3 * std::exp(-(lx * lx + ly * ly) * 4.5)));
  double haze = Fbm(x / 260.0, y / 170.0, m.seed + 10, 5);
  c = Scale(c, 0.82 + 0.3 * haze);
  // Far rock: soft, lighter, lost in the haze.
  double farDepth = layers.far.Depth(x, y, w, h);
  if (farDepth > -8) {
    double tex = Fbm(x / 40.0, y / 40.0, m.seed + 12, 4);
    Rgb far = Mix(Scale(c, 0.5), RockShade(m, farDepth, tex, 0.22, 1.0), 0.45);
    c = Mix(c, far, Smoothstep(-8, 4, farDepth));
  }
  // Near rock: dark, textured, rimmed with the crystals' light.
  double nearDepth = layers.near.Depth(x, y, w, h);
  if (nearDepth > -5) {
    double tex = Fbm(x / 18.0, y / 18.0, m.seed + 21, 4);
    double strata = Turbulence(x / 60.0, y / 14.0, m.seed + 22, 3);
    Rgb rock = RockShade(m, nearDepth, tex + 0.3 * (strata - 0.3), 0.6, 1.1);
    c = Mix(c, rock, Smoothstep(-5, 2, nearDepth));
  }
  return {Clamp(c), 1};
}

// ---------------------------------------------------------------- crystals

struct Shard {
  double x, y, length, width, angle;
  Rgb colour;
};

void DrawShard(cairo_t* cr, const Shard& s) {
  cairo_save(cr);
  cairo_translate(cr, s.x, s.y);
  cairo_rotate(cr, s.angle);
  double w = s.width / 2, l = s.length;
  auto face = [&](double side, const Rgb& base, const Rgb& tip) {
    cairo_move_to(cr, 0, w * 0.3);
    cairo_line_to(cr, side * w, 0);
    cairo_line_to(cr, side * w * 0.9, -l * 0.8);
    cairo_line_to(cr, 0, -l);
    cairo_close_path(cr);
    SourceLinear(cr, 0, 0, 0, -l, {{0, base}, {1, tip}});
    cairo_fill(cr);
  };
  face(-1, Scale(s.colour, 0.45), Mix(s.colour, Hex(0xffffff), 0.85));
  face(1, Scale(s.colour, 0.2), Mix(s.colour, Hex(0xffffff), 0.3));
  // Glints along the edge and down the lit face.
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 0, -l);
  cairo_set_line_width(cr, std::max(0.7, w * 0.08));
  SetColour(cr, Hex(0xffffff), 0.6);
  cairo_stroke(cr);
  cairo_move_to(cr, -w * 0.5, -l * 0.15);
  cairo_line_to(cr, -w * 0.45, -l * 0.72);
  cairo_set_line_width(cr, std::max(0.8, w * 0.14));
  SetColour(cr, Hex(0xffffff), 0.35);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Halo(cairo_t* cr, double x, double y, double r, const Rgb& c, double alpha) {
  SourceRadial(cr, x, y, 0, x, y, r, {{0, c, alpha}, {0.3, c, alpha * 0.45}, {1, c, 0}});
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// A fan of shards growing from (x, y) towards `up` (radians, 0 = up).
void Cluster(cairo_t* cr, Rng& rng, double x, double y, double up, double size, const Mood& m) {
  int count = 4 + rng.Int(0, 3);
  double cx = x + std::sin(up) * size * 0.45, cy = y - std::cos(up) * size * 0.45;
  Halo(cr, cx, cy, size * 1.6, m.light, 0.2);
  std::vector<Shard> shards;
  for (int i = 0; i < count; ++i) {
    double spread = (i - (count - 1) / 2.0) / std::max(1.0, count / 2.0);
    double len = size * rng.Range(0.45, 1.0) * (1 - 0.4 * std::fabs(spread));
    Rgb colour = rng.Uniform() < 0.28 ? m.accent : Mix(m.light, Hex(0xffffff), rng.Range(0, 0.2));
    shards.push_back({x + spread * size * 0.28 + rng.Range(-3, 3), y + rng.Range(-2, 2), len,
                      len * rng.Range(0.2, 0.28), up + spread * 0.6 + rng.Range(-0.1, 0.1),
                      colour});
  }
  // Tallest at the back.
  std::sort(shards.begin(), shards.end(),
            [](const Shard& a, const Shard& b) { return a.length > b.length; });
  for (const Shard& s : shards) DrawShard(cr, s);
  Halo(cr, x, y, size * 0.55, m.accent, 0.22);
  Halo(cr, cx, cy, size * 0.35, Hex(0xffffff), 0.12);
}

struct ClusterPlace {
  double x, y, up, size;
};

std::vector<ClusterPlace> PlacesOf(Scene scene, double w, double h) {
  std::vector<ClusterPlace> p = {
      {30, h - 20, 0.35, 165},    {w - 30, h - 16, -0.38, 150},  // floor corners
      {10, h * 0.4, 1.3, 85},     {w - 10, h * 0.62, -1.3, 95},  // the walls
      {w * 0.17, h - 4, 0.1, 55}, {w * 0.83, h - 2, -0.08, 62},  // floor
      {w - 60, 12, -2.8, 80},     {70, 8, 2.75, 64},             // hanging from the ceiling
      {w * 0.45, 4, 3.1, 40},     {w * 0.62, 2, -3.05, 34},
  };
  if (scene == Scene::Title) {
    p.push_back({w * 0.5 - 240, h - 6, 0.12, 130});
    p.push_back({w * 0.5 + 235, h - 4, -0.1, 120});
    p.push_back({w * 0.5, h + 10, 0.0, 90});
  }
  return p;
}

void DrawCrystals(cairo_t* cr, Scene scene, const Mood& m, double w, double h) {
  Rng rng(m.seed);
  for (ClusterPlace p : PlacesOf(scene, w, h)) {
    p.size *= rng.Range(0.85, 1.15);
    Cluster(cr, rng, p.x, p.y, p.up, p.size, m);
  }
}

// Faint shafts of light falling from cracks in the ceiling.
void DrawShafts(cairo_t* cr, const Mood& m, double w, double h) {
  Rng rng(m.seed + 5);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  for (int i = 0; i < 3; ++i) {
    double x = rng.Range(w * 0.15, w * 0.85), top = rng.Range(18, 50), spread = rng.Range(40, 90);
    double lean = rng.Range(-120, 120);
    cairo_move_to(cr, x - 8, top);
    cairo_line_to(cr, x + 8, top);
    cairo_line_to(cr, x + lean + spread, h);
    cairo_line_to(cr, x + lean - spread, h);
    cairo_close_path(cr);
    SourceLinear(cr, 0, top, 0, h, {{0, m.light, 0.09}, {0.6, m.light, 0.03}, {1, m.light, 0}});
    cairo_fill(cr);
  }
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void DrawMotes(cairo_t* cr, const Mood& m, const Quiet& q, double w, double h) {
  Rng rng(m.seed + 99);
  for (int i = 0; i < 70; ++i) {
    double x = rng.Range(0, w), y = rng.Range(0, h);
    double r = rng.Range(0.7, 2.6);
    double calm = QuietWeight(q, x, y);
    Halo(cr, x, y, r * 3.2, rng.Uniform() < 0.3 ? m.accent : m.light,
         rng.Range(0.2, 0.7) * (1 - calm));
  }
}

// Under the board the picture is blurred, dimmed and flattened, so the
// jewels stay legible.
void Calm(Picture& picture, const Quiet& q) {
  Picture soft = Blur(picture, 22);
  const double unit = 1.0 / OutputScale();
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      double k = QuietWeight(q, x * unit, y * unit);
      if (k <= 0) continue;
      uint32_t& p = picture.pixels[size_t(y) * picture.width + x];
      uint32_t s = soft.At(x, y), out = 0xff000000u;
      for (int c = 0; c < 3; ++c) {
        double a = p >> (c * 8) & 255, b = (s >> (c * 8) & 255) * 0.7;
        out |= uint32_t(std::lround(a + (b - a) * k)) << (c * 8);
      }
      p = out;
    }
}

void Vignette(Picture& picture, uint32_t seed) {
  Rng rng(seed);
  double w = picture.width, h = picture.height;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      double u = x / w - 0.5, v = y / h - 0.5;
      double k = 1 - 1.1 * std::pow(u * u + v * v, 1.3);
      uint32_t& p = picture.pixels[size_t(y) * picture.width + x];
      uint32_t out = 0xff000000u;
      double dither = rng.Uniform() - 0.5;  // breaks banding in the dark gradients
      for (int c = 0; c < 3; ++c) {
        long a = std::lround((p >> (c * 8) & 255) * k + dither);
        out |= uint32_t(std::clamp(a, 4L, 255L)) << (c * 8);
      }
      p = out;
    }
}

}  // namespace

Picture PaintBackground(Scene scene, int width, int height) {
  Mood m = MoodOf(scene);
  Quiet q = QuietOf(scene);
  Layers layers{MakeOutline(m.seed + 30, width, 2.2, 70), MakeOutline(m.seed + 20, width, 1.0, 60)};
  Canvas canvas(width, height);
  canvas.Shade([&](double x, double y) { return SceneTexel(m, layers, x, y, width, height); });
  DrawShafts(canvas.Cr(), m, width, height);
  DrawMotes(canvas.Cr(), m, q, width, height);
  Picture out = canvas.Result();
  // The crystals on a layer of their own, so they can bloom: a blurred copy
  // of them added as light makes them glow into the rock around them.
  Canvas crystals(width, height);
  DrawCrystals(crystals.Cr(), scene, m, width, height);
  Picture shards = crystals.Result();
  AddLight(out, Blur(shards, 26), 0.9);
  Composite(out, shards);
  AddLight(out, Blur(shards, 6), 0.35);
  Calm(out, q);
  Vignette(out, m.seed + 7);
  return out;
}

}  // namespace datagen
