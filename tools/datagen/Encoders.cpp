#include "Encoders.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

// jpeglib.h needs FILE declared before it.
// clang-format off
#include <jpeglib.h>
// clang-format on
#include <png.h>

namespace datagen {

namespace {

// Straight RGBA rows, with the mask colours nudged off by one step.
std::vector<uint8_t> StraightRgba(const Picture& picture) {
  std::vector<uint8_t> rgba(size_t(picture.width) * picture.height * 4);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    Rgba8 p = Unpremultiply(picture.pixels[i]);
    if (p.a > 0 && p.r == 255 && p.g == 0 && p.b == 255) p.g = 1;
    if (p.a > 0 && p.r == 0 && p.g == 0 && p.b == 0) p.r = p.g = p.b = 1;
    rgba[i * 4 + 0] = uint8_t(p.r);
    rgba[i * 4 + 1] = uint8_t(p.g);
    rgba[i * 4 + 2] = uint8_t(p.b);
    rgba[i * 4 + 3] = uint8_t(p.a);
  }
  return rgba;
}

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void PngFlush(png_structp) {}

void PngError(png_structp, png_const_charp message) { throw std::runtime_error(message); }

}  // namespace

Bytes EncodePng(const Picture& picture, int compression) {
  Bytes out;
  std::vector<uint8_t> rgba = StraightRgba(picture);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, nullptr);
  png_infop info = png_create_info_struct(png);
  try {
    png_set_write_fn(png, &out, PngWrite, PngFlush);
    png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, compression);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y)
      png_write_row(png, rgba.data() + size_t(y) * picture.width * 4);
    png_write_end(png, info);
  } catch (...) {
    png_destroy_write_struct(&png, &info);
    throw;
  }
  png_destroy_write_struct(&png, &info);
  return out;
}

Bytes EncodeJpeg(const Picture& picture, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(picture.width);
  cinfo.image_height = JDIMENSION(picture.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = TRUE;
  // Full-resolution colour: the dark cavern gradients band with 4:2:0.
  for (int c = 0; c < cinfo.num_components; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(picture.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    int y = int(cinfo.next_scanline);
    for (int x = 0; x < picture.width; ++x) {
      uint32_t p = picture.At(x, y);  // premultiplied over black = the colour itself
      row[size_t(x) * 3 + 0] = uint8_t(p >> 16);
      row[size_t(x) * 3 + 1] = uint8_t(p >> 8);
      row[size_t(x) * 3 + 2] = uint8_t(p);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  free(buffer);
  return out;
}

}  // namespace datagen
