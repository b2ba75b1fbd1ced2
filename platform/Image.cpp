// Pixmaps and images: loading (with the default flags, mask colour and
// mid-handling), animation strips, locked pixel access, and the textures
// made from the CPU pixels for whichever renderer is current.
#include <algorithm>
#include <utility>

#include "Decode.h"
#include "DrawState.h"
#include "FrameRecord.h"
#include "ImageImpl.h"

namespace plat {

using internal::Backend;
using internal::TImageFrame;

TImage::TImage() : impl(std::make_unique<Impl>()) {}
TImage::~TImage() = default;
int TImage::Frames() const { return int(impl->frames.size()); }

namespace {

struct TLoadDefaults {
  int flags = MASKEDIMAGE | FILTEREDIMAGE;
  int maskR = 0, maskG = 0, maskB = 0;
  bool midHandle = false;
};

TLoadDefaults& Defaults() {
  static TLoadDefaults defaults;
  return defaults;
}

int EffectiveFlags(int flags) { return flags == -1 ? Defaults().flags : flags; }

bool IsOpaque(const TPixmap& pixmap) {
  return std::all_of(pixmap.pixels.begin(), pixmap.pixels.end(),
                     [](uint32_t p) { return (p >> 24) == 255; });
}

// Pixels of the mask colour become fully transparent.
void ClearMaskColour(TPixmap& pixmap, int r, int g, int b) {
  uint32_t key = ARGB(0, r, g, b);
  for (auto& p : pixmap.pixels) {
    if ((p & 0xFFFFFFu) == key) p = 0;
  }
}

// A picture without transparency of its own loses the mask colour.
void ApplyMask(TPixmap& pixmap, int flags) {
  if (!(flags & MASKEDIMAGE) || !IsOpaque(pixmap)) return;
  ClearMaskColour(pixmap, Defaults().maskR, Defaults().maskG, Defaults().maskB);
}

bool TextureIsCurrent(SDL_Texture* texture, uint64_t generation) {
  return texture && generation == Backend().generation && Backend().renderer;
}

SDL_Texture* UploadTexture(const TPixmap& pixels, int flags) {
  SDL_Renderer* r = Backend().renderer;
  if (!r || pixels.width <= 0 || pixels.height <= 0) return nullptr;
  SDL_Texture* texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                           pixels.width, pixels.height);
  if (!texture) return nullptr;
  SDL_UpdateTexture(texture, nullptr, pixels.pixels.data(), pixels.width * 4);
  bool smooth = (flags & (FILTEREDIMAGE | MIPMAPPEDIMAGE)) != 0;
  SDL_SetTextureScaleMode(texture, smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  return texture;
}

void DestroyIfCurrent(SDL_Texture*& texture, uint64_t generation) {
  // A frame being recorded may still draw it.
  if (TextureIsCurrent(texture, generation) && !internal::DeferTextureDestroy(texture))
    SDL_DestroyTexture(texture);
  texture = nullptr;
}

// Brings a cached texture up to date: re-made for a new renderer, refilled
// after the pixels changed.
SDL_Texture* Refresh(SDL_Texture*& texture, uint64_t& generation, bool& dirty,
                     const TPixmap& pixels, int flags) {
  if (TextureIsCurrent(texture, generation) && !dirty) return texture;
  if (TextureIsCurrent(texture, generation)) {
    SDL_UpdateTexture(texture, nullptr, pixels.pixels.data(), pixels.width * 4);
  } else {
    texture = UploadTexture(pixels, flags);
    generation = Backend().generation;
  }
  dirty = texture == nullptr;
  return texture;
}

std::shared_ptr<TPixmap> DecodeStream(TStream& stream) {
  auto bytes = stream.ReadAll();
  return internal::DecodePixmap(bytes);
}

TImagePtr AnimImageFromPixmap(const std::shared_ptr<TPixmap>& sheet, int cellWidth, int cellHeight,
                              int firstCell, int cellCount, int flags) {
  if (!sheet || cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0)
    return nullptr;
  int columns = sheet->width / cellWidth;
  int rows = sheet->height / cellHeight;
  if (int64_t(firstCell) + cellCount > int64_t(columns) * rows) return nullptr;
  flags = EffectiveFlags(flags);
  ApplyMask(*sheet, flags);
  std::vector<TPixmap> frames;
  for (int cell = firstCell; cell < firstCell + cellCount; ++cell) {
    int left = (cell % columns) * cellWidth, top = (cell / columns) * cellHeight;
    TPixmap frame(cellWidth, cellHeight);
    for (int y = 0; y < cellHeight; ++y) {
      auto row = sheet->pixels.begin() + (size_t(top + y) * sheet->width + left);
      std::copy(row, row + cellWidth, frame.pixels.begin() + size_t(y) * cellWidth);
    }
    frames.push_back(std::move(frame));
  }
  return internal::MakeImage(std::move(frames), flags);
}

TImageFrame& FrameOf(const TImage& image, int frame) { return image.impl->frames[size_t(frame)]; }

}  // namespace

// ---------------------------------------------------------------- internals

namespace internal {

TImageFrame::TImageFrame(TImageFrame&& other) noexcept
    : pixels(std::move(other.pixels)),
      rectX(other.rectX),
      rectY(other.rectY),
      rectW(other.rectW),
      rectH(other.rectH),
      texture(std::exchange(other.texture, nullptr)),
      textureGeneration(other.textureGeneration),
      textureDirty(other.textureDirty),
      maskTexture(std::exchange(other.maskTexture, nullptr)),
      maskGeneration(other.maskGeneration),
      maskThreshold(other.maskThreshold),
      maskDirty(other.maskDirty),
      collision(std::move(other.collision)),
      content(other.content) {}

TImageFrame::TImageFrame() : content(NewContentId()) {}

TImageFrame::~TImageFrame() { ReleaseTextures(); }

void TImageFrame::MarkChanged() {
  content = NewContentId();
  textureDirty = true;
  maskDirty = true;
  collision.reset();
}

void TImageFrame::ReleaseTextures() {
  DestroyIfCurrent(texture, textureGeneration);
  DestroyIfCurrent(maskTexture, maskGeneration);
}

bool ValidFrame(const TImage& image, int frame) { return frame >= 0 && frame < image.Frames(); }

uint64_t FrameContent(const TImage& image, int frame) { return FrameOf(image, frame).content; }

SDL_Texture* FrameTexture(const TImage& image, int frame) {
  auto& f = FrameOf(image, frame);
  return Refresh(f.texture, f.textureGeneration, f.textureDirty, f.pixels, image.flags);
}

SDL_Texture* FrameMaskTexture(const TImage& image, int frame, int threshold) {
  auto& f = FrameOf(image, frame);
  if (f.maskThreshold != threshold) {
    f.maskThreshold = threshold;
    f.maskDirty = true;
  }
  if (TextureIsCurrent(f.maskTexture, f.maskGeneration) && !f.maskDirty) return f.maskTexture;
  TPixmap masked = f.pixels;
  for (auto& p : masked.pixels) p = (p >> 24) >= uint32_t(threshold) ? (p | 0xFF000000u) : 0;
  return Refresh(f.maskTexture, f.maskGeneration, f.maskDirty, masked, image.flags);
}

const TCollisionMask& FrameCollisionMask(const TImage& image, int frame) {
  auto& f = FrameOf(image, frame);
  if (!f.collision) {
    auto mask = std::make_shared<TCollisionMask>();
    mask->width = f.pixels.width;
    mask->height = f.pixels.height;
    mask->solid.reserve(f.pixels.pixels.size());
    for (uint32_t p : f.pixels.pixels) mask->solid.push_back((p >> 24) >= kSolidAlpha ? 1 : 0);
    f.collision = std::move(mask);
  }
  return *f.collision;
}

TImagePtr MakeImage(std::vector<TPixmap> frames, int flags) {
  if (frames.empty() || frames[0].width <= 0 || frames[0].height <= 0) return nullptr;
  auto image = std::make_shared<TImage>();
  image->width = frames[0].width;
  image->height = frames[0].height;
  image->flags = flags;
  image->mask_r = Defaults().maskR;
  image->mask_g = Defaults().maskG;
  image->mask_b = Defaults().maskB;
  for (auto& pixels : frames) {
    TImageFrame frame;
    frame.rectW = pixels.width;
    frame.rectH = pixels.height;
    frame.pixels = std::move(pixels);
    image->impl->frames.push_back(std::move(frame));
  }
  if (Defaults().midHandle) MidHandleImage(*image);
  return image;
}

}  // namespace internal

// ---------------------------------------------------------------- defaults

void AutoImageFlags(int flags) { Defaults().flags = flags; }
int GetAutoImageFlags() { return Defaults().flags; }

void SetMaskColor(int r, int g, int b) {
  Defaults().maskR = std::clamp(r, 0, 255);
  Defaults().maskG = std::clamp(g, 0, 255);
  Defaults().maskB = std::clamp(b, 0, 255);
}

void AutoMidHandle(bool on) { Defaults().midHandle = on; }
bool GetAutoMidHandle() { return Defaults().midHandle; }

// ---------------------------------------------------------------- loading

std::shared_ptr<TPixmap> LoadPixmap(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!LoadBytes(path, bytes)) return nullptr;
  return internal::DecodePixmap(bytes);
}

