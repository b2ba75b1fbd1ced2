#include "FrameRecord.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

#include "DirectLight.h"
#include "DrawState.h"
#include "Internal.h"
#include "RegionCache.h"

namespace plat {

namespace internal {

namespace {

struct TCommand {
  enum class TKind : uint8_t { Geometry, Points, Clear };
  TKind kind = TKind::Geometry;
  bool ambient = false;
  // An upright quad drawn at another size than its source: the software
  // renderer copies it as a scaled blit, whose sampling shifts when clipped,
  // so a region is only redrawn with such a quad whole.
  bool stretched = false;
  // An upright quad of one texel (a filled rectangle): every part of it
  // looks alike, so a clipped draw draws only the part. Clipped whole, the
  // software renderer's scaled blit of one texel into a small clip takes
  // no source pixel at all and draws nothing.
  bool solid = false;
  SDL_BlendMode blend = SDL_BLENDMODE_NONE;
  SDL_Color colour{0, 0, 0, 0};
  SDL_Texture* texture = nullptr;
  uint64_t content = 0;
  SDL_Rect clip{0, 0, 0, 0};
  SDL_Rect bounds{0, 0, 0, 0};  // the pixels it may touch
  uint32_t first = 0, count = 0;
  uint32_t indexFirst = 0, indexCount = 0;
};

struct TRecord {
  std::vector<TCommand> commands;
  std::vector<SDL_Vertex> vertices;
  std::vector<int> indices;
  std::vector<SDL_Point> points;
  bool valid = false;
  uint64_t generation = 0;
  SDL_Rect target{0, 0, 0, 0};

