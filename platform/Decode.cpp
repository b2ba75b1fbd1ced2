// PNG and JPEG through libpng and libjpeg, and PNG writing.
#include "Decode.h"

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>

namespace plat {

namespace internal {

bool AcceptableSize(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

std::shared_ptr<TPixmap> DecodePixmap(const std::vector<uint8_t>& bytes) {
  auto starts = [&](std::initializer_list<uint8_t> magic) {
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
  };
  if (starts({0x89, 'P', 'N', 'G'})) return DecodePng(bytes);
  if (starts({0xFF, 0xD8, 0xFF})) return DecodeJpeg(bytes);
  if (starts({'B', 'M'})) return DecodeBmp(bytes);
  return DecodeTga(bytes);
}

// The simplified libpng interface does its own error recovery.
std::shared_ptr<TPixmap> DecodePng(const std::vector<uint8_t>& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    png_image_free(&image);
    return nullptr;
  }
  // Deflate makes at most 1032 bytes of one and the smallest pixel is a bit,
  // so a file too small for the picture it claims is refused before that
  // picture is allocated: a 60-byte header could otherwise ask for 256 MB.
  constexpr uint64_t kMaxPixelsPerByte = 1032 * 8;
  if (!AcceptableSize(image.width, image.height) ||
      uint64_t(image.width) * image.height > uint64_t(bytes.size()) * kMaxPixelsPerByte) {
    png_image_free(&image);
    return nullptr;
  }
  // BGRA in memory is 0xAARRGGBB on a little-endian machine.
  image.format = PNG_FORMAT_BGRA;
  auto pixmap = std::make_shared<TPixmap>(int(image.width), int(image.height));
  if (!png_image_finish_read(&image, nullptr, pixmap->pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return nullptr;
  }
  return pixmap;
}

}  // namespace internal

namespace {

struct TJpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JpegFail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TJpegError*>(info->err)->jump, 1);
}

void JpegQuiet(j_common_ptr, int) {}

// Only plain data lives in this frame: a failure jumps back over it. The
// pixels go into `out`, owned by the caller.
bool ReadJpeg(const uint8_t* data, size_t size, TPixmap* out) {
  jpeg_decompress_struct info;
  TJpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegFail;
  error.manager.emit_message = JpegQuiet;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  // Checked before decoding starts, which makes whole-image buffers at once
  // (a progressive picture): a few bytes claiming 65000 x 65000 pixels would
  // otherwise take gigabytes and minutes. Even a flat picture needs about a
  // bit for every 8 x 8 block, so more pixels than this per byte of file
  // are not a real picture.
  constexpr uint64_t kMaxPixelsPerByte = 4096;
  if (!internal::AcceptableSize(info.image_width, info.image_height) ||
      uint64_t(info.image_width) * info.image_height > uint64_t(size) * kMaxPixelsPerByte) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  if (!internal::AcceptableSize(info.output_width, info.output_height) ||
      info.output_components != 4) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  out->width = int(info.output_width);
  out->height = int(info.output_height);
  out->pixels.assign(size_t(out->width) * out->height, 0xFF000000u);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row =
        reinterpret_cast<JSAMPROW>(out->pixels.data() + size_t(info.output_scanline) * out->width);
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

void PngWriteBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void PngQuiet(png_structp, png_const_charp) {}

[[noreturn]] void PngFail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// As ReadJpeg: plain data only between setjmp and the jump.
bool WritePng(png_bytepp rows, int width, int height, int compression, std::vector<uint8_t>* out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngQuiet);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, PngWriteBytes, nullptr);
  png_set_compression_level(png, compression);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  png_write_image(png, rows);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

namespace internal {

std::shared_ptr<TPixmap> DecodeJpeg(const std::vector<uint8_t>& bytes) {
  auto pixmap = std::make_shared<TPixmap>();
  if (bytes.empty() || !ReadJpeg(bytes.data(), bytes.size(), pixmap.get())) return nullptr;
  return pixmap;
}

bool EncodePng(const TPixmap& pixmap, int compression, std::vector<uint8_t>& out) {
  if (pixmap.width <= 0 || pixmap.height <= 0 ||
      pixmap.pixels.size() != size_t(pixmap.width) * pixmap.height)
    return false;
  std::vector<png_bytep> rows(size_t(pixmap.height));
  for (int y = 0; y < pixmap.height; ++y) {
    rows[size_t(y)] = reinterpret_cast<png_bytep>(
        const_cast<uint32_t*>(pixmap.pixels.data() + size_t(y) * pixmap.width));
  }
  out.clear();
  return WritePng(rows.data(), pixmap.width, pixmap.height, std::clamp(compression, 0, 9), &out);
}

}  // namespace internal

bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path, int compression) {
  std::vector<uint8_t> bytes;
  if (!internal::EncodePng(pixmap, compression, bytes)) return false;
  TStreamPtr stream = WriteFile(path);
  if (!stream) return false;
  bool written = stream->Write(bytes.data(), bytes.size()) == bytes.size();
  return stream->Close() && written;
}

}  // namespace plat