std::shared_ptr<TPixmap> LoadPixmap(TStream& stream) { return DecodeStream(stream); }

TImagePtr LoadImage(const std::string& path, int flags) {
  auto pixmap = LoadPixmap(path);
  return pixmap ? LoadImageFromPixmap(*pixmap, flags) : nullptr;
}

TImagePtr LoadImage(TStream& stream, int flags) {
  auto pixmap = DecodeStream(stream);
  return pixmap ? LoadImageFromPixmap(*pixmap, flags) : nullptr;
}

TImagePtr LoadImageFromPixmap(const TPixmap& pixmap, int flags) {
  flags = EffectiveFlags(flags);
  TPixmap copy = pixmap;
  ApplyMask(copy, flags);
  std::vector<TPixmap> frames;
  frames.push_back(std::move(copy));
  return internal::MakeImage(std::move(frames), flags);
}

TImagePtr LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                        int cellCount, int flags) {
  return AnimImageFromPixmap(LoadPixmap(path), cellWidth, cellHeight, firstCell, cellCount, flags);
}

TImagePtr LoadAnimImage(TStream& stream, int cellWidth, int cellHeight, int firstCell,
                        int cellCount, int flags) {
  return AnimImageFromPixmap(DecodeStream(stream), cellWidth, cellHeight, firstCell, cellCount,
                             flags);
}

