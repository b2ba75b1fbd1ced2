// The game object's music state: switching off and on, pausing, volumes and
// the rotation of the two tracks.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "GameResources.h"
#include "SoundFiles.h"
#include "TSoundBank.h"

namespace {

using frametest::GameTest;

class GameAudioTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    game->Init(0);
  }
  void TearDown() override {
    MusicBank.reset();
    MusicStarted = 0;
    MusicRotateTrack = 1;
    GameTest::TearDown();
  }
};

TEST_F(GameAudioTest, MusicOffWhileATrackChangeIsPendingLeavesMusicOn) {
  ASSERT_EQ(game->MusicRestart, 1);
  EXPECT_EQ(game->MusicOff(), 0);
  EXPECT_EQ(game->Music, 1);
  game->MusicRestart = 0;
  EXPECT_EQ(game->MusicOff(), 1);
  EXPECT_EQ(game->Music, 0);
  game->MusicOn();
  EXPECT_EQ(game->Music, 1);
}

TEST_F(GameAudioTest, PausingMutesTheMusicAndUnpausingRestoresIt) {
  game->MusicRestart = 0;
  game->Pause();
  EXPECT_EQ(game->Music, 0);
  EXPECT_EQ(game->PausedMusicState, 1);
  game->UnPause();
  EXPECT_EQ(game->Music, 1);
  // Music that was off stays off across a pause.
  game->MusicOff();
  game->Pause();
  game->UnPause();
  EXPECT_EQ(game->Music, 0);
}

TEST_F(GameAudioTest, ToggleMusicDoesNothingWhilePaused) {
  game->MusicRestart = 0;
  game->Paused = 1;
  game->ToggleMusic();
  EXPECT_EQ(game->Music, 1);
  game->Paused = 0;
  game->ToggleMusic();
  EXPECT_EQ(game->Music, 0);
  EXPECT_NE(testsupport::ReadWholeFile(home.DataFolder() + "gleamstrand.ini").find("MUSIC=0\r\n"),
            std::string::npos);
}

TEST_F(GameAudioTest, VolumesAreClampedAndSavedWhenAsked) {
  game->MusicSetVolume(140, 0);
  EXPECT_EQ(game->MusicVolume, 100);
  game->SoundSetVolume(-5, 0);
  EXPECT_EQ(game->SoundVolume, 0);
  EXPECT_EQ(plat::FileType(home.DataFolder() + "inichanged.dat"), plat::FILETYPE_NONE);
  game->SpeechChangeVolume(-30);
  EXPECT_EQ(game->SpeechVolume, 70);
  EXPECT_NE(testsupport::ReadWholeFile(home.DataFolder() + "gleamstrand.ini")
                .find("SPEECH VOLUME=70\r\n"),
            std::string::npos);
  EXPECT_EQ(plat::FileType(home.DataFolder() + "inichanged.dat"), plat::FILETYPE_FILE);
}

TEST_F(GameAudioTest, TheTwoTracksAlternateEachPlayedOnce) {
  testsupport::TempDir dir;
  MusicBank = std::make_shared<TSoundBank>();
  for (const char* name : {"music1", "music2"}) {
    testsupport::WriteWholeFile(dir.File(std::string(name) + ".wav"),
                                soundtest::SquareWav(0.1, 0.5));
    MusicBank->SetPath(dir.Path());
    MusicBank->Load(std::string(name) + ".wav");
  }
  MusicRotate(1);
  EXPECT_EQ(game->MusicFileName, "none");  // not before the title screen starts it
  MusicStarted = 1;
  MusicRotate(1);
  EXPECT_EQ(game->MusicFileName, "music1.ogg");
  EXPECT_EQ(game->MusicName, "music1.ogg");
  EXPECT_EQ(game->MusicLooped, 0);
  MusicRotate(0);
  EXPECT_EQ(game->MusicFileName, "music1.ogg");  // still playing
  game->MusicStopped = 1;
  MusicRotate(0);
  EXPECT_EQ(game->MusicFileName, "music2.ogg");
  game->MusicStopped = 1;
  MusicRotate(0);
  EXPECT_EQ(game->MusicFileName, "music1.ogg");
}

}  // namespace
