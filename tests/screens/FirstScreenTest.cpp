// The first screen: a burst every second, each dropped once its sparks
// have died, and the music rotation started.
#include <gtest/gtest.h>

#include "../platform/HeadlessDisplay.h"
#include "GameInput.h"
#include "GameResources.h"
#include "Globals.h"
#include "TFirstScreen.h"
#include "TTalvorineGame.h"
#include "TestSupport.h"

namespace {

class FirstScreen : public gfxtest::HeadlessDisplay {
 protected:
  void SetUp() override {
    HeadlessDisplay::SetUp();
    saved_ = SharedDataPath;
    SharedDataPath = dir_.Path() + "/";
    CreateGame();
    Game->DataPrefix = dir_.Path() + "/";
    plat::CreateDir(dir_.File("data/resources"), true);
    // A short burst: one emitter, ten frames of emission, sparks live five.
    TSmashParticleFX fx;
    fx.Emitter[0].RenderType = TEmitter::RENDER_ADD;
    fx.Emitter[0].LifeTime = 5;
    for (const char* name : {"score1.par", "score2.par"}) {
      ASSERT_EQ(fx.SaveFX(dir_.File(std::string("data/resources/") + name)), 1);
    }
  }
  void TearDown() override {
    MusicStarted = 0;
    DestroyGame();
    GameFlushKeys();
    SharedDataPath = saved_;
    HeadlessDisplay::TearDown();
  }
  testsupport::TempDir dir_;
  std::string saved_;
};

}  // namespace

TEST_F(FirstScreen, BurstsOnceASecondAndDropsFinishedBursts) {
  TFirstScreen screen;
  screen.Load();
  screen.Start();
  EXPECT_EQ(Game->CurrentTScreen, &screen);
  EXPECT_EQ(MusicStarted, 1);
  LogicDelta = 1;
  for (int i = 0; i < 199; ++i) screen.Logic();
  EXPECT_EQ(screen.BurstsStarted, 0);
  screen.Logic();  // 200 steps of 5 ms: one second
  EXPECT_EQ(screen.BurstsStarted, 1);
  EXPECT_EQ(screen.LiveBursts(), 1);
  for (int i = 0; i < 400; ++i) screen.Logic();
  EXPECT_EQ(screen.BurstsStarted, 3);
  // Ten frames of emission plus five of life, then the burst is gone.
  for (int frame = 0; frame < 14; ++frame) screen.Draw();
  EXPECT_EQ(screen.LiveBursts(), 3);
  for (int frame = 0; frame < 3; ++frame) screen.Draw();
  EXPECT_EQ(screen.LiveBursts(), 0);
  screen.Kill();
}
