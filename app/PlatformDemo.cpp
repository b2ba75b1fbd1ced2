// A look at the platform layer on its own: a ring of turning jewels with
// additive glows, drifting translucent bubbles, lines and TrueType text.
// Escape or the window's close button ends it.
//
//   gleamstrand --demo [--novsync] [--headless FRAMES --out FILE.png]
#include "PlatformDemo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "Platform.h"

namespace {

const char* const kFace = "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf";

struct TOptions {
  bool headless = false;
  int frames = 120;
  std::string out = "demo.png";
  int vsync = 1;
};

struct TColour {
  int r, g, b;
};

const TColour kJewelColours[] = {{230, 40, 60}, {250, 170, 30}, {240, 230, 60},
                                 {40, 200, 90}, {40, 120, 240}, {170, 70, 230}};

// A round jewel: shaded from a highlight at the top left, with a soft edge.
plat::TImagePtr MakeJewel(TColour c, int size) {
  plat::TPixmap p(size, size);
  double radius = size / 2.0 - 1;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double dx = x + 0.5 - size / 2.0, dy = y + 0.5 - size / 2.0;
      double d = std::hypot(dx, dy);
      if (d > radius + 1) continue;
      double edge = std::clamp(radius + 1 - d, 0.0, 1.0);
      double light = 1.0 - std::hypot(dx + radius * 0.4, dy + radius * 0.4) / (radius * 2.2);
      double shade = 0.35 + 0.9 * std::clamp(light, 0.0, 1.0);
      auto channel = [&](int v) { return std::clamp(int(v * shade + 90 * light * light), 0, 255); };
      p.WritePixel(x, y, plat::ARGB(int(255 * edge), channel(c.r), channel(c.g), channel(c.b)));
    }
  }
  auto image = plat::LoadImageFromPixmap(p, plat::FILTEREDIMAGE);
  if (image) plat::MidHandleImage(*image);
  return image;
}

// A blob of the jewel's colour fading out from its centre, for additive
// glows (tinted here rather than by the drawing colour: cheaper to draw).
plat::TImagePtr MakeGlow(TColour c, int size) {
  plat::TPixmap p(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double d = std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) / (size / 2.0);
      double a = std::clamp(1.0 - d, 0.0, 1.0);
      p.WritePixel(x, y, plat::ARGB(int(200 * a * std::sqrt(a)), c.r, c.g, c.b));
    }
  }
  auto image = plat::LoadImageFromPixmap(p, plat::FILTEREDIMAGE);
  if (image) plat::MidHandleImage(*image);
  return image;
}

// A four-pointed star, white, fading along its arms.
plat::TImagePtr MakeSparkle(int size) {
  plat::TPixmap p(size, size);
  double half = size / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double dx = std::abs(x + 0.5 - half) / half, dy = std::abs(y + 0.5 - half) / half;
      double arm =
          std::max(std::clamp(1 - dx - 6 * dy, 0.0, 1.0), std::clamp(1 - dy - 6 * dx, 0.0, 1.0));
      p.WritePixel(x, y, plat::ARGB(int(255 * arm), 255, 255, 255));
    }
  }
  auto image = plat::LoadImageFromPixmap(p, plat::FILTEREDIMAGE);
  if (image) plat::MidHandleImage(*image);
  return image;
}

plat::TImagePtr MakeBackground() {
  plat::TPixmap p(800, 600);
  for (int y = 0; y < 600; ++y) {
    double t = y / 599.0;
    uint32_t c = plat::ARGB(255, int(18 + 20 * t), int(14 + 30 * t), int(48 + 50 * t));
    for (int x = 0; x < 800; ++x) p.WritePixel(x, y, c);
  }
  return plat::LoadImageFromPixmap(p, 0);
}

class TDemo {
 public:
  bool Load() {
    background_ = MakeBackground();
    for (const auto& c : kJewelColours) {
      jewels_.push_back(MakeJewel(c, 46));
      glows_.push_back(MakeGlow(c, 80));
    }
    title_ = plat::LoadImageFont(kFace, 64);
    caption_ = plat::LoadImageFont(kFace, 20);
    sparkle_ = MakeSparkle(41);
    return background_ && sparkle_ && title_ && caption_;
  }

