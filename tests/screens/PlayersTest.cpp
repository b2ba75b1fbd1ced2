// Choosing players in the real game, headless: the first-run name prompt and
// the player manager, each shown on a plain screen and driven by scripted
// input.
#include <gtest/gtest.h>

#include <functional>

#include "GameResources.h"
#include "PlayerSelection.h"
#include "ScreenTestSupport.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TListBox.h"
#include "TModeText.h"
#include "TPlayScreen.h"
#include "TScreen.h"
#include "TTalvorineGame.h"
#include "TVLevelList.h"
#include "TVPlayerManager.h"
#include "Utf8.h"

namespace {

using screentest::ScreenTest;
using testsupport::ReadWholeFile;

// A screen that shows one dialog over the title picture and manages it.
class THostScreen : public TScreen {
 public:
  void Logic() override {
    if (Dialog && Result == 0) Result = Dialog->Manage();
  }
  void Draw() override {
    plat::Cls();
    if (Dialog && Result == 0) Dialog->Draw();
  }
  TDialog* Dialog = nullptr;
  int Result = 0;
};

class Players : public ScreenTest {
 protected:
  void Show(TDialog& dialog) {
    host_.Dialog = &dialog;
    host_.Result = 0;
    if (Game->CurrentTScreen != &host_) {
      ASSERT_TRUE(TGameScreens::ChangeTo(&host_));
      ASSERT_TRUE(RunUntilShown(&host_));
    }
  }
  void Type(const std::string& text) {
    std::string script;
    int step = 1;
    for (char32_t c : plat::CodePoints(text))
      script += std::to_string(step++) + " char " + std::to_string(int(c)) + "\n";
    script += std::to_string(step) + " key enter\n";
    Script(script);
    Steps(step + 10);
  }
  void ClickButton(TMenu& menu, const std::string& name, int stepsAfter = 10) {
    TButton* button = menu.FindButton(name);
    ASSERT_NE(button, nullptr) << name;
    Click(int(button->x) + button->w / 2, int(button->y) + button->h / 2, stepsAfter);
  }
  std::string Text(const std::string& key) { return GameText->FindString(key); }
  // Starts the game with its last player current and shows the manager;
  // null when that fails.
  std::unique_ptr<TVPlayerManager> StartWithManager() {
    if (!StartGame() || !RunUntilShown(Screens->FirstScreen())) return nullptr;
    if (ChoosePlayerAtStart() != TStartPlayer::Ready) return nullptr;
    auto manager = CreatePlayerManager();
    Show(*manager);
    if (!Steps(20)) return nullptr;
    return manager;
  }

  THostScreen host_;
};

TEST_F(Players, FirstRunAsksForANameAndMakesThePlayer) {
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  ASSERT_EQ(ChoosePlayerAtStart(), TStartPlayer::AskName);
  auto prompt = CreateNamePrompt();
  Show(*prompt);
  ASSERT_TRUE(Steps(20));
  Shot("players-prompt");
  // Slashes are refused as they are typed: "../x" becomes "..x".
  Type("../x");
  EXPECT_EQ(host_.Result, 1);
  EXPECT_EQ(Game->ProfileName, "..x");
  EXPECT_EQ(plat::FileType(SharedFolder() + "x.dat"), plat::FILETYPE_NONE);

  prompt = CreateNamePrompt();
  Show(*prompt);
  Type("ada");
  ASSERT_EQ(host_.Result, 1);
  EXPECT_EQ(Game->ProfileName, "Ada");
  ASSERT_NE(Game->CurrentProfile, nullptr);
  EXPECT_EQ(Game->CurrentProfile->Name, "Ada");
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "Ada.dat"), std::string("\1\0\0\0", 4));
  EXPECT_NE(ReadWholeFile(SettingsFile()).find("PROFILE NAME=Ada\r\n"), std::string::npos);

  // A taken name, whatever its case, is refused with a message over the
  // prompt, which stays.
  prompt = CreateNamePrompt();
  Show(*prompt);
  Type("aDA");
  EXPECT_EQ(host_.Result, 0);
  ASSERT_NE(prompt->DialogOK, nullptr);
  EXPECT_EQ(prompt->DialogOK->Caption->Text, Text("Name Error"));
  Shot("players-name-error");
  EXPECT_EQ(Game->ProfileName, "Ada");
  // A player whose file cannot be written is told so; the prompt stays.
  Key("enter", 30);
  plat::CreateDir(ProfileFolder() + "Bea.dat");
  Script("1 char 08\n2 char 08\n3 char 08");
  ASSERT_TRUE(Steps(10));
  Type("bea");
  EXPECT_EQ(host_.Result, 0);
  ASSERT_NE(prompt->DialogOK, nullptr);
  EXPECT_EQ(prompt->DialogOK->Caption->Text, "Could not create the file ‘Bea.dat’");
  EXPECT_EQ(Game->ProfileName, "Ada");
  // Accented letters are welcome.
  Key("enter", 30);
  Script("1 char 08\n2 char 08\n3 char 08");
  ASSERT_TRUE(Steps(10));
  Type("zoë");
  EXPECT_EQ(host_.Result, 1);
  EXPECT_EQ(Game->ProfileName, "Zoë");
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Zoë.dat"), plat::FILETYPE_FILE);
}

