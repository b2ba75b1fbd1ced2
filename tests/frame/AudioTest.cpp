// The channel pool and the game object's sound operations, heard through
// OpenAL's wave-file writer.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "Globals.h"
#include "SoundFiles.h"
#include "TChannelArray.h"
#include "TGameSound.h"
#include "TTalvorineGame.h"
#include "TestSupport.h"

using testsupport::TempDir;

namespace {

void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class Audio : public ::testing::Test {
 protected:
  void SetUp() override {
    wave_ = soundtest::UseWaveWriter();
    plat::TBackendOptions options;
    options.Headless = true;
    ASSERT_TRUE(plat::Startup(options));
    if (!plat::SetAudioDriver("OpenAL Generic Software")) {
      GTEST_SKIP() << "OpenAL's wave writer could not be opened";
    }
    CreateGame();
    Game->Sound = 1;
    Game->SoundVolume = 100;
    saved_ = SharedDataPath;
    SharedDataPath = dir_.Path() + "/";
  }
  void TearDown() override {
    if (Game) Game->ChannelsKill();
    DestroyGame();
    plat::SetAudioDriver("None");
    plat::Shutdown();
    SharedDataPath = saved_;
  }
  TGameSoundPtr Sound(const std::string& name, double seconds, double peak) {
    std::string file = dir_.File(name + ".wav");
    testsupport::WriteWholeFile(file, soundtest::SquareWav(seconds, peak));
    return TGameSound::Create(file);
  }
  TempDir dir_;
  std::string wave_;
  std::string saved_;
};

}  // namespace

TEST_F(Audio, SeventeenthSoundOnSixteenBusyChannelsIsDropped) {
  Game->ChannelsCreate(16);
  auto& pool = *Game->Channels;
  EXPECT_FLOAT_EQ(pool.MaxVol, 16);
  auto longSound = Sound("long", 5, 0.3);
  std::vector<TGameChannelPtr> used;
  for (int i = 0; i < 16; ++i) {
    auto channel = pool.PlayGameSound(longSound, nullptr, 1, 0);
    ASSERT_NE(channel, nullptr) << i;
    used.push_back(channel);
  }
  EXPECT_EQ(pool.CountPlaying(), 16);
  // All sixteen are different channels.
  std::sort(used.begin(), used.end());
  EXPECT_EQ(std::unique(used.begin(), used.end()), used.end());
  EXPECT_EQ(pool.GetChannel(), nullptr);
  EXPECT_EQ(pool.PlayGameSound(longSound, nullptr, 1, 0), nullptr);
  EXPECT_EQ(pool.CountPlaying(), 16);
  for (const auto& channel : used) EXPECT_TRUE(channel->Playing());
  // The budget of 16 covers all sixteen at full volume.
  EXPECT_FLOAT_EQ(pool.BalanceVolumes(0), 1.0f);
}

TEST_F(Audio, PoolSkipsReservedAndBusyChannelsAndRenewsStoppedOnes) {
  auto pool = TChannelArray::Create(3);
  auto longSound = Sound("long", 5, 0.3);
  EXPECT_EQ(pool->Current, pool->ChannelByIndex(1));
  EXPECT_EQ(pool->ChannelByIndex(0), nullptr);
  EXPECT_EQ(pool->ChannelByIndex(4), nullptr);
  pool->ChannelByIndex(2)->Reserved = 1;
  // The walk starts after the channel handed out last.
  EXPECT_EQ(pool->GetChannel(), pool->ChannelByIndex(3));
  EXPECT_EQ(pool->GetChannel(), pool->ChannelByIndex(1));

  auto first = pool->PlayGameSound(longSound, pool->ChannelByIndex(1), 1, 0);
  auto third = pool->PlayGameSound(longSound, pool->ChannelByIndex(3), 1, 0);
  EXPECT_EQ(pool->GetChannel(), nullptr);  // two busy, one reserved
  third->PlayWhenFinished = 0;             // may be taken over while playing
  EXPECT_EQ(pool->GetChannel(), third);

  pool->StopGameChannel(first);
  EXPECT_FALSE(first->Playing());
  EXPECT_EQ(pool->Count(), 3);
  EXPECT_EQ(pool->Current, pool->ChannelByIndex(3));
  EXPECT_NE(pool->Current, first);
  EXPECT_EQ(pool->CountPlaying(), 1);

  // A smaller budget shares itself out among the playing channels.
  pool->MaxVol = 1.5f;
  EXPECT_FLOAT_EQ(pool->BalanceVolumes(2), 0.5f);
  EXPECT_FLOAT_EQ(TChannelArray().BalanceVolumes(0), 1.0f);
  pool->Kill();
  EXPECT_EQ(pool->Count(), 0);
  EXPECT_FALSE(third->Playing());
}