  void Draw(double seconds) {
    plat::SetOrigin(0, 0);
    plat::SetTransform(0, 1, 1);
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1);
    plat::SetBlend(plat::SOLIDBLEND);
    plat::DrawImage(*background_, 0, 0);
    DrawBubbles(seconds);
    DrawStar(seconds);
    DrawRing(seconds);
    DrawTexts();
  }

 private:
  void DrawBubbles(double seconds) {
    plat::SetBlend(plat::ALPHABLEND);
    for (int i = 0; i < 6; ++i) {
      double x = std::fmod(60 + i * 157 + seconds * (12 + i % 5 * 6), 900) - 50;
      double y = 560 - std::fmod(seconds * (20 + i % 4 * 9) + i * 53, 640);
      double size = 16 + (i * 37) % 30;
      plat::SetColor(120 + (i * 40) % 135, 160, 255);
      plat::SetAlpha(0.12 + 0.06 * (i % 3));
      plat::DrawOval(x, y, size, size);
    }
  }

  void DrawStar(double seconds) {
    plat::SetBlend(plat::LIGHTBLEND);
    plat::SetColor(90, 110, 200);
    plat::SetAlpha(0.6);
    for (int i = 0; i < 16; ++i) {
      double a = seconds * 0.2 + i * std::numbers::pi / 8;
      plat::DrawLine(400, 330, 400 + 380 * std::cos(a), 330 + 380 * std::sin(a));
    }
  }

  void DrawRing(double seconds) {
    for (size_t i = 0; i < jewels_.size(); ++i) {
      double a = seconds * 0.6 + double(i) * 2 * std::numbers::pi / double(jewels_.size());
      double x = 400 + 170 * std::cos(a), y = 340 + 110 * std::sin(a);
      double pulse = 1.0 + 0.12 * std::sin(seconds * 3 + double(i));
      plat::SetBlend(plat::LIGHTBLEND);
      plat::SetColor(255, 255, 255);
      plat::SetAlpha(1);
      plat::DrawImage(*glows_[i], x, y);
      plat::SetBlend(plat::ALPHABLEND);
      plat::SetTransform(0, pulse, pulse * 0.92);
      plat::DrawImage(*jewels_[i], x, y);
    }
    DrawSparkle(400, 330, seconds * 60);
    plat::SetTransform(0, 1, 1);
  }

  // A turning star of light where the rays meet.
  void DrawSparkle(double x, double y, double degrees) {
    plat::SetBlend(plat::LIGHTBLEND);
    plat::SetColor(255, 250, 220);
    plat::SetAlpha(0.9);
    plat::SetTransform(degrees, 1, 1);
    plat::DrawImage(*sparkle_, x, y);
    plat::SetAlpha(1);
  }

  void DrawTexts() {
    const std::string title = "Gleamstrand";
    plat::SetImageFont(title_);
    double x = 400 - plat::TextWidth(title) / 2;
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(0.5);
    plat::DrawText(title, x + 4, 64);
    plat::SetColor(255, 225, 140);
    plat::SetAlpha(1);
    plat::DrawText(title, x, 60);

    plat::SetImageFont(caption_);
    const std::string caption = "Escape or the close button ends the demonstration";
    plat::SetColor(200, 210, 255);
    plat::SetAlpha(0.8);
    plat::DrawText(caption, 400 - plat::TextWidth(caption) / 2, 560);
    plat::SetAlpha(1);
  }

  plat::TImagePtr background_, sparkle_;
  std::vector<plat::TImagePtr> jewels_, glows_;
  plat::TFontPtr title_, caption_;
};

bool ParseOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--headless" && i + 1 < argc) {
      options.headless = true;
      options.frames = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--out" && i + 1 < argc) {
      options.out = argv[++i];
    } else if (arg == "--novsync") {
      options.vsync = 0;
    } else {
      std::fprintf(stderr,
                   "usage: gleamstrand --demo [--novsync] [--headless FRAMES --out FILE.png]\n");
      return false;
    }
  }
  return true;
}

bool WantsToLeave() {
  plat::TEvent e;
  bool leave = false;
  while (plat::PollEvent(e)) {
    if (e.kind == plat::EVENT_APPTERMINATE) leave = true;
    if (e.kind == plat::EVENT_KEYDOWN && e.data == plat::KEY_ESCAPE) leave = true;
  }
  return leave;
}

}  // namespace

int RunPlatformDemo(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, options)) return 2;
  plat::TBackendOptions backend;
  backend.Headless = options.headless;
  if (!plat::Startup(backend) || !plat::Graphics(800, 600, 0, plat::DesktopRefreshRate())) {
    std::fprintf(stderr, "Cannot open the display\n");
    return 1;
  }
  std::fprintf(stderr, "Drawing with the %s renderer\n", plat::GraphicsDriverName().c_str());
  TDemo demo;
  if (!demo.Load()) {
    std::fprintf(stderr, "Cannot make the demonstration's pictures or load %s\n", kFace);
    plat::Shutdown();
    return 1;
  }
  int start = plat::MilliSecs();
  for (int frame = 0; !options.headless || frame < options.frames; ++frame) {
    demo.Draw((plat::MilliSecs() - start) / 1000.0);
    if (options.headless && frame + 1 == options.frames) {
      auto shot = plat::GrabPixmap(0, 0, 800, 600);
      if (!shot || !plat::SavePixmapPNG(*shot, options.out)) {
        std::fprintf(stderr, "Cannot write %s\n", options.out.c_str());
        plat::Shutdown();
        return 1;
      }
    }
    plat::Flip(options.vsync);
    if (WantsToLeave()) break;
  }
  plat::Shutdown();
  return 0;
}
