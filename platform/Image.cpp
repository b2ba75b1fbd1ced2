// Pixmaps and images: loading (with the default flags, mask colour and
// mid-handling), animation strips, locked pixel access, and the textures
// made from the CPU pixels for whichever renderer is current, at the back
// buffer's scale. Pictures loaded from a file follow the scale: at 2 they
// take the file's copy painted at twice the size, where there is one.
#include <algorithm>
#include <functional>
#include <utility>

#include "Decode.h"
#include "DirectLight.h"
#include "DrawState.h"
#include "FrameRecord.h"
#include "ImageImpl.h"
#include "Resample.h"

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
void ApplyMask(TPixmap& pixmap, int flags, int r, int g, int b) {
  if (!(flags & MASKEDIMAGE) || !IsOpaque(pixmap)) return;
  ClearMaskColour(pixmap, r, g, b);
}

void ApplyMask(TPixmap& pixmap, int flags) {
  ApplyMask(pixmap, flags, Defaults().maskR, Defaults().maskG, Defaults().maskB);
}

bool Smooth(int flags) { return (flags & (FILTEREDIMAGE | MIPMAPPEDIMAGE)) != 0; }

bool TextureIsCurrent(SDL_Texture* texture, uint64_t generation) {
  return texture && generation == Backend().generation && Backend().renderer;
}

