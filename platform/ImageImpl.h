// The inside of a TImage: per frame a CPU copy of the pixels (what LockImage
// hands out, and what survives a new renderer) and textures made from it on
// demand.
#pragma once

#include <memory>
#include <vector>

#include "Internal.h"

namespace plat::internal {

struct TCollisionMask;

struct TImageFrame {
  // Pixels per logical pixel each way: 2 for a picture painted at twice the
  // size. Textures are made at the back buffer's scale whatever it is.
  int density = 1;
  TPixmap pixels;
  // Texture coordinates in frame pixels (SetImageFrameRect); the whole
  // frame unless set.
  int rectX = 0, rectY = 0, rectW = 0, rectH = 0;

  SDL_Texture* texture = nullptr;
  uint64_t textureGeneration = 0;
  bool textureDirty = true;
  // The texels of `texture` that are not clear (alpha above 0).
  SDL_Rect visible{0, 0, 0, 0};

  // Mask blending draws a copy whose alpha is thresholded: 255 where the
  // pixel passes, 0 elsewhere.
  SDL_Texture* maskTexture = nullptr;
  uint64_t maskGeneration = 0;
  int maskThreshold = -1;
  bool maskDirty = true;

  std::shared_ptr<const TCollisionMask> collision;
  // Identifies the pixels: new for every change (recorded frames compare it).
  uint64_t content = 0;

  TImageFrame();
  TImageFrame(TImageFrame&& other) noexcept;
  TImageFrame& operator=(TImageFrame&&) = delete;
  TImageFrame(const TImageFrame&) = delete;
  ~TImageFrame();

  void MarkChanged();
  void ReleaseTextures();
  int LogicalWidth() const { return pixels.width / density; }
  int LogicalHeight() const { return pixels.height / density; }
};

// Every pixel at or above this alpha counts as opaque for collisions.
constexpr uint32_t kSolidAlpha = 128;

// Opaque pixels of a frame, one byte per pixel.
struct TCollisionMask {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> solid;
  bool Solid(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && solid[size_t(y) * width + x] != 0;
  }
};

}  // namespace plat::internal

struct plat::TImage::Impl {
  std::vector<internal::TImageFrame> frames;
};

namespace plat::internal {

// The texture of a frame for the current renderer (made or refreshed when
// needed); null when there is no renderer or the frame is empty.
SDL_Texture* FrameTexture(const TImage& image, int frame);
// The thresholded copy: pixels whose alpha is at least `threshold` (0..255).
SDL_Texture* FrameMaskTexture(const TImage& image, int frame, int threshold);
const TCollisionMask& FrameCollisionMask(const TImage& image, int frame);
bool ValidFrame(const TImage& image, int frame);
// What the frame's pixels are now (a new value after every change).
uint64_t FrameContent(const TImage& image, int frame);

// Builds an image from frames already cut; `flags` are final (no -1). The
// frames hold `density` pixels per logical pixel each way.
TImagePtr MakeImage(std::vector<TPixmap> frames, int flags, int density = 1);

}  // namespace plat::internal