  void Clear() {
    commands.clear();
    vertices.clear();
    indices.clear();
    points.clear();
    valid = false;
  }
};

struct TRecorder {
  TRecord shown;  // what the back buffer holds
  TRecord next;   // the frame being recorded
  bool recording = false;
  size_t flushedUpTo = 0;  // commands of `next` already drawn
  bool flushed = false;
  int ambientDepth = 0;
  std::vector<SDL_Texture*> graveyard;
  // Changed since the last present.
  std::vector<SDL_Rect> unpresented;
  bool presentWhole = true;
  uint64_t lastContent = 0;
  long long presented = 0;
  double lastPresentSeconds = 0;
  TRegionCache cache;
};

TRecorder& Recorder() {
  static TRecorder recorder;
  return recorder;
}

// At most this many separate regions a frame; more are merged.
constexpr size_t kMaxRegions = 12;
// Regions closer than this are drawn as one.
constexpr int kMergeGap = 8;
// Commands searched ahead to find where two records agree again.
constexpr size_t kLookAhead = 48;

SDL_Rect TargetRect() {
  auto& b = Backend();
  int w = 0, h = 0;
  if (b.target) {
    SDL_QueryTexture(b.target, nullptr, nullptr, &w, &h);
  } else if (b.surface) {
    w = b.surface->w;
    h = b.surface->h;
  } else {
    w = LogicalWidth();
    h = LogicalHeight();
  }
  return SDL_Rect{0, 0, w, h};
}

bool Empty(const SDL_Rect& r) { return r.w <= 0 || r.h <= 0; }

}  // namespace

bool UnturnedQuad(const SDL_Vertex* v, int count) {
  return count == 4 && v[0].position.y == v[1].position.y && v[1].position.x == v[2].position.x &&
         v[2].position.y == v[3].position.y && v[3].position.x == v[0].position.x;
}

bool TurnedQuad(const SDL_Vertex* v, int count) {
  return count == 4 && v[0].position.x == v[1].position.x && v[1].position.y == v[2].position.y &&
         v[2].position.x == v[3].position.x && v[3].position.y == v[0].position.y;
}

namespace {

SDL_Rect Intersection(const SDL_Rect& a, const SDL_Rect& b) {
  SDL_Rect out{0, 0, 0, 0};
  if (!SDL_IntersectRect(&a, &b, &out)) return SDL_Rect{0, 0, 0, 0};
  return out;
}

SDL_Rect Union(const SDL_Rect& a, const SDL_Rect& b) {
  if (Empty(a)) return b;
  if (Empty(b)) return a;
  SDL_Rect out;
  SDL_UnionRect(&a, &b, &out);
  return out;
}

bool Near(const SDL_Rect& a, const SDL_Rect& b) {
  SDL_Rect grown{a.x - kMergeGap, a.y - kMergeGap, a.w + 2 * kMergeGap, a.h + 2 * kMergeGap};
  return SDL_HasIntersection(&grown, &b) == SDL_TRUE;
}

bool Contains(const SDL_Rect& outer, const SDL_Rect& inner) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
         inner.y + inner.h <= outer.y + outer.h;
}

long long Area(const SDL_Rect& r) { return Empty(r) ? 0 : (long long)r.w * r.h; }

SDL_Rect CurrentClip() { return ToBackBuffer(ViewportRect()); }

// The bounding box of some points, one pixel wider each way for the
// rasteriser's rounding, inside the clip.
template <typename TPointOf>
SDL_Rect BoundsOf(size_t count, TPointOf pointOf, const SDL_Rect& clip, int margin) {
  if (count == 0) return SDL_Rect{0, 0, 0, 0};
  float x0 = pointOf(0).x, x1 = x0, y0 = pointOf(0).y, y1 = y0;
  for (size_t i = 1; i < count; ++i) {
    SDL_FPoint p = pointOf(i);
    x0 = std::min(x0, p.x);
    x1 = std::max(x1, p.x);
    y0 = std::min(y0, p.y);
    y1 = std::max(y1, p.y);
  }
  // Far off-screen geometry must not overflow the integer rectangle.
  auto clampToInt = [](double v) { return int(std::clamp(v, -1.0e8, 1.0e8)); };
  int left = clampToInt(std::floor(x0)) - margin, top = clampToInt(std::floor(y0)) - margin;
  int right = clampToInt(std::ceil(x1)) + margin, bottom = clampToInt(std::ceil(y1)) + margin;
  return Intersection(SDL_Rect{left, top, right - left, bottom - top}, clip);
}

// Marks an upright quad stretched (drawn at another size than its source)
// or solid (one texel).
void ClassifyQuad(SDL_Texture* texture, const SDL_Vertex* v, int count, TCommand& c) {
  bool turned = TurnedQuad(v, count);
  if (!texture || !(turned || UnturnedQuad(v, count))) return;
  int tw = 0, th = 0;
  if (SDL_QueryTexture(texture, nullptr, nullptr, &tw, &th) != 0) {
    c.stretched = true;
    return;
  }
  if (tw <= 1 && th <= 1) {
    c.solid = true;
    return;
  }
  float dw = std::abs(v[2].position.x - v[0].position.x);
  float dh = std::abs(v[2].position.y - v[0].position.y);
  float sw = std::abs(v[2].tex_coord.x - v[0].tex_coord.x) * float(tw);
  float sh = std::abs(v[2].tex_coord.y - v[0].tex_coord.y) * float(th);
  if (turned) std::swap(sw, sh);
  c.stretched = std::abs(dw - sw) > 0.01f || std::abs(dh - sh) > 0.01f;
}

// Where the visible part of an upright, unturned quad's texture lands (a
// pixel wider each way, as bounds are); the whole target for any other quad.
SDL_Rect VisibleBounds(SDL_Texture* texture, const SDL_Vertex* v, int count,
                       const SDL_Rect& visible) {
  const SDL_Rect all{-(1 << 28), -(1 << 28), 1 << 29, 1 << 29};
  int tw = 0, th = 0;
  if (!UnturnedQuad(v, count) || SDL_QueryTexture(texture, nullptr, nullptr, &tw, &th) != 0)
    return all;
  if (Empty(visible)) return SDL_Rect{0, 0, 0, 0};
  // Texels to target pixels, along each axis.
  auto span = [](float p0, float p1, float t0, float t1, int from, int to, int& lo, int& hi) {
    if (t1 == t0) return false;
    float a = p0 + (float(from) - t0) * (p1 - p0) / (t1 - t0);
    float b = p0 + (float(to) - t0) * (p1 - p0) / (t1 - t0);
    lo = int(std::floor(std::min(a, b))) - 1;
    hi = int(std::ceil(std::max(a, b))) + 1;
    return true;
  };
  int x0, x1, y0, y1;
  if (!span(v[0].position.x, v[2].position.x, v[0].tex_coord.x * float(tw),
            v[2].tex_coord.x * float(tw), visible.x, visible.x + visible.w, x0, x1) ||
      !span(v[0].position.y, v[2].position.y, v[0].tex_coord.y * float(th),
            v[2].tex_coord.y * float(th), visible.y, visible.y + visible.h, y0, y1))
    return all;
  return SDL_Rect{x0, y0, x1 - x0, y1 - y0};
}

bool SameCommand(const TRecord& ra, const TCommand& a, const TRecord& rb, const TCommand& b) {
  if (a.kind != b.kind || a.blend != b.blend || a.content != b.content || a.count != b.count ||
      a.indexCount != b.indexCount || std::memcmp(&a.colour, &b.colour, sizeof a.colour) != 0 ||
      SDL_RectEquals(&a.clip, &b.clip) != SDL_TRUE) {
    return false;
  }
  switch (a.kind) {
    case TCommand::TKind::Geometry:
      return std::memcmp(&ra.vertices[a.first], &rb.vertices[b.first],
                         a.count * sizeof(SDL_Vertex)) == 0 &&
             std::memcmp(&ra.indices[a.indexFirst], &rb.indices[b.indexFirst],
                         a.indexCount * sizeof(int)) == 0;
    case TCommand::TKind::Points:
      return std::memcmp(&ra.points[a.first], &rb.points[b.first], a.count * sizeof(SDL_Point)) ==
             0;
    case TCommand::TKind::Clear:
      return true;
  }
  return false;
}

// The part of a solid quad inside the clip, as a quad of its own; false
// when the clip holds all of it (or none).
bool SolidPart(const SDL_Vertex* v, const SDL_Rect& clip, SDL_Vertex part[4]) {
  float x0 = std::min(v[0].position.x, v[2].position.x);
  float x1 = std::max(v[0].position.x, v[2].position.x);
  float y0 = std::min(v[0].position.y, v[2].position.y);
  float y1 = std::max(v[0].position.y, v[2].position.y);
  float cx0 = std::max(x0, float(clip.x)), cx1 = std::min(x1, float(clip.x + clip.w));
  float cy0 = std::max(y0, float(clip.y)), cy1 = std::min(y1, float(clip.y + clip.h));
  if ((cx0 == x0 && cx1 == x1 && cy0 == y0 && cy1 == y1) || cx0 >= cx1 || cy0 >= cy1) return false;
  const SDL_FPoint corners[4] = {{cx0, cy0}, {cx1, cy0}, {cx1, cy1}, {cx0, cy1}};
  const SDL_FPoint uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (int i = 0; i < 4; ++i) part[i] = SDL_Vertex{corners[i], v[0].color, uv[i]};
  return true;
}

constexpr int kQuad[6] = {0, 1, 2, 0, 2, 3};

bool IsQuad(const int* indices, int indexCount) {
  return indexCount == 6 && std::equal(indices, indices + 6, kQuad);
}

// Geometry, clipped to `clip`; a solid quad only in its part inside.
void DrawGeometry(SDL_Renderer* r, SDL_Texture* texture, SDL_BlendMode blend,
                  const SDL_Vertex* vertices, int count, const int* indices, int indexCount,
                  bool solid, const SDL_Rect& clip) {
  if (blend == SDL_BLENDMODE_ADD && IsQuad(indices, indexCount) &&
      DrawLightDirect(r, texture, vertices, count, clip))
    return;
  SDL_SetTextureBlendMode(texture, blend);
  SDL_RenderSetClipRect(r, &clip);
  SDL_Vertex part[4];
  if (solid && SolidPart(vertices, clip, part)) {
    SDL_RenderGeometry(r, texture, part, 4, kQuad, 6);
    return;
  }
  SDL_RenderGeometry(r, texture, vertices, count, indices, indexCount);
}

// Draws one command, clipped to `clip` (a clear fills the clip only).
void DrawCommand(SDL_Renderer* r, const TRecord& record, const TCommand& c, const SDL_Rect& clip,
                 bool whole) {
  SDL_RenderSetClipRect(r, &clip);
  switch (c.kind) {
    case TCommand::TKind::Geometry: {
      DrawGeometry(r, c.texture, c.blend, &record.vertices[c.first], int(c.count),
                   &record.indices[c.indexFirst], int(c.indexCount), c.solid, clip);
      break;
    }
    case TCommand::TKind::Points:
      SDL_SetRenderDrawBlendMode(r, c.blend);
      SDL_SetRenderDrawColor(r, c.colour.r, c.colour.g, c.colour.b, c.colour.a);
      SDL_RenderDrawPoints(r, &record.points[c.first], int(c.count));
      break;
    case TCommand::TKind::Clear:
      SDL_SetRenderDrawColor(r, c.colour.r, c.colour.g, c.colour.b, 255);
      if (whole) {
        SDL_RenderClear(r);
      } else {
        SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
        SDL_RenderFillRect(r, &clip);
      }
      break;
  }
}

void DrawWhole(SDL_Renderer* r, const TRecord& record, size_t from) {
  for (size_t i = from; i < record.commands.size(); ++i) {
    const TCommand& c = record.commands[i];
    DrawCommand(r, record, c, c.clip, true);
  }
}

// Adds a region, joining it with every region it meets or nearly meets.
void AddRegion(std::vector<SDL_Rect>& regions, SDL_Rect box) {
  if (Empty(box)) return;
  bool joined = true;
  while (joined) {
    joined = false;
    for (size_t i = 0; i < regions.size(); ++i) {
      if (!Near(regions[i], box)) continue;
      box = Union(box, regions[i]);
      regions.erase(regions.begin() + long(i));
      joined = true;
      break;
    }
  }
  regions.push_back(box);
}

// Too many regions: join the two that cost least extra area together.
void LimitRegions(std::vector<SDL_Rect>& regions) {
  while (regions.size() > kMaxRegions) {
    size_t bestI = 0, bestJ = 1;
    long long bestCost = -1;
    for (size_t i = 0; i < regions.size(); ++i) {
      for (size_t j = i + 1; j < regions.size(); ++j) {
        long long cost = Area(Union(regions[i], regions[j])) - Area(regions[i]) - Area(regions[j]);
        if (bestCost < 0 || cost < bestCost) {
          bestCost = cost;
          bestI = i;
          bestJ = j;
        }
      }
    }
    SDL_Rect joined = Union(regions[bestI], regions[bestJ]);
    regions.erase(regions.begin() + long(bestJ));
    regions.erase(regions.begin() + long(bestI));
    AddRegion(regions, joined);
  }
}

// The regions where two records differ (matching commands in order, with a
// short search ahead where they part), and whether a command that differs
// is not ambient.
std::vector<SDL_Rect> Differences(const TRecord& old, const TRecord& now, bool& lively, bool& any) {
  std::vector<SDL_Rect> regions;
  const auto& a = old.commands;
  const auto& b = now.commands;
  auto differs = [&](const TCommand& c) {
    any = true;
    if (!c.ambient) lively = true;
    AddRegion(regions, c.bounds);
  };
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (SameCommand(old, a[i], now, b[j])) {
      ++i;
      ++j;
      continue;
    }
    size_t skipOld = 0, skipNew = 0;
    for (size_t k = 1; k <= kLookAhead; ++k) {
      if (j + k < b.size() && SameCommand(old, a[i], now, b[j + k])) {
        skipNew = k;
        break;
      }
      if (i + k < a.size() && SameCommand(old, a[i + k], now, b[j])) {
        skipOld = k;
        break;
      }
    }
    if (skipNew) {
      for (size_t k = 0; k < skipNew; ++k) differs(b[j + k]);
      j += skipNew;
    } else if (skipOld) {
      for (size_t k = 0; k < skipOld; ++k) differs(a[i + k]);
      i += skipOld;
    } else {
      differs(a[i++]);
      differs(b[j++]);
    }
  }
  for (; i < a.size(); ++i) differs(a[i]);
  for (; j < b.size(); ++j) differs(b[j]);
  return regions;
}

// Grows each region over the stretched quads it cuts, until none is cut.
void WholeStretchedQuads(const TRecord& record, std::vector<SDL_Rect>& regions) {
  for (int round = 0; round < 8; ++round) {
    bool grown = false;
    std::vector<SDL_Rect> next;
    for (SDL_Rect region : regions) {
      for (const TCommand& c : record.commands) {
        if (!c.stretched || Empty(c.bounds) || Contains(region, c.bounds)) continue;
        if (SDL_HasIntersection(&region, &c.bounds) != SDL_TRUE) continue;
        region = Union(region, c.bounds);
        grown = true;
      }
      AddRegion(next, region);
    }
    regions = std::move(next);
    if (!grown) return;
  }
}

// What the commands draw in a region, as one number: equal numbers, equal
// pixels.
uint64_t KeyOf(const TRecord& record, const std::vector<const TCommand*>& commands, size_t count,
               const SDL_Rect& region) {
  uint64_t hash = 1469598103934665603ull;
  auto mix = [&](const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  };
  mix(&region, sizeof region);
  mix(&Backend().generation, sizeof Backend().generation);
  for (size_t i = 0; i < count; ++i) {
    const TCommand& c = *commands[i];
    const uint8_t kind[4] = {uint8_t(c.kind), uint8_t(c.blend), c.stretched, c.solid};
    mix(kind, sizeof kind);
    mix(&c.colour, sizeof c.colour);
    mix(&c.content, sizeof c.content);
    mix(&c.clip, sizeof c.clip);
    if (c.kind == TCommand::TKind::Points) {
      mix(&record.points[c.first], c.count * sizeof(SDL_Point));
    } else if (c.kind == TCommand::TKind::Geometry) {
      mix(&record.vertices[c.first], c.count * sizeof(SDL_Vertex));
      mix(&record.indices[c.indexFirst], c.indexCount * sizeof(int));
    }
  }
  return hash;
}

void DrawRegions(SDL_Renderer* r, const TRecord& record, const std::vector<SDL_Rect>& regions,
                 TRegionCache& cache) {
  // The software back buffer can be read and written as it is.
  SDL_Surface* surface = TexturesReadable() ? Backend().surface : nullptr;
  std::vector<const TCommand*> touching;
  for (const SDL_Rect& region : regions) {
    touching.clear();
    size_t firstAmbient = 0;  // none, or nothing under it
    for (const TCommand& c : record.commands) {
      if (SDL_HasIntersection(&c.bounds, &region) != SDL_TRUE) continue;
      if (c.ambient && firstAmbient == 0)
        firstAmbient = touching.empty() ? SIZE_MAX : touching.size();
      touching.push_back(&c);
    }
    if (firstAmbient == SIZE_MAX) firstAmbient = 0;
    // Everything under the first ambient effect, kept or drawn and kept.
    uint64_t key = 0;
    size_t from = 0;
    if (surface && firstAmbient > 0) {
      key = KeyOf(record, touching, firstAmbient, region);
      if (cache.Restore(region, key, surface)) from = firstAmbient;
    }
    auto draw = [&](size_t first, size_t last) {
      for (size_t i = first; i < last; ++i) {
        const TCommand& c = *touching[i];
        SDL_Rect clip = c.kind == TCommand::TKind::Clear ? region : Intersection(c.clip, region);
        if (!Empty(clip)) DrawCommand(r, record, c, clip, false);
      }
    };
    if (from == 0) {
      // Whatever no command covers starts black, as after a clear.
      SDL_RenderSetClipRect(r, &region);
      SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
      SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
      SDL_RenderFillRect(r, &region);
      if (surface && firstAmbient > 0) {
        draw(0, firstAmbient);
        SDL_RenderFlush(r);
        cache.Keep(region, key, surface);
        from = firstAmbient;
      }
    }
    draw(from, touching.size());
  }
  cache.FrameDone();
}

void BuryTextures() {
  for (SDL_Texture* texture : Recorder().graveyard) SDL_DestroyTexture(texture);
  Recorder().graveyard.clear();
}

TCommand& Append(TCommand::TKind kind, SDL_BlendMode blend) {
  auto& rec = Recorder();
  TCommand& c = rec.next.commands.emplace_back();
  c.kind = kind;
  c.blend = blend;
  c.ambient = rec.ambientDepth > 0;
  c.clip = CurrentClip();
  return c;
}

}  // namespace

