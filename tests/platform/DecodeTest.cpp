// Image files: PNG, JPEG, BMP and TGA decode to the pixels written; bad
// files give null; strips, masks and default flags apply on load.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime (gcc ships no header for it).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            size_t),
                                                         void (*freeHook)(const volatile void*));
#define GS_ALLOCATION_HOOKS 1
#endif

#include "HeadlessDisplay.h"
#include "TestSupport.h"

using namespace plat;

namespace {

// A 4 x 3 picture with a different colour at every pixel.
TPixmap Pattern(bool withAlpha) {
  TPixmap p(4, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      p.WritePixel(x, y, ARGB(withAlpha ? 60 * x + 15 : 255, 60 * x, 100 * y, 17 + 30 * x + y));
  return p;
}

class Bytes {
 public:
  void U8(int v) { data.push_back(char(v & 255)); }
  void U16(int v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(int(v & 0xFFFF));
    U16(int(v >> 16));
  }
  void Bgr(uint32_t argb) {
    U8(int(argb));
    U8(int(argb >> 8));
    U8(int(argb >> 16));
  }
  std::string data;
};

std::string Bmp24(const TPixmap& p) {
  int stride = (p.width * 3 + 3) / 4 * 4;
  Bytes b;
  b.U8('B');
  b.U8('M');
  b.U32(uint32_t(54 + stride * p.height));
  b.U32(0);
  b.U32(54);
  b.U32(40);
  b.U32(uint32_t(p.width));
  b.U32(uint32_t(p.height));  // bottom-up
  b.U16(1);
  b.U16(24);
  for (int i = 0; i < 6; ++i) b.U32(0);
  for (int y = p.height - 1; y >= 0; --y) {
    for (int x = 0; x < p.width; ++x) b.Bgr(p.ReadPixel(x, y));
    for (int pad = p.width * 3; pad < stride; ++pad) b.U8(0);
  }
  return b.data;
}

std::string Bmp32TopDownWithAlpha(const TPixmap& p) {
  Bytes b;
  b.U8('B');
  b.U8('M');
  b.U32(uint32_t(14 + 56 + 4 * p.width * p.height));
  b.U32(0);
  b.U32(14 + 56);
  b.U32(56);
  b.U32(uint32_t(p.width));
  b.U32(uint32_t(-p.height));
  b.U16(1);
  b.U16(32);
  b.U32(3);  // bit fields
  for (int i = 0; i < 5; ++i) b.U32(0);
  b.U32(0x00FF0000u);
  b.U32(0x0000FF00u);
  b.U32(0x000000FFu);
  b.U32(0xFF000000u);
  for (uint32_t c : p.pixels) b.U32(c);
  return b.data;
}

std::string Bmp8Paletted() {
  // 3 x 2, palette of three colours; indices 0 1 2 / 2 1 0.
  Bytes b;
  b.U8('B');
  b.U8('M');
  b.U32(14 + 40 + 12 + 8);
  b.U32(0);
  b.U32(14 + 40 + 12);
  b.U32(40);
  b.U32(3);
  b.U32(2);
  b.U16(1);
  b.U16(8);
  b.U32(0);
  b.U32(0);
  b.U32(0);
  b.U32(0);
  b.U32(3);  // colours used
  b.U32(0);
  b.U32(0x00FF0000u);                              // red  (B G R 0 order in the file)
  b.U32(0x0000FF00u);                              // green
  b.U32(0x000000FFu);                              // blue
  for (int i : {2, 1, 0, 0, 0, 1, 2, 0}) b.U8(i);  // bottom row (2 1 0) first, rows padded to 4
  return b.data;
}

std::string TgaHeader(int type, int w, int h, int bits, int descriptor) {
  Bytes b;
  b.U8(0);
  b.U8(0);
  b.U8(type);
  for (int i = 0; i < 5; ++i) b.U8(0);
  b.U16(0);
  b.U16(0);
  b.U16(w);
  b.U16(h);
  b.U8(bits);
  b.U8(descriptor);
  return b.data;
}

std::string Tga24BottomUp(const TPixmap& p) {
  Bytes b;
  b.data = TgaHeader(2, p.width, p.height, 24, 0);
  for (int y = p.height - 1; y >= 0; --y) {
    for (int x = 0; x < p.width; ++x) b.Bgr(p.ReadPixel(x, y));
  }
  return b.data;
}

// Run-length coded, 32 bits, top-left origin: every row is one run packet of
// its first pixel followed by a raw packet of the rest.
std::string Tga32RleTopDown(const TPixmap& p) {
  Bytes b;
  b.data = TgaHeader(10, p.width, p.height, 32, 0x28);
  for (int y = 0; y < p.height; ++y) {
    b.U8(0x80 | 1);  // two copies of pixel 0
    b.U32(p.ReadPixel(0, y));
    b.U8(p.width - 3);  // raw: the remaining width - 2 pixels
    for (int x = 2; x < p.width; ++x) b.U32(p.ReadPixel(x, y));
  }
  return b.data;
}

std::string JpegOf(const TPixmap& p, int quality) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(p.width);
  info.image_height = JDIMENSION(p.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;  // no chroma subsampling
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(size_t(p.width) * 3);
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < p.width; ++x) {
      uint32_t c = p.ReadPixel(x, int(info.next_scanline));
      row[size_t(x) * 3] = (c >> 16) & 255;
      row[size_t(x) * 3 + 1] = (c >> 8) & 255;
      row[size_t(x) * 3 + 2] = c & 255;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

void ExpectSamePixels(const std::shared_ptr<TPixmap>& actual, const TPixmap& expected) {
  ASSERT_TRUE(actual);
  ASSERT_EQ(actual->width, expected.width);
  ASSERT_EQ(actual->height, expected.height);
  for (int y = 0; y < expected.height; ++y)
    for (int x = 0; x < expected.width; ++x)
      EXPECT_EQ(actual->ReadPixel(x, y), expected.ReadPixel(x, y)) << x << "," << y;
}

class DecodeTest : public ::testing::Test {
 protected:
  void TearDown() override {
    AutoImageFlags(MASKEDIMAGE | FILTEREDIMAGE);
    AutoMidHandle(false);
    SetMaskColor(0, 0, 0);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    testsupport::WriteWholeFile(dir.File(name), bytes);
    return dir.File(name);
  }
  testsupport::TempDir dir;
};

TEST_F(DecodeTest, PngWrittenAndReadBackKeepsEveryPixelAndAlpha) {
  TPixmap pattern = Pattern(true);
  ASSERT_TRUE(SavePixmapPNG(pattern, dir.File("p.png"), 9));
  ExpectSamePixels(LoadPixmap(dir.File("p.png")), pattern);
  ASSERT_TRUE(SavePixmapPNG(pattern, dir.File("fast.png"), 0));
  EXPECT_GT(testsupport::ReadWholeFile(dir.File("fast.png")).size(),
            testsupport::ReadWholeFile(dir.File("p.png")).size());
  EXPECT_FALSE(SavePixmapPNG(pattern, dir.File("missing/folder/p.png")));
}

TEST_F(DecodeTest, JpegDecodesWithinTolerance) {
  TPixmap big(32, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) big.WritePixel(x, y, x < 16 ? 0xFFC83214u : 0xFF1464C8u);
  auto decoded = LoadPixmap(Write("p.jpg", JpegOf(big, 95)));
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->width, 32);
  ASSERT_EQ(decoded->height, 16);
  EXPECT_TRUE(gfxtest::Near(decoded->ReadPixel(4, 8), 200, 50, 20, 6));
  EXPECT_TRUE(gfxtest::Near(decoded->ReadPixel(28, 8), 20, 100, 200, 6));
  EXPECT_EQ(decoded->ReadPixel(4, 8) >> 24, 255u);
}

TEST_F(DecodeTest, BmpReaderHandlesItsCommonForms) {
  TPixmap opaque = Pattern(false);
  ExpectSamePixels(LoadPixmap(Write("a.bmp", Bmp24(opaque))), opaque);
  TPixmap translucent = Pattern(true);
  ExpectSamePixels(LoadPixmap(Write("b.bmp", Bmp32TopDownWithAlpha(translucent))), translucent);

  auto paletted = LoadPixmap(Write("c.bmp", Bmp8Paletted()));
  ASSERT_TRUE(paletted);
  EXPECT_EQ(paletted->ReadPixel(0, 0), 0xFFFF0000u);  // top row: indices 0 1 2
  EXPECT_EQ(paletted->ReadPixel(1, 0), 0xFF00FF00u);
  EXPECT_EQ(paletted->ReadPixel(2, 0), 0xFF0000FFu);
  EXPECT_EQ(paletted->ReadPixel(0, 1), 0xFF0000FFu);
}

TEST_F(DecodeTest, TgaReaderHandlesPlainAndRunLengthData) {
  TPixmap opaque = Pattern(false);
  ExpectSamePixels(LoadPixmap(Write("a.tga", Tga24BottomUp(opaque))), opaque);

  TPixmap translucent = Pattern(true);
  auto rle = LoadPixmap(Write("b.tga", Tga32RleTopDown(translucent)));
  ASSERT_TRUE(rle);
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(rle->ReadPixel(0, y), translucent.ReadPixel(0, y));
    EXPECT_EQ(rle->ReadPixel(1, y), translucent.ReadPixel(0, y));  // the run's copy
    EXPECT_EQ(rle->ReadPixel(2, y), translucent.ReadPixel(2, y));
    EXPECT_EQ(rle->ReadPixel(3, y), translucent.ReadPixel(3, y));
  }
}

TEST_F(DecodeTest, MissingTruncatedAndCorruptFilesGiveNull) {
  EXPECT_EQ(LoadPixmap(dir.File("absent.png")), nullptr);
  EXPECT_EQ(LoadImage(dir.File("absent.png")), nullptr);
  EXPECT_EQ(LoadAnimImage(dir.File("absent.png"), 2, 2, 0, 1), nullptr);

  ASSERT_TRUE(SavePixmapPNG(Pattern(true), dir.File("p.png")));
  std::string png = testsupport::ReadWholeFile(dir.File("p.png"));
  EXPECT_EQ(LoadPixmap(Write("cut.png", png.substr(0, png.size() / 2))), nullptr);
  std::string jpeg = JpegOf(Pattern(false), 90);
  EXPECT_EQ(LoadPixmap(Write("cut.jpg", jpeg.substr(0, 40))), nullptr);
  EXPECT_EQ(LoadPixmap(Write("cut.bmp", Bmp24(Pattern(false)).substr(0, 60))), nullptr);
  EXPECT_EQ(LoadPixmap(Write("cut.tga", Tga24BottomUp(Pattern(false)).substr(0, 30))), nullptr);
  EXPECT_EQ(LoadPixmap(Write("text.png", "this is not a picture")), nullptr);
  EXPECT_EQ(LoadPixmap(Write("empty.png", "")), nullptr);
  // A header that claims an absurd size is refused, not allocated.
  EXPECT_EQ(LoadPixmap(Write("huge.tga", TgaHeader(2, 65535, 65535, 32, 0))), nullptr);
}

#if GS_ALLOCATION_HOOKS
// The largest single allocation while `work` runs (the sanitizer's hooks
// see every allocation of the process).
std::atomic<bool> watching{false};
std::atomic<size_t> largest{0};

size_t LargestAllocationDuring(const std::function<void()>& work) {
  static const bool installed = __sanitizer_install_malloc_and_free_hooks(
      [](const volatile void*, size_t size) {
        if (!watching) return;
        size_t seen = largest;
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {
        }
      },
      [](const volatile void*) {});
  EXPECT_TRUE(installed);
  largest = 0;
  watching = true;
  work();
  watching = false;
  return largest;
}

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}
#endif

