// TrueType text through FreeType: each character of the UTF-8 text is
// rendered once, when first drawn or measured, into a glyph image and drawn
// with the current drawing state. Text is laid out with the face's metrics
// at its own size (GlyphAdvance, the rule the data generator measures by)
// and drawn with glyphs rendered at the back buffer's scale.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <unordered_map>

#include "DrawState.h"
#include "GlyphAdvance.h"
#include "ImageImpl.h"
#include "Utf8.h"

namespace plat {

namespace {

// One FreeType library for all faces; it lives while any face does.
class TFreeType {
 public:
  TFreeType() {
    if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
  }
  ~TFreeType() {
    if (library_) FT_Done_FreeType(library_);
  }
  TFreeType(const TFreeType&) = delete;
  TFreeType& operator=(const TFreeType&) = delete;
  FT_Library Get() const { return library_; }

  static std::shared_ptr<TFreeType> Shared() {
    static std::weak_ptr<TFreeType> shared;
    auto library = shared.lock();
    if (!library) {
      library = std::make_shared<TFreeType>();
      shared = library;
    }
    return library->Get() ? library : nullptr;
  }

 private:
  FT_Library library_ = nullptr;
};

struct TGlyph {
  bool rendered = false;
  TImagePtr image;           // null for blank glyphs such as the space
  double left = 0, top = 0;  // logical pixels from the pen and the line's top
  int advance = 0;
};

}  // namespace

struct TFont::Impl {
  std::shared_ptr<TFreeType> library;
  std::vector<uint8_t> bytes;  // FreeType reads the face from here
  FT_Face face = nullptr;
  bool smooth = true;
  int size = 0;
  int ascend = 0;
  int height = 0;
  std::unordered_map<char32_t, TGlyph> glyphs;
  // The face at size x denseScale, and its glyphs, for a denser back buffer.
  FT_Face dense = nullptr;
  int denseScale = 0;
  std::unordered_map<char32_t, TGlyph> denseGlyphs;

