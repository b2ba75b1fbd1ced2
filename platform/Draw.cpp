// The drawing state and the drawing operations. Everything is drawn as
// geometry through SDL_RenderGeometry so that rotation, non-uniform scale
// and source rectangles come out exact on every renderer.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "DrawState.h"
#include "FrameRecord.h"
#include "ImageImpl.h"
#include "Internal.h"

namespace plat {

namespace internal {

TDrawState& DrawState() {
  // The backend is made first so that it outlives the font held here.
  static TDrawState state = (static_cast<void>(Backend()), TDrawState{});
  return state;
}

void ResetDrawState() {
  TFontPtr font = std::move(DrawState().font);
  DrawState() = TDrawState{};
  DrawState().font = std::move(font);
  InvalidateRenderState();
}

SDL_Rect ViewportRect() {
  const auto& st = DrawState();
  SDL_Rect screen{0, 0, LogicalWidth(), LogicalHeight()};
  if (!st.viewSet) return screen;
  SDL_Rect view{st.viewX, st.viewY, std::max(0, st.viewW), std::max(0, st.viewH)};
  SDL_Rect clip{0, 0, 0, 0};
  if (!SDL_IntersectRect(&view, &screen, &clip)) return SDL_Rect{0, 0, 0, 0};
  return clip;
}

}  // namespace internal

using internal::DrawState;
using internal::TImageFrame;
using internal::TQuad;
using internal::TSource;

namespace {

Uint8 AlphaByte() { return Uint8(std::lround(DrawState().alpha * 255.0)); }

SDL_BlendMode SdlBlend(int mode) {
  switch (mode) {
    case ALPHABLEND:
      return SDL_BLENDMODE_BLEND;
    case LIGHTBLEND:
      return SDL_BLENDMODE_ADD;
    case SHADEBLEND:
      return SDL_BLENDMODE_MOD;
    default:
      return SDL_BLENDMODE_NONE;
  }
}

// Null when nothing can be drawn: no display, or an empty viewport.
SDL_Renderer* BeginDraw() {
  SDL_Renderer* r = internal::DrawTarget();
  if (!r) return nullptr;
  SDL_Rect clip = internal::ViewportRect();
  return clip.w > 0 && clip.h > 0 ? r : nullptr;
}

SDL_FPoint Transform(double x, double y, double tx, double ty) {
  const auto& st = DrawState();
  return SDL_FPoint{float(tx + x * st.ix + y * st.iy), float(ty + x * st.jx + y * st.jy)};
}

// Shapes are drawn as geometry textured with one white pixel: SDL honours
// a texture's blend mode in every renderer, while untextured geometry may
// be drawn blended regardless of the draw blend mode.
const TImage& WhitePixel() {
  static TImagePtr white = internal::MakeImage({TPixmap(1, 1, 0xFFFFFFFFu)}, 0);
  return *white;
}

// The colour and blend mode of shape drawing. Mask mode has no blending:
// the shape is drawn opaque when its alpha passes 0.5, else not at all.
bool PlainColour(SDL_Color& colour, SDL_BlendMode& mode) {
  const auto& st = DrawState();
  Uint8 alpha = AlphaByte();
  mode = SdlBlend(st.blend);
  if (st.blend == MASKBLEND) {
    if (alpha < 128) return false;
    alpha = 255;
  }
  colour = SDL_Color{Uint8(st.red), Uint8(st.green), Uint8(st.blue), alpha};
  return true;
}

void FillPolygon(const std::vector<SDL_FPoint>& points, const std::vector<int>& indices) {
  SDL_Color colour;
  SDL_BlendMode mode;
  if (!PlainColour(colour, mode)) return;
  SDL_Texture* white = internal::FrameTexture(WhitePixel(), 0);
  if (!white) return;
  // Every point of the texture is white; corner coordinates in quad order
  // keep a quad recognisable as a rectangle copy to the software renderer.
  const SDL_FPoint corners[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  std::vector<SDL_Vertex> vertices;
  vertices.reserve(points.size());
  for (size_t i = 0; i < points.size(); ++i)
    vertices.push_back(SDL_Vertex{points[i], colour, corners[i % 4]});
  internal::SubmitGeometry(white, internal::FrameContent(WhitePixel(), 0), mode, vertices.data(),
                           int(vertices.size()), indices.data(), int(indices.size()));
}

// Single pixels (thin lines, plots) as points in the draw blend mode.
void DrawPixels(const std::vector<SDL_Point>& points) {
  SDL_Color colour;
  SDL_BlendMode mode;
  if (points.empty() || !PlainColour(colour, mode)) return;
  internal::SubmitPoints(mode, colour, points.data(), int(points.size()));
}

// Rectangles are drawn as the white pixel stretched, exactly as an image.
void FillQuad(TQuad q, double tx, double ty) {
  if (q.x1 < q.x0) std::swap(q.x0, q.x1);  // rectangles of negative size reach back
  if (q.y1 < q.y0) std::swap(q.y0, q.y1);
  internal::DrawFrameQuad(WhitePixel(), 0, q, tx, ty, TSource{0, 0, 1, 1});
}

// Quads (four points each, in order round the quad) for one geometry call.
struct TQuadBatch {
  std::vector<SDL_FPoint> points;
  std::vector<int> indices;
  void Add(SDL_FPoint a, SDL_FPoint b, SDL_FPoint c, SDL_FPoint d) {
    int first = int(points.size());
    points.insert(points.end(), {a, b, c, d});
    for (int i : {0, 1, 2, 0, 2, 3}) indices.push_back(first + i);
  }
};

// Short pieces: a software rasteriser scans each triangle's bounding box,
// which for one long diagonal quad is most of the screen.
constexpr double kPieceLength = 16;

void FillThickLine(SDL_FPoint from, SDL_FPoint to, double width) {
  double dx = to.x - from.x, dy = to.y - from.y;
  double length = std::hypot(dx, dy);
  if (length <= 0) return;
  double nx = -dy / length * width / 2, ny = dx / length * width / 2;
  int pieces = std::max(1, int(std::ceil(length / kPieceLength)));
  auto at = [&](int i, double side) {
    double t = double(i) / pieces;
    return SDL_FPoint{float(from.x + dx * t + nx * side), float(from.y + dy * t + ny * side)};
  };
  TQuadBatch batch;
  for (int i = 0; i < pieces; ++i) batch.Add(at(i, 1), at(i + 1, 1), at(i + 1, -1), at(i, -1));
  FillPolygon(batch.points, batch.indices);
}

// An oval whose axes lie along the screen's: one span per pixel row,
// covering the pixels whose centres are inside.
void FillUprightOval(SDL_FPoint centre, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  TQuadBatch batch;
  int top = int(std::floor(centre.y - ry)), bottom = int(std::ceil(centre.y + ry));
  for (int row = top; row < bottom; ++row) {
    double t = (row + 0.5 - centre.y) / ry;
    if (std::abs(t) >= 1) continue;
    double half = rx * std::sqrt(1 - t * t);
    float left = float(std::round(centre.x - half)), right = float(std::round(centre.x + half));
    if (right <= left) continue;
    float y0 = float(row), y1 = float(row + 1);
    batch.Add({left, y0}, {right, y0}, {right, y1}, {left, y1});
  }
  FillPolygon(batch.points, batch.indices);
}

// Turned ovals as a fan of triangles about the centre.
void FillTurnedOval(double rx, double ry, double tx, double ty) {
  const auto& st = DrawState();
  double extent = std::abs(2 * rx * st.scaleX) + std::abs(2 * ry * st.scaleY);
  int segments = std::clamp(int(extent), 12, 360);
  std::vector<SDL_FPoint> points{Transform(rx, ry, tx, ty)};
  std::vector<int> indices;
  for (int i = 0; i < segments; ++i) {
    double angle = 2 * std::numbers::pi * i / segments;
    points.push_back(Transform(rx + rx * std::cos(angle), ry + ry * std::sin(angle), tx, ty));
    indices.insert(indices.end(), {0, 1 + i, 1 + (i + 1) % segments});
  }
  FillPolygon(points, indices);
}

// Clips a source span to [lo, hi] and moves the matching local span with it.
bool ClipSpan(double& s0, double& s1, double& d0, double& d1, double lo, double hi) {
  if (s1 <= s0) return false;
  double perSource = (d1 - d0) / (s1 - s0);
  if (s0 < lo) {
    d0 += (lo - s0) * perSource;
    s0 = lo;
  }
  if (s1 > hi) {
    d1 -= (s1 - hi) * perSource;
    s1 = hi;
  }
  return s1 > s0;
}

// Every pixel of a thin line, from one pixel to the other (Bresenham).
std::vector<SDL_Point> LinePixels(int x0, int y0, int x1, int y1) {
  std::vector<SDL_Point> points;
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (true) {
    points.push_back(SDL_Point{x0, y0});
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  return points;
}

}  // namespace

namespace internal {

namespace {

std::function<void(const TDrawnItem&)>& Observer() {
  static std::function<void(const TDrawnItem&)> observer;
  return observer;
}
int textDepth = 0;

}  // namespace

TTextReport::TTextReport() { ++textDepth; }
TTextReport::~TTextReport() { --textDepth; }

void ReportDrawn(bool text, const std::string& characters, TQuad q, double tx, double ty) {
  if (!Observer() || (!text && textDepth > 0)) return;
  const auto& st = DrawState();
  double xs[4], ys[4];
  const double lx[4] = {q.x0, q.x1, q.x0, q.x1}, ly[4] = {q.y0, q.y0, q.y1, q.y1};
  for (int i = 0; i < 4; ++i) {
    xs[i] = tx + lx[i] * st.ix + ly[i] * st.iy;
    ys[i] = ty + lx[i] * st.jx + ly[i] * st.jy;
  }
  TDrawnItem item;
  item.text = text;
  item.characters = characters;
  item.x = *std::min_element(xs, xs + 4);
  item.y = *std::min_element(ys, ys + 4);
  item.w = *std::max_element(xs, xs + 4) - item.x;
  item.h = *std::max_element(ys, ys + 4) - item.y;
  Observer()(item);
}

void DrawFrameQuad(const TImage& image, int frame, TQuad q, double tx, double ty, TSource s) {
  SDL_Renderer* r = BeginDraw();
  if (!r || !ValidFrame(image, frame)) return;
  ReportDrawn(false, "", q, tx, ty);
  const auto& st = DrawState();
  // Source rectangles are in logical pixels, whatever the frame's density.
  const TImageFrame& f = image.impl->frames[size_t(frame)];
  const double width = f.LogicalWidth(), height = f.LogicalHeight();
  double s0x = s.x, s1x = s.x + s.w, s0y = s.y, s1y = s.y + s.h;
  if (!ClipSpan(s0x, s1x, q.x0, q.x1, 0, width)) return;
  if (!ClipSpan(s0y, s1y, q.y0, q.y1, 0, height)) return;

  Uint8 alpha = AlphaByte();
  SDL_Texture* texture = nullptr;
  uint64_t content = FrameContent(image, frame);
  SDL_BlendMode mode = SdlBlend(st.blend);
  if (st.blend == MASKBLEND) {
    // Drawn where pixel alpha x drawing alpha >= 0.5: a threshold on the
    // pixel's alpha, applied to a copy of the frame.
    if (alpha == 0) return;
    int threshold = int(std::ceil(0.5 * 255.0 * 255.0 / alpha));
    if (threshold > 255) return;
    texture = FrameMaskTexture(image, frame, threshold);
    if (!texture) return;
    mode = SDL_BLENDMODE_BLEND;
    content = content * 256 + uint64_t(threshold);
    alpha = 255;
  } else {
    texture = FrameTexture(image, frame);
    if (!texture) return;
  }
  const SDL_Rect* visible = st.blend == MASKBLEND ? nullptr : &f.visible;
  SDL_Color colour{Uint8(st.red), Uint8(st.green), Uint8(st.blue), alpha};
  float u0 = float(s0x / width), u1 = float(s1x / width);
  float v0 = float(s0y / height), v1 = float(s1y / height);
  SDL_Vertex vertices[4] = {
      {Transform(q.x0, q.y0, tx, ty), colour, {u0, v0}},
      {Transform(q.x1, q.y0, tx, ty), colour, {u1, v0}},
      {Transform(q.x1, q.y1, tx, ty), colour, {u1, v1}},
      {Transform(q.x0, q.y1, tx, ty), colour, {u0, v1}},
  };
  const int indices[6] = {0, 1, 2, 0, 2, 3};
  SubmitGeometry(texture, content, mode, vertices, 4, indices, 6, visible);
}

}  // namespace internal

// ---------------------------------------------------------------- state

namespace {

void StoreColour(int& red, int& green, int& blue, int r, int g, int b) {
  red = std::clamp(r, 0, 255);
  green = std::clamp(g, 0, 255);
  blue = std::clamp(b, 0, 255);
}

}  // namespace

void SetColor(int r, int g, int b) {
  auto& st = DrawState();
  StoreColour(st.red, st.green, st.blue, r, g, b);
}

void GetColor(int& r, int& g, int& b) {
  const auto& st = DrawState();
  StoreColour(r, g, b, st.red, st.green, st.blue);
}

void SetAlpha(double alpha) {
  if (std::isnan(alpha)) alpha = 0;
  DrawState().alpha = std::clamp(alpha, 0.0, 1.0);
}

double GetAlpha() { return DrawState().alpha; }
void SetBlend(int mode) { DrawState().blend = mode; }
int GetBlend() { return DrawState().blend; }

void SetTransform(double degrees, double sx, double sy) {
  auto& st = DrawState();
  st.rotation = degrees;
  st.scaleX = sx;
  st.scaleY = sy;
  double radians = degrees * std::numbers::pi / 180.0;
  double c = std::cos(radians), s = std::sin(radians);
  st.ix = c * sx;
  st.iy = -s * sy;
  st.jx = s * sx;
  st.jy = c * sy;
}

void SetRotation(double degrees) { SetTransform(degrees, DrawState().scaleX, DrawState().scaleY); }
double GetRotation() { return DrawState().rotation; }
void SetScale(double sx, double sy) { SetTransform(DrawState().rotation, sx, sy); }

void GetScale(double& sx, double& sy) {
  sx = DrawState().scaleX;
  sy = DrawState().scaleY;
}

void SetOrigin(double x, double y) {
  DrawState().originX = x;
  DrawState().originY = y;
}

void GetOrigin(double& x, double& y) {
  x = DrawState().originX;
  y = DrawState().originY;
}

void SetViewport(int x, int y, int w, int h) {
  auto& st = DrawState();
  st.viewSet = true;
  st.viewX = x;
  st.viewY = y;
  st.viewW = w;
  st.viewH = h;
  internal::InvalidateRenderState();
}

void GetViewport(int& x, int& y, int& w, int& h) {
  const auto& st = DrawState();
  if (!st.viewSet) {
    x = y = 0;
    w = internal::LogicalWidth();
    h = internal::LogicalHeight();
    return;
  }
  x = st.viewX;
  y = st.viewY;
  w = st.viewW;
  h = st.viewH;
}

void SetClsColor(int r, int g, int b) {
  auto& st = DrawState();
  StoreColour(st.clsRed, st.clsGreen, st.clsBlue, r, g, b);
}

void GetClsColor(int& r, int& g, int& b) {
  const auto& st = DrawState();
  StoreColour(r, g, b, st.clsRed, st.clsGreen, st.clsBlue);
}

void SetLineWidth(double width) { DrawState().lineWidth = std::max(0.0, width); }
double GetLineWidth() { return DrawState().lineWidth; }

// ---------------------------------------------------------------- images

namespace {

TSource FrameSource(const TImage& image, int frame) {
  const auto& f = image.impl->frames[size_t(frame)];
  return TSource{double(f.rectX), double(f.rectY), double(f.rectW), double(f.rectH)};
}

}  // namespace

void DrawImage(const TImage& image, double x, double y, int frame) {
  if (!internal::ValidFrame(image, frame)) return;
  TSource source = FrameSource(image, frame);
  TQuad quad{-image.handle_x, -image.handle_y, -image.handle_x + source.w,
             -image.handle_y + source.h};
  const auto& st = DrawState();
  internal::DrawFrameQuad(image, frame, quad, x + st.originX, y + st.originY, source);
}

void DrawImageRect(const TImage& image, double x, double y, double w, double h, int frame) {
  if (!internal::ValidFrame(image, frame)) return;
  TQuad quad{-image.handle_x, -image.handle_y, -image.handle_x + w, -image.handle_y + h};
  const auto& st = DrawState();
  internal::DrawFrameQuad(image, frame, quad, x + st.originX, y + st.originY,
                          FrameSource(image, frame));
}

void DrawSubImageRect(const TImage& image, double x, double y, double w, double h, double sx,
                      double sy, double sw, double sh, double hx, double hy, int frame) {
  if (!internal::ValidFrame(image, frame)) return;
  TSource frameSource = FrameSource(image, frame);
  TSource source{frameSource.x + sx, frameSource.y + sy, sw, sh};
  const auto& st = DrawState();
  internal::DrawFrameQuad(image, frame, TQuad{-hx, -hy, -hx + w, -hy + h}, x + st.originX,
                          y + st.originY, source);
}

void SetDrawObserver(std::function<void(const TDrawnItem&)> observer) {
  internal::Observer() = std::move(observer);
}

// ---------------------------------------------------------------- shapes

void DrawRect(double x, double y, double w, double h, bool filled) {
  SDL_Renderer* r = BeginDraw();
  if (!r) return;
  const auto& st = DrawState();
  double tx = x + st.originX, ty = y + st.originY;
  double lw = std::max(1.0, st.lineWidth);
  if (filled || w <= 2 * lw || h <= 2 * lw) {
    FillQuad(TQuad{0, 0, w, h}, tx, ty);
    return;
  }
  FillQuad(TQuad{0, 0, w, lw}, tx, ty);
  FillQuad(TQuad{0, h - lw, w, h}, tx, ty);
  FillQuad(TQuad{0, lw, lw, h - lw}, tx, ty);
  FillQuad(TQuad{w - lw, lw, w, h - lw}, tx, ty);
}

// The line turns with the transform about its first point.
void DrawLine(double x1, double y1, double x2, double y2, bool lastPixel) {
  SDL_Renderer* r = BeginDraw();
  if (!r) return;
  const auto& st = DrawState();
  double tx = x1 + st.originX, ty = y1 + st.originY;
  SDL_FPoint from = Transform(0, 0, tx, ty);
  SDL_FPoint to = Transform(x2 - x1, y2 - y1, tx, ty);
  if (st.lineWidth > 1.5) {
    FillThickLine(from, to, st.lineWidth);
    return;
  }
  auto points = LinePixels(int(std::floor(from.x)), int(std::floor(from.y)), int(std::floor(to.x)),
                           int(std::floor(to.y)));
  if (!lastPixel) points.pop_back();
  DrawPixels(points);
}

void DrawOval(double x, double y, double w, double h) {
  SDL_Renderer* r = BeginDraw();
  if (!r || w == 0 || h == 0) return;
  const auto& st = DrawState();
  double tx = x + st.originX, ty = y + st.originY;
  if (st.iy == 0 && st.jx == 0) {
    FillUprightOval(Transform(w / 2, h / 2, tx, ty), std::abs(w / 2 * st.ix),
                    std::abs(h / 2 * st.jy));
  } else {
    FillTurnedOval(w / 2, h / 2, tx, ty);
  }
}

void Plot(double x, double y) {
  SDL_Renderer* r = BeginDraw();
  if (!r) return;
  const auto& st = DrawState();
  DrawPixels({SDL_Point{int(std::floor(x + st.originX)), int(std::floor(y + st.originY))}});
}

}  // namespace plat