// A few bytes claiming a picture of 64 million pixels: refused before the
// picture is allocated, not after its data runs out.
TEST_F(DecodeTest, ATinyFileClaimingAHugePictureAllocatesNothingLarge) {
#if GS_ALLOCATION_HOOKS
  std::string plainTga = TgaHeader(2, 8000, 8000, 32, 0) + std::string(100, '\x7f');
  std::string rleTga = TgaHeader(10, 8000, 8000, 32, 0) + std::string(100, '\xff');
  ASSERT_TRUE(SavePixmapPNG(TPixmap(1, 1, 0xFF336699u), dir.File("one.png")));
  std::string png = testsupport::ReadWholeFile(dir.File("one.png"));
  ASSERT_EQ(png.substr(12, 4), "IHDR");
  for (int i = 0; i < 8; ++i) png[size_t(16 + i)] = "\0\0\x1f\x40\0\0\x1f\x40"[i];  // 8000 x 8000
  uint32_t crc = Crc32(png.substr(12, 17));
  for (int i = 0; i < 4; ++i) png[size_t(29 + i)] = char(crc >> (24 - 8 * i));
  for (const auto& [name, bytes] :
       {std::pair{"plain.tga", plainTga}, {"rle.tga", rleTga}, {"big.png", png}}) {
    std::string path = Write(name, bytes);
    size_t largest = LargestAllocationDuring([&] { EXPECT_EQ(LoadPixmap(path), nullptr) << name; });
    EXPECT_LT(largest, size_t(1) << 20) << name;
  }
#else
  GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
#endif
}

