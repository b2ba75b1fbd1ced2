// A headless display for the tests of everything drawn: the frame globals at
// their start values, the drawing state reset, the game's face, solid test
// pictures and pixel helpers that read the back buffer.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "../platform/HeadlessDisplay.h"
#include "Globals.h"
#include "Platform.h"
#include "TGameImage.h"
#include "TPakFileManager.h"
#include "TextDraw.h"

namespace drawtest {

using gfxtest::Blue;
using gfxtest::Green;
using gfxtest::Red;

inline const std::string Runtime = GS_RUNTIME_DIR;

inline void ResetDrawState() {
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
  plat::SetScale(1, 1);
  plat::SetRotation(0);
  plat::SetImageFont(nullptr);
  TextSettings = TTextSettings();
}

class DrawTest : public gfxtest::HeadlessDisplay {
 protected:
  void SetUp() override {
    HeadlessDisplay::SetUp();
    plat::SetVirtualClock(10000);
    plat::SeedRnd(7);
    ScreenWidth = 800;
    ScreenHeight = 600;
    LogicDelta = 1;
    ResetDrawState();
  }
  void TearDown() override {
    ResetDrawState();
    HeadlessDisplay::TearDown();
  }

  static void Clear(int r, int g, int b) {
    plat::SetClsColor(r, g, b);
    plat::Cls();
  }
  static plat::TPixmap Grab() { return *plat::GrabPixmap(0, 0, 800, 600); }

  // The game's face at a size (from the built game data, else a system
  // face); the test is skipped when neither is there.
  plat::TFontPtr Face(int size);

  // A picture of w x h in one colour (several frames: colours from the
  // list, one per frame), mid-handled when mid is set.
  static TGameImagePtr Solid(int w, int h, uint32_t argb, int mid = 1);
  static TGameImagePtr Strip(int w, int h, const std::vector<uint32_t>& frameColours, int mid = 1);
};

// The bounding box of the pixels differing from the background; false when
// there are none.
struct TBox2 {
  int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};

inline plat::TFontPtr DrawTest::Face(int size) {
  static std::shared_ptr<TPakFileManager> pak;
  if (!pak && plat::FileType(Runtime + "/data/resources/data.pak") == plat::FILETYPE_FILE) {
    pak = TPakFileManager::Create(Runtime + "/data/resources/", ".pak");
  }
  plat::TFontPtr face;
  if (pak) face = pak->GetImageFont("calibri.ttf", size);
  if (!face) face = plat::LoadImageFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", size);
  if (!face) ADD_FAILURE() << "no face to draw text with";
  return face;
}

inline TGameImagePtr DrawTest::Solid(int w, int h, uint32_t argb, int mid) {
  return Strip(w, h, {argb}, mid);
}

inline TGameImagePtr DrawTest::Strip(int w, int h, const std::vector<uint32_t>& frameColours,
                                     int mid) {
  plat::TImagePtr image = plat::CreateImage(w, h, int(frameColours.size()), 0);
  for (size_t f = 0; f < frameColours.size(); ++f) {
    plat::TPixmap& pix = plat::LockImage(*image, int(f));
    std::fill(pix.pixels.begin(), pix.pixels.end(), frameColours[f]);
    plat::UnlockImage(*image, int(f));
  }
  return TGameImage::CreateFromImage(image, "test", mid);
}

// Pixels in the rectangle [x0, x1) x [y0, y1) for which the test holds;
// CountLit: those differing from the background colour.
inline int CountPixels(const plat::TPixmap& pix, int x0, int y0, int x1, int y1,
                       const std::function<bool(uint32_t)>& test) {
  int n = 0;
  for (int y = std::max(0, y0); y < std::min(pix.height, y1); ++y) {
    for (int x = std::max(0, x0); x < std::min(pix.width, x1); ++x) {
      if (test(pix.ReadPixel(x, y))) ++n;
    }
  }
  return n;
}

inline int CountLit(const plat::TPixmap& pix, int x0, int y0, int x1, int y1, uint32_t background) {
  return CountPixels(pix, x0, y0, x1, y1, [background](uint32_t p) {
    return (p & 0xffffff) != (background & 0xffffff);
  });
}

inline bool LitBounds(const plat::TPixmap& pix, uint32_t background, TBox2& box) {
  box = TBox2{pix.width, pix.height, -1, -1};
  for (int y = 0; y < pix.height; ++y) {
    for (int x = 0; x < pix.width; ++x) {
      if ((pix.ReadPixel(x, y) & 0xffffff) == (background & 0xffffff)) continue;
      box.x0 = std::min(box.x0, x);
      box.y0 = std::min(box.y0, y);
      box.x1 = std::max(box.x1, x);
      box.y1 = std::max(box.y1, y);
    }
  }
  return box.x1 >= 0;
}

}  // namespace drawtest
