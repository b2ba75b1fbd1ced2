// The player chooser the title screen opens at start-up when players exist
// but none was last active (an unclean exit leaves "PROFILE NAME" empty), in
// the real game, headless: Escape and Cancel never leave the title screen;
// they keep the last player where there is one and leave the chooser open
// where there is none.
#include <gtest/gtest.h>

#include "ScreenTestSupport.h"
#include "TGameScreens.h"
#include "TListBox.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TVPlayerManager.h"
#include "TVProfile.h"

namespace {

using screentest::ScreenTest;

class StartupChooser : public ScreenTest {
 protected:
  // Ada and Bo exist, no last player: the title opens the chooser.
  TVPlayerManager& StartWithChooser() {
    MakePlayer("Ada", false);
    MakePlayer("Bo", false);
    SetSetting("PROFILE NAME", "");
    EXPECT_TRUE(StartGame());
    EXPECT_TRUE(RunUntilShown(Screens->FirstScreen()));
    EXPECT_NE(Title().PlayerManager, nullptr);
    return *Title().PlayerManager;
  }
  TTitleScreen& Title() { return *Screens->Title; }
  // Longer than the fade to the exit screen.
  static constexpr int Settle = 300;
  // The chooser is still open over the title screen, and the game running.
  void ExpectChooserOpen() {
    EXPECT_FALSE(Exited());
    EXPECT_EQ(Current(), &Title());
    ASSERT_NE(Title().PlayerManager, nullptr);
    EXPECT_TRUE(Title().PlayerManager->Active);
  }
  void Type(const std::string& text) {
    std::string script;
    int step = 1;
    for (char c : text) script += std::to_string(step++) + " char " + std::string(1, c) + "\n";
    script += std::to_string(step) + " key enter\n";
    Script(script);
    ASSERT_TRUE(Steps(step + 20));
  }
};

TEST_F(StartupChooser, WithoutALastPlayerEscapeAndCancelLeaveItOpen) {
  TVPlayerManager& chooser = StartWithChooser();
  ASSERT_TRUE(Steps(20));
  Shot("chooser-at-start");
  Key("esc", Settle);
  ExpectChooserOpen();
  EXPECT_EQ(Game->CurrentProfile, nullptr);
  // Cancel picks nobody either, even with a name selected in the list.
  chooser.ListBox->SetIndex(1);
  ClickButton(chooser.Menu.get(), "Cancel", Settle);
  ExpectChooserOpen();
  EXPECT_EQ(Game->CurrentProfile, nullptr);
  EXPECT_EQ(Game->ProfileName, "");
  // A player chosen closes it; Escape then belongs to the title again.
  ClickButton(chooser.Menu.get(), "OK", 30);
  EXPECT_EQ(Title().PlayerManager, nullptr);
  ASSERT_NE(Game->CurrentProfile, nullptr);
  EXPECT_EQ(Game->CurrentProfile->Name, "Bo");
  EXPECT_FALSE(Exited());
  Key("esc", Settle);
  EXPECT_TRUE(Exited());
}

TEST_F(StartupChooser, WithALastPlayerEscapeAndCancelKeepIt) {
  TVPlayerManager& chooser = StartWithChooser();
  // A player made in the chooser is the last player: Escape keeps it.
  ClickButton(chooser.Menu.get(), "Create", 30);
  ASSERT_NE(chooser.EnterName, nullptr);
  Type("cy");
  EXPECT_EQ(chooser.EnterName, nullptr);
  ExpectChooserOpen();
  Key("esc", Settle);
  EXPECT_FALSE(Exited());
  EXPECT_EQ(Current(), &Title());
  EXPECT_EQ(Title().PlayerManager, nullptr);
  ASSERT_NE(Game->CurrentProfile, nullptr);
  EXPECT_EQ(Game->CurrentProfile->Name, "Cy");
  // Opened again from the title, another name selected, then Cancel: the
  // last player stays.
  ClickButton(Title().MainMenu.get(), TTitleScreen::ChangePlayerButton, 30);
  ASSERT_NE(Title().PlayerManager, nullptr);
  Title().PlayerManager->ListBox->SetIndex(0);
  ClickButton(Title().PlayerManager->Menu.get(), "Cancel", Settle);
  EXPECT_EQ(Title().PlayerManager, nullptr);
  EXPECT_EQ(Game->CurrentProfile->Name, "Cy");
  EXPECT_EQ(Game->ProfileName, "Cy");
  EXPECT_FALSE(Exited());
  EXPECT_EQ(Current(), &Title());
}

}  // namespace