void PrecacheImage(const TImage& image) {
  for (int frame = 0; frame < image.Frames(); ++frame) internal::FrameTexture(image, frame);
}

TImagePtr CreateImage(int width, int height, int frames, int flags) {
  if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
  std::vector<TPixmap> blank(size_t(frames), TPixmap(width, height));
  return internal::MakeImage(std::move(blank), EffectiveFlags(flags));
}

// ---------------------------------------------------------------- properties

int ImageWidth(const TImage& image) { return image.width; }
int ImageHeight(const TImage& image) { return image.height; }

void SetImageHandle(TImage& image, float x, float y) {
  image.handle_x = x;
  image.handle_y = y;
}

void MidHandleImage(TImage& image) {
  image.handle_x = float(image.width) / 2;
  image.handle_y = float(image.height) / 2;
}

TPixmap& LockImage(TImage& image, int frame) {
  static TPixmap none;
  if (!internal::ValidFrame(image, frame)) {
    none = TPixmap();
    return none;
  }
  return FrameOf(image, frame).pixels;
}

void UnlockImage(TImage& image, int frame) {
  if (internal::ValidFrame(image, frame)) FrameOf(image, frame).MarkChanged();
}

void SetImageFrameRect(TImage& image, int frame, int x, int y, int w, int h) {
  if (!internal::ValidFrame(image, frame)) return;
  auto& f = FrameOf(image, frame);
  f.rectX = std::clamp(x, 0, f.pixels.width);
  f.rectY = std::clamp(y, 0, f.pixels.height);
  f.rectW = std::clamp(w, 0, f.pixels.width - f.rectX);
  f.rectH = std::clamp(h, 0, f.pixels.height - f.rectY);
}

void GrabImage(TImage& image, int x, int y, int frame) {
  if (!internal::ValidFrame(image, frame)) return;
  auto grabbed = GrabPixmap(x, y, image.width, image.height);
  if (!grabbed) return;
  if (image.flags & MASKEDIMAGE)
    ClearMaskColour(*grabbed, image.mask_r, image.mask_g, image.mask_b);
  auto& f = FrameOf(image, frame);
  f.pixels = std::move(*grabbed);
  f.MarkChanged();
}

}  // namespace plat