TEST_F(Players, TheManagerKeepsBetweenOneAndSevenPlayers) {
  for (const char* name : {"Gus", "ada", "Fay", "Cy", "Eve", "Bo", "Dot"}) MakePlayer(name, false);
  SetSetting("PROFILE NAME", "Cy");
  testsupport::WriteWholeFile(ProfileFolder() + "Cys.ini", "001=1\r\n");
  testsupport::WriteWholeFile(ProfileFolder() + "Cy~b.ini", "001=1,10,9000,4\r\n");
  auto manager = StartWithManager();
  ASSERT_NE(manager, nullptr);
  Shot("players-manager");
  EXPECT_EQ(manager->Names(),
            (std::vector<std::string>{"ada", "Bo", "Cy", "Dot", "Eve", "Fay", "Gus"}));
  EXPECT_EQ(manager->SelectedName(), "Cy");
  // An eighth player is refused.
  ClickButton(*manager->Menu, "Create", 20);
  ASSERT_NE(manager->DialogOK, nullptr);
  EXPECT_EQ(manager->DialogOK->Caption->Text, Text("Player No More"));
  EXPECT_EQ(manager->EnterName, nullptr);
  Key("enter", 30);
  EXPECT_EQ(manager->DialogOK, nullptr);
  // Deleting the current player asks first, then removes its records too.
  ClickButton(*manager->Menu, "Delete", 20);
  ASSERT_NE(manager->DialogYesNo, nullptr);
  Shot("players-delete");
  Key("enter", 30);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Cy.dat"), plat::FILETYPE_NONE);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Cys.ini"), plat::FILETYPE_NONE);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Cy~b.ini"), plat::FILETYPE_NONE);
  EXPECT_EQ(manager->Names().size(), 6u);
  // Nobody is the last player now, and that is stored at once: closing
  // the window here does not bring the deleted one back at the next start.
  EXPECT_EQ(Game->ProfileName, "");
  EXPECT_EQ(ReadWholeFile(SettingsFile()).find("PROFILE NAME=Cy"), std::string::npos);
  Game->ProfileName = "Cy";
  EXPECT_EQ(ChoosePlayerAtStart(), TStartPlayer::ShowManager);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Cy.dat"), plat::FILETYPE_NONE);
  // A remaining player is selected at once, so OK answers at once; Cancel
  // still keeps nobody the player did not choose.
  EXPECT_EQ(manager->SelectedName(), "ada");
  Shot("players-after-delete");
  ClickButton(*manager->Menu, "Cancel", 10);
  EXPECT_EQ(host_.Result, 0);
  EXPECT_TRUE(manager->Active);
  ClickButton(*manager->Menu, "OK", 10);
  EXPECT_EQ(host_.Result, 1);
  EXPECT_EQ(Game->ProfileName, "ada");
  EXPECT_EQ(Game->CurrentProfile->Name, "ada");

  // Down to one player, which cannot be deleted.
  for (const char* name : {"Bo", "Dot", "Eve", "Fay", "Gus"})
    plat::DeleteFile(ProfileFolder() + name + ".dat");
  manager = CreatePlayerManager();
  Show(*manager);
  ASSERT_TRUE(Steps(10));
  ASSERT_EQ(manager->Names(), std::vector<std::string>{"ada"});
  ClickButton(*manager->Menu, "Delete", 20);
  ASSERT_NE(manager->DialogOK, nullptr);
  EXPECT_EQ(manager->DialogOK->Caption->Text, Text("Player One Player"));
  Key("enter", 30);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "ada.dat"), plat::FILETYPE_FILE);
  // Creating a player from the manager selects it and keeps the manager open.
  ClickButton(*manager->Menu, "Create", 20);
  ASSERT_NE(manager->EnterName, nullptr);
  Type("hal");
  EXPECT_EQ(manager->EnterName, nullptr);
  EXPECT_EQ(host_.Result, 0);
  EXPECT_EQ(manager->SelectedName(), "Hal");
  ClickButton(*manager->Menu, "OK", 10);
  EXPECT_EQ(host_.Result, 1);
  EXPECT_EQ(Game->ProfileName, "Hal");
}