// `pixels` are already at the back buffer's scale.
SDL_Texture* UploadTexture(const TPixmap& pixels, int flags) {
  SDL_Renderer* r = Backend().renderer;
  if (!r || pixels.width <= 0 || pixels.height <= 0) return nullptr;
  // Light is added straight from the pixels of a readable texture.
  int access =
      internal::TexturesReadable() ? SDL_TEXTUREACCESS_STREAMING : SDL_TEXTUREACCESS_STATIC;
  SDL_Texture* texture =
      SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, access, pixels.width, pixels.height);
  if (!texture) return nullptr;
  SDL_UpdateTexture(texture, nullptr, pixels.pixels.data(), pixels.width * 4);
  SDL_SetTextureScaleMode(texture, Smooth(flags) ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
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
// `pixels` hold `density` pixels per logical pixel; the texture holds the
// back buffer's scale, made once from them (a 1x picture enlarged at 2).
// The smallest rectangle holding every pixel that is not clear.
SDL_Rect VisibleBox(const TPixmap& pixels) {
  int x0 = pixels.width, y0 = pixels.height, x1 = -1, y1 = -1;
  for (int y = 0; y < pixels.height; ++y) {
    const uint32_t* row = pixels.pixels.data() + size_t(y) * pixels.width;
    for (int x = 0; x < pixels.width; ++x) {
      if ((row[x] >> 24) == 0) continue;
      x0 = std::min(x0, x);
      x1 = std::max(x1, x);
      y0 = std::min(y0, y);
      y1 = y;
    }
  }
  if (x1 < 0) return SDL_Rect{0, 0, 0, 0};
  return SDL_Rect{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

SDL_Texture* Refresh(SDL_Texture*& texture, uint64_t& generation, bool& dirty,
                     const TPixmap& pixels, int density, int flags, SDL_Rect* visible = nullptr) {
  if (TextureIsCurrent(texture, generation) && !dirty) return texture;
  // One pixel (a filled shape's) is alike at any size; the recorder knows it
  // by its size.
  int scale = internal::Scale();
  bool same = density == scale || (pixels.width == 1 && pixels.height == 1);
  TPixmap scaled;
  if (!same) scaled = internal::ScaleDensity(pixels, density, scale, Smooth(flags));
  const TPixmap& shown = same ? pixels : scaled;
  if (visible) *visible = VisibleBox(shown);
  if (TextureIsCurrent(texture, generation)) {
    SDL_UpdateTexture(texture, nullptr, shown.pixels.data(), shown.width * 4);
  } else {
    texture = UploadTexture(shown, flags);
    generation = Backend().generation;
  }
  dirty = texture == nullptr;
  return texture;
}

std::shared_ptr<TPixmap> DecodeStream(TStream& stream) {
  auto bytes = stream.ReadAll();
  return internal::DecodePixmap(bytes);
}

// The cells of a sheet, row by row; none when the sheet has too few.
std::vector<TPixmap> CutCells(const TPixmap* sheet, int cellWidth, int cellHeight, int firstCell,
                              int cellCount) {
  if (!sheet || cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return {};
  int columns = sheet->width / cellWidth;
  int rows = sheet->height / cellHeight;
  if (int64_t(firstCell) + cellCount > int64_t(columns) * rows) return {};
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
  return frames;
}

TImagePtr AnimImageFromPixmap(const std::shared_ptr<TPixmap>& sheet, int cellWidth, int cellHeight,
                              int firstCell, int cellCount, int flags) {
  if (!sheet) return nullptr;
  flags = EffectiveFlags(flags);
  ApplyMask(*sheet, flags);
  auto frames = CutCells(sheet.get(), cellWidth, cellHeight, firstCell, cellCount);
  if (frames.empty()) return nullptr;
  return internal::MakeImage(std::move(frames), flags);
}

// ---------------------------------------------------------------- picture sets

// A picture loaded from a file, remembered so that it can take the set
// painted for another scale while its pixels are still the file's.
struct TSourced {
  std::weak_ptr<TImage> image;
  std::string path;
  bool anim = false;
  int cellWidth = 0, cellHeight = 0, firstCell = 0, cellCount = 0;
  std::vector<uint64_t> contents;  // of the frames as loaded
};

std::vector<TSourced>& Sourced() {
  static std::vector<TSourced> sourced;
  return sourced;
}

std::function<TStreamPtr(const std::string&)>& DenseSource() {
  static std::function<TStreamPtr(const std::string&)> source;
  return source;
}

// The frames of a remembered picture at a density (1: the file itself, 2:
// its copy painted at twice the size); none when that cannot be read.
std::vector<TPixmap> SourceFrames(const TSourced& s, int density, int flags, int maskR, int maskG,
                                  int maskB) {
  std::shared_ptr<TPixmap> sheet;
  if (density == 1) {
    sheet = LoadPixmap(s.path);
  } else if (DenseSource()) {
    if (TStreamPtr stream = DenseSource()(s.path)) sheet = DecodeStream(*stream);
  }
  if (!sheet || sheet->width % density != 0 || sheet->height % density != 0) return {};
  ApplyMask(*sheet, flags, maskR, maskG, maskB);
  if (!s.anim) return {std::move(*sheet)};
  return CutCells(sheet.get(), s.cellWidth * density, s.cellHeight * density, s.firstCell,
                  s.cellCount);
}

void Remember(const TImagePtr& image, TSourced s) {
  if (!image || !DenseSource()) return;
  auto& all = Sourced();
  all.erase(
      std::remove_if(all.begin(), all.end(), [](const TSourced& t) { return t.image.expired(); }),
      all.end());
  s.image = image;
  for (int frame = 0; frame < image->Frames(); ++frame)
    s.contents.push_back(internal::FrameContent(*image, frame));
  all.push_back(std::move(s));
}

// Loads a picture from its file, at the back buffer's scale where a denser
// copy exists.
TImagePtr LoadSourced(const TSourced& s, int flags) {
  flags = EffectiveFlags(flags);
  const auto& d = Defaults();
  int density = internal::Scale();
  std::vector<TPixmap> frames;
  if (density > 1) frames = SourceFrames(s, density, flags, d.maskR, d.maskG, d.maskB);
  if (frames.empty()) {
    density = 1;
    frames = SourceFrames(s, 1, flags, d.maskR, d.maskG, d.maskB);
  }
  if (frames.empty()) return nullptr;
  TImagePtr image = internal::MakeImage(std::move(frames), flags, density);
  Remember(image, s);
  return image;
}

// Gives a remembered picture the set of `density`; false when it keeps its own.
bool TakeSet(TImage& image, TSourced& s, int density) {
  auto frames = SourceFrames(s, density, image.flags, image.mask_r, image.mask_g, image.mask_b);
  if (frames.size() != size_t(image.Frames()) || frames[0].width != image.width * density ||
      frames[0].height != image.height * density)
    return false;
  for (int i = 0; i < image.Frames(); ++i) {
    auto& f = image.impl->frames[size_t(i)];
    f.pixels = std::move(frames[size_t(i)]);
    f.density = density;
    f.MarkChanged();
    s.contents[size_t(i)] = f.content;
  }
  return true;
}

TImageFrame& FrameOf(const TImage& image, int frame) { return image.impl->frames[size_t(frame)]; }

}  // namespace

// ---------------------------------------------------------------- internals

namespace internal {

TImageFrame::TImageFrame(TImageFrame&& other) noexcept
    : density(other.density),
      pixels(std::move(other.pixels)),
      rectX(other.rectX),
      rectY(other.rectY),
      rectW(other.rectW),
      rectH(other.rectH),
      texture(std::exchange(other.texture, nullptr)),
      textureGeneration(other.textureGeneration),
      textureDirty(other.textureDirty),
      visible(other.visible),
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
  return Refresh(f.texture, f.textureGeneration, f.textureDirty, f.pixels, f.density, image.flags,
                 &f.visible);
}

SDL_Texture* FrameMaskTexture(const TImage& image, int frame, int threshold) {
  auto& f = FrameOf(image, frame);
  if (f.maskThreshold != threshold) {
    f.maskThreshold = threshold;
    f.maskDirty = true;
  }
  if (TextureIsCurrent(f.maskTexture, f.maskGeneration) && !f.maskDirty) return f.maskTexture;
  // Thresholded at the back buffer's scale, so its edges stay hard.
  int scale = Scale();
  TPixmap masked = ScaleDensity(f.pixels, f.density, scale, Smooth(image.flags));
  for (auto& p : masked.pixels) p = (p >> 24) >= uint32_t(threshold) ? (p | 0xFF000000u) : 0;
  return Refresh(f.maskTexture, f.maskGeneration, f.maskDirty, masked, scale, image.flags);
}

const TCollisionMask& FrameCollisionMask(const TImage& image, int frame) {
  auto& f = FrameOf(image, frame);
  if (!f.collision) {
    // Collisions work in logical pixels.
    TPixmap logical = ScaleDensity(f.pixels, f.density, 1, true);
    auto mask = std::make_shared<TCollisionMask>();
    mask->width = logical.width;
    mask->height = logical.height;
    mask->solid.reserve(logical.pixels.size());
    for (uint32_t p : logical.pixels) mask->solid.push_back((p >> 24) >= kSolidAlpha ? 1 : 0);
    f.collision = std::move(mask);
  }
  return *f.collision;
}

void ImagesFollowScale() {
  int scale = Scale();
  for (TSourced& s : Sourced()) {
    TImagePtr image = s.image.lock();
    if (!image || image->Frames() != int(s.contents.size())) continue;
    bool asLoaded = true;
    for (int i = 0; i < image->Frames(); ++i)
      asLoaded = asLoaded && FrameContent(*image, i) == s.contents[size_t(i)];
    int density = image->impl->frames[0].density;
    // Pixels changed since loading are the game's own: they stay.
    if (!asLoaded || density == scale) continue;
    if (!TakeSet(*image, s, scale) && density != 1) TakeSet(*image, s, 1);
  }
}

TImagePtr MakeImage(std::vector<TPixmap> frames, int flags, int density) {
  density = std::max(1, density);
  if (frames.empty() || frames[0].width < density || frames[0].height < density) return nullptr;
  auto image = std::make_shared<TImage>();
  image->width = frames[0].width / density;
  image->height = frames[0].height / density;
  image->flags = flags;
  image->mask_r = Defaults().maskR;
  image->mask_g = Defaults().maskG;
  image->mask_b = Defaults().maskB;
  for (auto& pixels : frames) {
    TImageFrame frame;
    frame.density = density;
    frame.rectW = pixels.width / density;
    frame.rectH = pixels.height / density;
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
  TSourced source;
  source.path = path;
  return LoadSourced(source, flags);
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
  TSourced source;
  source.path = path;
  source.anim = true;
  source.cellWidth = cellWidth;
  source.cellHeight = cellHeight;
  source.firstCell = firstCell;
  source.cellCount = cellCount;
  return LoadSourced(source, flags);
}

void SetDensePictureSource(std::function<TStreamPtr(const std::string& path)> source) {
  DenseSource() = std::move(source);
  if (!DenseSource()) Sourced().clear();
}

void SetImageSource(const TImagePtr& image, const std::string& path) {
  if (!image || !DenseSource()) return;
  TSourced source;
  source.path = path;
  Remember(image, source);
  if (internal::Scale() > 1) TakeSet(*image, Sourced().back(), internal::Scale());
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
  // Locked pixels are logical: a denser picture gives up its extra detail.
  auto& f = FrameOf(image, frame);
  if (f.density != 1) {
    f.pixels = internal::ScaleDensity(f.pixels, f.density, 1, Smooth(image.flags));
    f.density = 1;
    f.MarkChanged();
  }
  return f.pixels;
}

void UnlockImage(TImage& image, int frame) {
  if (internal::ValidFrame(image, frame)) FrameOf(image, frame).MarkChanged();
}

void SetImageFrameRect(TImage& image, int frame, int x, int y, int w, int h) {
  if (!internal::ValidFrame(image, frame)) return;
  auto& f = FrameOf(image, frame);
  f.rectX = std::clamp(x, 0, f.LogicalWidth());
  f.rectY = std::clamp(y, 0, f.LogicalHeight());
  f.rectW = std::clamp(w, 0, f.LogicalWidth() - f.rectX);
  f.rectH = std::clamp(h, 0, f.LogicalHeight() - f.rectY);
}

void GrabImage(TImage& image, int x, int y, int frame) {
  if (!internal::ValidFrame(image, frame)) return;
  // At the back buffer's density: a picture drawn and grabbed stays as sharp.
  auto grabbed = internal::GrabBackBuffer(x, y, image.width, image.height);
  if (!grabbed) return;
  if (image.flags & MASKEDIMAGE)
    ClearMaskColour(*grabbed, image.mask_r, image.mask_g, image.mask_b);
  auto& f = FrameOf(image, frame);
  f.pixels = std::move(*grabbed);
  f.density = internal::Scale();
  f.MarkChanged();
}

}  // namespace plat
