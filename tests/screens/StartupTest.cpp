// The whole start-up in this program: the loading screen hands over to the
// title screen, which is drawn.
#include "ScreenTestSupport.h"
#include "TGameScreens.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"

namespace {

using screentest::ScreenTest;

TEST_F(ScreenTest, LoadingHandsOverToTheTitleScreen) {
  MakePlayer("Ada");
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
  ASSERT_TRUE(Steps(30));
  Shot("title");
  EXPECT_NE(Pixel(400, 300) | Pixel(100, 100) | Pixel(700, 500), 0u);
}

}  // namespace