TEST_F(Audio, SwitchesSilenceEveryKindOfPlay) {
  auto beep = Sound("beep", 2, 0.3);
  Game->ChannelsCreate(4);
  Game->Sound = 0;
  EXPECT_EQ(Game->SoundPlay(beep->sound), nullptr);
  EXPECT_EQ(Game->Channels->PlayGameSound(beep, nullptr, 1, 0), nullptr);
  plat::TChannelPtr channel;
  Game->GameSoundPlay(channel, beep, 0);
  EXPECT_EQ(channel, nullptr);
  Game->Sound = 1;
  Game->GameSoundPlay(channel, beep, 0);
  ASSERT_NE(channel, nullptr);
  EXPECT_TRUE(plat::ChannelPlaying(channel));

  // Speech: a playing line is kept unless the new one interrupts it.
  Game->SpeechChannel = plat::AllocChannel();
  auto line = Sound("line", 2, 0.3);
  Game->SpeechPlay(line, 0);
  EXPECT_TRUE(plat::ChannelPlaying(Game->SpeechChannel));
  auto speech = Game->SpeechChannel;
  Game->SpeechStopped = 1;
  Game->SpeechPlay(beep, 0);
  EXPECT_EQ(Game->SpeechStopped, 1);  // not replaced
  Game->SpeechPlay(beep, 1);
  EXPECT_EQ(Game->SpeechStopped, 0);
  Game->SpeechStop();
  EXPECT_FALSE(plat::ChannelPlaying(speech));
  EXPECT_NE(Game->SpeechChannel, speech);
}

TEST_F(Audio, EffectsPlayAtTheScreenFadesVisibility) {
  auto tone = Sound("tone", 0.3, 0.8);
  plat::TChannelPtr channel;
  Game->GameSoundPlay(channel, tone, 0);
  Wait(450);
  Game->GameFade.Active = 1;
  Game->GameFade.Ratio = 0.25f;
  Game->GameSoundPlay(channel, tone, 0);
  Wait(450);
  Game->GameFade.Active = 0;
  plat::SetAudioDriver("None");  // closes the recording
  auto peaks = soundtest::BurstPeaks(soundtest::RecordedSamples(wave_), 2000);
  ASSERT_EQ(peaks.size(), 2u) << "recorded " << peaks.size() << " bursts";
  EXPECT_GT(peaks[0], 20000);
  EXPECT_NEAR(double(peaks[1]) / peaks[0], 0.25, 0.05);
}

TEST_F(Audio, MusicFadesInAndOutOverItsLengths) {
  Game->MusicChannel = plat::AllocChannel();
  Game->MusicPath = dir_.Path() + "/";
  testsupport::WriteWholeFile(dir_.File("track.wav"), soundtest::SquareWav(2, 0.3));
  Game->MusicLoad("track.wav", 0);
  EXPECT_EQ(Game->MusicRestart, 1);
  Game->MusicPlay(1);
  EXPECT_EQ(Game->MusicName, "track.wav");
  EXPECT_EQ(Game->MusicRestart, 0);
  EXPECT_TRUE(plat::ChannelPlaying(Game->MusicChannel));
  // 50 ms at 5 ms per step: the counter starts at 49 ms worth of steps.
  EXPECT_FLOAT_EQ(Game->MusicFadeInCounter, 9.8f);
  EXPECT_NEAR(Game->MusicFadeInCalc(), 0.02f, 1e-5);
  LogicDelta = 1;
  for (int i = 0; i < 5; ++i) Game->MusicFadeInManage();
  EXPECT_NEAR(Game->MusicFadeInCalc(), 0.52f, 1e-5);
  for (int i = 0; i < 10; ++i) Game->MusicFadeInManage();
  EXPECT_FLOAT_EQ(Game->MusicFadeInCounter, 0);
  EXPECT_FLOAT_EQ(Game->MusicFadeInCalc(), 1);

  EXPECT_EQ(Game->MusicOff(), 1);
  EXPECT_EQ(Game->Music, 0);
  Game->MusicOn();
  EXPECT_EQ(Game->Music, 1);
  EXPECT_TRUE(plat::ChannelPlaying(Game->MusicChannel));
  Game->MusicFadeOutSet(100);
  EXPECT_FLOAT_EQ(Game->MusicFadeOutCounter, 20);
  EXPECT_FLOAT_EQ(Game->MusicFadeOutCalc(), 0);
  for (int i = 0; i < 20; ++i) Game->MusicFadeOutManage();
  EXPECT_FLOAT_EQ(Game->MusicFadeOutCalc(), 1);
  Game->MusicNone();
  EXPECT_EQ(Game->MusicFileName, "none");
  EXPECT_EQ(Game->MusicRestart, 1);
}

TEST_F(Audio, EscapeSoundIsOptional) {
  Game->SoundPath = dir_.Path() + "/";
  Game->SetEscapeSound("nothing");
  EXPECT_EQ(Game->EscapeSound, nullptr);
  Game->EscapeSoundPlay();  // silently nothing
  Sound("click", 0.1, 0.3);
  Game->SetEscapeSound("click");
  ASSERT_NE(Game->EscapeSound, nullptr);
  EXPECT_EQ(Game->EscapeSound->name, "CLICK");
}
