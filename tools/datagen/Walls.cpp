#include "Walls.h"

#include <cmath>
#include <limits>

#include "Canvas.h"
#include "Gems.h"
#include "Noise.h"

namespace datagen {

const std::vector<WallRule>& WallRules() {
  const unsigned L = kWallL, R = kWallR, T = kWallT, B = kWallB;
  const unsigned iNW = kInNW, iNE = kInNE, iSW = kInSW, iSE = kInSE;
  const unsigned oNW = kOutNW, oNE = kOutNE, oSW = kOutSW, oSE = kOutSE;
  static const std::vector<WallRule> rules = {
      {L | R | T | B | iNW | iNE | iSW | iSE, "wall-full", "wall-fulldecoration"},
      {L | T | B | iNW | iSW, "wall-lefttopbottom", "wall-lefttopbottomdecoration"},
      {R | T | B | iNE | iSE, "wall-righttopbottom", "wall-righttopbottomdecoration"},
      {L | R | T | iNW | iNE, "wall-topleftright", "wall-topleftrightdecoration"},
      {L | R | B | iSW | iSE, "wall-bottomleftright", "wall-bottomleftrightdecoration"},
      {L | R, "wall-leftright", ""},
      {T | B, "wall-topbottom", ""},
      {T | L | oSE, "wall-topleftse", ""},
      {T | L, "wall-topleft", "wall-topleftdecoration"},
      {T | R | oSW, "wall-toprightsw", ""},
      {T | R, "wall-topright", "wall-toprightdecoration"},
      {B | L | oNE, "wall-bottomleftne", ""},
      {B | L, "wall-bottomleft", "wall-bottomleftdecoration"},
      {B | R | oNW, "wall-bottomrightnw", ""},
      {B | R, "wall-bottomright", "wall-bottomrightdecoration"},
      {B | oNW | oNE, "wall-bottomnwne", ""},
      {B | oNW, "wall-bottomnw", ""},
      {B | oNE, "wall-bottomne", ""},
      {T | oSW | oSE, "wall-topswse", ""},
      {T | oSW, "wall-topsw", ""},
      {T | oSE, "wall-topse", ""},
      {L | oNE | oSE, "wall-leftnese", ""},
      {L | oNE, "wall-leftne", ""},
      {L | oSE, "wall-leftse", ""},
      {R | oNW | oSW, "wall-rightnwsw", ""},
      {R | oNW, "wall-rightnw", ""},
      {R | oSW, "wall-rightsw", ""},
      {oNW | oNE | oSW | oSE, "wall-nwneswse", ""},
      {oNE | oSW | oSE, "wall-neswse", ""},
      {oNW | oNE | oSE, "wall-nwnese", ""},
      {oNW | oNE | oSW, "wall-nwnesw", ""},
      {oNW | oSW | oSE, "wall-nwswse", ""},
      {oNE | oSE, "wall-nese", ""},
      {oNE | oSW, "wall-nesw", ""},
      {oNW | oNE, "wall-nwne", ""},
      {oNW | oSE, "wall-nwse", ""},
      {oNW | oSW, "wall-nwsw", ""},
      {oSW | oSE, "wall-swse", ""},
      {oNW, "wall-corner-outside-nw", ""},
      {oNE, "wall-corner-outside-ne", ""},
      {oSW, "wall-corner-outside-sw", ""},
      {oSE, "wall-corner-outside-se", ""},
      {L, "wall-left", ""},
      {R, "wall-right", ""},
      {T, "wall-top", ""},
      {B, "wall-bottom", ""},
  };
  return rules;
}

int ChooseWallRule(unsigned flags) {
  const auto& rules = WallRules();
  for (size_t i = 0; i < rules.size(); ++i)
    if ((flags & rules[i].required) == rules[i].required) return int(i);
  return -1;
}

unsigned WallFlagsAt(const BoardLayout& layout, int x, int y) {
  auto playing = [&](int px, int py) {
    return px >= 0 && py >= 0 && px < kBoardWidth && py < kBoardHeight && layout[py][px] != 0;
  };
  if (playing(x, y)) return 0;
  bool l = playing(x - 1, y), r = playing(x + 1, y), t = playing(x, y - 1), b = playing(x, y + 1);
  unsigned f = 0;
  if (l) f |= kWallL;
  if (r) f |= kWallR;
  if (t) f |= kWallT;
  if (b) f |= kWallB;
  if (l && t) f |= kInNW;
  if (r && t) f |= kInNE;
  if (l && b) f |= kInSW;
  if (r && b) f |= kInSE;
  if (!l && !t && playing(x - 1, y - 1)) f |= kOutNW;
  if (!r && !t && playing(x + 1, y - 1)) f |= kOutNE;
  if (!l && !b && playing(x - 1, y + 1)) f |= kOutSW;
  if (!r && !b && playing(x + 1, y + 1)) f |= kOutSE;
  return f;
}

namespace {

constexpr double S = kCellSize;

// Distance from a point of the tile to the nearest playing cell the flags
// name. It equals the distance to the nearest playing cell on the whole
// board (a diagonal neighbour matters only when both its sides are walls,
// which is what an outside-corner flag says), so it is continuous across
// every tile border.
double PlayDistance(unsigned f, double x, double y) {
  double d = std::numeric_limits<double>::infinity();
  if (f & kWallL) d = std::min(d, x);
  if (f & kWallR) d = std::min(d, S - x);
  if (f & kWallT) d = std::min(d, y);
  if (f & kWallB) d = std::min(d, S - y);
  if (f & kOutNW) d = std::min(d, std::hypot(x, y));
  if (f & kOutNE) d = std::min(d, std::hypot(S - x, y));
  if (f & kOutSW) d = std::min(d, std::hypot(x, S - y));
  if (f & kOutSE) d = std::min(d, std::hypot(S - x, S - y));
  return std::max(0.0, d);
}

// Every texture below repeats once per tile (integer lattice periods), so
// the rock continues across tile borders.
double Grain(double x, double y) { return Fbm(x / S * 6, y / S * 6, 43, 3, 0.5, 6); }
Cells Stones(double x, double y) { return Worley(x / S * 4, y / S * 4, 47, 4); }
double StoneHash(uint32_t id) { return ((id * 2654435761u) >> 8 & 0xffff) / 65535.0; }

// Behind the board's edge the rim becomes loose stones.
double StoneWeight(double d) { return Smoothstep(7, 11, d); }

// Height of the rim: a rounded lip rising from the board's edge, a groove
// behind it, then domed stones with cracks between them.
double Height(unsigned f, double x, double y) {
  double d = PlayDistance(f, x, y);
  if (!std::isfinite(d)) return 0;
  double lip = 5.5 * (1 - std::exp(-d / 1.8));
  double groove = -1.8 * std::exp(-std::pow((d - 8.5) / 2.2, 2));
  Cells c = Stones(x, y);
  double crack = 1 - Smoothstep(0.02, 0.12, c.f2 - c.f1);
  double stones = StoneWeight(d) * (1.6 * (1 - std::min(1.0, c.f1 * 1.6)) - 1.4 * crack);
  return lip + groove + stones + 0.45 * Grain(x, y);
}

struct Vec {
  double x, y, z;
};

Vec Normal(unsigned f, double x, double y) {
  const double e = 0.3;
  double hx = (Height(f, x + e, y) - Height(f, x - e, y)) / (2 * e);
  double hy = (Height(f, x, y + e) - Height(f, x, y - e)) / (2 * e);
  double l = std::sqrt(hx * hx + hy * hy + 1);
  return {-hx / l, -hy / l, 1 / l};
}

Canvas::Texel RimTexel(unsigned f, double x, double y) {
  double d = PlayDistance(f, x, y);
  if (!std::isfinite(d)) return {{0, 0, 0}, 0};
  Vec n = Normal(f, x, y);
  const Vec light{-0.5, -0.68, 0.54};
  double lit = std::max(0.0, n.x * light.x + n.y * light.y + n.z * light.z);
  // Warm light from the crystals catches the faces turned away from the key light.
  double warm = std::max(0.0, n.x * 0.55 + n.y * 0.6) * (1 - n.z);
  Cells c = Stones(x, y);
  double crack = 1 - Smoothstep(0.02, 0.12, c.f2 - c.f1);
  double w = StoneWeight(d), hash = StoneHash(c.id);
  Rgb lipStone = Mix(palette::kRock, palette::kRockLit, 0.32 + 0.1 * Grain(x, y));
  Rgb looseStone = Scale(Mix(palette::kRock, Hex(0x2d3566), hash), 0.75 + 0.25 * hash);
  Rgb albedo = Mix(lipStone, looseStone, w);
  double depth = 1 - 0.72 * Smoothstep(9, 25, d);
  Rgb colour = Scale(albedo, (0.22 + 0.95 * lit) * depth * (1 - 0.55 * crack * w));
  colour = Add(colour, Scale(palette::kAmberDeep, 0.22 * warm * depth));
  double shine = std::pow(std::max(0.0, n.z * 0.6 - n.x * 0.45 - n.y * 0.6), 16);
  colour = Add(colour, Scale(palette::kRockHighlight, 0.4 * shine * (1 - 0.5 * w)));
  // A faint mineral seam where the rock meets the board.
  colour = Add(colour, Scale(palette::kMineral, 0.35 * std::exp(-d / 0.9)));
  // The outer edge: soft and stony, gone well before the next cell.
  double reach = 21 + 3.5 * Fbm(x / S * 2, y / S * 2, 53, 3, 0.5, 2);
  double alpha = 1 - Smoothstep(reach - 3, reach + 3, d);
  alpha *= 1 - crack * Smoothstep(reach - 9, reach, d);
  return {Clamp(colour), alpha};
}

// ---------------------------------------------------------------- ornaments

void Crystal(cairo_t* cr, double x, double y, double len, double width, double tilt,
             const Rgb& colour) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, tilt);
  double w = width / 2;
  // A hexagonal prism seen from the side: pointed tip, two visible faces.
  cairo_move_to(cr, -w, 0);
  cairo_line_to(cr, -w, -len * 0.72);
  cairo_line_to(cr, 0, -len);
  cairo_line_to(cr, 0, 0.8);
  cairo_close_path(cr);
  SetColour(cr, Mix(colour, Hex(0xffffff), 0.55));
  cairo_fill(cr);
  cairo_move_to(cr, 0, 0.8);
  cairo_line_to(cr, 0, -len);
  cairo_line_to(cr, w, -len * 0.72);
  cairo_line_to(cr, w, 0);
  cairo_close_path(cr);
  SetColour(cr, Scale(colour, 0.62));
  cairo_fill(cr);
  cairo_move_to(cr, -w * 0.45, -len * 0.15);
  cairo_line_to(cr, -w * 0.45, -len * 0.68);
  cairo_set_line_width(cr, 0.7);
  SetColour(cr, Hex(0xffffff), 0.8);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void CrystalCluster(cairo_t* cr, double x, double y, const Rgb& colour, double size) {
  Crystal(cr, x - size * 0.32, y, size * 0.62, size * 0.26, -0.45, colour);
  Crystal(cr, x + size * 0.3, y, size * 0.55, size * 0.24, 0.5, colour);
  Crystal(cr, x, y + 0.5, size, size * 0.32, 0.05, colour);
}

void Moss(cairo_t* cr, double x, double y, double size) {
  Rng rng(uint64_t(x * 131 + y));
  for (int i = 0; i < 26; ++i) {
    double a = rng.Range(0, 2 * M_PI), r = size * 0.5 * std::sqrt(rng.Uniform());
    double px = x + r * std::cos(a) * 1.3, py = y + r * std::sin(a) * 0.7;
    double blob = rng.Range(1.2, 2.6);
    cairo_new_path(cr);
    cairo_arc(cr, px, py, blob, 0, 2 * M_PI);
    Rgb c = Mix(palette::kMineralDeep, Hex(0x9be07a), rng.Range(0.1, 0.8));
    SetColour(cr, c, 0.9);
    cairo_fill(cr);
  }
  for (int i = 0; i < 5; ++i) {  // tiny glowing spores
    double px = x + rng.Range(-size * 0.5, size * 0.5), py = y + rng.Range(-size * 0.3, size * 0.2);
    cairo_new_path(cr);
    cairo_arc(cr, px, py, 0.8, 0, 2 * M_PI);
    SetColour(cr, Hex(0xe6ffb0));
    cairo_fill(cr);
  }
}

// A small lantern hung from the rock: a chain, a dark iron cage, a warm flame.
void Lantern(cairo_t* cr, double x, double y) {
  const Rgb iron = Hex(0x1e1826);
  cairo_set_line_width(cr, 1.1);
  SetColour(cr, Hex(0x5a4a44));
  for (double cy = y - 14; cy < y - 7; cy += 2.6) {  // chain links
    cairo_new_path(cr);
    cairo_arc(cr, x, cy, 0.9, 0, 2 * M_PI);
    cairo_stroke(cr);
  }
  // Roof, glowing body, base.
  cairo_move_to(cr, x - 5.5, y - 5.5);
  cairo_line_to(cr, x, y - 9);
  cairo_line_to(cr, x + 5.5, y - 5.5);
  cairo_close_path(cr);
  SetColour(cr, iron);
  cairo_fill(cr);
  RoundedRect(cr, x - 4.5, y - 5.5, 9, 11, 2);
  SourceRadial(cr, x, y - 0.5, 0.5, x, y, 6,
               {{0, Hex(0xfffbe6)}, {0.45, Hex(0xffd27a)}, {1, palette::kAmberDeep}});
  cairo_fill(cr);
  SetColour(cr, iron);
  cairo_set_line_width(cr, 1.4);
  RoundedRect(cr, x - 4.5, y - 5.5, 9, 11, 2);
  cairo_stroke(cr);
  cairo_move_to(cr, x, y - 5.5);
  cairo_line_to(cr, x, y + 5.5);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  RoundedRect(cr, x - 5.5, y + 5, 11, 2.5, 1);
  cairo_fill(cr);
}

struct Ornament {
  enum Kind { kCrystals, kMoss, kLantern } kind;
  double x, y;
  Rgb colour;
};

Ornament OrnamentFor(const std::string& tile) {
  if (tile == "wall-full") return {Ornament::kCrystals, 18, 23, palette::kAmber};
  if (tile == "wall-lefttopbottom") return {Ornament::kCrystals, 25, 23, palette::kCyan};
  if (tile == "wall-righttopbottom") return {Ornament::kCrystals, 11, 23, Hex(0xc38cff)};
  // Lanterns hang only where rock continues above them.
  if (tile == "wall-topleftright") return {Ornament::kMoss, 18, 24, {}};
  if (tile == "wall-bottomleftright") return {Ornament::kLantern, 18, 16, {}};
  if (tile == "wall-topleft") return {Ornament::kCrystals, 22, 26, palette::kAmber};
  if (tile == "wall-topright") return {Ornament::kMoss, 14, 21, {}};
  if (tile == "wall-bottomleft") return {Ornament::kLantern, 22, 19, {}};
  return {Ornament::kCrystals, 14, 18, palette::kMineral};  // wall-bottomright
}

}  // namespace

Picture PaintWall(unsigned flags) {
  Canvas canvas(kCellSize, kCellSize, 3);
  canvas.Shade([flags](double x, double y) { return RimTexel(flags, x, y); });
  return canvas.Result();
}

Picture PaintWallDecoration(const WallRule& rule) {
  Ornament o = OrnamentFor(rule.tile);
  Canvas canvas(kCellSize, kCellSize, 3);
  cairo_t* cr = canvas.Cr();
  switch (o.kind) {
    case Ornament::kCrystals:
      CrystalCluster(cr, o.x, o.y, o.colour, 17);
      break;
    case Ornament::kMoss:
      Moss(cr, o.x, o.y, 17);
      break;
    case Ornament::kLantern:
      Lantern(cr, o.x, o.y);
      break;
  }
  Picture shape = canvas.Result();
  Rgb glow = o.kind == Ornament::kMoss      ? Hex(0x9be07a)
             : o.kind == Ornament::kLantern ? palette::kAmber
                                            : o.colour;
  Picture out = GlowOf(shape, 5, glow, o.kind == Ornament::kMoss ? 0.45 : 0.9);
  Composite(out, shape);
  return out;
}

}  // namespace datagen