TEST_F(Players, ARenamedPlayerKeepsItsRecordsAndIsStillCurrentAfterARestart) {
  MakePlayer("Ada");
  MakePlayer("Bo", false);
  AddLevel("001");
  AddLevel("mine", 1);
  testsupport::WriteWholeFile(ProfileFolder() + "Adas.ini", "001=1\r\n");
  testsupport::WriteWholeFile(ProfileFolder() + "Adac.ini", "MINE=1\r\n");
  testsupport::WriteWholeFile(ProfileFolder() + "Adab.ini", "001=3,100,9000,4\r\n");
  // Against the clock: the levels won and the bests.
  testsupport::WriteWholeFile(ProfileFolder() + "Ada~s.ini", "002=1\r\n");
  testsupport::WriteWholeFile(ProfileFolder() + "Ada~b.ini", "002=2,50,60000,9\r\n");
  testsupport::WriteWholeFile(ProfileFolder() + "Ada.save", "shared");
  auto manager = StartWithManager();
  ASSERT_NE(manager, nullptr);
  // The current player is marked; the question names the player it deletes.
  EXPECT_EQ(manager->ListBox->Labels,
            (std::vector<std::string>{modetext::WithWord(Text("Current Player"), "Ada"), "Bo"}));
  manager->ListBox->SetIndex(1);
  ClickButton(*manager->Menu, "Delete", 20);
  ASSERT_NE(manager->DialogYesNo, nullptr);
  EXPECT_EQ(manager->DialogYesNo->Caption->Text,
            modetext::WithWord(Text("Player Delete Player"), "Bo"));
  Key("n", 30);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Bo.dat"), plat::FILETYPE_FILE);

  // Another player's name, whatever its case, is refused; the prompt stays.
  manager->ListBox->SetIndex(0);
  ClickButton(*manager->Menu, "Rename", 20);
  ASSERT_NE(manager->EnterName, nullptr);
  EXPECT_EQ(manager->EnterName->TextInput.Text, "Ada");
  Shot("players-rename");
  auto clear = [&] { manager->EnterName->TextInput.SetText(""); };
  clear();
  Type("bO");
  ASSERT_NE(manager->EnterName->DialogOK, nullptr);
  EXPECT_EQ(manager->EnterName->DialogOK->Caption->Text, Text("Name Error"));
  Key("enter", 30);
  // A change of letter case alone is allowed; the files follow it.
  clear();
  Type("aDA");
  EXPECT_EQ(manager->EnterName, nullptr);
  EXPECT_EQ(manager->SelectedName(), "ADA");
  EXPECT_EQ(manager->Names(), (std::vector<std::string>{"ADA", "Bo"}));
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "ADAs.ini"), "001=1\r\n");
  EXPECT_EQ(Game->ProfileName, "ADA");

  // A rename that cannot write one of its files changes nothing.
  plat::CreateDir(ProfileFolder() +
                  "Zoë"
                  "c.ini");
  ClickButton(*manager->Menu, "Rename", 20);
  clear();
  Type("zoë");
  ASSERT_NE(manager->EnterName, nullptr);
  ASSERT_NE(manager->EnterName->DialogOK, nullptr);
  EXPECT_EQ(manager->EnterName->DialogOK->Caption->Text, Text("Rename Failed"));
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Zoë.dat"), plat::FILETYPE_NONE);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Zoës.ini"), plat::FILETYPE_NONE);
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "ADAc.ini"), "MINE=1\r\n");
  EXPECT_EQ(Game->ProfileName, "ADA");
  Key("enter", 30);
  plat::DeleteDir(ProfileFolder() +
                  "Zoë"
                  "c.ini");
  clear();
  Type("zoë");
  EXPECT_EQ(manager->EnterName, nullptr);
  EXPECT_EQ(manager->Names(), (std::vector<std::string>{"Bo", "Zoë"}));
  EXPECT_EQ(manager->SelectedName(), "Zoë");
  for (const char* gone :
       {"ADA.dat", "ADAs.ini", "ADAc.ini", "ADAb.ini", "ADA~s.ini", "ADA~b.ini"}) {
    EXPECT_EQ(plat::FileType(ProfileFolder() + gone), plat::FILETYPE_NONE) << gone;
  }
  // (Through the platform, which spells the accented name as the file
  // system does.)
  auto read = [&](const std::string& file) {
    std::vector<uint8_t> bytes;
    plat::LoadBytes(ProfileFolder() + file, bytes);
    return std::string(bytes.begin(), bytes.end());
  };
  EXPECT_EQ(read("Zoës.ini"), "001=1\r\n");
  EXPECT_EQ(read("Zoë"
                 "b.ini"),
            "001=3,100,9000,4\r\n");
  EXPECT_EQ(read("Zoë"
                 "c.ini"),
            "MINE=1\r\n");
  EXPECT_EQ(read("Zoë~s.ini"), "002=1\r\n");
  EXPECT_EQ(read("Zoë~b.ini"), "002=2,50,60000,9\r\n");
  // Shared files keep their names.
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "Ada.save"), "shared");
  EXPECT_NE(ReadWholeFile(SettingsFile()).find("PROFILE NAME=Zoë\r\n"), std::string::npos);
  ClickButton(*manager->Menu, "OK", 10);
  EXPECT_EQ(host_.Result, 1);

  // The next start knows the player by its new name, with its records.
  ASSERT_TRUE(RestartGame());
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  ASSERT_EQ(ChoosePlayerAtStart(), TStartPlayer::Ready);
  EXPECT_EQ(Game->CurrentProfile->Name, "Zoë");
  ASSERT_TRUE(TGameScreens::ChangeTo(Screens->Play.get()));
  ASSERT_TRUE(RunUntilShown(Screens->Play.get()));
  ASSERT_NE(Screens->Play->StandardLevelList, nullptr);
  EXPECT_EQ(Screens->Play->StandardLevelList->LevelCompletedList.front(), "1");
  Shot("levels-after-rename");
}

}  // namespace