bool Recording() { return Recorder().recording; }

void ResetFrames() {
  auto& rec = Recorder();
  rec.recording = false;
  rec.shown.Clear();
  rec.next.Clear();
  rec.ambientDepth = 0;
  rec.unpresented.clear();
  rec.presentWhole = true;
  rec.cache.Clear();
  BuryTextures();
}

uint64_t NewContentId() { return ++Recorder().lastContent; }

void ForgetShownFrame() {
  Recorder().shown.valid = false;
  Recorder().presentWhole = true;
}

void PresentWhole() { Recorder().presentWhole = true; }

bool TakePresentRegions(std::vector<SDL_Rect>& regions) {
  auto& rec = Recorder();
  bool whole = rec.presentWhole;
  regions.clear();
  if (!whole) regions.swap(rec.unpresented);
  rec.unpresented.clear();
  rec.presentWhole = false;
  return whole;
}

bool DeferTextureDestroy(SDL_Texture* texture) {
  if (!Recorder().recording) return false;
  Recorder().graveyard.push_back(texture);
  return true;
}

namespace {

// Logical positions in back-buffer pixels: the recorder and the renderer
// work at the back buffer's density.
const SDL_Vertex* ToBackBuffer(const SDL_Vertex* vertices, int count) {
  int k = Scale();
  if (k == 1) return vertices;
  static std::vector<SDL_Vertex> scaled;
  scaled.assign(vertices, vertices + count);
  for (SDL_Vertex& v : scaled) {
    v.position.x *= float(k);
    v.position.y *= float(k);
  }
  return scaled.data();
}

// A logical pixel is a k x k block of back-buffer pixels.
const SDL_Point* ToBackBuffer(const SDL_Point* points, int& count) {
  int k = Scale();
  if (k == 1) return points;
  static std::vector<SDL_Point> scaled;
  scaled.clear();
  scaled.reserve(size_t(count) * k * k);
  for (int i = 0; i < count; ++i)
    for (int dy = 0; dy < k; ++dy)
      for (int dx = 0; dx < k; ++dx)
        scaled.push_back(SDL_Point{points[i].x * k + dx, points[i].y * k + dy});
  count = int(scaled.size());
  return scaled.data();
}

}  // namespace

