// A headless backend with its 800 x 600 display open, and pixel read-back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "Platform.h"

namespace gfxtest {

class HeadlessDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::TBackendOptions options;
    options.Headless = true;
    options.OutputWidth = outputWidth_;
    options.OutputHeight = outputHeight_;
    ASSERT_TRUE(plat::Startup(options));
    ASSERT_TRUE(plat::Graphics(800, 600, 0, 60));
    plat::SetClsColor(0, 0, 0);
    plat::Cls();
  }
  void TearDown() override { plat::Shutdown(); }
  // The display the picture is made for (0: 800 x 600), set before SetUp.
  int outputWidth_ = 0, outputHeight_ = 0;

  static uint32_t Pixel(int x, int y) {
    auto grabbed = plat::GrabPixmap(x, y, 1, 1);
    return grabbed ? grabbed->ReadPixel(0, 0) : 0;
  }
};

inline int Red(uint32_t p) { return int((p >> 16) & 255); }
inline int Green(uint32_t p) { return int((p >> 8) & 255); }
inline int Blue(uint32_t p) { return int(p & 255); }

// Channel-wise comparison with a rounding allowance.
inline ::testing::AssertionResult Near(uint32_t actual, int r, int g, int b, int tolerance = 2) {
  if (std::abs(Red(actual) - r) <= tolerance && std::abs(Green(actual) - g) <= tolerance &&
      std::abs(Blue(actual) - b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "pixel (" << Red(actual) << ", " << Green(actual) << ", " << Blue(actual)
         << "), expected (" << r << ", " << g << ", " << b << ")";
}

// A solid w x h image of one colour.
inline plat::TImagePtr SolidImage(int w, int h, uint32_t argb) {
  return plat::LoadImageFromPixmap(plat::TPixmap(w, h, argb), 0);
}

}  // namespace gfxtest
