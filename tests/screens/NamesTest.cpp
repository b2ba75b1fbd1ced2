// Names as the player types them, in the real game, headless: the first-run
// prompt on the title screen trims a name at both ends, refuses an empty
// one quietly and says what is wrong with the others, and shows when the
// field is full; a player whose file name ends in a space still loads.
#include <gtest/gtest.h>

#include "GameResources.h"
#include "ScreenTestSupport.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TNameRules.h"
#include "TProfileStore.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TVPlayerManager.h"
#include "TVProfile.h"

namespace {

using screentest::ScreenTest;
using testsupport::ReadWholeFile;

class Names : public ScreenTest {
 protected:
  TTitleScreen& Title() { return *Screens->Title; }
  // The characters typed one a step, then (withEnter) Enter.
  void Type(const std::string& text, bool withEnter = true, int stepsAfter = 10) {
    std::string script;
    int step = 1;
    for (unsigned char c : text)
      script += std::to_string(step++) + " char " + std::to_string(c) + "\n";
    if (withEnter) script += std::to_string(step++) + " key enter\n";
    Script(script);
    ASSERT_TRUE(Steps(step + stepsAfter));
  }
  void Erase(int count) {
    std::string script;
    for (int i = 1; i <= count; ++i) script += std::to_string(i) + " char 08\n";
    Script(script);
    ASSERT_TRUE(Steps(count + 5));
  }
  // The message over the prompt after a refused name, closed again.
  std::string MessageAndClose(TDialogTextInput& prompt) {
    if (!prompt.DialogOK) return "";
    std::string text = prompt.DialogOK->Caption->Text;
    Key("enter", 40);
    return text;
  }
  std::string Text(const std::string& key) { return GameText->FindString(key); }
};

TEST_F(Names, TheFirstRunPromptTrimsANameAndSaysWhatIsWrongWithIt) {
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  ASSERT_NE(Title().EnterName, nullptr);
  TDialogTextInput& prompt = *Title().EnterName;
  // Nothing typed: refused without a word, the prompt waits. (The OK
  // button takes no second press for 200 ms after one.)
  Key("enter", 50);
  EXPECT_EQ(prompt.DialogOK, nullptr);
  EXPECT_TRUE(prompt.Active);
  EXPECT_TRUE(prompt.TextInput.Active);
  // Spaces alone, "." and "..": each told what is wrong, not "taken".
  Type("   ");
  EXPECT_EQ(MessageAndClose(prompt), Text("Name Error Spaces"));
  EXPECT_NE(Text("Name Error Spaces"), Text("Name Error"));
  Erase(3);
  Type(".");
  EXPECT_EQ(MessageAndClose(prompt), Text("Name Error Dots"));
  Erase(1);
  Type(" .. ");
  EXPECT_EQ(MessageAndClose(prompt), Text("Name Error Dots"));
  Erase(4);
  EXPECT_EQ(prompt.TextInput.Text, "");
  EXPECT_TRUE(TProfileStore(ProfileFolder()).List().empty());
  EXPECT_EQ(Game->CurrentProfile, nullptr);

  // A name longer than the field: it takes ten characters and refuses the
  // eleventh with its sound and a flash of the field's box.
  ASSERT_NE(prompt.TextInput.RefusedSound, nullptr);
  Type(" Alexandra", false, 0);
  EXPECT_EQ(prompt.TextInput.RefusedFlashLevel(), 0.0f);
  Type(" ", false, 0);
  EXPECT_EQ(prompt.TextInput.Text, " Alexandra");
  EXPECT_GT(prompt.TextInput.RefusedFlashLevel(), 0.5f);
  Shot("names-field-full");
  Type("Bartholomew", false, 60);
  EXPECT_EQ(prompt.TextInput.Text, " Alexandra");
  EXPECT_EQ(prompt.TextInput.RefusedFlashLevel(), 0.0f);
  // Accepted, it is stored without the spaces at its ends.
  Key("enter", 30);
  EXPECT_EQ(Title().EnterName, nullptr);
  ASSERT_NE(Game->CurrentProfile, nullptr);
  EXPECT_EQ(Game->CurrentProfile->Name, "Alexandra");
  EXPECT_EQ(Game->ProfileName, "Alexandra");
  EXPECT_EQ(TProfileStore(ProfileFolder()).List(), std::vector<std::string>{"Alexandra"});
  EXPECT_NE(ReadWholeFile(SettingsFile()).find("PROFILE NAME=Alexandra\r\n"), std::string::npos);
  ASSERT_TRUE(Steps(30));
  Shot("names-welcome");
}

TEST_F(Names, APlayerWhoseNameEndsInASpaceStillLoadsAndKeepsItsName) {
  MakePlayer("Ann ");
  MakePlayer("Bo", false);
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  EXPECT_EQ(Title().EnterName, nullptr);
  EXPECT_EQ(Title().PlayerManager, nullptr);
  ASSERT_NE(Game->CurrentProfile, nullptr);
  EXPECT_EQ(Game->CurrentProfile->Name, "Ann ");
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Ann.dat"), plat::FILETYPE_NONE);
  // A new player cannot take that name again, spaces and letter case aside.
  ClickButton(Title().MainMenu.get(), TTitleScreen::ChangePlayerButton, 30);
  ASSERT_NE(Title().PlayerManager, nullptr);
  TVPlayerManager& manager = *Title().PlayerManager;
  EXPECT_EQ(manager.SelectedName(), "Ann ");
  ClickButton(manager.Menu.get(), "Create", 30);
  ASSERT_NE(manager.EnterName, nullptr);
  Type("ann");
  ASSERT_NE(manager.EnterName, nullptr);
  EXPECT_EQ(MessageAndClose(*manager.EnterName), Text("Name Error"));
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Ann.dat"), plat::FILETYPE_NONE);
}

TEST(NameRules, TrimCheckAndTellInOnePlace) {
  TNameRules rules(10);
  rules.UpperFirstChar = 1;
  rules.TakenNames = {"Ann ", "zoë", "Дмитрий"};
  EXPECT_EQ(TNameRules::Trim("  a b  "), "a b");
  EXPECT_EQ(rules.Stored("  bea "), "Bea");
  EXPECT_EQ(rules.Check(""), TNameRules::Empty);
  EXPECT_EQ(rules.Check("  "), TNameRules::OnlySpaces);
  EXPECT_EQ(rules.Check(" .."), TNameRules::Dots);
  EXPECT_EQ(rules.Check("..."), TNameRules::Accepted);
  EXPECT_EQ(rules.Check("Abcdefghij"), TNameRules::Accepted);
  EXPECT_EQ(rules.Check(" Abcdefghij "), TNameRules::Accepted);
  EXPECT_EQ(rules.Check("Abcdefghijk"), TNameRules::TooLong);
  EXPECT_EQ(rules.Check("Ωμέγααλφαβ"), TNameRules::Accepted);  // ten letters, twenty bytes
  EXPECT_EQ(rules.Check("Ωμέγααλφαβη"), TNameRules::TooLong);
  EXPECT_EQ(rules.Check("a/b"), TNameRules::RefusedCharacter);
  EXPECT_EQ(rules.Check("a\tb"), TNameRules::RefusedCharacter);
  EXPECT_EQ(rules.Check("ANN"), TNameRules::Taken);
  EXPECT_EQ(rules.Check("ZOË"), TNameRules::Taken);
  EXPECT_EQ(rules.Check("дМИТРИЙ"), TNameRules::Taken);
  // A player renamed may keep its own name in another letter case.
  rules.Keeping = "Ann ";
  EXPECT_EQ(rules.Check("ANN"), TNameRules::Accepted);
  EXPECT_EQ(rules.Check("zoë"), TNameRules::Taken);
  std::string message = "x";
  EXPECT_EQ(rules.ErrorCheck("", message), -1);
  EXPECT_EQ(message, "");
  EXPECT_EQ(rules.ErrorCheck("Cy", message), 0);
  EXPECT_STREQ(TNameRules::MessageKey(TNameRules::TooLong), "Name Error Length");
  EXPECT_STREQ(TNameRules::MessageKey(TNameRules::Taken), "Name Error");
}

}  // namespace