  ~Impl() {
    denseGlyphs.clear();
    glyphs.clear();
    if (dense) FT_Done_Face(dense);
    if (face) FT_Done_Face(face);
  }
  // Metrics (and the picture at scale 1).
  const TGlyph& Glyph(char32_t c);
  // The picture at the back buffer's scale.
  const TGlyph& Picture(char32_t c);
  void Render(FT_Face from, int scale, char32_t c, TGlyph& glyph);
};

TFont::TFont() : impl(std::make_unique<Impl>()) {}
TFont::~TFont() = default;

namespace {

TPixmap GlyphPixels(const FT_Bitmap& bitmap) {
  TPixmap pixels(int(bitmap.width), int(bitmap.rows));
  for (int y = 0; y < pixels.height; ++y) {
    const uint8_t* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
    for (int x = 0; x < pixels.width; ++x) {
      int coverage = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                         ? ((row[x / 8] >> (7 - x % 8)) & 1) * 255
                         : row[x];
      pixels.WritePixel(x, y, ARGB(coverage, 255, 255, 255));
    }
  }
  return pixels;
}

}  // namespace

// Renders a glyph with a face at `scale` times the font's size into an image
// of that density (its pixels padded to whole logical pixels).
void TFont::Impl::Render(FT_Face from, int scale, char32_t c, TGlyph& glyph) {
  glyph.rendered = true;
  if (FT_Load_Char(from, c, FT_LOAD_RENDER | GlyphLoadFlags(smooth)) != 0) return;
  FT_GlyphSlot slot = from->glyph;
  glyph.left = double(slot->bitmap_left) / scale;
  glyph.top = double(ascend * scale - slot->bitmap_top) / scale;
  glyph.advance = LoadedAdvance(from);
  if (slot->bitmap.width > 0 && slot->bitmap.rows > 0) {
    TPixmap drawn = GlyphPixels(slot->bitmap);
    TPixmap pixels((drawn.width + scale - 1) / scale * scale,
                   (drawn.height + scale - 1) / scale * scale);
    for (int y = 0; y < drawn.height; ++y)
      for (int x = 0; x < drawn.width; ++x) pixels.WritePixel(x, y, drawn.ReadPixel(x, y));
    std::vector<TPixmap> frames;
    frames.push_back(std::move(pixels));
    glyph.image = internal::MakeImage(std::move(frames), smooth ? FILTEREDIMAGE : 0, scale);
    if (glyph.image) SetImageHandle(*glyph.image, 0, 0);
  }
}

const TGlyph& TFont::Impl::Glyph(char32_t c) {
  TGlyph& glyph = glyphs[c];
  if (glyph.rendered) return glyph;
  // A space the face lacks is a space, not the face's box for "no glyph".
  if (char32_t standIn = GlyphStandIn(face, c); standIn != c) {
    glyph = Glyph(standIn);
    return glyph;
  }
  Render(face, 1, c, glyph);
  return glyph;
}

const TGlyph& TFont::Impl::Picture(char32_t c) {
  int scale = internal::Scale();
  if (scale == 1) return Glyph(c);
  if (denseScale != scale) {
    denseGlyphs.clear();
    denseScale = 0;
    if (!dense &&
        FT_New_Memory_Face(library->Get(), bytes.data(), FT_Long(bytes.size()), 0, &dense) != 0)
      dense = nullptr;
    if (!dense || FT_Set_Pixel_Sizes(dense, 0, FT_UInt(size * scale)) != 0) return Glyph(c);
    denseScale = scale;
  }
  TGlyph& glyph = denseGlyphs[c];
  if (glyph.rendered) return glyph;
  if (char32_t standIn = GlyphStandIn(dense, c); standIn != c) {
    glyph = Picture(standIn);
    return glyph;
  }
  Render(dense, scale, c, glyph);
  return glyph;
}

TFontPtr LoadImageFont(const std::vector<uint8_t>& fileBytes, int size, bool smooth) {
  if (fileBytes.empty() || size <= 0) return nullptr;
  auto font = std::make_shared<TFont>();
  auto& impl = *font->impl;
  impl.library = TFreeType::Shared();
  if (!impl.library) return nullptr;
  impl.bytes = fileBytes;
  if (FT_New_Memory_Face(impl.library->Get(), impl.bytes.data(), FT_Long(impl.bytes.size()), 0,
                         &impl.face) != 0) {
    impl.face = nullptr;
    return nullptr;
  }
  if (FT_Set_Pixel_Sizes(impl.face, 0, FT_UInt(size)) != 0) return nullptr;
  impl.smooth = smooth;
  impl.size = size;
  const FT_Size_Metrics& metrics = impl.face->size->metrics;
  impl.ascend = int(metrics.ascender >> 6);
  impl.height = int((metrics.ascender - metrics.descender) >> 6);
  font->size = size;
  return font;
}

TFontPtr LoadImageFont(const std::string& path, int size, bool smooth) {
  std::vector<uint8_t> bytes;
  if (!LoadBytes(path, bytes)) return nullptr;
  return LoadImageFont(bytes, size, smooth);
}

namespace {

// The face used while no font is set: the first of the usual system faces.
TFontPtr DefaultFont() {
  internal::Backend();  // made first, so it outlives the glyph textures below
  static TFontPtr font;
  static bool tried = false;
  if (!tried) {
    tried = true;
    for (const char* path : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                             "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf",
                             "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"}) {
      font = LoadImageFont(path, 12, true);
      if (font) break;
    }
  }
  return font;
}

TFont* CurrentFont() {
  auto& font = internal::DrawState().font;
  if (font) return font.get();
  return DefaultFont().get();
}

}  // namespace

void SetImageFont(TFontPtr font) { internal::DrawState().font = std::move(font); }

TFontPtr GetImageFont() {
  auto& font = internal::DrawState().font;
  return font ? font : DefaultFont();
}

void DrawText(const std::string& text, double x, double y) {
  TFont* font = CurrentFont();
  if (!font) return;
  const auto& st = internal::DrawState();
  double tx = x + st.originX, ty = y + st.originY;
  internal::ReportDrawn(true, text, {0, 0, TextWidth(text), double(font->impl->height)}, tx, ty);
  internal::TTextReport glyphs;
  double pen = 0;
  for (char32_t c : CodePoints(text)) {
    const TGlyph& glyph = font->impl->Picture(c);
    if (glyph.image) {
      const TImage& image = *glyph.image;
      double left = pen + glyph.left, top = glyph.top;
      internal::DrawFrameQuad(image, 0, {left, top, left + image.width, top + image.height}, tx, ty,
                              {0, 0, double(image.width), double(image.height)});
    }
    pen += font->impl->Glyph(c).advance;
  }
}

double TextWidth(const std::string& text) {
  TFont* font = CurrentFont();
  if (!font) return 0;
  double width = 0;
  for (char32_t c : CodePoints(text)) width += font->impl->Glyph(c).advance;
  return width;
}

double TextHeight(const std::string& /*text: one line is always the font's height*/) {
  TFont* font = CurrentFont();
  return font ? font->impl->height : 0;
}

int FontHeight(const TFont& font) { return font.impl->height; }

}  // namespace plat
