// The sound effects and music as the game will decode them.
#include <gtest/gtest.h>

#include <cmath>

#include "DataTree.h"
#include "Manifest.h"

using datatest::Sound;

namespace {

Sound Load(const std::string& path) {
  auto bytes = datatest::ReadBytes(datatest::RuntimeDir() + "/" + path);
  return path.substr(path.size() - 4) == ".wav" ? datatest::DecodeWav(bytes)
                                                : datatest::DecodeOgg(bytes);
}

double MeanStep(const Sound& s) {
  double sum = 0;
  for (size_t i = 1; i < s.Frames(); ++i)
    sum += std::fabs(s.samples[i * s.channels] - s.samples[(i - 1) * s.channels]);
  return sum / double(s.Frames());
}

}  // namespace

TEST(Sounds, EffectsAreCleanAndPeakNearMinusThreeDecibels) {
  REQUIRE_DATA_TREE();
  for (const datagen::Entry& e : datagen::Manifest()) {
    if (!e.sound || e.slow) continue;
    SCOPED_TRACE(e.Path());
    Sound s = Load(e.Path());
    ASSERT_GT(s.Frames(), 0u);
    EXPECT_EQ(s.rate, 44100);
    bool lossless = e.kind == datagen::Kind::Wav;
    EXPECT_NEAR(datatest::PeakDb(s), -3.0, lossless ? 0.1 : 1.0);
    EXPECT_LT(s.Seconds(), 6.0);               // effects are short
    if (lossless && e.name != "splash.wav") {  // the splash loops: see below
      // No click at either end: the first and last samples are near silence.
      EXPECT_LT(std::fabs(s.samples.front()), 0.02);
      EXPECT_LT(std::fabs(s.samples.back()), 0.02);
    }
  }
}

TEST(Sounds, BigApplauseIsLongerAndFullerThanTheSmallOne) {
  REQUIRE_DATA_TREE();
  Sound small = Load("Data/sound/applause.ogg"), big = Load("Data/sound/applause2.ogg");
  EXPECT_GT(big.Seconds(), small.Seconds() + 1);
  EXPECT_GT(datatest::RmsDb(big, 0, big.Frames()), datatest::RmsDb(small, 0, small.Frames()));
}

TEST(Sounds, SplashLoopsWithoutAJump) {
  REQUIRE_DATA_TREE();
  Sound s = Load("data/sound/splash.wav");
  ASSERT_GT(s.Frames(), 44100u);
  EXPECT_GT(s.Seconds(), 3.5);  // the splash lasts four seconds
  for (int c = 0; c < s.channels; ++c) {
    double jump = std::fabs(s.samples[c] - s.samples[(s.Frames() - 1) * s.channels + c]);
    EXPECT_LT(jump, 4 * MeanStep(s) + 1e-3) << "channel " << c;
  }
}

TEST(Music, TracksAreTwoMinutesOfStereoEndingInSilence) {
  REQUIRE_DATA_TREE();
  for (const char* path : {"Data/music/music1.ogg", "Data/music/music2.ogg"}) {
    SCOPED_TRACE(path);
    Sound s = Load(path);
    EXPECT_EQ(s.rate, 44100);
    EXPECT_EQ(s.channels, 2);
    EXPECT_GT(s.Seconds(), 100);
    EXPECT_LT(s.Seconds(), 150);
    EXPECT_LT(datatest::PeakDb(s), -0.5);
    size_t n = s.Frames(), second = 44100;
    EXPECT_LT(datatest::RmsDb(s, n - second / 2, n), -60);  // played unlooped: a clean end
    EXPECT_GT(datatest::RmsDb(s, n / 2 - second * 5, n / 2 + second * 5), -35);
    EXPECT_LT(datatest::RmsDb(s, 0, second / 20), -40);  // fades in, no thump
  }
}
