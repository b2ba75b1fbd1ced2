// The game's language: the desktop's at first, the stored choice after, the
// run's --language over both; the title screen's prompt shows it.
#include <cstdlib>

#include "GameResources.h"
#include "Language.h"
#include "ScreenTestSupport.h"
#include "StartupSteps.h"
#include "TDialogTextInput.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TLanguage.h"
#include "TOptionsScreen.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TestSupport.h"

namespace {

using screentest::ScreenTest;

class LanguageTest : public ScreenTest {
 protected:
  // A fresh data folder: the title screen asks the first player's name.
  std::string PromptInLanguage() {
    EXPECT_TRUE(StartGame());
    EXPECT_TRUE(RunUntilShown(Screens->Title.get()));
    EXPECT_TRUE(RunUntil([] { return Screens->Title->EnterName != nullptr; }, 400));
    if (!Screens->Title->EnterName) return "";
    return Screens->Title->EnterName->Caption->Text;
  }
};

TEST_F(LanguageTest, AFreshStartSpeaksTheDesktopsLanguage) {
  setenv("LANG", "fr_FR.UTF-8", 1);
  // French typography: a narrow no-break space before the colon.
  EXPECT_EQ(PromptInLanguage(), "Tapez votre nom\u202f:");
  EXPECT_EQ(GameLanguage.Code, "fr");
  ASSERT_TRUE(Steps(30));
  Shot("language-fr-prompt");
  // Following the desktop is the stored choice: REGION stays 0.
  EXPECT_NE(testsupport::ReadWholeFile(SettingsFile()).find("REGION=0\r\n"), std::string::npos);
}

TEST_F(LanguageTest, ALanguageWeDoNotHaveGivesEnglish) {
  setenv("LANG", "ja_JP.UTF-8", 1);
  EXPECT_EQ(PromptInLanguage(), "Please type your name:");
  EXPECT_EQ(GameLanguage.Code, "en");
}

TEST_F(LanguageTest, TheStoredChoiceOutranksTheDesktopAndTheRunOutranksBoth) {
  setenv("LC_MESSAGES", "de_DE.UTF-8", 1);
  SetSetting("REGION", "4");  // Spanish
  EXPECT_EQ(PromptInLanguage(), "Escribe tu nombre:");
  EXPECT_EQ(GameText->FindString("Highscore Name 1"), "Ámbar");
}

TEST_F(LanguageTest, TheRunsLanguageIsNotStored) {
  SetSetting("REGION", "4");
  Language = "nl";
  EXPECT_EQ(PromptInLanguage(), "Typ je naam:");
  EXPECT_NE(testsupport::ReadWholeFile(SettingsFile()).find("REGION=4\r\n"), std::string::npos);
}

TEST_F(LanguageTest, PlaceholdersMoveTheValueAndEnglishReadsAsBefore) {
  SetSetting("REGION", "2");
  MakePlayer("Zoë");
  ASSERT_TRUE(StartGame());
  EXPECT_EQ(GameTextWith("Highscore Place", {{"place", "3"}}), "Super! Du hast Platz 3 erreicht!");
  EXPECT_EQ(GameTextWith("Welcome", {{"name", "Zoë"}}), "Willkommen, Zoë!");
  // A German picture replaces the English one of the same name; a picture
  // without words is the English one.
  EXPECT_EQ(plat::ResolvePath("Data/languages/de/menus/play.png"),
            "Data/languages/de/menus/play.png");
  EXPECT_EQ(plat::FileType("Data/languages/de/graphics/cell1.png"), plat::FILETYPE_NONE);
  EXPECT_EQ(plat::FileType("Data/graphics/cell1.png"), plat::FILETYPE_FILE);
  GameLanguage.Use("en");
  GameLanguage.LoadText();
  EXPECT_EQ(GameTextWith("Highscore Place", {{"place", "3"}}), "Well done! You reached place 3!");
  EXPECT_EQ(GameTextWith("Could Not Create File", {{"file", "Ada.dat"}}),
            "Could not create the file ‘Ada.dat’");
}

TEST_F(LanguageTest, TheOptionsButtonMovesOnToTheNextLanguageAtOnce) {
  MakePlayer("Ada");
  SetSetting("REGION", "21");  // Finnish
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
  ASSERT_TRUE(ClickButton(Screens->Title->MainMenu.get(), "options"));
  TOptionsScreen& options = *Screens->Options;
  ASSERT_TRUE(RunUntilShown(&options));
  EXPECT_EQ(options.InfoLine(), "Alt+Enter: koko näyttö");
  ASSERT_TRUE(ClickButton(options.Panel.OptionsMenu.get(), "language", 10));
  // European Portuguese now: the text, the screen's pictures, the stored
  // choice.
  EXPECT_EQ(GameLanguage.Code, "pt_PT");
  EXPECT_EQ(options.InfoLine(), "Alt+Enter: ecrã inteiro");
  EXPECT_NE(testsupport::ReadWholeFile(SettingsFile()).find("REGION=22\r\n"), std::string::npos);
  Shot("options-language-pt_PT");
  // After the last language comes English, with its own pictures again.
  ASSERT_TRUE(ClickButton(options.Panel.OptionsMenu.get(), "language", 10));
  EXPECT_EQ(GameLanguage.Code, "en");
  EXPECT_EQ(options.InfoLine(), "Alt+Enter: full screen");
  EXPECT_EQ(plat::LanguageFolder(), "");
  ASSERT_TRUE(ClickButton(options.Panel.OptionsMenu.get(), "language", 10));
  EXPECT_EQ(GameLanguage.Code, "de");
  Shot("options-language-de");
  EXPECT_NE(testsupport::ReadWholeFile(SettingsFile()).find("REGION=2\r\n"), std::string::npos);
  // On the keys: the first Tab shows the focus on the button the pointer
  // pressed last, and the button keeps it, so Enter steps on and on.
  ASSERT_TRUE(Key("tab", 2));
  ASSERT_EQ(options.Focus.Current(), options.Panel.OptionsMenu->FindButton("language"));
  ASSERT_TRUE(Key("enter", 10));
  EXPECT_EQ(GameLanguage.Code, "fr");
  ASSERT_TRUE(Key("enter", 10));
  EXPECT_EQ(GameLanguage.Code, "es");
  EXPECT_NE(testsupport::ReadWholeFile(SettingsFile()).find("REGION=4\r\n"), std::string::npos);
}

}  // namespace
