#include "Gems.h"

#include <cmath>
#include <vector>

#include "Canvas.h"

namespace datagen {

namespace {

struct Point {
  double x, y;
};
using Polygon = std::vector<Point>;

struct GemColours {
  Rgb dark, base, light;
};

const GemColours kColours[6] = {
    {Hex(0x5c0616), Hex(0xe0243f), Hex(0xff9aa0)},  // red
    {Hex(0x06452a), Hex(0x22c065), Hex(0xa6f7b9)},  // green
    {Hex(0x0a1f6b), Hex(0x2f6dff), Hex(0x9cc8ff)},  // blue
    {Hex(0x7a4300), Hex(0xffbf1a), Hex(0xfff29a)},  // yellow
    {Hex(0x3b0d66), Hex(0xa744f0), Hex(0xe6b3ff)},  // purple
    {Hex(0x033f4a), Hex(0x10c4cc), Hex(0xa8fff4)},  // aqua: deep enough never to pass for marble
};

// Lights: two equal ones, from the top-left and from the bottom-right. A
// jewel turns by half a turn for every row it falls and may rest upside
// down, so its picture must be the same both ways up: the shapes are
// symmetric under a half turn, and so is the light.
struct Vec3 {
  double x, y, z;
};
Vec3 Normalised(Vec3 v) {
  double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / l, v.y / l, v.z / l};
}
const Vec3 kKey = Normalised({-0.55, -0.75, 0.75});
const Vec3 kOpposite = Normalised({0.55, 0.75, 0.75});

double Brightness(Vec3 n) {
  double d1 = std::max(0.0, n.x * kKey.x + n.y * kKey.y + n.z * kKey.z);
  double d2 = std::max(0.0, n.x * kOpposite.x + n.y * kOpposite.y + n.z * kOpposite.z);
  return 0.12 + 0.62 * (d1 * d1 + d2 * d2);
}

Rgb Ramp(const GemColours& c, double b) {
  if (b < 0.5) return Mix(c.dark, c.base, b * 2);
  return Mix(c.base, c.light, std::min(1.0, (b - 0.5) * 2));
}

Point Centroid(const Polygon& p) {
  Point c{0, 0};
  for (auto& v : p) c = {c.x + v.x, c.y + v.y};
  return {c.x / p.size(), c.y / p.size()};
}

Polygon Scaled(const Polygon& p, Point c, double s) {
  Polygon out;
  for (auto& v : p) out.push_back({c.x + (v.x - c.x) * s, c.y + (v.y - c.y) * s});
  return out;
}

void PathOf(cairo_t* cr, const Polygon& p) {
  cairo_new_path(cr);
  for (auto& v : p) cairo_line_to(cr, v.x, v.y);
  cairo_close_path(cr);
}

// A facet tilted away from the table, facing outward along (nx, ny).
void FillFacet(cairo_t* cr, const Polygon& facet, Point centre, const GemColours& colours,
               double tilt) {
  Point m = Centroid(facet);
  double nx = m.x - centre.x, ny = m.y - centre.y;
  double l = std::hypot(nx, ny);
  if (l < 1e-9) l = 1;
  Vec3 n = Normalised({nx / l * std::sin(tilt), ny / l * std::sin(tilt), std::cos(tilt)});
  PathOf(cr, facet);
  SetColour(cr, Ramp(colours, Brightness(n)));
  cairo_fill_preserve(cr);
  // Fine light edges give the facets their cut look without dark outlines.
  SetColour(cr, colours.light, 0.22);
  cairo_set_line_width(cr, 0.45);
  cairo_stroke(cr);
}

void FillTable(cairo_t* cr, const Polygon& table, const GemColours& c) {
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (auto& v : table) {
    x0 = std::min(x0, v.x), y0 = std::min(y0, v.y);
    x1 = std::max(x1, v.x), y1 = std::max(y1, v.y);
  }
  PathOf(cr, table);
  // Light at both ends of the diagonal, deepest across the middle: the same
  // from either end.
  SourceLinear(cr, x0, y0, x1, y1,
               {{0, Mix(c.base, c.light, 0.6)},
                {0.3, c.base},
                {0.5, Mix(c.base, c.dark, 0.3)},
                {0.7, c.base},
                {1, Mix(c.base, c.light, 0.6)}});
  cairo_fill(cr);
}

// Ring facets between an outer and an inner polygon of the same vertex count.
void FillRing(cairo_t* cr, const Polygon& outer, const Polygon& inner, Point centre,
              const GemColours& colours, double tilt) {
  size_t n = outer.size();
  for (size_t i = 0; i < n; ++i) {
    size_t j = (i + 1) % n;
    FillFacet(cr, {outer[i], outer[j], inner[j], inner[i]}, centre, colours, tilt);
  }
}

struct Cut {
  Polygon girdle;
  Polygon table;
  std::vector<Polygon> rings;  // extra step outlines between girdle and table (emerald cut)
  bool round = false;          // clip the crown to a circle (brilliant)
  double radius = 0;
};

Polygon PolygonAround(Point c, double rx, double ry, int sides, double angle) {
  Polygon p;
  for (int i = 0; i < sides; ++i) {
    double a = angle + 2 * M_PI * i / sides;
    p.push_back({c.x + rx * std::cos(a), c.y + ry * std::sin(a)});
  }
  return p;
}

Cut MakeCut(int colour, double s) {
  Point c{18 * s, 18 * s};
  Cut cut;
  switch (colour) {
    case 1:  // round brilliant
      cut.round = true;
      cut.radius = 15.5 * s;
      cut.girdle = PolygonAround(c, 15.5 * s, 15.5 * s, 16, -M_PI / 2);
      cut.table = PolygonAround(c, 8.2 * s, 8.2 * s, 8, -M_PI / 2 + M_PI / 8);
      break;
    case 2: {  // emerald-cut octagon, a little taller than wide
      double w = 13.2 * s, h = 16 * s, k = 6.2 * s;
      cut.girdle = {{c.x - w + k, c.y - h}, {c.x + w - k, c.y - h}, {c.x + w, c.y - h + k},
                    {c.x + w, c.y + h - k}, {c.x + w - k, c.y + h}, {c.x - w + k, c.y + h},
                    {c.x - w, c.y + h - k}, {c.x - w, c.y - h + k}};
      cut.rings = {Scaled(cut.girdle, c, 0.78)};
      cut.table = Scaled(cut.girdle, c, 0.55);
      break;
    }
    case 3:  // rhombus
      cut.girdle = {
          {c.x, c.y - 16.6 * s}, {c.x + 15 * s, c.y}, {c.x, c.y + 16.6 * s}, {c.x - 15 * s, c.y}};
      cut.table = Scaled(cut.girdle, c, 0.48);
      break;
    case 4:  // four-pointed star: the one silhouette with hollow sides
      for (int i = 0; i < 8; ++i) {
        double a = -M_PI / 2 + M_PI * i / 4, r = (i % 2 ? 7.4 : 17.4) * s;
        cut.girdle.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
      }
      cut.table = Scaled(cut.girdle, c, 0.45);
      break;
    case 5:  // hexagon, point up
      cut.girdle = PolygonAround(c, 15.2 * s, 16.6 * s, 6, -M_PI / 2);
      cut.table = Scaled(cut.girdle, c, 0.52);
      break;
    default: {  // princess square
      double h = 14.5 * s;
      cut.girdle = {{c.x - h, c.y - h}, {c.x + h, c.y - h}, {c.x + h, c.y + h}, {c.x - h, c.y + h}};
      cut.rings = {Scaled(cut.girdle, c, 0.74)};
      cut.table = Scaled(cut.girdle, c, 0.42);
      break;
    }
  }
  return cut;
}

void DrawBrilliantCrown(cairo_t* cr, const Cut& cut, Point c, const GemColours& colours) {
  cairo_new_path(cr);
  cairo_arc(cr, c.x, c.y, cut.radius, 0, 2 * M_PI);
  cairo_save(cr);
  cairo_clip(cr);
  // Extend the girdle beyond the circle so the clip, not the polygon, is the edge.
  Polygon outer = Scaled(cut.girdle, c, 1.12);
  const Polygon& t = cut.table;
  for (size_t i = 0; i < t.size(); ++i) {
    size_t prev = (2 * i + outer.size() - 1) % outer.size();
    size_t next = (2 * i + 1) % outer.size();
    FillFacet(cr, {t[i], outer[prev], outer[2 * i], outer[next]}, c, colours, 0.75);
    FillFacet(cr, {t[i], outer[next], t[(i + 1) % t.size()]}, c, colours, 0.45);
  }
  cairo_restore(cr);
}

void DrawHighlights(cairo_t* cr, const Polygon& table, Point c) {
  double x0 = c.x, y0 = c.y;
  for (auto& v : table) x0 = std::min(x0, v.x), y0 = std::min(y0, v.y);
  double s = std::hypot(table[0].x - c.x, table[0].y - c.y);
  auto spot = [&](double x, double y, double r, double alpha) {
    SourceRadial(cr, x, y, 0, x, y, r, {{0, Hex(0xffffff), alpha}, {1, Hex(0xffffff), 0}});
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
  };
  // The same glint towards both lights, on the diagonal of the table.
  double dx = (c.x - x0) * 0.45, dy = (c.y - y0) * 0.45;
  for (Point p : {Point{c.x - dx, c.y - dy}, Point{c.x + dx, c.y + dy}}) {
    spot(p.x, p.y, s * 0.55, 0.7);
    spot(p.x, p.y, s * 0.2, 0.9);
  }
}

void DrawGem(cairo_t* cr, int colour, double s) {
  const GemColours& colours = kColours[colour - 1];
  Cut cut = MakeCut(colour, s);
  Point c = Centroid(cut.girdle);
  if (cut.round) {
    cairo_arc(cr, c.x, c.y, cut.radius, 0, 2 * M_PI);
    SetColour(cr, colours.base);
    cairo_fill(cr);
    DrawBrilliantCrown(cr, cut, c, colours);
  } else {
    const Polygon* outer = &cut.girdle;
    double tilt = 0.85;
    for (auto& ring : cut.rings) {
      FillRing(cr, *outer, ring, c, colours, tilt);
      outer = &ring;
      tilt -= 0.3;
    }
    FillRing(cr, *outer, cut.table, c, colours, tilt);
  }
  FillTable(cr, cut.table, colours);
  PathOf(cr, cut.table);
  SetColour(cr, colours.light, 0.5);
  cairo_set_line_width(cr, 0.5 * s);
  cairo_stroke(cr);
  DrawHighlights(cr, cut.table, c);
  // Rim: a deep line of the gem's own colour, then a bright inner edge.
  if (cut.round) {
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, cut.radius - 0.4 * s, 0, 2 * M_PI);
  } else {
    PathOf(cr, Scaled(cut.girdle, c, 1 - 0.4 * s / 16));
  }
  SetColour(cr, Mix(colours.dark, Hex(0x000000), 0.25), 0.9);
  cairo_set_line_width(cr, 1.1 * s);
  cairo_stroke_preserve(cr);
  SetColour(cr, colours.light, 0.35);
  cairo_set_line_width(cr, 0.35 * s);
  cairo_stroke(cr);
}

}  // namespace

Picture PaintJewel(int colour, int size) {
  double s = size / double(kCellSize);
  Canvas gem(size, size, 4);
  DrawGem(gem.Cr(), colour, s);
  Picture body = gem.Result();
  // A soft, even halo: separates the gem from bright marble without a
  // direction that would look wrong when the gem is turned over.
  Picture out = GlowOf(body, 2.2 * s, Hex(0x05030c), 0.55);
  Composite(out, GlowOf(body, 3.5 * s, kColours[colour - 1].base, 0.35));
  Composite(out, body);
  return out;
}

}  // namespace datagen