TEST_F(DecodeTest, AnimationStripIsCutLeftToRightTopToBottom) {
  // A 3 x 2 sheet of 2 x 2 cells, cell n filled with grey level 10 n.
  TPixmap sheet(6, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      int cell = (y / 2) * 3 + x / 2;
      sheet.WritePixel(x, y, ARGB(255, 10 * cell, 10 * cell, 10 * cell));
    }
  ASSERT_TRUE(SavePixmapPNG(sheet, dir.File("sheet.png")));
  auto strip = LoadAnimImage(dir.File("sheet.png"), 2, 2, 1, 4, 0);
  ASSERT_TRUE(strip);
  ASSERT_EQ(strip->Frames(), 4);
  EXPECT_EQ(ImageWidth(*strip), 2);
  EXPECT_EQ(ImageHeight(*strip), 2);
  for (int frame = 0; frame < 4; ++frame) {
    int level = 10 * (frame + 1);
    EXPECT_EQ(LockImage(*strip, frame).ReadPixel(1, 1), ARGB(255, level, level, level));
  }
  EXPECT_EQ(LoadAnimImage(dir.File("sheet.png"), 2, 2, 3, 4, 0), nullptr);  // only 6 cells
  EXPECT_EQ(LoadAnimImage(dir.File("sheet.png"), 0, 2, 0, 1, 0), nullptr);
}

