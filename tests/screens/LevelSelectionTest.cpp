// The level selection through the real game, headless: pages of eight with
// the last page always full, the arrow keys at the page ends, a double
// click that selects and starts, the way back from a level to its page with
// its check mark, the player's own levels with the editor, and levels or
// saved games that cannot be read.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include "GameDialogs.h"
#include "GameResources.h"
#include "Globals.h"
#include "ScreenTestSupport.h"
#include "TCellBox.h"
#include "TCompletionFile.h"
#include "TDialogOK.h"
#include "TDialogTextInput.h"
#include "TGameGUI.h"
#include "TGameMenu.h"
#include "TGameMode.h"
#include "TGameModeEditor.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TPlayScreen.h"
#include "TPlayerFiles.h"
#include "TSaveGameManager.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TVListBox.h"
#include "TestSupport.h"
#include "TextCase.h"

namespace {

using screentest::ScreenTest;

class LevelSelection : public ScreenTest {
 protected:
  void StartOnLevels() {
    MakePlayer("Ada");
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(OpenLevelSelection());
  }
  TPlayScreen& Play() const { return *Screens->Play; }
  TVLevelList& Standard() const { return *Screens->Play->StandardLevelList; }
  static std::string Name(int n) {
    std::string digits = std::to_string(n);
    return std::string(3 - digits.size(), '0') + digits;
  }
  // "backtomenu" from the in-game menu; nothing was played since the level
  // started or was resumed, so nothing is asked.
  void ExitPlaying() {
    TGameScreen& game = *Screens->GameScreen;
    ASSERT_TRUE(Key("esc", 60));
    ASSERT_TRUE(game.InGameMenu->Active);
    ASSERT_TRUE(ClickButton(game.InGameMenu->Buttons(), "backtomenu", 0));
    ASSERT_EQ(game.GUI->Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
    ASSERT_TRUE(RunUntilShown(Screens->Play.get()));
  }
};

TEST_F(LevelSelection, ThirteenLevelsMakeTwoFullPagesAndTheArrowKeysStopAtTheEnds) {
  for (int n = 1; n <= 13; ++n) AddLevel(Name(n));
  StartOnLevels();
  TVLevelList& list = Standard();
  ASSERT_EQ(list.LevelList.size(), 13u);
  EXPECT_EQ(list.LevelList.front(), "001");
  EXPECT_EQ(list.LevelList.back(), "013");
  EXPECT_EQ(list.CurrentPagePosition, 0);
  EXPECT_EQ(list.CurrentLevel, "001");
  EXPECT_EQ(list.ImageList.size(), 8u);
  // The size told is the number of marble cells to clear.
  EXPECT_EQ(list.LevelSizeList.front(), "2");
  EXPECT_EQ(list.PageText(), "Page 1 of 2 · Stars 0 / 24");
  ASSERT_NE(list.ImageList.front(), nullptr);
  Shot("levels");

  // Left on the first item of the first page: nothing moves.
  ASSERT_TRUE(Key("left"));
  EXPECT_EQ(list.CurrentPagePosition, 0);
  EXPECT_EQ(list.CurrentLevelID, 0);
  EXPECT_EQ(list.CurrentLevel, "001");

  // The next page is the last eight: levels 6..13.
  ASSERT_TRUE(ClickButton(list.NavigationMenu.get(), "arrowRight"));
  EXPECT_EQ(list.CurrentPagePosition, 5);
  EXPECT_EQ(list.CurrentLevel, "006");
  ASSERT_EQ(list.ImageList.size(), 8u);
  EXPECT_EQ(list.DisplayName(list.LevelList[9]), "10");
  EXPECT_EQ(list.PageText(), "Page 2 of 2 · Stars 0 / 24");
  Shot("levels-last-page");
  for (int i = 0; i < 7; ++i) ASSERT_TRUE(Key("right", 1));
  EXPECT_EQ(list.CurrentLevelID, 7);
  EXPECT_EQ(list.CurrentLevel, "013");
  ASSERT_TRUE(Key("right"));  // the last item of the last page stays
  EXPECT_EQ(list.CurrentPagePosition, 5);
  EXPECT_EQ(list.CurrentLevel, "013");
  ASSERT_TRUE(Key("up"));
  EXPECT_EQ(list.CurrentLevel, "009");
  ASSERT_TRUE(Key("down"));
  EXPECT_EQ(list.CurrentLevel, "013");

  // A click selects; Left at the first item goes to the last of the page before.
  ASSERT_TRUE(Click(TVLevelList::ItemX[0], TVLevelList::ItemY[0]));
  EXPECT_EQ(list.CurrentLevel, "006");
  ASSERT_TRUE(Key("left"));
  EXPECT_EQ(list.CurrentPagePosition, 0);
  EXPECT_EQ(list.CurrentLevelID, 7);
  EXPECT_EQ(list.CurrentLevel, "008");
  ASSERT_TRUE(ClickButton(list.NavigationMenu.get(), "arrowLeft"));
  EXPECT_EQ(list.CurrentLevel, "001");
  // Up from the first item of the lower row: the item above it.
  ASSERT_TRUE(Key("down"));
  EXPECT_EQ(list.CurrentLevelID, 4);
  EXPECT_EQ(list.CurrentLevel, "005");
  ASSERT_TRUE(Key("up"));
  EXPECT_EQ(list.CurrentLevelID, 0);
  EXPECT_EQ(list.CurrentLevel, "001");
}

TEST_F(LevelSelection, CustomLevelsSortWithoutLetterCaseAndOpenUnderTheirOwnFileNames) {
  AddLevel("001");
  AddLevel("Banana", 1);
  AddLevel("cherry", 1);
  AddLevel(
      "\xc3\x89"
      "clair",
      1);  // "Éclair": UTF-8 on disk
  AddLevel("apple", 1);
  StartOnLevels();
  ASSERT_TRUE(ClickButton(Play().LevelTypeMenu.get(), "customlevel"));
  ASSERT_NE(Play().CustomLevelList, nullptr);
  TVLevelList& custom = *Play().CustomLevelList;
  EXPECT_EQ(custom.LevelList, (std::vector<std::string>{"apple", "Banana", "cherry",
                                                        "\xc3\x89"
                                                        "clair"}));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(Key("right", 1));
  EXPECT_EQ(custom.CurrentLevel,
            "\xc3\x89"
            "clair");
  EXPECT_NE(custom.ImageList[3], nullptr);
  EXPECT_EQ(custom.LevelSizeList[3], "2");
  Shot("levels-custom-sorted");
  ASSERT_TRUE(Key("enter", 0));
  TGameScreen& game = *Screens->GameScreen;
  ASSERT_TRUE(RunUntilShown(&game));
  EXPECT_EQ(game.GamePlay.CurrentLevel, ProfileFolder() +
                                            "\xc3\x89"
                                            "clair.layout");
  EXPECT_EQ(game.GamePlay.IsCustomLevel, 1);
}

TEST_F(LevelSelection, ADoubleClickStartsTheLevelAndComingBackSelectsItWithItsCheckMark) {
  for (int n = 1; n <= 10; ++n) AddLevel(Name(n));
  StartOnLevels();
  // The second click of a double click on item 1 of the second page.
  ASSERT_TRUE(ClickButton(Standard().NavigationMenu.get(), "arrowRight"));
  ASSERT_EQ(Standard().CurrentPagePosition, 2);
  int x = TVLevelList::ItemX[1], y = TVLevelList::ItemY[0];
  Script("1 move " + std::to_string(x) + " " + std::to_string(y) +
         "\n2 down left\n3 up left\n30 down left\n31 up left");
  ASSERT_TRUE(Steps(32));
  EXPECT_EQ(Standard().CurrentLevel, "004");
  EXPECT_TRUE(Game->GameFade.Active);
  TGameScreen& game = *Screens->GameScreen;
  ASSERT_TRUE(RunUntilShown(&game));
  EXPECT_EQ(game.GamePlay.CurrentLevel, Game->DataPrefix + "layouts/004.layout");
  EXPECT_EQ(game.GamePlay.IsCustomLevel, 0);
  ASSERT_TRUE(Steps(60));
  Shot("game");

  // The game screen records a won level; the page shows it on return.
  TCompletionFile record(TPlayerFiles::Path(ProfileFolder(), "Ada", TPlayerFiles::StandardRecord));
  ASSERT_TRUE(record.MarkCompleted(game.GamePlay.CurrentLevel));
  ExitPlaying();
  // The page that holds the level (levels 1..8), the level selected and
  // marked finished.
  TVLevelList& list = Standard();
  EXPECT_EQ(list.CurrentPagePosition, 0);
  EXPECT_EQ(list.CurrentLevel, "004");
  EXPECT_EQ(list.CurrentLevelID, 3);
  ASSERT_EQ(list.LevelCompletedList.size(), 8u);
  EXPECT_EQ(list.LevelCompletedList[3], "1");
  EXPECT_EQ(list.LevelCompletedList[2], "0");
  Shot("levels-after-level");

  // "playsmall" (Enter) starts the selected level; then back to the title,
  // which asks for no name.
  ASSERT_TRUE(Key("enter", 0));
  ASSERT_TRUE(RunUntilShown(&game));
  EXPECT_EQ(game.GamePlay.CurrentLevel, Game->DataPrefix + "layouts/004.layout");
  ExitPlaying();
  ASSERT_TRUE(ClickButton(Play().MainMenu.get(), "back"));
  ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
  EXPECT_EQ(Screens->Title->EnterName, nullptr);
  EXPECT_EQ(Screens->Title->PlayerManager, nullptr);
}

TEST_F(LevelSelection, AnEmptyCustomListStartsNothingAndTheEditorSavesALevelThatThenShows) {
  AddLevel("001");
  std::string painted = AddLevel("painted", {"", "", "  cccccc", "  .mm...", "  ......"}, 0);
  StartOnLevels();
  TPlayScreen& play = Play();
  ASSERT_TRUE(ClickButton(play.LevelTypeMenu.get(), "customlevel"));
  ASSERT_NE(play.CustomLevelList, nullptr);
  EXPECT_EQ(play.StandardLevelList, nullptr);
  EXPECT_TRUE(play.CustomLevelList->LevelList.empty());
  ASSERT_TRUE(ClickButton(play.MainMenu.get(), "playsmall", 10));
  EXPECT_FALSE(Game->GameFade.Active);
  EXPECT_EQ(Current(), &play);
  Shot("levels-custom-empty");

  // The editor: a board painted, saved under a typed name.
  ASSERT_TRUE(ClickButton(play.MainMenu.get(), "custom", 0));
  TGameScreen& game = *Screens->GameScreen;
  ASSERT_TRUE(RunUntilShown(&game));
  ASSERT_EQ(game.State.stateCustomMode, 1);
  ASSERT_NE(game.GamePlay.Editor(), nullptr);
  ASSERT_EQ(game.GamePlay.Editor()->LoadLayout(painted), 1);
  ASSERT_TRUE(ClickButton(game.GUI->CustomMenu.get(), "savecustom", 60));
  ASSERT_NE(game.GUI->Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  Script("1 char m\n2 char i\n3 char n\n4 char e\n6 key enter");
  ASSERT_TRUE(Steps(80));
  EXPECT_EQ(game.GUI->Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  ASSERT_EQ(plat::FileType(ProfileFolder() + "mine.layout"), plat::FILETYPE_FILE);
  ASSERT_NE(game.GUI->Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);  // "Level saved"
  Key("enter", 30);
  Shot("editor");

  // Saved: the editor is left without a question.
  ASSERT_TRUE(ClickButton(game.GUI->CustomMenu.get(), "backtomenu", 0));
  ASSERT_EQ(game.GUI->Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
  ASSERT_TRUE(RunUntilShown(&play));
  // Back from the editor, the custom list shows the new level.
  ASSERT_NE(play.CustomLevelList, nullptr);
  TVLevelList& custom = *play.CustomLevelList;
  ASSERT_EQ(custom.LevelList.size(), 1u);
  // The name as typed, its first letter made upper case.
  EXPECT_EQ(custom.LevelList[0], "Mine");
  EXPECT_EQ(custom.DisplayName("Mine"), "Mine");
  ASSERT_EQ(custom.ImageList.size(), 1u);
  EXPECT_NE(custom.ImageList[0], nullptr);
  EXPECT_EQ(custom.LevelSizeList[0], "2");
  Shot("levels-custom");
}

TEST_F(LevelSelection, ADamagedLevelOfThePlayersIsRefusedAndOneOfTheGamesOwnIsFatal) {
  AddLevel("001");
  AddLevel("002");
  const std::string whole = testsupport::ReadWholeFile(GameFolder() + "layouts/001.layout");
  // What the game itself never writes: nothing, NUL bytes, a file cut
  // before its last row, a level without a marble cell.
  std::string noMarble = whole;
  std::replace(noMarble.begin(), noMarble.end(), '2', '1');
  testsupport::WriteWholeFile(ProfileFolder() + "Cut.layout", whole.substr(0, 500));
  testsupport::WriteWholeFile(ProfileFolder() + "Empty.layout", "");
  testsupport::WriteWholeFile(ProfileFolder() + "Marbleless.layout", noMarble);
  testsupport::WriteWholeFile(ProfileFolder() + "Zeros.layout", std::string(whole.size(), '\0'));
  StartOnLevels();
  ASSERT_TRUE(ClickButton(Play().LevelTypeMenu.get(), TPlayScreen::CustomType, 20));
  ASSERT_NE(Play().CustomLevelList, nullptr);
  TVLevelList& custom = *Play().CustomLevelList;
  ASSERT_EQ(custom.LevelList, (std::vector<std::string>{"Cut", "Empty", "Marbleless", "Zeros"}));
  for (int item = 0; item < 4; ++item) {
    SCOPED_TRACE(custom.LevelList[size_t(item)]);
    EXPECT_EQ(custom.ImageList[size_t(item)], nullptr);
    Script("1 move " + std::to_string(TVLevelList::ItemX[item]) + " " +
           std::to_string(TVLevelList::ItemY[0]) +
           "\n2 down left\n3 up left\n20 down left\n21 up left");
    ASSERT_TRUE(Steps(60));
    ASSERT_NE(Play().Message, nullptr);
    EXPECT_FALSE(Game->GameFade.Active);
    if (item == 1) Shot("levels-unreadable");
    ASSERT_TRUE(Key("enter", 60));
    EXPECT_EQ(Current(), &Play());
  }
  EXPECT_EQ(testsupport::ReadWholeFile(ProfileFolder() + "Adac.ini"), "");

  // One of the game's own levels damaged: the install is broken.
  testsupport::WriteWholeFile(GameFolder() + "layouts/002.layout", whole.substr(0, 500));
  ASSERT_TRUE(ClickButton(Play().LevelTypeMenu.get(), TPlayScreen::StandardType, 20));
  Script("1 move " + std::to_string(TVLevelList::ItemX[1]) + " " +
         std::to_string(TVLevelList::ItemY[0]) +
         "\n2 down left\n3 up left\n20 down left\n21 up left");
  EXPECT_THROW(Steps(60), TFatalError);
  EXPECT_EQ(testsupport::ReadWholeFile(ProfileFolder() + "Adas.ini"), "");
}

TEST_F(LevelSelection, LoadResumesASavedGame) {
  AddLevel("001");
  AddLevel("002");
  StartOnLevels();
  TGameScreen& game = *Screens->GameScreen;
  // A game saved in level 002.
  ASSERT_TRUE(Key("right", 1));
  ASSERT_TRUE(Key("enter", 0));
  ASSERT_TRUE(RunUntilShown(&game));
  ASSERT_EQ(game.GamePlay.GameMode->SaveGame(ProfileFolder() + "second"), 1);
  ExitPlaying();
  // Level 001 is played meanwhile, then the saved game is chosen.
  ASSERT_TRUE(Key("left", 1));
  ASSERT_TRUE(ClickButton(Play().MainMenu.get(), "load", 60));
  ASSERT_NE(Play().SaveGameManager, nullptr);
  TSaveGameManager& manager = *Play().SaveGameManager;
  ASSERT_EQ(manager.ListBox->Strings.size(), 1u);
  manager.ListBox->SetIndex(0);
  Shot("levels-load");
  ASSERT_TRUE(ClickButton(manager.Menu.get(), "load", 0));
  ASSERT_TRUE(RunUntilShown(&game));
  EXPECT_EQ(FileStem(game.GamePlay.CurrentLevel), "002");
}

TEST_F(LevelSelection, AnEmptyCutOrDamagedSavedGameIsRefusedAndNothingIsRecorded) {
  AddLevel("001");
  StartOnLevels();
  TGameScreen& game = *Screens->GameScreen;
  ASSERT_TRUE(Key("enter", 0));
  ASSERT_TRUE(RunUntilShown(&game));
  ASSERT_EQ(game.GamePlay.GameMode->SaveGame(ProfileFolder() + "whole"), 1);
  ExitPlaying();
  const std::string whole = testsupport::ReadWholeFile(ProfileFolder() + "whole.save");
  ASSERT_GT(whole.size(), 2000u);
  // A full disk or a crash: nothing at all, or the file cut before its end.
  testsupport::WriteWholeFile(ProfileFolder() + "cut.save", whole.substr(0, whole.size() - 30));
  testsupport::WriteWholeFile(ProfileFolder() + "empty.save", "");
  // Whole in form, but the jewels of the board in play are NUL bytes or
  // colours no jewel has: a free win if it were played.
  // Line 70 is the first jewel row of the board in play: the header, the
  // time, the score and the first deal's five blocks of "-" and 12 rows come
  // before it.
  size_t jewels = 0;
  for (int line = 1; line < 70; ++line) jewels = whole.find("\r\n", jewels) + 2;
  for (const auto& [name, digit] : {std::pair{"nines", '9'}, std::pair{"zeros", '\0'}}) {
    std::string damaged = whole;
    for (int row = 0; row < 12; ++row) {
      damaged.replace(jewels + size_t(row) * 18, 16, std::string(16, digit));
    }
    testsupport::WriteWholeFile(ProfileFolder() + name + ".save", damaged);
  }
  const std::string table = testsupport::ReadWholeFile(ProfileFolder() + "highscores.hsdat");
  const std::vector<std::string> saves = {"cut", "empty", "nines", "whole", "zeros"};
  for (const char* name : {"cut", "empty", "nines", "zeros"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(ClickButton(Play().MainMenu.get(), "load", 60));
    ASSERT_NE(Play().SaveGameManager, nullptr);
    TSaveGameManager& manager = *Play().SaveGameManager;
    ASSERT_EQ(manager.ListBox->Strings, saves);
    manager.ListBox->SetIndex(int(std::find(saves.begin(), saves.end(), name) - saves.begin()));
    ASSERT_TRUE(ClickButton(manager.Menu.get(), "load", 60));
    ASSERT_NE(Play().Message, nullptr);
    EXPECT_EQ(Play().Message->Caption->Text,
              "Could not read the file ‘" + std::string(name) + ".save’");
    if (std::string(name) == "empty") Shot("levels-empty-save");
    ASSERT_TRUE(Steps(100));
    EXPECT_EQ(Current(), &Play());
    EXPECT_EQ(game.State.stateFinished, 0);
    ASSERT_TRUE(Key("enter", 60));
    EXPECT_EQ(Play().Message, nullptr);
  }
  // No level was won: no completion line, the table as it was.
  EXPECT_EQ(testsupport::ReadWholeFile(ProfileFolder() + "Adas.ini"), "");
  EXPECT_EQ(testsupport::ReadWholeFile(ProfileFolder() + "highscores.hsdat"), table);
}

}  // namespace
