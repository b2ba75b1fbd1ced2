// Small readers of our own for BMP (uncompressed, 1 to 32 bits, bit fields)
// and TGA (true colour, grey and colour-mapped, plain or run-length coded).
#include <bit>
#include <cstdint>
#include <optional>

#include "Decode.h"

namespace plat::internal {

namespace {

// Bounds-checked little-endian reads from the file in memory.
class TReader {
 public:
  explicit TReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  bool Has(size_t pos, size_t n) const { return pos <= bytes_.size() && n <= bytes_.size() - pos; }
  uint32_t U8(size_t pos) const { return Has(pos, 1) ? bytes_[pos] : 0; }
  uint32_t U16(size_t pos) const { return U8(pos) | (U8(pos + 1) << 8); }
  uint32_t U32(size_t pos) const { return U16(pos) | (U16(pos + 2) << 16); }
  size_t Size() const { return bytes_.size(); }

 private:
  const std::vector<uint8_t>& bytes_;
};

// Writers that leave the alpha byte unused fill it with zero: such a
// picture is opaque, not invisible.
void OpaqueIfAllClear(TPixmap& pixmap) {
  for (uint32_t p : pixmap.pixels) {
    if ((p >> 24) != 0) return;
  }
  for (auto& p : pixmap.pixels) p |= 0xFF000000u;
}

// One channel from a bit-field mask, scaled to 0..255.
uint32_t Channel(uint32_t value, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = std::countr_zero(mask);
  uint32_t field = (value & mask) >> shift;
  uint32_t top = mask >> shift;
  return (field * 255 + top / 2) / top;
}

struct TBmpHeader {
  int width = 0, height = 0;
  bool topDown = false;
  int bits = 0;
  uint32_t compression = 0;
  size_t dataOffset = 0;
  size_t paletteOffset = 0;
  uint32_t paletteCount = 0;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
};

std::optional<TBmpHeader> ReadBmpHeader(const TReader& in) {
  if (!in.Has(0, 26)) return std::nullopt;
  TBmpHeader h;
  h.dataOffset = in.U32(10);
  uint32_t infoSize = in.U32(14);
  if (infoSize == 12) {  // OS/2 core header
    h.width = int(in.U16(18));
    h.height = int(in.U16(20));
    h.bits = int(in.U16(24));
  } else if (infoSize >= 40 && in.Has(14, infoSize)) {
    h.width = int32_t(in.U32(18));
    h.height = int32_t(in.U32(22));
    h.bits = int(in.U16(28));
    h.compression = in.U32(30);
    h.paletteCount = in.U32(46);
    if (h.compression == 3 || h.compression == 6) {
      // Masks follow a 40-byte header, or sit inside a longer one.
      for (int i = 0; i < (h.compression == 6 || infoSize >= 56 ? 4 : 3); ++i)
        h.masks[i] = in.U32(54 + 4 * size_t(i));
    }
  } else {
    return std::nullopt;
  }
  if (h.height == INT32_MIN) return std::nullopt;  // no height at all, and not negatable
  if (h.height < 0) {
    h.topDown = true;
    h.height = -h.height;
  }
  size_t maskBytes = (infoSize == 40 && h.compression == 3) ? 12 : 0;
  maskBytes = (infoSize == 40 && h.compression == 6) ? 16 : maskBytes;
  h.paletteOffset = 14 + infoSize + maskBytes;
  if (h.bits <= 8 && h.paletteCount == 0) h.paletteCount = 1u << h.bits;
  return h;
}

void DefaultMasks(TBmpHeader& h) {
  if (h.compression == 3 || h.compression == 6) return;
  if (h.bits == 16) {
    h.masks[0] = 0x7C00;
    h.masks[1] = 0x03E0;
    h.masks[2] = 0x001F;
  } else if (h.bits == 32) {
    h.masks[0] = 0xFF0000;
    h.masks[1] = 0x00FF00;
    h.masks[2] = 0x0000FF;
  }
}

uint32_t BmpPixel(const TReader& in, const TBmpHeader& h, size_t row, int x) {
  int step = h.paletteCount ? 4 : 3;  // core headers use 3-byte palette entries
  if (h.bits <= 8) {
    size_t bit = size_t(x) * h.bits;
    uint32_t byte = in.U8(row + bit / 8);
    uint32_t index = (byte >> (8 - h.bits - bit % 8)) & ((1u << h.bits) - 1);
    size_t entry = h.paletteOffset + size_t(index) * size_t(step);
    return ARGB(255, int(in.U8(entry + 2)), int(in.U8(entry + 1)), int(in.U8(entry)));
  }
  if (h.bits == 24) {
    size_t p = row + size_t(x) * 3;
    return ARGB(255, int(in.U8(p + 2)), int(in.U8(p + 1)), int(in.U8(p)));
  }
  uint32_t v = h.bits == 16 ? in.U16(row + size_t(x) * 2) : in.U32(row + size_t(x) * 4);
  uint32_t a = h.masks[3] ? Channel(v, h.masks[3]) : 255;
  return ARGB(int(a), int(Channel(v, h.masks[0])), int(Channel(v, h.masks[1])),
              int(Channel(v, h.masks[2])));
}

}  // namespace

std::shared_ptr<TPixmap> DecodeBmp(const std::vector<uint8_t>& bytes) {
  TReader in(bytes);
  auto header = ReadBmpHeader(in);
  if (!header) return nullptr;
  TBmpHeader h = *header;
  bool knownBits =
      h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
  bool knownCoding = h.compression == 0 || h.compression == 3 || h.compression == 6;
  if (!knownBits || !knownCoding || !AcceptableSize(h.width, h.height)) return nullptr;
  if (h.bits <= 8 && h.paletteCount > 256) return nullptr;
  DefaultMasks(h);
  size_t stride = ((size_t(h.width) * h.bits + 31) / 32) * 4;
  if (!in.Has(h.dataOffset, stride * h.height)) return nullptr;
  auto pixmap = std::make_shared<TPixmap>(h.width, h.height);
  for (int y = 0; y < h.height; ++y) {
    size_t row = h.dataOffset + stride * size_t(h.topDown ? y : h.height - 1 - y);
    for (int x = 0; x < h.width; ++x) pixmap->WritePixel(x, y, BmpPixel(in, h, row, x));
  }
  // A 32-bit file whose alpha is all zero has no alpha at all.
  OpaqueIfAllClear(*pixmap);
  return pixmap;
}

// ---------------------------------------------------------------- TGA

namespace {

struct TTgaHeader {
  uint32_t idLength, mapType, type, mapFirst, mapLength, mapBits;
  int width, height, bits;
  bool topDown, rightToLeft;
  uint32_t alphaBits;
};

uint32_t TgaColour(const TReader& in, size_t p, int bits, bool withAlpha) {
  switch (bits) {
    case 8: {
      uint32_t v = in.U8(p);
      return ARGB(255, int(v), int(v), int(v));
    }
    case 15:
    case 16: {
      uint32_t v = in.U16(p);
      uint32_t a = (bits == 16 && withAlpha) ? ((v & 0x8000) ? 255 : 0) : 255;
      return ARGB(int(a), int(Channel(v, 0x7C00)), int(Channel(v, 0x03E0)),
                  int(Channel(v, 0x001F)));
    }
    case 24:
      return ARGB(255, int(in.U8(p + 2)), int(in.U8(p + 1)), int(in.U8(p)));
    default:
      return ARGB(withAlpha ? int(in.U8(p + 3)) : 255, int(in.U8(p + 2)), int(in.U8(p + 1)),
                  int(in.U8(p)));
  }
}

int BytesOfBits(int bits) { return (bits + 7) / 8; }

std::optional<TTgaHeader> ReadTgaHeader(const TReader& in) {
  if (!in.Has(0, 18)) return std::nullopt;
  TTgaHeader h{in.U8(0),
               in.U8(1),
               in.U8(2),
               in.U16(3),
               in.U16(5),
               in.U8(7),
               int(in.U16(12)),
               int(in.U16(14)),
               int(in.U8(16)),
               (in.U8(17) & 0x20) != 0,
               (in.U8(17) & 0x10) != 0,
               in.U8(17) & 0x0F};
  uint32_t base = h.type & ~8u;
  bool validType =
      (h.type == 1 || h.type == 2 || h.type == 3 || h.type == 9 || h.type == 10 || h.type == 11);
  if (!validType || h.mapType > 1 || !AcceptableSize(h.width, h.height)) return std::nullopt;
  if (base == 1 && (h.mapType != 1 || h.bits != 8 || h.mapLength == 0)) return std::nullopt;
  if (base == 1 && h.mapBits != 15 && h.mapBits != 16 && h.mapBits != 24 && h.mapBits != 32)
    return std::nullopt;
  if (base == 2 && h.bits != 15 && h.bits != 16 && h.bits != 24 && h.bits != 32)
    return std::nullopt;
  if (base == 3 && h.bits != 8) return std::nullopt;
  return h;
}

// Unpacks the pixel data (plain or run-length) into colour values in file
// order; false when the file ends early.
bool TgaPixels(const TReader& in, const TTgaHeader& h, size_t pos, std::vector<uint32_t>& out) {
  size_t mapPos = 18 + h.idLength;
  int pixelBytes = BytesOfBits(h.bits);
  bool withAlpha = h.alphaBits > 0 || h.bits == 32;
  bool mapped = (h.type & ~8u) == 1;
  auto colourAt = [&](size_t p) {
    if (!mapped) return TgaColour(in, p, h.bits, withAlpha);
    uint32_t index = in.U8(p);
    if (index < h.mapFirst || index - h.mapFirst >= h.mapLength) return 0xFF000000u;
    size_t entry = mapPos + size_t(index - h.mapFirst) * BytesOfBits(int(h.mapBits));
    return TgaColour(in, entry, int(h.mapBits), h.mapBits == 32 || h.alphaBits > 0);
  };
  size_t total = size_t(h.width) * h.height;
  out.reserve(total);
  bool rle = (h.type & 8u) != 0;
  while (out.size() < total) {
    uint32_t count = 1;
    bool repeat = false;
    if (rle) {
      if (!in.Has(pos, 1)) return false;
      uint32_t packet = in.U8(pos++);
      count = (packet & 0x7F) + 1;
      repeat = (packet & 0x80) != 0;
    }
    for (uint32_t i = 0; i < count && out.size() < total; ++i) {
      if (!in.Has(pos, size_t(pixelBytes))) return false;
      out.push_back(colourAt(pos));
      if (!repeat || i + 1 == count) pos += size_t(pixelBytes);
    }
  }
  return true;
}

}  // namespace

std::shared_ptr<TPixmap> DecodeTga(const std::vector<uint8_t>& bytes) {
  TReader in(bytes);
  auto header = ReadTgaHeader(in);
  if (!header) return nullptr;
  const TTgaHeader& h = *header;
  size_t mapBytes = h.mapType ? size_t(h.mapLength) * BytesOfBits(int(h.mapBits)) : 0;
  size_t dataPos = 18 + h.idLength + mapBytes;
  // The data must be able to hold the picture: a plain pixel takes its own
  // bytes, a run-length packet of one byte and a pixel gives at most 128.
  // Checked before anything is reserved, so a tiny file claiming a huge
  // picture costs nothing.
  size_t available = dataPos < bytes.size() ? bytes.size() - dataPos : 0;
  size_t pixelBytes = size_t(BytesOfBits(h.bits));
  size_t most = (h.type & 8u) ? available / (1 + pixelBytes) * 128 : available / pixelBytes;
  if (size_t(h.width) * size_t(h.height) > most) return nullptr;
  std::vector<uint32_t> colours;
  if (!TgaPixels(in, h, dataPos, colours)) return nullptr;
  auto pixmap = std::make_shared<TPixmap>(h.width, h.height);
  for (int row = 0; row < h.height; ++row) {
    int y = h.topDown ? row : h.height - 1 - row;
    for (int col = 0; col < h.width; ++col) {
      int x = h.rightToLeft ? h.width - 1 - col : col;
      pixmap->WritePixel(x, y, colours[size_t(row) * h.width + col]);
    }
  }
  OpaqueIfAllClear(*pixmap);
  return pixmap;
}

}  // namespace plat::internal