void SubmitGeometry(SDL_Texture* texture, uint64_t content, SDL_BlendMode blend,
                    const SDL_Vertex* logical, int vertexCount, const int* indices, int indexCount,
                    const SDL_Rect* visible) {
  const SDL_Vertex* vertices = ToBackBuffer(logical, vertexCount);
  auto& rec = Recorder();
  if (!rec.recording) {
    SDL_Renderer* r = DrawTarget();
    if (!r) return;
    ForgetShownFrame();
    TCommand drawn;
    ClassifyQuad(texture, vertices, vertexCount, drawn);
    DrawGeometry(r, texture, blend, vertices, vertexCount, indices, indexCount, drawn.solid,
                 CurrentClip());
    return;
  }
  TCommand& c = Append(TCommand::TKind::Geometry, blend);
  c.texture = texture;
  c.content = content;
  c.first = uint32_t(rec.next.vertices.size());
  c.count = uint32_t(vertexCount);
  c.indexFirst = uint32_t(rec.next.indices.size());
  c.indexCount = uint32_t(indexCount);
  rec.next.vertices.insert(rec.next.vertices.end(), vertices, vertices + vertexCount);
  rec.next.indices.insert(rec.next.indices.end(), indices, indices + indexCount);
  c.bounds = BoundsOf(
      size_t(vertexCount), [&](size_t i) { return vertices[i].position; }, c.clip, 1);
  ClassifyQuad(texture, vertices, vertexCount, c);
  // A stretched quad is always drawn whole; clear pixels change nothing only
  // where they blend.
  if (visible && !c.stretched && (blend == SDL_BLENDMODE_BLEND || blend == SDL_BLENDMODE_ADD))
    c.bounds = Intersection(c.bounds, VisibleBounds(texture, vertices, vertexCount, *visible));
}

