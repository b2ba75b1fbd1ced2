// The maker's splash, the loading screen with its bar, the cross-fade, and
// the two fade rules the loading sequence relies on.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "SoundFiles.h"
#include "TCrossFade.h"
#include "TSplashScreen.h"
#include "TVLoadingScreen.h"

namespace {

using frametest::GameTest;

void WritePng(const std::string& path, int w, int h, uint32_t argb) {
  plat::TPixmap pixmap(w, h, argb);
  ASSERT_TRUE(plat::SavePixmapPNG(pixmap, path));
}

uint32_t PixelAt(int x, int y) {
  auto grab = plat::GrabPixmap(x, y, 1, 1);
  return grab ? grab->ReadPixel(0, 0) & 0xFFFFFF : 0xDEAD;
}

void PaintWhite() {
  plat::SetBlend(plat::SOLIDBLEND);
  plat::SetColor(255, 255, 255);
  plat::DrawRect(0, 0, 800, 600);
}

class LoadingScreens : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    game->ImagePath = images_.Path() + "/";
    WritePng(images_.File("loadingbar.png"), 220, 20, plat::ARGB(255, 0, 255, 0));
    WritePng(images_.File("loadingbarempty.png"), 220, 20, plat::ARGB(255, 0, 0, 255));
    WritePng(images_.File("loading.png"), 100, 40, plat::ARGB(255, 255, 0, 0));
  }
  testsupport::TempDir images_;
};

}  // namespace

TEST_F(LoadingScreens, TwentyOneMovesOfTwentyTwoStepsStopShortOfFull) {
  TVLoadingScreen loading;
  loading.SpecialLoad("", "loadingbar.png", "loading.png");
  EXPECT_EQ(loading.name, "loading");
  EXPECT_EQ(game->MusicName, "none");
  ASSERT_NE(loading.LoadingBar.EmptyImage, nullptr);  // the companion was found
  EXPECT_EQ(loading.LoadingBar.FinalImage, nullptr);  // and the absent one skipped
  loading.LoadingBar.Centre(425);
  loading.LoadingBar.Mode = 1;
  loading.SetSteps(22);
  EXPECT_EQ(loading.LoadingBar.x, 290);
  for (int i = 0; i < 21; ++i) loading.MoveBar();
  EXPECT_FLOAT_EQ(loading.LoadingBar.Position, 220.0f * 21 / 22);
  EXPECT_EQ(loading.LoadingBar.Finished, 0);
  EXPECT_EQ(loading.Finished, 0);
  // Drawn: the bar's left part green, the rest the empty bar, the picture
  // at the centre.
  loading.Draw();
  EXPECT_EQ(PixelAt(290 + 200, 430), 0x00FF00u);
  EXPECT_EQ(PixelAt(290 + 215, 430), 0x0000FFu);
  EXPECT_EQ(PixelAt(400, 300), 0xFF0000u);
  loading.MoveBar();
  EXPECT_EQ(loading.Finished, 1);
  loading.Kill();
  EXPECT_EQ(loading.LoadingBar.Image, nullptr);
}

TEST_F(LoadingScreens, BarModesDrawTheirUnderlay) {
  TLoadingBar bar;
  bar.Init(nullptr, nullptr, nullptr);
  bar.Mode = 1;
  PaintWhite();
  bar.Draw();  // mode 1 without a bar image draws nothing
  EXPECT_EQ(PixelAt(5, 5), 0xFFFFFFu);
  bar.Mode = 0;
  bar.w = 100;
  bar.h = 10;
  bar.SetBackgroundColour(10, 20, 30);
  bar.SetBorderColour(200, 0, 0);
  bar.Draw();
  EXPECT_EQ(PixelAt(50, 5), 0x0A141Eu);
  EXPECT_EQ(PixelAt(0, 0), 0xC80000u);
  bar.SetSteps(4);
  EXPECT_FLOAT_EQ(bar.StepSize, 25);
}

TEST_F(LoadingScreens, MissingBarPictureIsFatal) {
  TVLoadingScreen loading;
  EXPECT_THROW(loading.SpecialLoad("", "nobar.png", ""), TFatalError);
}

