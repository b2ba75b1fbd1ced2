// The whole start-up in this program: the loading screen hands over to the
// first screen of the screens layer, which is drawn.
#include "ScreenTestSupport.h"
#include "TGameScreens.h"
#include "TTalvorineGame.h"

namespace {

using screentest::ScreenTest;

TEST_F(ScreenTest, LoadingHandsOverToTheFirstScreen) {
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  ASSERT_TRUE(Steps(30));
  Shot("first");
  // Something other than black is on the screen.
  EXPECT_NE(Pixel(400, 300) | Pixel(100, 100) | Pixel(700, 500), 0u);
}

}  // namespace