void SubmitPoints(SDL_BlendMode blend, SDL_Color colour, const SDL_Point* logical, int count) {
  const SDL_Point* points = ToBackBuffer(logical, count);
  auto& rec = Recorder();
  if (!rec.recording) {
    SDL_Renderer* r = DrawTarget();
    if (!r) return;
    ForgetShownFrame();
    SDL_SetRenderDrawBlendMode(r, blend);
    SDL_SetRenderDrawColor(r, colour.r, colour.g, colour.b, colour.a);
    SDL_RenderDrawPoints(r, points, count);
    return;
  }
  TCommand& c = Append(TCommand::TKind::Points, blend);
  c.colour = colour;
  c.first = uint32_t(rec.next.points.size());
  c.count = uint32_t(count);
  rec.next.points.insert(rec.next.points.end(), points, points + count);
  c.bounds = BoundsOf(
      size_t(count),
      [&](size_t i) {
        return SDL_FPoint{float(points[i].x), float(points[i].y)};
      },
      c.clip, 1);
}

void SubmitClear(SDL_Color colour) {
  auto& rec = Recorder();
  if (!rec.recording) {
    SDL_Renderer* r = DrawTarget();
    if (!r) return;
    ForgetShownFrame();
    SDL_SetRenderDrawColor(r, colour.r, colour.g, colour.b, 255);
    SDL_RenderClear(r);
    return;
  }
  TCommand& c = Append(TCommand::TKind::Clear, SDL_BLENDMODE_NONE);
  c.colour = colour;
  c.bounds = TargetRect();  // a clear ignores the clip
}

