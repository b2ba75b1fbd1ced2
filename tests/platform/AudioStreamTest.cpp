// Music streamed from Ogg Vorbis in chunks by the platform's own thread.
#include <gtest/gtest.h>

#include "AudioInternal.h"
#include "AudioTestSupport.h"

using namespace audiotest;

namespace {

plat::TSoundPtr Music(double seconds, int flags = 0, int channels = 1) {
  return SoundFromBytes(OggTone(seconds, 22050, channels, 440), plat::SOUND_STREAM | flags);
}

}  // namespace

TEST_F(AudioDeviceTest, AStreamPlaysToItsEndWithNobodyFeedingIt) {
  plat::TSoundPtr music = Music(3.0);
  ASSERT_TRUE(plat::ProbeSound(music).streamed);
  plat::TChannelPtr channel = plat::PlaySound(music);
  plat::TChannelProbe started = plat::ProbeChannel(channel);
  EXPECT_TRUE(started.streaming);
  EXPECT_TRUE(started.running);
  EXPECT_GE(started.queuedBuffers, 1);
  EXPECT_LE(started.queuedBuffers, 4);  // about a second in memory, not three
  // No audio call while the music plays, as during a long load: the stream
  // thread alone must keep it going.
  SleepMs(3300);
  ASSERT_TRUE(WaitUntilDone(channel, 15000));
  EXPECT_FALSE(plat::ProbeChannel(channel).streaming);
  TSignal heard = CloseCapture();
  EXPECT_NEAR(heard.Seconds(heard.LoudSpan()), 3.0, 0.02);
  // Without gaps: a sine of this level is loud for over 90% of its frames.
  EXPECT_GT(double(heard.LoudFrames()), 0.9 * double(heard.LoudSpan()));
}

TEST_F(AudioDeviceTest, ChannelsPlayingOneStreamEachDecodeItWhole) {
  plat::TSoundPtr music = Music(1.5, 0, 2);
  plat::TChannelPtr first = plat::CueSound(music);
  plat::TChannelPtr second = plat::CueSound(music);
  plat::ResumeChannel(first);
  plat::ResumeChannel(second);
  ASSERT_TRUE(WaitUntilDone(first));
  ASSERT_TRUE(WaitUntilDone(second));
  TSignal heard = CloseCapture();
  // A shared decoder would hand each channel every other chunk: half as long.
  EXPECT_NEAR(heard.Seconds(heard.LoudSpan()), 1.5, 0.03);

  ASSERT_TRUE(OpenCapture());
  TSignal single;
  {
    plat::TChannelPtr alone = plat::PlaySound(music);
    ASSERT_TRUE(WaitUntilDone(alone));
    single = CloseCapture();
  }
  // Both played in step, so together they were twice as loud as one.
  EXPECT_NEAR(heard.Rms(0) / single.Rms(0), 2.0, 0.2);
}

TEST_F(AudioDeviceTest, ALoopedStreamWrapsAroundUntilStopped) {
  plat::TChannelPtr channel = plat::PlaySound(Music(0.3, plat::SOUND_LOOP));
  SleepMs(1000);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  plat::StopChannel(channel);
  EXPECT_FALSE(plat::ChannelPlaying(channel));
  plat::TChannelProbe stopped = plat::ProbeChannel(channel);
  EXPECT_FALSE(stopped.streaming);
  EXPECT_EQ(stopped.queuedBuffers, 0);
  TSignal heard = CloseCapture();
  EXPECT_GT(heard.Seconds(heard.LoudSpan()), 0.7);  // well past the two chunks queued at the start
  EXPECT_GT(double(heard.LoudFrames()), 0.9 * double(heard.LoudSpan()));
}

TEST_F(AudioDeviceTest, ACuedStreamFillsItsQueueAndWaits) {
  plat::TChannelPtr channel = plat::CueSound(Music(2.0));
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  int queued = 0;
  for (int waited = 0; waited < 5000 && queued < 4; waited += 10) {
    queued = plat::ProbeChannel(channel).queuedBuffers;
    SleepMs(10);
  }
  EXPECT_EQ(queued, 4);
  plat::TChannelProbe cued = plat::ProbeChannel(channel);
  EXPECT_FALSE(cued.running);
  plat::ResumeChannel(channel);
  EXPECT_TRUE(plat::ProbeChannel(channel).running);
  plat::PauseChannel(channel);
  EXPECT_TRUE(plat::ProbeChannel(channel).paused);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
  plat::ResumeChannel(channel);
  EXPECT_TRUE(plat::ChannelPlaying(channel));
}

TEST_F(AudioDeviceTest, ClosingTheDeviceMidStreamIsClean) {
  plat::TSoundPtr music = Music(2.0);
  plat::TChannelPtr channel = plat::PlaySound(music);
  plat::TChannelPtr other = plat::PlaySound(music);
  plat::AudioShutdown();
  EXPECT_FALSE(plat::ChannelPlaying(channel));
  EXPECT_FALSE(plat::ProbeChannel(other).hasSource);
  ASSERT_TRUE(OpenCapture());
  plat::PlaySound(music, channel);
  EXPECT_TRUE(plat::ProbeChannel(channel).streaming);
  channel.reset();  // a channel dropped while it streams
  other.reset();
  EXPECT_EQ(plat::LiveSourceCount(), 0);
}
