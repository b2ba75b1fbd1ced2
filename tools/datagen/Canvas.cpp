#include "Canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <mutex>
#include <stdexcept>

#include "Utf8.h"

namespace datagen {

Rgba8 Unpremultiply(uint32_t argb) {
  Rgba8 p;
  p.a = int(argb >> 24);
  if (p.a == 0) return p;
  auto channel = [&](int shift) {
    return std::min(255, int((argb >> shift & 255) * 255 + p.a / 2) / p.a);
  };
  p.r = channel(16);
  p.g = channel(8);
  p.b = channel(0);
  return p;
}

namespace {

thread_local int outputScale = 1;

}  // namespace

int OutputScale() { return outputScale; }

OutputScaleScope::OutputScaleScope(int scale) : old_(outputScale) {
  outputScale = std::max(1, scale);
}

OutputScaleScope::~OutputScaleScope() { outputScale = old_; }

Picture BlankPicture(int width, int height) {
  return Picture(width * outputScale, height * outputScale);
}

Canvas::Canvas(int width, int height, int supersample)
    : width_(width), height_(height), supersample_(std::max(1, supersample)), scale_(outputScale) {
  int k = supersample_ * scale_;
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_ * k, height_ * k);
  cr_ = cairo_create(surface_);
  cairo_scale(cr_, k, k);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

Picture Canvas::Result() const {
  cairo_surface_flush(surface_);
  const uint8_t* data = cairo_image_surface_get_data(surface_);
  int stride = cairo_image_surface_get_stride(surface_);
  int k = supersample_;
  int w = width_ * scale_, h = height_ * scale_;
  Picture out(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t sum[4] = {0, 0, 0, 0};
      for (int j = 0; j < k; ++j) {
        auto row = reinterpret_cast<const uint32_t*>(data + size_t(y * k + j) * stride);
        for (int i = 0; i < k; ++i) {
          uint32_t p = row[x * k + i];
          for (int c = 0; c < 4; ++c) sum[c] += p >> (c * 8) & 255;
        }
      }
      uint32_t n = uint32_t(k * k), v = 0;
      for (int c = 0; c < 4; ++c) v |= ((sum[c] + n / 2) / n) << (c * 8);
      out.pixels[size_t(y) * w + x] = v;
    }
  }
  return out;
}

namespace {

uint32_t Premultiplied(const Rgb& c, double alpha) {
  double a = std::clamp(alpha, 0.0, 1.0);
  auto ch = [&](double v) { return uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * a * 255)); };
  return uint32_t(std::lround(a * 255)) << 24 | ch(c.r) << 16 | ch(c.g) << 8 | ch(c.b);
}

}  // namespace

void Canvas::Shade(const std::function<Texel(double x, double y)>& shader) {
  cairo_surface_flush(surface_);
  uint8_t* data = cairo_image_surface_get_data(surface_);
  int stride = cairo_image_surface_get_stride(surface_);
  int k = supersample_ * scale_;
  for (int sy = 0; sy < height_ * k; ++sy) {
    auto row = reinterpret_cast<uint32_t*>(data + size_t(sy) * stride);
    for (int sx = 0; sx < width_ * k; ++sx) {
      Texel t = shader((sx + 0.5) / k, (sy + 0.5) / k);
      row[sx] = Premultiplied(t.colour, t.alpha);
    }
  }
  cairo_surface_mark_dirty(surface_);
}

// ---------------------------------------------------------------- paths, paint

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void RegularPolygon(cairo_t* cr, double cx, double cy, double radius, int sides, double angle) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < sides; ++i) {
    double a = angle + 2 * M_PI * i / sides;
    cairo_line_to(cr, cx + radius * std::cos(a), cy + radius * std::sin(a));
  }
  cairo_close_path(cr);
}

void SetColour(cairo_t* cr, const Rgb& c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

namespace {

void UseGradient(cairo_t* cr, cairo_pattern_t* p, std::initializer_list<Stop> stops) {
  for (const Stop& s : stops)
    cairo_pattern_add_color_stop_rgba(p, s.offset, s.colour.r, s.colour.g, s.colour.b, s.alpha);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);  // the context holds its own reference
}

}  // namespace

void SourceLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
                  std::initializer_list<Stop> stops) {
  UseGradient(cr, cairo_pattern_create_linear(x0, y0, x1, y1), stops);
}

void SourceRadial(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1, double r1,
                  std::initializer_list<Stop> stops) {
  UseGradient(cr, cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1), stops);
}

void PaintPicture(cairo_t* cr, const Picture& picture, double x, double y, double alpha, double s) {
  if (picture.width == 0 || picture.height == 0) return;
  auto* data = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(picture.pixels.data()));
  cairo_surface_t* src = cairo_image_surface_create_for_data(
      data, CAIRO_FORMAT_ARGB32, picture.width, picture.height, picture.width * 4);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s / outputScale, s / outputScale);
  cairo_set_source_surface(cr, src, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
  cairo_surface_destroy(src);
}

// ---------------------------------------------------------------- pixel effects

namespace {

// One box pass over rows (step 1) or columns (step width) of a float plane.
void BoxPass(std::vector<float>& plane, int count, int length, int step, int lineStep, int half) {
  std::vector<float> line(length);
  float norm = 1.0f / float(2 * half + 1);
  for (int l = 0; l < count; ++l) {
    float* base = plane.data() + size_t(l) * lineStep;
    for (int i = 0; i < length; ++i) line[i] = base[size_t(i) * step];
    float sum = 0;
    for (int i = -half; i <= half; ++i) sum += (i >= 0 && i < length) ? line[i] : 0.0f;
    for (int i = 0; i < length; ++i) {
      base[size_t(i) * step] = sum * norm;
      int add = i + half + 1, sub = i - half;
      if (add < length) sum += line[add];
      if (sub >= 0) sum -= line[sub];
    }
  }
}

}  // namespace

