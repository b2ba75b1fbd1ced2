// The game pad in the real game, headless, through a virtual pad that SDL's
// game-controller interface sees as plugged in: plugged in and pulled out
// while the title shows and during play, its pause and hint buttons.
#include <gtest/gtest.h>

#include "Pad.h"
#include "PlayerSelection.h"
#include "ScreenTestSupport.h"
#include "TGameModeMatch3.h"
#include "TGamePlay.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TTalvorineGame.h"

namespace {

using screentest::ScreenTest;

class GamePad : public ScreenTest {
 protected:
  TGameScreen screen_;
};

TEST_F(GamePad, APadPluggedInAndPulledOutDuringPlaySetsThePause) {
  MakePlayer("Ada");
  std::string path = AddLevel("001");
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  ChoosePlayerAtStart();

  // On the title a pad comes and goes without a pause.
  Script("1 pad-plug");
  ASSERT_TRUE(Steps(5));
  EXPECT_EQ(plat::PadCount(), 1);
  Script("1 pad-unplug");
  ASSERT_TRUE(Steps(5));
  EXPECT_EQ(plat::PadCount(), 0);
  EXPECT_EQ(Game->Paused, 0);

  screen_.LeaveTo = Screens->FirstScreen();
  ASSERT_TRUE(screen_.StartLevel(path, 0));
  ASSERT_TRUE(RunUntilShown(&screen_));

  // Plugged in during play it works at once: Back/Select is the pause key.
  Script("1 pad-plug\n"
         "2 pad back");
  ASSERT_TRUE(Steps(5));
  EXPECT_EQ(plat::PadCount(), 1);
  EXPECT_EQ(Game->Paused, 1);
  Script("1 pad select");
  ASSERT_TRUE(Steps(5));
  EXPECT_EQ(Game->Paused, 0);

  // Y asks for a hint, as H does.
  TGameModeMatch3* mode = screen_.GamePlay.Match3();
  ASSERT_NE(mode, nullptr);
  ASSERT_TRUE(RunUntil([&] { return mode->HintList && !mode->HintList->empty(); }, 600));
  EXPECT_LT(mode->HintAlpha(), 0);
  Script("1 pad y");
  ASSERT_TRUE(RunUntil([&] { return mode->HintAlpha() > 0; }, 200));

  // Pulled out in play: the pause, as the pause key sets it, picture and all.
  Script("1 pad-unplug");
  ASSERT_TRUE(Steps(3));
  EXPECT_EQ(plat::PadCount(), 0);
  EXPECT_EQ(Game->Paused, 1);
  Shot("pad-pulled-out");
  // The pause outlasts the pad: it ends with the pause key, not by itself.
  ASSERT_TRUE(Steps(60));
  EXPECT_EQ(Game->Paused, 1);
  ASSERT_TRUE(Key("p"));
  EXPECT_EQ(Game->Paused, 0);

  // Pulled out while paused, the pause stays on (it does not toggle off).
  Script("1 pad-plug\n"
         "2 pad back\n"
         "6 pad-unplug");
  ASSERT_TRUE(Steps(10));
  EXPECT_EQ(Game->Paused, 1);
}

}  // namespace