TEST_F(DecodeTest, MaskColourAndMidHandleApplyToLaterLoads) {
  TPixmap picture(4, 2, 0xFFFF00FFu);
  picture.WritePixel(0, 0, 0xFF102030u);
  ASSERT_TRUE(SavePixmapPNG(picture, dir.File("m.png")));

  SetMaskColor(255, 0, 255);
  AutoMidHandle(true);
  AutoImageFlags(MASKEDIMAGE);
  EXPECT_EQ(GetAutoImageFlags(), MASKEDIMAGE);
  auto masked = LoadImage(dir.File("m.png"));
  ASSERT_TRUE(masked);
  EXPECT_EQ(masked->flags, MASKEDIMAGE);
  EXPECT_EQ(masked->handle_x, 2);
  EXPECT_EQ(masked->handle_y, 1);
  EXPECT_EQ(masked->mask_r, 255);
  EXPECT_EQ(LockImage(*masked).ReadPixel(1, 1) >> 24, 0u);
  EXPECT_EQ(LockImage(*masked).ReadPixel(0, 0), 0xFF102030u);

  AutoMidHandle(false);
  auto plain = LoadImage(dir.File("m.png"), 0);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->handle_x, 0);
  EXPECT_EQ(LockImage(*plain).ReadPixel(1, 1), 0xFFFF00FFu);

  // A picture with an alpha channel of its own keeps it.
  TPixmap withAlpha = picture;
  withAlpha.WritePixel(3, 1, 0x80FF00FFu);
  auto kept = LoadImageFromPixmap(withAlpha, MASKEDIMAGE);
  EXPECT_EQ(LockImage(*kept).ReadPixel(1, 1), 0xFFFF00FFu);
}

TEST_F(DecodeTest, ImagesLoadFromStreamsAndBlankImagesHaveFrames) {
  ASSERT_TRUE(SavePixmapPNG(Pattern(false), dir.File("p.png")));
  auto stream = ReadStream(dir.File("p.png"));
  ASSERT_TRUE(stream);
  auto image = LoadImage(*stream, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(LockImage(*image).ReadPixel(3, 2), Pattern(false).ReadPixel(3, 2));

  auto blank = CreateImage(8, 4, 3, 0);
  ASSERT_TRUE(blank);
  EXPECT_EQ(blank->Frames(), 3);
  EXPECT_EQ(LockImage(*blank, 2).width, 8);
  EXPECT_EQ(CreateImage(0, 4), nullptr);
  EXPECT_EQ(CreateImage(4, 4, 0), nullptr);
}

}  // namespace