TEST_F(LoadingScreens, FadesOffLeaveTheLastFrameAsDrawn) {
  game->Fade = 0;
  PaintWhite();
  game->GameFade.Init(DefaultFadeLength, 1, nullptr, 0, 0);
  EXPECT_EQ(PixelAt(400, 300), 0xFFFFFFu);
  game->Fade = 1;
  PaintWhite();
  game->GameFade.Init(DefaultFadeLength, 1, nullptr, 0, 0);
  game->GameFade.Finish();
  EXPECT_EQ(PixelAt(400, 300), 0x000000u);  // with fades on, black
}

TEST_F(LoadingScreens, AClickEndsAFadeAndSlowMotionLengthensIt) {
  game->GameFade.Init(DefaultFadeLength, 1, nullptr, 0, 0);
  EXPECT_EQ(game->GameFade.Length, 100);
  game->Mouse.h1 = 1;
  EXPECT_EQ(game->GameFade.Manage(), -1);
  EXPECT_EQ(game->GameFade.Active, 0);
  EXPECT_EQ(game->GameFade.FadeInAborted, 0);  // a fade-out is not "aborted"
  game->Mouse.h1 = 0;
  // In slow motion the steps themselves are longer: 100 steps of 20 ms.
  game->SlowMotionOn();
  game->GameFade.Init(DefaultFadeLength, 0, nullptr, 0, 0);
  EXPECT_EQ(game->GameFade.Length, 100);
  EXPECT_FLOAT_EQ(game->FixedRateLogic.MS, 20);
}

TEST_F(LoadingScreens, CrossFadeRisesFromTheFirstToTheSecondPicture) {
  auto one = plat::CreateImage(10, 10);
  auto two = plat::CreateImage(10, 10);
  auto fade = TCrossFade::Create(one, two, 100);  // 20 logic steps
  EXPECT_FLOAT_EQ(fade->Ratio(), 0);
  LogicDelta = 1;
  for (int i = 0; i < 10; ++i) fade->Manage();
  EXPECT_NEAR(fade->Ratio(), 0.5f, 1e-5);
  for (int i = 0; i < 30; ++i) fade->Manage();
  EXPECT_FLOAT_EQ(fade->Ratio(), 1);  // held at the end
  EXPECT_TRUE(fade->Done());
  fade->SetImage2Coords(5, 6);
  EXPECT_EQ(fade->X2, 5);
  fade->Draw();
  EXPECT_DOUBLE_EQ(plat::GetAlpha(), 1);
}

TEST_F(LoadingScreens, SplashEndsAtTheFirstClickAndStopsItsSound) {
  std::string wave = soundtest::UseWaveWriter();
  if (!plat::SetAudioDriver("OpenAL Generic Software")) GTEST_SKIP() << "no wave writer";
  testsupport::TempDir files;
  WritePng(files.File("logo.png"), 200, 100, plat::ARGB(255, 255, 255, 0));
  testsupport::WriteWholeFile(files.File("splash.wav"), soundtest::SquareWav(2, 0.3));

  TSplashScreen shown;
  shown.Init(files.File("logo.png"), files.File("splash.wav"), 1, 1);
  shown.InitTimes(100, 100, 100);
  int start = plat::MilliSecs();
  EXPECT_EQ(shown.DoSplash(), 0);
  EXPECT_GE(plat::MilliSecs() - start, 300);
  EXPECT_FALSE(plat::ChannelPlaying(shown.Channel));

  TSplashScreen skipped;
  skipped.Init(files.File("logo.png"), files.File("splash.wav"), 1, 1);
  skipped.InitTimes(1250, 1500, 1250);
  // A click that arrives while the logo fades in (the splash polls it).
  Post(plat::EVENT_MOUSEDOWN, 1);
  Post(plat::EVENT_MOUSEUP, 1);
  start = plat::MilliSecs();
  EXPECT_EQ(skipped.DoSplash(), -1);
  EXPECT_LT(plat::MilliSecs() - start, 1250);
  ASSERT_NE(skipped.Channel, nullptr);
  EXPECT_FALSE(plat::ChannelPlaying(skipped.Channel));
  EXPECT_EQ(GameInputPolled(), 0);  // back to the event feed

  TSplashScreen broken;
  EXPECT_THROW(broken.Init(files.File("absent.png"), "", 1, 1), TFatalError);
  plat::SetAudioDriver("None");
}
