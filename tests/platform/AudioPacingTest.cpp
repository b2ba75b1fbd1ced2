// A sound device that does not pace its output: ALSA's null device takes
// samples as fast as they come. Sounds must still last as long as they are.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "AudioInternal.h"
#include "AudioTestSupport.h"

using namespace audiotest;

namespace {

// OpenAL on ALSA's "null" PCM (part of every ALSA configuration).
class AudioPacingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    conf_ = CaptureFolder() + "/alsa-null.conf";
    std::filesystem::create_directories(CaptureFolder());
    std::ofstream(conf_) << "drivers=alsa\n[alsa]\ndevice=null\n";
    setenv("ALSOFT_CONF", conf_.c_str(), 1);
    setenv("ALSOFT_LOGLEVEL", "0", 1);
    if (!plat::SetAudioDriver("OpenAL")) GTEST_SKIP() << "no ALSA here";
  }
  void TearDown() override { plat::AudioShutdown(); }

  std::string conf_;
};

TEST_F(AudioPacingTest, ASoundLastsItsLengthOnADeviceThatDoesNotPace) {
  // The first moments find out that the device runs ahead.
  SleepMs(400);
  plat::TSoundPtr tone = SoundFromBytes(SineWav(1.0, 22050, 1, 16, 440, 0.5), 0);
  auto start = std::chrono::steady_clock::now();
  plat::TChannelPtr channel = plat::PlaySound(tone);
  ASSERT_TRUE(channel);
  SleepMs(300);
  // Mixed as fast as the device drains, a second of sound would be over.
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  EXPECT_TRUE(WaitUntilDone(channel, 5000));
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(seconds, 0.9);
  EXPECT_EQ(plat::AudioDriver(), "OpenAL");
}

TEST_F(AudioPacingTest, StreamedMusicPlaysAtItsOwnPace) {
  SleepMs(400);
  plat::TSoundPtr music = SoundFromBytes(OggTone(1.5), plat::SOUND_STREAM);
  plat::TChannelPtr channel = plat::PlaySound(music);
  ASSERT_TRUE(channel);
  SleepMs(500);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  EXPECT_TRUE(WaitUntilDone(channel, 5000));
}

}  // namespace