Picture Blur(const Picture& picture, double radius) {
  int w = picture.width, h = picture.height;
  radius *= outputScale;
  double sigma = std::max(0.5, radius / 2);
  int half = std::max(1, int(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2)));
  Picture out(w, h);
  std::vector<float> plane(size_t(w) * h);
  for (int c = 0; c < 4; ++c) {
    for (size_t i = 0; i < plane.size(); ++i) plane[i] = float(picture.pixels[i] >> (c * 8) & 255);
    for (int pass = 0; pass < 3; ++pass) {
      BoxPass(plane, h, w, 1, w, half);
      BoxPass(plane, w, h, w, 1, half);
    }
    for (size_t i = 0; i < plane.size(); ++i)
      out.pixels[i] |= uint32_t(std::clamp(std::lround(plane[i]), 0L, 255L)) << (c * 8);
  }
  return out;
}

Picture Tinted(const Picture& picture, const Rgb& colour, double alpha) {
  Picture out(picture.width, picture.height);
  for (size_t i = 0; i < out.pixels.size(); ++i)
    out.pixels[i] = Premultiplied(colour, alpha * (picture.pixels[i] >> 24) / 255.0);
  return out;
}

Picture GlowOf(const Picture& shape, double radius, const Rgb& colour, double alpha) {
  return Blur(Tinted(shape, colour, alpha), radius);
}

namespace {

template <typename Op>
void Combine(Picture& under, const Picture& over, Op op) {
  for (size_t i = 0; i < under.pixels.size(); ++i) {
    double d[4], s[4];
    for (int c = 0; c < 4; ++c) {
      d[c] = (under.pixels[i] >> (c * 8) & 255) / 255.0;
      s[c] = (over.pixels[i] >> (c * 8) & 255) / 255.0;
    }
    op(d, s);
    uint32_t v = 0;
    for (int c = 0; c < 4; ++c)
      v |= uint32_t(std::lround(std::clamp(d[c], 0.0, 1.0) * 255)) << (c * 8);
    under.pixels[i] = v;
  }
}

}  // namespace

void Composite(Picture& under, const Picture& over, double alpha) {
  Combine(under, over, [alpha](double* d, const double* s) {
    double k = 1 - s[3] * alpha;
    for (int c = 0; c < 4; ++c) d[c] = s[c] * alpha + d[c] * k;
  });
}

void AddLight(Picture& under, const Picture& over, double alpha) {
  Combine(under, over, [alpha](double* d, const double* s) {
    for (int c = 0; c < 3; ++c) d[c] = std::min(1.0, d[c] + s[c] * alpha);
    d[3] = std::min(1.0, std::max({d[3] + s[3] * alpha * 0.5, d[0], d[1], d[2]}));
  });
}

// ---------------------------------------------------------------- text

namespace {

// The two faces, opened once. Painters on several threads share them: cairo
// locks a FreeType face while it renders from it, and the faces are opened
// under a lock of their own.
struct Fonts {
  std::string folder = "/usr/share/fonts/truetype/crosextra";
  std::mutex lock;
  FT_Library library = nullptr;
  cairo_font_face_t* faces[2] = {nullptr, nullptr};

  cairo_font_face_t* Get(Face face) {
    std::lock_guard<std::mutex> guard(lock);
    int i = face == Face::Bold ? 1 : 0;
    if (faces[i]) return faces[i];
    if (!library && FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType failed");
    FT_Face ft = nullptr;
    std::string path = FontFile(face);
    if (FT_New_Face(library, path.c_str(), 0, &ft) != 0)
      throw std::runtime_error("cannot open font " + path);
    faces[i] = cairo_ft_font_face_create_for_ft_face(ft, 0);
    return faces[i];
  }
};

Fonts& TheFonts() {
  static Fonts fonts;
  return fonts;
}

}  // namespace

void SetFontFolder(const std::string& folder) { TheFonts().folder = folder; }

std::u32string CharactersWithoutGlyph(Face face, const std::string& text) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType failed");
  FT_Face ft = nullptr;
  const std::string path = FontFile(face);
  if (FT_New_Face(library, path.c_str(), 0, &ft) != 0) {
    FT_Done_FreeType(library);
    throw std::runtime_error("cannot open font " + path);
  }
  std::u32string missing;
  for (char32_t c : plat::CodePoints(text)) {
    if (c == '\n' || c == '\r' || missing.find(c) != std::u32string::npos) continue;
    if (FT_Get_Char_Index(ft, FT_ULong(c)) == 0) missing.push_back(c);
  }
  FT_Done_Face(ft);
  FT_Done_FreeType(library);
  return missing;
}

std::string FontFile(Face face) {
  return TheFonts().folder + (face == Face::Bold ? "/Carlito-Bold.ttf" : "/Carlito-Regular.ttf");
}

void SelectFont(cairo_t* cr, Face face, double pixels) {
  cairo_set_font_face(cr, TheFonts().Get(face));
  cairo_set_font_size(cr, pixels);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

TextBox MeasureText(Face face, double pixels, const std::string& text) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(s);
  SelectFont(cr, face, pixels);
  cairo_text_extents_t e, cap;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_text_extents(cr, "H", &cap);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  return {e.x_advance, cap.height};
}

double TextWidth(Face face, double pixels, const std::string& text) {
  return MeasureText(face, pixels, text).width;
}

void TextPath(cairo_t* cr, const std::string& text, double x, double y) {
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, text.c_str());
}

}  // namespace datagen