void FlushRecording() {
  auto& rec = Recorder();
  if (!rec.recording) return;
  SDL_Renderer* r = DrawTarget();
  if (r) DrawWhole(r, rec.next, rec.flushedUpTo);
  rec.flushedUpTo = rec.next.commands.size();
  rec.flushed = true;
  InvalidateRenderState();
}

}  // namespace internal

using internal::Recorder;

void BeginFrame() {
  auto& rec = Recorder();
  if (rec.recording) return;
  // Between frames the back buffer may follow a new output size.
  internal::FollowOutputSize();
  rec.next.Clear();
  rec.recording = true;
  rec.flushed = false;
  rec.flushedUpTo = 0;
}

TFrameChange EndFrame() {
  auto& rec = Recorder();
  if (!rec.recording) return FRAME_SAME;
  rec.recording = false;
  auto& b = internal::Backend();
  SDL_Renderer* r = internal::DrawTarget();
  SDL_Rect target = internal::TargetRect();
  TFrameChange change = FRAME_CHANGED;
  if (!r) {
    rec.shown.Clear();
  } else if (rec.flushed || !rec.shown.valid || rec.shown.generation != b.generation ||
             SDL_RectEquals(&rec.shown.target, &target) != SDL_TRUE) {
    internal::DrawWhole(r, rec.next, rec.flushedUpTo);
    rec.presentWhole = true;
  } else {
    bool lively = false, any = false;
    auto regions = internal::Differences(rec.shown, rec.next, lively, any);
    change = lively ? FRAME_CHANGED : any ? FRAME_AMBIENT : FRAME_SAME;
    if (any) {
      internal::LimitRegions(regions);
      internal::WholeStretchedQuads(rec.next, regions);
      internal::DrawRegions(r, rec.next, regions, rec.cache);
      for (const SDL_Rect& region : regions) internal::AddRegion(rec.unpresented, region);
      if (rec.unpresented.size() > internal::kMaxRegions) rec.presentWhole = true;
    }
  }
  internal::InvalidateRenderState();
  internal::BuryTextures();
  std::swap(rec.shown, rec.next);
  rec.shown.valid = r != nullptr;
  rec.shown.generation = b.generation;
  rec.shown.target = target;
  rec.next.Clear();
  return change;
}

void BeginAmbient() { ++Recorder().ambientDepth; }
void EndAmbient() { Recorder().ambientDepth = std::max(0, Recorder().ambientDepth - 1); }

long long FramesPresented() { return Recorder().presented; }

double LastPresentSeconds() { return Recorder().lastPresentSeconds; }

namespace internal {
void CountPresent() {
  ++Recorder().presented;
  Recorder().lastPresentSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
}  // namespace internal

}  // namespace plat
