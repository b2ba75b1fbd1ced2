// Sound building blocks: file encoders, levels, filters, the reverb and the
// music composer on a short excerpt.
#include <gtest/gtest.h>

#include <cmath>

#include "Audio.h"
#include "DataTree.h"
#include "Dsp.h"
#include "Music.h"

using datagen::Audio;

namespace {

Audio Sine(double hz, double seconds, double amp = 0.5) {
  Audio a = datagen::MakeAudio(seconds, 1);
  for (size_t i = 0; i < a.samples.size(); ++i)
    a.samples[i] = float(amp * std::sin(2 * M_PI * hz * double(i) / a.rate));
  return a;
}

double Rms(const Audio& a, size_t from, size_t to) {
  double s = 0;
  for (size_t i = from; i < to; ++i) s += double(a.samples[i]) * a.samples[i];
  return std::sqrt(s / double(to - from));
}

}  // namespace

TEST(AudioFiles, WavHeaderDescribesTheSamples) {
  Audio a = datagen::MakeAudio(0.01, 2);
  a.samples[0] = 1.5f;  // clipped to full scale, not wrapped
  a.samples[1] = -0.25f;
  datagen::Bytes wav = datagen::EncodeWav(a);
  ASSERT_EQ(wav.size(), 44 + a.samples.size() * 2);
  EXPECT_EQ(datatest::Le32(wav, 4), uint32_t(wav.size() - 8));
  EXPECT_EQ(datatest::Le32(wav, 24), 44100u);
  EXPECT_EQ(datatest::Le32(wav, 28), 44100u * 4);  // bytes per second, stereo 16-bit
  EXPECT_EQ(datatest::Le32(wav, 40), uint32_t(a.samples.size() * 2));
  datatest::Sound s = datatest::DecodeWav(wav);
  EXPECT_EQ(s.channels, 2);
  EXPECT_NEAR(s.samples[0], 32767 / 32768.0, 1e-4);
  EXPECT_NEAR(s.samples[1], -0.25, 1e-3);
}

TEST(AudioFiles, OggKeepsLengthChannelsAndLevel) {
  Audio a = datagen::ToStereo(Sine(440, 1.0));
  datatest::Sound s = datatest::DecodeOgg(datagen::EncodeOgg(a, 0.5, 99));
  EXPECT_EQ(s.channels, 2);
  EXPECT_EQ(s.rate, 44100);
  EXPECT_NEAR(double(s.Frames()), double(a.Frames()), 64);
  EXPECT_NEAR(datatest::PeakDb(s), 20 * std::log10(0.5), 0.5);
}

TEST(Levels, NormaliseAndDeclickShapeTheEnds) {
  Audio a = Sine(300, 0.2, 0.1);
  datagen::NormalisePeak(a, -3);
  EXPECT_NEAR(datagen::Peak(a), std::pow(10.0, -3 / 20.0), 1e-6);
  datagen::Declick(a, 0.01, 0.02);
  EXPECT_EQ(a.samples.front(), 0.0f);
  EXPECT_EQ(a.samples.back(), 0.0f);
  EXPECT_GT(datagen::Peak(a), 0.6);  // the middle keeps its level
}

TEST(Filters, LowPassKeepsTheLowAndCutsTheHigh) {
  for (double hz : {200.0, 8000.0}) {
    Audio a = Sine(hz, 0.5);
    double before = Rms(a, 4410, a.samples.size());
    datagen::FilterChannel(a, 0, datagen::Biquad::LowPass(1000, 0.7));
    double after = Rms(a, 4410, a.samples.size());
    if (hz < 1000) {
      EXPECT_NEAR(after / before, 1.0, 0.05);
    } else {
      EXPECT_LT(after / before, 0.05);  // more than 26 dB down, two octaves above
    }
  }
}

TEST(Tones, StruckTonesStartOnTimeAndRing) {
  Audio a = datagen::MakeAudio(2.0, 1);
  datagen::AddTone(a, 0.25, 880, 0.5, datagen::GlassPartials());
  size_t start = size_t(0.25 * a.rate);
  for (size_t i = 0; i < start; ++i) ASSERT_EQ(a.samples[i], 0.0f);
  EXPECT_GT(Rms(a, start, start + 2000), 0.05);
  EXPECT_LT(Rms(a, a.samples.size() - 2000, a.samples.size()), Rms(a, start, start + 2000) / 10);
}

TEST(Reverb, ItsTailOutlastsTheDrySound) {
  Audio a = datagen::MakeAudio(1.5, 2);
  for (size_t f = 0; f < 2205; ++f)
    a.samples[f * 2] = a.samples[f * 2 + 1] = float(std::sin(f * 0.3));
  datagen::Reverb(a, 0.8, 0.5, 0.5);
  EXPECT_GT(Rms(a, 2 * 22050, 2 * 33075), 1e-3);  // half a second after the dry burst ended
  EXPECT_NE(a.samples[2 * 30000], a.samples[2 * 30000 + 1]);  // the two sides differ: width
}

TEST(Music, AnExcerptHasTheTracksShapeAndLevel) {
  Audio a = datagen::ComposeMusicExcerpt(2, 4);
  EXPECT_EQ(a.channels, 2);
  EXPECT_NEAR(datagen::Peak(a), std::pow(10.0, datagen::kMusicPeakDb / 20), 1e-4);
  size_t n = a.Frames(), half = a.rate / 2;
  EXPECT_LT(Rms(a, (n - half) * 2, n * 2), 1e-3);  // dies into silence
  EXPECT_GT(Rms(a, n / 2 * 2 - a.rate, n / 2 * 2 + a.rate), 0.02);
  Audio again = datagen::ComposeMusicExcerpt(2, 4);
  EXPECT_EQ(a.samples, again.samples);
  EXPECT_NE(a.samples, datagen::ComposeMusicExcerpt(1, 4).samples);
}
