// Collision layers: each write keeps the frame's opaque-pixel mask with the
// placement it was drawn with (handle, origin, rotation and scale); a test
// compares masks pixel by pixel over the screen area both cover.
#include <algorithm>
#include <cmath>

#include "DrawState.h"
#include "ImageImpl.h"

namespace plat {

namespace {

using internal::TCollisionMask;

// Where a frame lands on screen: screen = anchor + M * (local - handle),
// and back again through the inverse of M.
struct TPlacement {
  double anchorX = 0, anchorY = 0, handleX = 0, handleY = 0;
  double inverse[4] = {1, 0, 0, 1};
  bool valid = false;
  int left = 0, top = 0, right = 0, bottom = 0;  // screen pixels covered, right/bottom exclusive
};

struct TCollisionEntry {
  uint32_t layers = 0;
  const void* identity = nullptr;
  std::shared_ptr<const TCollisionMask> mask;
  TPlacement placement;
};

std::vector<TCollisionEntry>& Entries() {
  static std::vector<TCollisionEntry> entries;
  return entries;
}

TPlacement Place(const TImage& image, double x, double y, int width, int height) {
  const auto& st = internal::DrawState();
  TPlacement p;
  p.anchorX = x + st.originX;
  p.anchorY = y + st.originY;
  p.handleX = image.handle_x;
  p.handleY = image.handle_y;
  double det = st.ix * st.jy - st.iy * st.jx;
  if (std::abs(det) < 1e-12) return p;
  p.inverse[0] = st.jy / det;
  p.inverse[1] = -st.iy / det;
  p.inverse[2] = -st.jx / det;
  p.inverse[3] = st.ix / det;
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (double cx : {0.0, double(width)}) {
    for (double cy : {0.0, double(height)}) {
      double lx = cx - p.handleX, ly = cy - p.handleY;
      double sx = p.anchorX + lx * st.ix + ly * st.iy;
      double sy = p.anchorY + lx * st.jx + ly * st.jy;
      minX = std::min(minX, sx);
      maxX = std::max(maxX, sx);
      minY = std::min(minY, sy);
      maxY = std::max(maxY, sy);
    }
  }
  p.left = int(std::floor(minX));
  p.top = int(std::floor(minY));
  p.right = int(std::ceil(maxX));
  p.bottom = int(std::ceil(maxY));
  p.valid = true;
  return p;
}

// Is the screen pixel (px, py) an opaque pixel of the placed mask? Sampled
// at the pixel's centre.
bool SolidAt(const TCollisionMask& mask, const TPlacement& p, int px, int py) {
  double dx = px + 0.5 - p.anchorX, dy = py + 0.5 - p.anchorY;
  double lx = p.inverse[0] * dx + p.inverse[1] * dy + p.handleX;
  double ly = p.inverse[2] * dx + p.inverse[3] * dy + p.handleY;
  return mask.Solid(int(std::floor(lx)), int(std::floor(ly)));
}

bool Overlap(const TCollisionMask& a, const TPlacement& pa, const TCollisionMask& b,
             const TPlacement& pb) {
  int left = std::max(pa.left, pb.left), right = std::min(pa.right, pb.right);
  int top = std::max(pa.top, pb.top), bottom = std::min(pa.bottom, pb.bottom);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (SolidAt(a, pa, x, y) && SolidAt(b, pb, x, y)) return true;
    }
  }
  return false;
}

// The frame's mask, shared with the image until its pixels change.
std::shared_ptr<const TCollisionMask> MaskOf(const TImage& image, int frame) {
  internal::FrameCollisionMask(image, frame);
  return image.impl->frames[size_t(frame)].collision;
}

}  // namespace

void ResetCollisions(uint32_t layerMask) {
  auto& entries = Entries();
  for (auto& entry : entries) entry.layers &= ~layerMask;
  std::erase_if(entries, [](const TCollisionEntry& e) { return e.layers == 0; });
}

void CollideImageWrite(const TImage& image, double x, double y, int frame, uint32_t layerMask,
                       const void* identity) {
  if (layerMask == 0 || !internal::ValidFrame(image, frame)) return;
  TCollisionEntry entry;
  entry.layers = layerMask;
  entry.identity = identity;
  entry.mask = MaskOf(image, frame);
  entry.placement = Place(image, x, y, entry.mask->width, entry.mask->height);
  if (entry.placement.valid) Entries().push_back(std::move(entry));
}

std::vector<const void*> CollideImageTest(const TImage& image, double x, double y, int frame,
                                          uint32_t layerMask) {
  std::vector<const void*> hits;
  if (layerMask == 0 || !internal::ValidFrame(image, frame)) return hits;
  auto mask = MaskOf(image, frame);
  TPlacement placement = Place(image, x, y, mask->width, mask->height);
  if (!placement.valid) return hits;
  for (const auto& entry : Entries()) {
    if ((entry.layers & layerMask) == 0) continue;
    if (Overlap(*entry.mask, entry.placement, *mask, placement)) hits.push_back(entry.identity);
  }
  return hits;
}

}  // namespace plat
