// Image file decoders and the PNG encoder. Every decoder takes the whole
// file in memory and returns null for anything it cannot read.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Platform.h"

namespace plat::internal {

// Pictures larger than this are refused rather than allocated.
constexpr int kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = int64_t(64) * 1024 * 1024;

bool AcceptableSize(int64_t width, int64_t height);

// PNG, JPEG or BMP by their signatures, TGA otherwise.
std::shared_ptr<TPixmap> DecodePixmap(const std::vector<uint8_t>& bytes);
std::shared_ptr<TPixmap> DecodePng(const std::vector<uint8_t>& bytes);
std::shared_ptr<TPixmap> DecodeJpeg(const std::vector<uint8_t>& bytes);
std::shared_ptr<TPixmap> DecodeBmp(const std::vector<uint8_t>& bytes);
std::shared_ptr<TPixmap> DecodeTga(const std::vector<uint8_t>& bytes);

// compression 0..9 (zlib levels).
bool EncodePng(const TPixmap& pixmap, int compression, std::vector<uint8_t>& out);

}  // namespace plat::internal
