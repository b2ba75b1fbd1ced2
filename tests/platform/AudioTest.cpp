// Drivers and channels, heard through OpenAL's wave-file writer.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>

#include "AudioInternal.h"
#include "AudioTestSupport.h"

using namespace audiotest;

namespace {

plat::TSoundPtr Tone(double seconds, bool looped = false) {
  return SoundFromBytes(SineWav(seconds, 22050, 1, 16, 440, 0.5), looped ? plat::SOUND_LOOP : 0);
}

// Plays a fresh tone on its own capture session and returns what was heard.
template <typename Setup>
TSignal HearTone(double seconds, Setup setup) {
  EXPECT_TRUE(OpenCapture());
  plat::TChannelPtr channel = plat::CueSound(Tone(seconds));
  setup(channel);
  plat::ResumeChannel(channel);
  EXPECT_TRUE(WaitUntilDone(channel));
  return CloseCapture();
}

}  // namespace

TEST(AudioDriver, EverySettingsNameOpensTheOneDeviceAndOthersFallToNone) {
  UseWaveWriter();
  for (const char* name : {"OpenAL Generic Software", "DirectSound", "FreeAudio", "OpenAL",
                           "openal generic software"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(plat::SetAudioDriver(name));
    EXPECT_EQ(plat::AudioDriver(), "OpenAL");
  }
  EXPECT_TRUE(plat::SetAudioDriver("None"));
  EXPECT_EQ(plat::AudioDriver(), "None");
  EXPECT_TRUE(plat::SetAudioDriver("OpenAL"));
  EXPECT_FALSE(plat::SetAudioDriver("Glide"));
  EXPECT_EQ(plat::AudioDriver(), "None");
  EXPECT_FALSE(plat::SetAudioDriver(""));
  EXPECT_TRUE(plat::SetAudioDriver("OpenAL"));
  plat::AudioShutdown();
  EXPECT_EQ(plat::AudioDriver(), "None");
}

TEST(AudioDriver, HeadlessRunsOpenADeviceOnlyWhenAsked) {
  UseWaveWriter();
  plat::TBackendOptions options;
  options.Headless = true;
  ASSERT_TRUE(plat::Startup(options));
  EXPECT_TRUE(plat::SetAudioDriver("OpenAL"));  // ALSOFT_CONF asks for the wave writer
  {
    TEnvVar noConfig("ALSOFT_CONF", nullptr);
    EXPECT_FALSE(plat::SetAudioDriver("OpenAL"));
    EXPECT_EQ(plat::AudioDriver(), "None");
    TEnvVar forced("GS_AUDIO_DEVICE", "1");
    EXPECT_TRUE(plat::SetAudioDriver("OpenAL"));
  }
  {
    TEnvVar silenced("GS_AUDIO_DEVICE", "0");
    EXPECT_FALSE(plat::SetAudioDriver("OpenAL"));
  }
  plat::AudioShutdown();
  plat::Shutdown();
}

TEST(AudioDriver, WithoutADeviceEveryCallIsHarmless) {
  UseWaveWriter();
  // A real failure to open: the wave writer cannot create its file.
  std::filesystem::remove_all(CaptureFolder());
  EXPECT_FALSE(plat::SetAudioDriver("OpenAL"));
  std::filesystem::create_directories(CaptureFolder());
  EXPECT_EQ(plat::AudioDriver(), "None");

  plat::TSoundPtr sound = Tone(0.2, true);
  ASSERT_NE(sound, nullptr);  // loading never needs the device
  plat::TChannelPtr played = plat::PlaySound(sound);
  ASSERT_NE(played, nullptr);
  EXPECT_FALSE(plat::ChannelPlaying(played));
  plat::TChannelPtr cued = plat::CueSound(sound, plat::AllocChannel());
  plat::SetChannelVolume(cued, 0.5);
  plat::SetChannelPan(cued, -0.5);
  plat::SetChannelRate(cued, 2.0);
  plat::ResumeChannel(cued);
  plat::PauseChannel(cued);
  EXPECT_FALSE(plat::ChannelPlaying(cued));
  plat::StopChannel(cued);
  plat::TChannelProbe probe = plat::ProbeChannel(cued);
  EXPECT_FALSE(probe.hasSource);
  EXPECT_DOUBLE_EQ(probe.volume, 0.5);
  EXPECT_DOUBLE_EQ(probe.pan, -0.5);
  EXPECT_DOUBLE_EQ(probe.rate, 2.0);
  EXPECT_EQ(plat::LiveSourceCount(), 0);

  // The same channel and sound work once a device is there.
  ASSERT_TRUE(OpenCapture());
  plat::PlaySound(sound, cued);
  EXPECT_TRUE(plat::ChannelPlaying(cued));
  plat::AudioShutdown();
  EXPECT_FALSE(plat::ChannelPlaying(cued));
}

TEST(AudioDriver, NullArgumentsAreNoOps) {
  ASSERT_TRUE(OpenCapture());
  EXPECT_EQ(plat::PlaySound(nullptr), nullptr);
  EXPECT_EQ(plat::CueSound(nullptr), nullptr);
  plat::SetChannelVolume(nullptr, 1);
  plat::SetChannelPan(nullptr, 1);
  plat::SetChannelRate(nullptr, 1);
  plat::PauseChannel(nullptr);
  plat::ResumeChannel(nullptr);
  plat::StopChannel(nullptr);
  EXPECT_FALSE(plat::ChannelPlaying(nullptr));

  // A null sound on a busy channel leaves it playing what it played.
  plat::TChannelPtr channel = plat::PlaySound(Tone(0.2, true));
  EXPECT_EQ(plat::PlaySound(nullptr, channel), channel);
  EXPECT_EQ(plat::CueSound(nullptr, channel), channel);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  plat::AudioShutdown();
}

TEST_F(AudioDeviceTest, APlayedSoundReachesTheOutputAtItsPitch) {
  const auto opened = std::chrono::steady_clock::now();
  plat::TSoundPtr sound = Tone(0.25);
  SleepMs(100);  // let the mixer run, so the latency below is a steady-state one
  const auto played = std::chrono::steady_clock::now();
  plat::TChannelPtr channel = plat::PlaySound(sound);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  ASSERT_TRUE(WaitUntilDone(channel));
  TSignal heard = CloseCapture();
  ASSERT_EQ(heard.channels, 2);
  ASSERT_EQ(heard.rate, 44100);
  EXPECT_GT(heard.Peak(), 8000);
  EXPECT_NEAR(heard.Seconds(heard.LoudSpan()), 0.25, 0.01);
  long first = heard.FirstLoudFrame();
  TSignal tone{2,
               44100,
               {heard.samples.begin() + first * 2,
                heard.samples.begin() + first * 2 + size_t(0.2 * 44100) * 2}};
  EXPECT_NEAR(tone.CrossingsPerSecond(0), 880, 15);
  // The wave writer mixes 1024-frame periods in real time, period k at the
  // end of its span: when the tone's first period was mixed after the call.
  const double period = 1024.0 / 44100;
  double mixedAt = double(first / 1024 + 1) * period;
  double calledAt = std::chrono::duration<double>(played - opened).count();
  std::printf("[ measure  ] PlaySound to the tone's first mixed period: %.1f ms\n",
              (mixedAt - calledAt) * 1000);
}

TEST_F(AudioDeviceTest, ACuedSoundIsSilentUntilResumed) {
  plat::TChannelPtr channel = plat::CueSound(Tone(0.2));
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  plat::TChannelProbe probe = plat::ProbeChannel(channel);
  EXPECT_TRUE(probe.hasSource);
  EXPECT_FALSE(probe.running);
  SleepMs(300);  // longer than the sound: a cued sound does not run down
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  plat::StopChannel(channel);
  EXPECT_FALSE(plat::ChannelPlaying(channel));
  EXPECT_EQ(CloseCapture().LoudFrames(), 0u);

  TSignal heard =
      HearTone(0.2, [](const plat::TChannelPtr& c) { EXPECT_TRUE(plat::ChannelPlaying(c)); });
  EXPECT_NEAR(heard.Seconds(heard.LoudSpan()), 0.2, 0.01);
}

TEST_F(AudioDeviceTest, SettingsAreStoredClampedAndGivenToTheSource) {
  plat::TChannelPtr channel = plat::AllocChannel();
  plat::SetChannelVolume(channel, 0.25);
  plat::SetChannelPan(channel, -0.6);
  plat::SetChannelRate(channel, 1.5);
  EXPECT_FALSE(plat::ProbeChannel(channel).hasSource);  // made when first played
  plat::CueSound(Tone(0.1), channel);
  plat::TChannelProbe p = plat::ProbeChannel(channel);
  ASSERT_TRUE(p.hasSource);
  EXPECT_FLOAT_EQ(p.gain, 0.25f);
  EXPECT_FLOAT_EQ(p.pitch, 1.5f);
  EXPECT_TRUE(p.relative);
  EXPECT_FLOAT_EQ(p.x, -0.6f);
  EXPECT_FLOAT_EQ(p.z, -0.8f);  // on the unit circle: panning keeps the loudness

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct TCase {
    double in, volume, pan, rate;
  } cases[] = {{1.7, 1.0, 1.0, 1.7},  {-0.3, 0.0, -0.3, 0.01}, {0.0, 0.0, 0.0, 0.01},
               {nan, 0.0, 0.0, 0.01}, {inf, 0.0, 0.0, 0.01},   {20.0, 1.0, 1.0, 16.0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.in);
    plat::SetChannelVolume(channel, c.in);
    plat::SetChannelPan(channel, c.in);
    plat::SetChannelRate(channel, c.in);
    p = plat::ProbeChannel(channel);
    EXPECT_DOUBLE_EQ(p.volume, c.volume);
    EXPECT_DOUBLE_EQ(p.pan, c.pan);
    EXPECT_DOUBLE_EQ(p.rate, c.rate);
    EXPECT_FLOAT_EQ(p.gain, float(c.volume));
    EXPECT_FLOAT_EQ(p.x, float(c.pan));
    EXPECT_FLOAT_EQ(p.pitch, float(c.rate));
  }
}

TEST_F(AudioDeviceTest, PanVolumeAndRateShapeWhatIsHeard) {
  plat::AudioShutdown();
  auto withPan = [](double pan) {
    return [pan](const plat::TChannelPtr& c) { plat::SetChannelPan(c, pan); };
  };
  TSignal left = HearTone(0.2, withPan(-1));
  TSignal right = HearTone(0.2, withPan(1));
  EXPECT_GT(left.Rms(0), 3 * left.Rms(1));
  EXPECT_GT(right.Rms(1), 3 * right.Rms(0));

  TSignal full = HearTone(0.2, [](const plat::TChannelPtr&) {});
  TSignal quarter =
      HearTone(0.2, [](const plat::TChannelPtr& c) { plat::SetChannelVolume(c, 0.25); });
  EXPECT_NEAR(double(quarter.Peak()) / full.Peak(), 0.25, 0.03);
  TSignal silent = HearTone(0.2, [](const plat::TChannelPtr& c) { plat::SetChannelVolume(c, 0); });
  EXPECT_EQ(silent.LoudFrames(100), 0u);

  TSignal fast = HearTone(0.4, [](const plat::TChannelPtr& c) { plat::SetChannelRate(c, 2); });
  EXPECT_NEAR(fast.Seconds(fast.LoudSpan()), 0.2, 0.01);
}

TEST_F(AudioDeviceTest, PauseResumeStopAndTheEnd) {
  plat::TChannelPtr channel = plat::PlaySound(Tone(0.1, true));
  EXPECT_TRUE(plat::ProbeChannel(channel).looping);
  SleepMs(250);  // past the sound's length: a looped sound goes on
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  plat::PauseChannel(channel);
  EXPECT_TRUE(plat::ProbeChannel(channel).paused);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  plat::ResumeChannel(channel);
  EXPECT_TRUE(plat::ProbeChannel(channel).running);
  plat::StopChannel(channel);
  EXPECT_FALSE(plat::ChannelPlaying(channel));
  EXPECT_FALSE(plat::ProbeChannel(channel).running);
  plat::ResumeChannel(channel);  // a stopped channel stays stopped
  EXPECT_FALSE(plat::ChannelPlaying(channel));

  plat::TSoundPtr shortTone = Tone(0.1);
  plat::PlaySound(shortTone, channel);
  ASSERT_TRUE(WaitUntilDone(channel));
  plat::ResumeChannel(channel);  // nor does a finished one start over
  plat::PauseChannel(channel);
  EXPECT_FALSE(plat::ChannelPlaying(channel));
}

TEST_F(AudioDeviceTest, PlayingOnABusyChannelReplacesItsSound) {
  plat::TChannelPtr channel = plat::PlaySound(Tone(0.1, true));
  EXPECT_EQ(plat::PlaySound(Tone(0.1), channel), channel);
  EXPECT_FALSE(plat::ProbeChannel(channel).looping);
  EXPECT_TRUE(WaitUntilDone(channel));  // the looped sound is gone
  EXPECT_EQ(plat::LiveSourceCount(), 1);
}

TEST_F(AudioDeviceTest, ChannelsBeyondTheSourceBudgetAreDroppedThenReclaimed) {
  plat::TSoundPtr sound = Tone(0.1, true);
  std::vector<plat::TChannelPtr> channels;
  int playing = 0;
  for (int i = 0; i < plat::MaxSourceCount() + 6; ++i) {
    channels.push_back(plat::AllocChannel());
    plat::SetChannelVolume(channels.back(), 0.01);
    plat::PlaySound(sound, channels.back());
    playing += plat::ChannelPlaying(channels.back()) ? 1 : 0;
  }
  EXPECT_EQ(playing, plat::MaxSourceCount());
  EXPECT_EQ(plat::LiveSourceCount(), plat::MaxSourceCount());
  EXPECT_FALSE(plat::ChannelPlaying(channels.back()));

  plat::StopChannel(channels.front());
  plat::PlaySound(sound, channels.back());
  EXPECT_TRUE(plat::ChannelPlaying(channels.back()));
  EXPECT_EQ(plat::LiveSourceCount(), plat::MaxSourceCount());
  channels.clear();
  EXPECT_EQ(plat::LiveSourceCount(), 0);
}

TEST_F(AudioDeviceTest, SwitchingDriversSilencesChannelsThatThenPlayAgain) {
  plat::TSoundPtr sound = Tone(0.2, true);
  plat::TChannelPtr channel = plat::PlaySound(sound);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  ASSERT_TRUE(plat::SetAudioDriver("DirectSound"));
  EXPECT_FALSE(plat::ChannelPlaying(channel));
  EXPECT_EQ(plat::LiveSourceCount(), 0);
  sound->looped = false;
  plat::PlaySound(sound, channel);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  ASSERT_TRUE(WaitUntilDone(channel));
  TSignal heard = CloseCapture();
  EXPECT_NEAR(heard.Seconds(heard.LoudSpan()), 0.2, 0.01);
}

TEST(AudioExit, HandlesThatOutliveTheAudioSystemAtExitAreSafe) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        // Made before the audio system exists, so destroyed after it.
        static plat::TSoundPtr music;
        static plat::TChannelPtr early;
        UseWaveWriter();
        plat::SetAudioDriver("OpenAL");
        music = SoundFromBytes(OggTone(2.0), plat::SOUND_STREAM);
        early = plat::PlaySound(music);
        static plat::TChannelPtr late = plat::PlaySound(Tone(1.0, true));
        // Exit mid-sound without AudioShutdown; a leak would change the code.
        std::exit(plat::ChannelPlaying(early) && plat::ChannelPlaying(late) ? 0 : 3);
      },
      ::testing::ExitedWithCode(0), "");
}
