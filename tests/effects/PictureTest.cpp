// One picture of everything this layer draws, made with the game's own face
// and pictures on the headless display and saved under the build folder for
// a person to look at: labels at the seven sizes of the face, an animated
// sprite with glow and shadow, a slide line on its way and a light burst.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "../widgets/DrawTestSupport.h"
#include "GameResources.h"
#include "TLabel.h"
#include "TParticleList.h"
#include "TSlideLine.h"
#include "TSprite.h"

namespace {

using namespace drawtest;

const std::string PictureFolder = Runtime + "/../draw-pictures/";

class PictureTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    if (plat::FileType(Runtime + "/data/resources/data.pak") != plat::FILETYPE_FILE ||
        plat::FileType(Runtime + "/Data/graphics/cell3.png") != plat::FILETYPE_FILE) {
      GTEST_SKIP() << "no game data in " << Runtime;
    }
    pak = TPakFileManager::Create(Runtime + "/data/resources/", ".pak");
    std::filesystem::create_directories(PictureFolder);
  }
  TGameImagePtr Picture(const std::string& file, int mid = 1) {
    plat::TImagePtr image = plat::LoadImage(Runtime + "/Data/graphics/" + file, -1);
    if (!image) image = pak->GetImage(file);
    EXPECT_TRUE(image) << file;
    return TGameImage::CreateFromImage(image, file, mid);
  }
  std::shared_ptr<TPakFileManager> pak;
};

TEST_F(PictureTest, EverythingDrawnInOnePicture) {
  TGameImagePtr background = Picture("titlescreen.jpg", 0);
  plat::SetBlend(plat::SOLIDBLEND);
  plat::DrawImage(*background->image, 0, 0);
  plat::SetBlend(plat::ALPHABLEND);
  // Darkened on the left, so that the labels read on any picture.
  plat::SetColor(0, 0, 0);
  plat::SetAlpha(0.55);
  plat::DrawRect(0, 0, 420, 600);
  TColor::Restore();

  // Labels at 12, 14, 16, 18, 20, 25 and 34 pixels.
  const char* texts[] = {"Plain text at 12 pixels",
                         "Shadowed text at 14 pixels",
                         "Centred at 16 pixels",
                         "Right-aligned at 18",
                         "Word wrap at 20 pixels keeps every word whole and runs on "
                         "to a second line",
                         "Ren\xe9 and Nu\xf1o at 25",
                         "Gleamstrand 34"};
  std::vector<std::shared_ptr<TLabel>> labels;
  float y = 20;
  for (int i = 0; i < 7; ++i) {
    int size = GameFontSizes[i];
    auto label = TLabel::CreateSpecial(texts[i], 20, y);
    label->ImageFont = pak->GetImageFont("calibri.ttf", size);
    ASSERT_TRUE(label->ImageFont) << size;
    if (i == 1) label->Shadow = TShadow::Create(2, 2, 0.8f);
    if (i == 2) label->Alignment = 1, label->X = 210;
    if (i == 3) label->Alignment = 2, label->X = 400;
    if (i == 4) label->WordWrap = 300, label->PreCalcWordWrap();
    if (i == 5) label->Color = TColor::Create(255, 220, 120, 1);
    if (i == 6) {
      label->Color = TColor::Create(140, 220, 255, 1);
      label->Shadow = TShadow::Create(3, 3, 0.6f);
    }
    label->CalcSize();
    labels.push_back(label);
    y += label->CalcHeight() + 18;
  }
  std::vector<float> rows;
  for (auto& label : labels) {
    rows.push_back(label->Y);
    EXPECT_EQ(label->Draw(), 1);
  }

  // The smash-particle strip, mid-animation, large, with shadow and glow; a
  // jewel beside it pulsing.
  plat::TImagePtr strip =
      plat::LoadAnimImage(Runtime + "/Data/graphics/particles.png", 128, 128, 0, 9, -1);
  ASSERT_TRUE(strip);
  auto spark = TSprite::Create(TGameImage::CreateFromImage(strip, "particles", 1), 560, 130);
  spark->SetupAnim(9, 900, 0, 0, 0, 0, 1);
  for (int i = 0; i < 90; ++i) spark->ManageAnim();  // frame 4 of 9
  EXPECT_EQ(spark->frame, 4);
  spark->SetShadow(1, 8, 8, 0.6f);
  spark->SetGlow(1, 0.4f);
  spark->Color = TColor::Create(255, 200, 120);
  spark->Draw();

  auto jewel = TSprite::Create(Picture("cell3.png"), 700, 130);
  jewel->SetScaleXY(2, 0);
  jewel->SetShadow(1, 6, 6, 0.5f);
  jewel->SetGlow(3, 0, 1.5f, 0.1f, 0.6f);
  for (int i = 0; i < 40; ++i) jewel->ManageGlow();
  jewel->Draw();

  // A slide line halfway along its move.
  plat::SetImageFont(pak->GetImageFont("calibri.ttf", 25));
  TSlideLineList slides;
  slides.Color->Set(255, 240, 160, 1);
  auto line = slides.Add("Sliding in...", 820, 300, 460, 300, 400);
  slides.Start();
  for (int i = 0; i < 40; ++i) slides.Manage();
  EXPECT_NEAR(line->GetX(), 640, 0.01);
  slides.Draw();

  // A burst of light-blended sparks, 25 steps after it started.
  TParticleList burst;
  TGameImagePtr particle = Picture("particle1.png");
  plat::SeedRnd(11);
  for (int i = 0; i < 80; ++i) {
    float angle = float(plat::Rnd(0, 6.2832));
    float speed = float(plat::Rnd(0.6, 2.4));
    auto p = burst.AddNew(610, 460, particle, speed * std::cos(angle), speed * std::sin(angle),
                          0.02f, 1200, 1, i % 2 ? 1 : -1, 2, float(plat::Rnd(0.3, 0.9)));
    p->Color = TColor::Create(plat::Rand(120, 255), plat::Rand(120, 255), 255);
  }
  for (int i = 0; i < 25; ++i) burst.Manage();
  EXPECT_EQ(burst.Count(), 80u);
  burst.Draw();

  plat::TPixmap pix = Grab();
  ASSERT_TRUE(plat::SavePixmapPNG(pix, PictureFolder + "drawables.png"));
  // Every label's row holds bright text on the darkened side.
  for (float row : rows) {
    EXPECT_GT(CountPixels(pix, 20, int(row), 400, int(row) + 12,
                          [](uint32_t p) { return Red(p) + Green(p) + Blue(p) > 500; }),
              10)
        << row;
  }
  // The burst lights its middle.
  EXPECT_GT(CountPixels(pix, 560, 410, 660, 510,
                        [](uint32_t p) { return Red(p) + Green(p) + Blue(p) > 600; }),
            30);
}

}  // namespace
