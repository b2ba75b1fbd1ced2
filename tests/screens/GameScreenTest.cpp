// The game screen in the real game, headless, driven by scripted input: a
// level played to its end panel, the next puzzle, the in-game menu and its
// questions, the background cycle, the level clock, the save-game chooser
// and the music after leaving the game.
#include <gtest/gtest.h>

#include <algorithm>

#include "AudioInternal.h"
#include "BoardGrid.h"
#include "DrawRecord.h"
#include "FileTimes.h"
#include "GameDialogs.h"
#include "GameResources.h"
#include "Globals.h"
#include "LanguageForms.h"
#include "LevelTitle.h"
#include "PlayerSelection.h"
#include "ScreenTestSupport.h"
#include "TBottomBox.h"
#include "TCell.h"
#include "TCellBox.h"
#include "TCompletionFile.h"
#include "TGameGUI.h"
#include "TGameMenu.h"
#include "TGameMenuPage.h"
#include "TGameMode.h"
#include "TGameModeEditor.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TLayoutCell.h"
#include "TLevelClock.h"
#include "TModeText.h"
#include "TParticleList.h"
#include "TPlayerFiles.h"
#include "TSaveGameManager.h"
#include "TStandardLevels.h"
#include "TTalvorineGame.h"
#include "TVEndLevelMenu.h"
#include "TVListBox.h"
#include "TVProfile.h"
#include "TextCase.h"

namespace {

using screentest::ScreenTest;
using testsupport::ReadWholeFile;

class GameScreen : public ScreenTest {
 protected:
  // Starts the game with player "Ada" and plays `level` (the small default
  // board, or these rows) on the game screen.
  void Play(const std::string& level, int custom = 0, const std::vector<std::string>& rows = {}) {
    MakePlayer("Ada");
    AddLevel("001");
    std::string path = rows.empty() ? AddLevel(level, custom) : AddLevel(level, rows, custom);
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
    ChoosePlayerAtStart();
    screen_.LoadHighScores();
    screen_.LeaveTo = Screens->FirstScreen();
    ASSERT_TRUE(screen_.StartLevel(path, custom));
    ASSERT_TRUE(RunUntilShown(&screen_));
  }
  // Starts the game with player "Ada" in the level editor.
  void Edit() {
    MakePlayer("Ada");
    ASSERT_TRUE(StartInEditor(screen_));
  }
  TGameGUI& Gui() { return *screen_.GUI; }
  TGamePlay& Playing() { return screen_.GamePlay; }

  // Every marble cell of the board turns normal: the level is won.
  void ClearMarbles() {
    TCellBox* board = Playing().GameMode->Board();
    for (int x = 0; x < 18; ++x) {
      for (int y = 0; y < 14; ++y) {
        TLayoutCell* cell = board->GetLayoutCellAtLocation(x, y);
        if (cell && cell->Contents == 2) cell->Contents = 1;
      }
    }
  }
  // A dialog over the in-game menu hides it: taking the menu's buttons away
  // changes no pixel within the dialog's panel.
  void ExpectMenuHiddenUnder(const TDialog& dialog) {
    ASSERT_TRUE(Steps(30));
    const plat::TPixmap over = Frame();
    TMenu& buttons = *screen_.InGameMenu->Buttons();
    float x = buttons.x;
    buttons.SetX(-2000);
    ASSERT_TRUE(Steps(1));
    int differ = 0;
    for (int py = std::max(0, dialog.y); py < std::min(600, dialog.y + dialog.h); ++py) {
      for (int px = std::max(0, dialog.x); px < std::min(800, dialog.x + dialog.w); ++px) {
        differ += (over.ReadPixel(px, py) & 0xFFFFFF) != Pixel(px, py) ? 1 : 0;
      }
    }
    buttons.SetX(x);
    EXPECT_EQ(differ, 0);
  }
  void ClickButton(TMenu& menu, const std::string& name, int stepsAfter = 10) {
    TButton* button = menu.FindButton(name);
    ASSERT_NE(button, nullptr) << name;
    Click(int(button->x) + button->w / 2, int(button->y) + button->h / 2, stepsAfter);
  }
  std::string Text(const std::string& key) { return GameText->FindString(key); }
  // Where the focus goes on each of a round of Tab presses.
  std::vector<const void*> FocusVisits(const TFocusRing& ring, int presses) {
    std::vector<const void*> visits;
    for (int i = 0; i < presses; ++i) {
      Key("tab", 3);
      visits.push_back(ring.Current());
    }
    return visits;
  }
  static bool Visits(const std::vector<const void*>& visits, const void* control) {
    return std::find(visits.begin(), visits.end(), control) != visits.end();
  }

  TGameScreen screen_;
};

TEST_F(GameScreen, ALevelWonShowsItsSummaryOnThePanelAndFireworksThenTheNextPuzzle) {
  Play("080");
  ASSERT_TRUE(Steps(30));
  Shot("gamescreen-level-name");
  Playing().Score = 1000;
  Playing().ScoreAdder = 20;
  ClearMarbles();
  ASSERT_TRUE(Steps(6));
  // Points still count up: the level is not over yet.
  EXPECT_EQ(screen_.State.stateFinished, 0);
  ASSERT_TRUE(RunUntil([&] { return screen_.State.stateFinished == 1; }, 100));
  EXPECT_EQ(Playing().ScoreAdder, 0);
  EXPECT_EQ(Playing().Score, 1020);
  EXPECT_TRUE(LevelClock.IsPaused());
  // The completion record and the table, written at once.
  EXPECT_NE(ReadWholeFile(ProfileFolder() + "Adas.ini").find("080=1"), std::string::npos);
  // The panel says what was done, the high-score place with it: no message
  // lies over it.
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  TVEndLevelMenu& panel = *Gui().endLevelMenu;
  EXPECT_EQ(panel.Title, modetext::WithWord(Text("Level Complete"), "Level 80"));
  ASSERT_EQ(panel.Summary.size(), 4u);
  EXPECT_EQ(panel.Summary[0], Text("Score") + "1020");
  EXPECT_EQ(panel.Summary[1],
            modetext::WithWord(Text("Level Time"), PlayingTimeText(LevelClock.Elapsed())));
  // The moves (none were made here); a level without par earns no stars.
  EXPECT_EQ(panel.Summary[2], "Moves: 0");
  EXPECT_EQ(panel.Stars, TVEndLevelMenu::NoStars);
  EXPECT_EQ(panel.Summary[3], "Well done! You reached place 1!");
  // Its buttons stand below the summary, inside the panel picture.
  TMenu& buttons = *panel.Menu;
  EXPECT_GT(buttons.Buttons.front()->y, float(panel.Y));
  EXPECT_LT(buttons.Buttons.back()->y + float(buttons.Buttons.back()->h), float(panel.Y + 180));
  std::string table = ReadWholeFile(ProfileFolder() + "highscores.hsdat");
  ASSERT_GE(table.size(), 8u);
  EXPECT_EQ(table.substr(0, 4), "GSU8");
  EXPECT_EQ(uint8_t(table[7]), 0);  // "Ada" and its terminator
  EXPECT_EQ(uint8_t(table[8]) | uint8_t(table[9]) << 8, 1020);
  EXPECT_EQ(screen_.HighscoreList.Entries.front().name, "Ada");

  ASSERT_TRUE(Steps(120));
  ASSERT_NE(Playing().ParticleList, nullptr);
  EXPECT_GT(Playing().ParticleList->Count(), 0u);
  Shot("gamescreen-won");
  Shot("gamescreen-endpanel");
  // (A won level loses nothing: the panel's restart and leave ask no
  // question; see WinRestartWin below.)
  // After level 080 comes level 001.
  ClickButton(*Gui().endLevelMenu->Menu, "nextpuzzle", 5);
  ASSERT_TRUE(RunUntil([&] { return Game->GameFade.Active; }, 20));
  ASSERT_TRUE(RunUntilShown(&screen_));
  EXPECT_EQ(FileStem(Playing().CurrentLevel), "001");
  EXPECT_EQ(screen_.State.stateFinished, 0);
  EXPECT_EQ(Playing().Score, 0);
}

TEST_F(GameScreen, AMissingSuccessorLeadsToTheFirstLevel) {
  EXPECT_EQ(FileStem(TStandardLevels::NextPath("layouts/080.layout")), "001");
  Play("005");
  EXPECT_EQ(FileStem(TStandardLevels::NextPath(Playing().CurrentLevel)), "001");
  AddLevel("006");
  EXPECT_EQ(FileStem(TStandardLevels::NextPath(Playing().CurrentLevel)), "006");
  EXPECT_EQ(FileStem(TStandardLevels::NextPath("layouts/mine.layout")), "001");
}

TEST_F(GameScreen, NextPuzzleGoesFromOneDigitToTwo) {
  AddLevel("008");
  AddLevel("010");
  Play("009");
  EXPECT_EQ(FileStem(TStandardLevels::NextPath(Playing().CurrentLevel)), "010");
  EXPECT_EQ(FileStem(TStandardLevels::NextPath("layouts/008.layout")), "009");
  Playing().Score = 0;  // no place in the table: no message over the panel
  ClearMarbles();
  ASSERT_TRUE(RunUntil([&] { return screen_.State.stateFinished == 1; }, 100));
  ASSERT_TRUE(Steps(60));
  ASSERT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  ClickButton(*Gui().endLevelMenu->Menu, "nextpuzzle", 5);
  ASSERT_TRUE(RunUntil([&] { return Game->GameFade.Active; }, 20));
  ASSERT_TRUE(RunUntilShown(&screen_));
  EXPECT_EQ(FileStem(Playing().CurrentLevel), "010");
  EXPECT_EQ(Playing().IsCustomLevel, 0);
}

TEST_F(GameScreen, AFinishedCustomLevelOffersRestartAndBackOnlyCentred) {
  Play("mine", 1);
  Playing().Score = 0;
  ClearMarbles();
  ASSERT_TRUE(RunUntil([&] { return screen_.State.stateFinished == 1; }, 100));
  ASSERT_TRUE(Steps(10));
  // No place in the table: no message.
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_NE(ReadWholeFile(ProfileFolder() + "Adac.ini").find("MINE=1"), std::string::npos);
  TMenu& panel = *Gui().endLevelMenu->Menu;
  EXPECT_EQ(panel.FindButton("nextpuzzle"), nullptr);
  ASSERT_NE(panel.FindButton("restartpuzzle"), nullptr);
  ASSERT_NE(panel.FindButton("backtomenu"), nullptr);
  EXPECT_NEAR(panel.CalcWidth() / 2.0 + panel.Buttons.front()->x, 400.0, 1.0);
  // Below the summary, which names the level and tells it made no place.
  EXPECT_EQ(Gui().endLevelMenu->Title, modetext::WithWord(Text("Level Complete"), "mine"));
  EXPECT_EQ(Gui().endLevelMenu->Summary.back(), Text("No Highscore Place"));
  EXPECT_GT(panel.Buttons.front()->y, 300.0f);
  Shot("gamescreen-custom-endpanel");
  // "savegame" in the in-game menu does nothing on a finished level.
  Key("esc", 60);
  ASSERT_EQ(screen_.InGameMenu->Active, 1);
  ClickButton(*screen_.InGameMenu->Buttons(), "savegame");
  EXPECT_EQ(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  // Restart from the menu: the first deal again, the panel gone; a won
  // level loses nothing, so nothing is asked.
  ClickButton(*screen_.InGameMenu->Buttons(), "restartpuzzle", 60);
  EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::RestartInput), nullptr);
  EXPECT_EQ(screen_.State.stateFinished, 0);
  EXPECT_EQ(screen_.InGameMenu->Active, 0);
}

// Options and help from the in-game menu open over the level: the clock
// keeps still, the screen stays, and the level goes on where it stood.
TEST_F(GameScreen, OptionsAndHelpOpenOverTheLevelWithTheClockStill) {
  Play("005");
  ASSERT_TRUE(Steps(200));
  const std::string level = Playing().CurrentLevel;
  const int score = Playing().Score;
  Key("esc", 60);
  ASSERT_EQ(screen_.InGameMenu->Active, 1);
  const int played = LevelClock.Elapsed();
  TGameMenu& menu = *screen_.InGameMenu;
  ClickButton(*menu.Buttons(), "options", 30);
  ASSERT_NE(menu.Page, nullptr);
  TGameMenuPage& options = *menu.Page;
  EXPECT_EQ(options.Kind, TGameMenuPage::TKind::Options);
  EXPECT_EQ(options.Options.OptionsMenu->FindButton("language")->Disabled, 1);
  // The keys: the first Tab shows the focus on the music volume, Left lowers it.
  int volume = Game->MusicVolume;
  Key("tab", 3);
  EXPECT_EQ(options.Focus.Current(), static_cast<TFocusItem*>(options.Options.MusicSlider.get()));
  Key("left", 3);
  EXPECT_EQ(Game->MusicVolume, std::max(0, volume - 5));
  ASSERT_TRUE(Steps(200));
  Shot("gamescreen-options-page");
  Key("esc", 10);  // back to the menu, not out of it
  EXPECT_EQ(menu.Page, nullptr);
  EXPECT_EQ(menu.Active, 1);
  EXPECT_NE(ReadWholeFile(SettingsFile())
                .find("MUSIC VOLUME=" + std::to_string(Game->MusicVolume) + "\r\n"),
            std::string::npos);
  ClickButton(*menu.Buttons(), "help", 30);
  ASSERT_NE(menu.Page, nullptr);
  EXPECT_EQ(menu.Page->Kind, TGameMenuPage::TKind::Help);
  Shot("gamescreen-help-page");
  Key("enter", 10);  // "ok"
  EXPECT_EQ(menu.Page, nullptr);
  // Back in the menu after a key: the focus shows on the button that led away.
  EXPECT_TRUE(menu.Focus.Shown());
  EXPECT_EQ(menu.Focus.Current(), menu.Buttons()->FindButton("help"));
  // Seconds went by; the level neither ended nor counted them.
  EXPECT_EQ(LevelClock.Elapsed(), played);
  EXPECT_EQ(Current(), &screen_);
  EXPECT_EQ(Playing().CurrentLevel, level);
  EXPECT_EQ(Playing().Score, score);
  EXPECT_EQ(screen_.State.stateFinished, 0);
  Key("esc", 100);
  EXPECT_EQ(menu.Active, 0);
  EXPECT_GT(LevelClock.Elapsed(), played);
}

TEST_F(GameScreen, TheInGameMenuStopsTheClockAndSavesTheGame) {
  Play("005");
  ASSERT_TRUE(Steps(400));
  int played = LevelClock.Elapsed();
  EXPECT_GT(played, 1500);
  Key("esc", 60);
  ASSERT_EQ(screen_.InGameMenu->Active, 1);
  ASSERT_TRUE(Steps(400));
  Shot("gamescreen-menu");
  // Two seconds in the menu did not count.
  EXPECT_EQ(LevelClock.Elapsed(), played);
  ClickButton(*screen_.InGameMenu->Buttons(), "savegame");
  ASSERT_NE(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  EXPECT_EQ(screen_.State.disableButtons, 1);
  ExpectMenuHiddenUnder(*Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput));
  Shot("gamescreen-savename");
  Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->TextInput.SetText("");
  Script("1 char Z\n2 char o\n3 char 235\n4 key enter");
  ASSERT_TRUE(Steps(20));
  EXPECT_EQ(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Zoë.save"), plat::FILETYPE_FILE);
  // "Game saved" is told; once it is closed the buttons are back.
  ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  ExpectMenuHiddenUnder(*Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput));
  Shot("gamescreen-saved-over-menu");
  Key("enter", 30);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_EQ(screen_.State.disableButtons, 0);
  // The menu is still open behind the question; Escape closes it and the
  // clock runs again.
  EXPECT_EQ(screen_.InGameMenu->Active, 1);
  Key("esc", 80);
  EXPECT_EQ(screen_.InGameMenu->Active, 0);
  ASSERT_TRUE(Steps(200));
  EXPECT_GT(LevelClock.Elapsed(), played + 800);
  // A line made since the save would be lost: "backtomenu" asks first.
  Playing().Match3()->AddPendingScore(25);
  ClickButton(*Gui().MainMenu, "menu", 60);
  ASSERT_EQ(screen_.InGameMenu->Active, 1);
  ClickButton(*screen_.InGameMenu->Buttons(), "backtomenu");
  ASSERT_NE(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
  ExpectMenuHiddenUnder(*Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput));
  Shot("gamescreen-quit");
  Key("enter", 5);
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
}

TEST_F(GameScreen, TheMusicComesBackAfterTheFadesToAndFromTheGame) {
  MakePlayer("Ada");
  std::string path = AddLevel("005");
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  if (!Game->MusicChannel) Game->MusicChannel = plat::AllocChannel();
  plat::TChannelPtr music = Game->MusicChannel;
  Game->MusicVolume = 80;
  // No track rotation (without a sound device every track ends at once and
  // the next one starts): only the screen fades move the channel.
  Game->Music = 0;
  screen_.LeaveTo = Screens->FirstScreen();
  ASSERT_TRUE(screen_.StartLevel(path, 0));
  ASSERT_TRUE(Steps(60));
  EXPECT_LT(plat::ProbeChannel(music).volume, 0.8);  // fading with the screen
  ASSERT_TRUE(RunUntilShown(&screen_));
  ASSERT_TRUE(Steps(400));
  EXPECT_NEAR(plat::ProbeChannel(music).volume, 0.8, 1e-6);
  // And back out through "backtomenu" (nothing played: nothing asked).
  Key("esc", 60);
  ClickButton(*screen_.InGameMenu->Buttons(), "backtomenu", 60);
  EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
  EXPECT_LT(plat::ProbeChannel(music).volume, 0.8);
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  ASSERT_TRUE(Steps(400));
  EXPECT_NEAR(plat::ProbeChannel(music).volume, 0.8, 1e-6);
}

TEST_F(GameScreen, BackgroundsCycleEvery150Seconds) {
  Play("005");
  int first = screen_.LastImage;
  plat::AdvanceClock(149000);
  ASSERT_TRUE(Steps(3));
  EXPECT_EQ(screen_.LastImage, first);
  for (int change = 1; change <= 5; ++change) {
    plat::AdvanceClock(150000);
    ASSERT_TRUE(Steps(3));
    EXPECT_EQ(screen_.LastImage, (first + change - 1) % 5 + 1);
    EXPECT_NE(screen_.CrossFade, nullptr);
    ASSERT_TRUE(Steps(450));  // the 2 s cross-fade ends
    EXPECT_EQ(screen_.CrossFade, nullptr);
  }
  EXPECT_EQ(screen_.LastImage, first);
}

TEST_F(GameScreen, TheSaveGameChooserScrollsDeletesAndCancels) {
  Play("005");
  for (int i = 1; i <= 12; ++i) {
    std::string name = (i < 10 ? "save0" : "save") + std::to_string(i);
    testsupport::WriteWholeFile(ProfileFolder() + name + ".save", "x");
  }
  testsupport::WriteWholeFile(ProfileFolder() + "other.SAVE", "x");
  Gui().ShowSaveGameManager();
  ASSERT_TRUE(Steps(30));
  TSaveGameManager& manager = *Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager);
  ASSERT_EQ(manager.ListBox->Strings.size(), 12u);
  EXPECT_EQ(manager.ListBox->Strings.front(), "save01");
  EXPECT_EQ(manager.StartList(), 0);
  EXPECT_EQ(manager.EndList(), 7);
  Shot("savegame-manager");
  for (int i = 0; i < 5; ++i) ClickButton(*manager.MenuArrowDown, "Down", 3);
  EXPECT_EQ(manager.StartList(), 4);
  EXPECT_EQ(manager.EndList(), 11);
  // The first line shown is "save05"; choose it and delete it.
  manager.ListBox->SetIndex(4);
  ClickButton(*manager.Menu, "Delete", 20);
  ASSERT_NE(manager.DialogYesNo, nullptr);
  Shot("savegame-manager-delete");
  Key("enter", 30);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "save05.save"), plat::FILETYPE_NONE);
  EXPECT_EQ(manager.ListBox->Strings.size(), 11u);
  EXPECT_EQ(manager.StartList(), 0);
  EXPECT_EQ(manager.EndList(), 7);
  EXPECT_EQ(manager.ListBox->Index, -1);
  // With nothing chosen, Load and Delete are greyed: the focus passes them
  // by, and "Load" does nothing.
  std::vector<const void*> visits = FocusVisits(manager.Focus, 8);
  EXPECT_TRUE(Visits(visits, manager.Menu->FindButton("Cancel")));
  for (const char* greyed : {"Load", "Delete"}) {
    EXPECT_FALSE(Visits(visits, manager.Menu->FindButton(greyed))) << greyed;
  }
  ClickButton(*manager.Menu, "Load", 5);
  ASSERT_NE(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  ClickButton(*manager.Menu, "Cancel", 5);
  EXPECT_EQ(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  EXPECT_EQ(screen_.State.disableButtons, 0);
  // A game that is gone by the time it is loaded is told; play goes on.
  Gui().ShowSaveGameManager();
  ASSERT_TRUE(Steps(30));
  Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager)->ListBox->SetIndex(0);
  plat::DeleteFile(ProfileFolder() + "save01.save");
  ClickButton(*Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager)->Menu, "Load", 20);
  EXPECT_EQ(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput)->Caption->Text.find("‘save01.save’"),
            std::string::npos);
  EXPECT_EQ(FileStem(Playing().CurrentLevel), "005");
  EXPECT_EQ(Playing().GameMode->Board()->GetLayoutCellMarbleCount(), 2);
}

TEST_F(GameScreen, ASaveIsOfferedANameToldAndTellsItselfApartInTheChooser) {
  Play("005");
  Playing().Score = 345;
  Key("esc", 60);
  ClickButton(*screen_.InGameMenu->Buttons(), "savegame");
  ASSERT_NE(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  // The level and the day are offered as the name.
  std::string offered =
      Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->TextInput.Text;
  const plat::TDateTime today = plat::LocalDateTime();
  EXPECT_EQ(offered, SaveNameSuggestion(Playing().CurrentLevel, 0, today, 14));
  // The day in the game's one form: "Level 5 9 Dec".
  static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::string day = std::to_string(today.day) + " " + months[today.month - 1];
  EXPECT_EQ(offered, "Level 5 " + day);
  // Where the day does not fit beside the level, the level is kept whole.
  EXPECT_EQ(SaveNameSuggestion(TStandardLevels::Path(TStandardLevels::Folder(), 80), 0,
                               {2026, 12, 10, 18, 27, 0}, 14),
            "Level 80");
  Shot("gamescreen-savename-offered");
  // The offer is selected: an arrow keeps it, Backspace clears it whole.
  Key("left", 5);
  EXPECT_EQ(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->TextInput.Text,
            offered);
  Key("backspace", 5);
  EXPECT_EQ(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->TextInput.Text,
            offered.substr(0, offered.size() - 1));
  Key("esc", 20);
  ClickButton(*screen_.InGameMenu->Buttons(), "savegame");
  Key("backspace", 5);
  EXPECT_EQ(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->TextInput.Text, "");
  Key("esc", 20);
  // The first letter typed replaces it.
  ClickButton(*screen_.InGameMenu->Buttons(), "savegame");
  Script(
      "1 char c\n2 char a\n3 char v\n4 char e\n5 char 32\n6 char r\n7 char u\n8 char n\n"
      "9 key enter");
  ASSERT_TRUE(Steps(20));
  EXPECT_EQ(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput)->Caption->Text, Text("Game Saved"));
  Shot("gamescreen-saved");
  Key("enter", 30);
  offered = "Cave run";
  std::string file = ProfileFolder() + offered + ".save";
  ASSERT_EQ(plat::FileType(file), plat::FILETYPE_FILE);

  // A lone save is selected already and tells its score and when it was saved.
  Gui().ShowSaveGameManager();
  ASSERT_TRUE(Steps(30));
  TSaveGameManager& one = *Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager);
  ASSERT_EQ(one.ListBox->Strings, std::vector<std::string>{offered});
  EXPECT_EQ(one.ListBox->Index, 0);
  ASSERT_EQ(one.ListBox->Details.size(), 1u);
  EXPECT_EQ(one.ListBox->Details[0],
            (std::vector<std::string>{
                "Level 5", "345", DateTimeText(plat::LocalDateTimeOf(plat::FileModified(file)))}));
  // The chooser writes the same day as the name it offered: "9 Dec 2026, 18:27".
  EXPECT_EQ(one.ListBox->Details[0][2].rfind(day + " ", 0), 0u) << one.ListBox->Details[0][2];
  EXPECT_EQ(one.Menu->FindButton("Load")->Disabled, 0);
  EXPECT_EQ(one.ListBox->Marked, std::vector<int>{0});
  Shot("savegame-manager-one");
  ClickButton(*one.Menu, "Cancel", 5);
  // Once its level is won, the save is kept and marked with a check.
  ASSERT_TRUE(
      TCompletionFile(TPlayerFiles::Path(Game->CurrentProfile->Name, TPlayerFiles::StandardRecord))
          .MarkCompleted(Playing().CurrentLevel));
  Gui().ShowSaveGameManager();
  ASSERT_TRUE(Steps(30));
  TSaveGameManager& manager = *Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager);
  EXPECT_EQ(manager.ListBox->Marked, std::vector<int>{1});
  Shot("savegame-manager-finished");
  const std::string saved = ReadWholeFile(file);
  // Deleted after a question that names it, the list says it is empty,
  // and "Load" and "Delete" are greyed.
  ClickButton(*manager.Menu, "Delete", 20);
  ASSERT_NE(manager.DialogYesNo, nullptr);
  EXPECT_EQ(manager.DialogYesNo->Caption->Text,
            modetext::WithWord(Text("Delete Saved Game"), "Cave run"));
  Key("enter", 30);
  EXPECT_EQ(plat::FileType(file), plat::FILETYPE_NONE);
  EXPECT_TRUE(manager.ListBox->Strings.empty());
  EXPECT_EQ(manager.ListBox->EmptyText, Text("No Saved Games"));
  EXPECT_EQ(manager.Menu->FindButton("Load")->Disabled, 1);
  EXPECT_EQ(manager.Menu->FindButton("Delete")->Disabled, 1);
  ASSERT_TRUE(Steps(10));
  Shot("savegame-manager-empty");
  ClickButton(*manager.Menu, "Load", 5);
  ASSERT_NE(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  ClickButton(*manager.Menu, "Cancel", 5);
  EXPECT_EQ(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);

  // Each line names its save's level: a custom level by its name, a save
  // from before saves named their level by the title the game gives it,
  // and a file that is no save by nothing.
  ASSERT_NE(saved.find("\r\nstandard "), std::string::npos);
  const std::string boards = saved.substr(0, saved.find("\r\nstandard ") + 2);
  testsupport::WriteWholeFile(ProfileFolder() + "Castle run.save", boards + "custom Castle\r\n");
  testsupport::WriteWholeFile(ProfileFolder() + "Old.save", boards);
  testsupport::WriteWholeFile(ProfileFolder() + "Torn.save", "not a saved game\r\n");
  Gui().ShowSaveGameManager();
  ASSERT_TRUE(Steps(30));
  TSaveGameManager& three = *Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager);
  ASSERT_EQ(three.ListBox->Strings, (std::vector<std::string>{"Castle run", "Old", "Torn"}));
  ASSERT_EQ(three.ListBox->Details.size(), 3u);
  EXPECT_EQ(three.ListBox->Details[0][0], "Castle");
  EXPECT_EQ(three.ListBox->Details[0][1], "345");
  EXPECT_EQ(three.ListBox->Details[1][0], Text("Unnamed Level"));
  EXPECT_EQ(three.ListBox->Details[1][1], "345");
  EXPECT_EQ(three.ListBox->Details[2][0], "");
  EXPECT_EQ(three.ListBox->Details[2][1], "");
  Shot("savegame-manager-levels");
  ClickButton(*three.Menu, "Cancel", 5);
  EXPECT_EQ(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
}

TEST_F(GameScreen, TheEditorChecksLoadsAndSavesLayouts) {
  AddLevel("mine", 1);
  Edit();
  EXPECT_EQ(screen_.State.stateCustomMode, 1);
  // An empty board cannot be saved: the first reason is told.
  ClickButton(*Gui().CustomMenu, "savecustom");
  ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput)->Caption->Text,
            Text("Editor Error 1"));
  Key("enter", 30);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  // The layout chooser lists the player's layouts; "mine" is loaded.
  ClickButton(*Gui().CustomMenu, "loadcustom", 20);
  ASSERT_NE(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  ASSERT_EQ(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager)->ListBox->Strings,
            std::vector<std::string>{"mine"});
  Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager)->ListBox->SetIndex(0);
  ClickButton(*Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager)->Menu, "Load", 20);
  EXPECT_EQ(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  TCellBox* board = Playing().GameMode->Board();
  EXPECT_EQ(board->GetLayoutCellMarbleCount(), 2);
  // New jewels come in along the top row: now the layout can be played.
  for (int x = 0; x < 18; ++x) {
    TLayoutCell* cell = board->GetLayoutCellAtLocation(x, 4);
    if (cell->Contents != 0) cell->IsCreate = 1;
  }
  ASSERT_TRUE(Steps(30));
  Shot("editor");
  // Saved under a new name (its first letter made upper case), which the
  // next save offers again.
  ClickButton(*Gui().CustomMenu, "savecustom");
  ASSERT_NE(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  Script("1 char c\n2 char o\n3 char p\n4 char y\n5 key enter");
  ASSERT_TRUE(Steps(20));
  EXPECT_EQ(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  // Told, as a saved game is.
  ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput)->Caption->Text, Text("Level Saved"));
  Key("enter", 30);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  TCellBox copy;
  ASSERT_EQ(copy.ReadLayout(ProfileFolder() + "Copy.layout"), 1);
  EXPECT_EQ(copy.GetLayoutCellCreateCount(), 6);
  EXPECT_EQ(copy.GetLayoutCellMarbleCount(), 2);
  ClickButton(*Gui().CustomMenu, "savecustom");
  ASSERT_NE(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  EXPECT_EQ(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->TextInput.Text,
            "Copy");
  Key("esc", 10);
  EXPECT_EQ(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  // Right after the save nothing would be lost; a cell painted since
  // would: Escape with no dialog open asks to leave the editor; "No" stays.
  EXPECT_FALSE(Playing().Editor()->HasUnsavedChanges());
  Click(board::CentreX(2), board::CentreY(2), 5);
  EXPECT_TRUE(Playing().Editor()->HasUnsavedChanges());
  Key("esc", 20);
  ASSERT_NE(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
  EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput)->Caption->Text,
            Text("Exit Editor"));
  Key("n", 30);
  EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
  EXPECT_EQ(Current(), &screen_);
  // Loading a layout over those changes asks first; "No" keeps the board.
  ClickButton(*Gui().CustomMenu, "loadcustom", 20);
  ASSERT_NE(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::LoadInput), nullptr);
  EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::LoadInput)->Caption->Text,
            Text("Editor Load Unsaved"));
  EXPECT_EQ(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  Shot("editor-load-question");
  Key("n", 30);
  EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::LoadInput), nullptr);
  EXPECT_EQ(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  EXPECT_TRUE(Playing().Editor()->HasUnsavedChanges());
  ClickButton(*Gui().CustomMenu, "loadcustom", 20);
  ASSERT_NE(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::LoadInput), nullptr);
  Key("enter", 30);
  ASSERT_NE(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  ClickButton(*Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager)->Menu, "Cancel",
              10);
  EXPECT_EQ(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  // "reset" clears the board after a yes.
  ClickButton(*Gui().CustomMenu, "reset");
  ASSERT_NE(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::ResetInput), nullptr);
  Key("enter", 30);
  EXPECT_EQ(Playing().GameMode->Board()->GetLayoutCellNotEmptyCount(), 0);
}

TEST_F(GameScreen, EachReasonALayoutCannotBeSavedHasItsOwnMessage) {
  Edit();
  TCellBox* board = Playing().GameMode->Board();
  auto paint = [&](int x, int y, int contents, int create, int fill) {
    TLayoutCell* cell = board->GetLayoutCellAtLocation(x, y);
    cell->Contents = contents;
    cell->IsCreate = create;
    cell->IsFill = fill;
  };
  auto expectMessage = [&](int code) {
    ClickButton(*Gui().CustomMenu, "savecustom");
    ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr) << code;
    EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput)->Caption->Text,
              Text("Editor Error " + std::to_string(code)));
    Key("enter", 30);
    ASSERT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  };
  // Every message differs from the others, so each check below can fail.
  for (int a = 1; a <= 6; ++a) {
    for (int b = a + 1; b <= 6; ++b) {
      EXPECT_NE(Text("Editor Error " + std::to_string(a)),
                Text("Editor Error " + std::to_string(b)));
    }
  }
  expectMessage(1);  // nothing to play on
  paint(5, 5, 1, 0, 0);
  expectMessage(2);  // no marble cell
  paint(6, 5, 2, 0, 0);
  expectMessage(3);  // nothing filled at the start
  paint(6, 5, 2, 0, 1);
  expectMessage(4);  // no cell makes new jewels
  paint(5, 5, 1, 1, 1);
  expectMessage(5);  // one jewel dealt: no first move
  Shot("editor-error-5");
  EXPECT_EQ(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
}

TEST_F(GameScreen, ASaveThatCannotBeWrittenIsToldAndPlayGoesOn) {
  Play("005");
  // A folder where the file should go: the save cannot replace it.
  plat::CreateDir(ProfileFolder() + "blocked.save");
  Key("esc", 60);
  ClickButton(*screen_.InGameMenu->Buttons(), "savegame");
  ASSERT_NE(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->TextInput.SetText("");
  Script("1 char b\n2 char l\n3 char o\n4 char c\n5 char k\n6 char e\n7 char d\n8 key enter");
  ASSERT_TRUE(Steps(20));
  ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput)->Caption->Text,
            "Could not create the file ‘Blocked.save’");
  Shot("gamescreen-save-failed");
  Key("enter", 30);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "blocked.save"), plat::FILETYPE_DIR);
  // A player's level whose layout cannot be read is not started; one of
  // the game's own is a broken install.
  EXPECT_FALSE(screen_.StartLevel(ProfileFolder() + "missing.layout", 1));
  EXPECT_EQ(FileStem(Playing().CurrentLevel), "005");
  EXPECT_THROW(screen_.StartLevel(GameFolder() + "layouts/missing.layout", 0), TFatalError);
}

// ---------------------------------------------------------------- resumed games and the end of a
// level

TEST_F(GameScreen, AResumedGameIsRecordedUnderItsOwnLevelAfterARestartAndAfterAnother) {
  AddLevel("004");
  Play("003");
  // Save level 3 through the in-game menu (the name's first letter is made
  // upper case): the file names its level.
  Key("esc", 60);
  ClickButton(*screen_.InGameMenu->Buttons(), "savegame");
  ASSERT_NE(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->TextInput.SetText("");
  Script("1 char s\n2 char 49\n3 key enter");
  ASSERT_TRUE(Steps(20));
  ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);  // "Game saved"
  Key("enter", 30);
  std::string save = ReadWholeFile(ProfileFolder() + "S1.save");
  ASSERT_GE(save.size(), 23u);
  EXPECT_EQ(save.substr(save.size() - 23), "standard 003\r\nmoves 0\r\n");
  // Right after the save nothing would be lost: "backtomenu" leaves at once.
  ClickButton(*screen_.InGameMenu->Buttons(), "backtomenu", 5);
  EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));

  // Quit and start again (the bot does the same in a process of its own:
  // AutoPlayProcessTest): the level selection resumes S1 on the game's own,
  // fresh game screen; won, level 3 is recorded, and no nameless line.
  ASSERT_TRUE(RestartGame());
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  ChoosePlayerAtStart();
  TGameScreen& fresh = *Screens->GameScreen;
  EXPECT_EQ(fresh.GamePlay.CurrentLevel, "");
  ASSERT_TRUE(fresh.StartSavedGame(ProfileFolder() + "S1.save"));
  ASSERT_TRUE(RunUntilShown(&fresh));
  EXPECT_EQ(FileStem(fresh.GamePlay.CurrentLevel), "003");
  TCellBox& resumed = *fresh.GamePlay.GameMode->Board();
  for (int x = 0; x < 18; ++x) {
    for (int y = 0; y < 14; ++y) {
      TLayoutCell* cell = resumed.GetLayoutCellAtLocation(x, y);
      if (cell && cell->Contents == 2) cell->Contents = 1;
    }
  }
  ASSERT_TRUE(RunUntil([&] { return fresh.State.stateFinished == 1; }, 200));
  std::string record = ReadWholeFile(ProfileFolder() + "Adas.ini");
  EXPECT_NE(record.find("003=1"), std::string::npos) << record;
  EXPECT_EQ(record.find("\n=1"), std::string::npos) << record;
  EXPECT_NE(record.rfind("=1", 0), 0u) << record;
  ASSERT_TRUE(TGameScreens::ChangeTo(Screens->FirstScreen()));
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  screen_.LeaveTo = Screens->FirstScreen();

  // Play level 4, then resume the older save from the game screen's
  // chooser and win: level 3 is credited, not 4, and "nextpuzzle" leads on
  // from 3.
  plat::DeleteFile(ProfileFolder() + "Adas.ini");
  ASSERT_TRUE(screen_.StartLevel(GameFolder() + "layouts/004.layout", 0));
  ASSERT_TRUE(RunUntilShown(&screen_));
  Gui().ShowSaveGameManager();
  ASSERT_TRUE(Steps(30));
  TSaveGameManager& chooser = *Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager);
  ASSERT_EQ(chooser.ListBox->Strings, std::vector<std::string>{"S1"});
  chooser.ListBox->SetIndex(0);
  ClickButton(*chooser.Menu, "Load", 20);
  ASSERT_EQ(Gui().Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
  EXPECT_EQ(FileStem(Playing().CurrentLevel), "003");
  EXPECT_EQ(Playing().IsCustomLevel, 0);
  Shot("gamescreen-resumed");
  ClearMarbles();
  ASSERT_TRUE(RunUntil([&] { return screen_.State.stateFinished == 1; }, 100));
  record = ReadWholeFile(ProfileFolder() + "Adas.ini");
  EXPECT_NE(record.find("003=1"), std::string::npos) << record;
  EXPECT_EQ(record.find("004"), std::string::npos) << record;
  ASSERT_TRUE(Steps(30));
  ClickButton(*Gui().endLevelMenu->Menu, "nextpuzzle", 5);
  ASSERT_TRUE(RunUntilShown(&screen_));
  EXPECT_EQ(FileStem(Playing().CurrentLevel), "004");

  // A save from before saves named their level still loads; its win is
  // recorded nowhere and offers no next puzzle.
  std::string old = save.substr(0, save.size() - 14);
  testsupport::WriteWholeFile(ProfileFolder() + "old.save", old);
  ASSERT_EQ(Playing().GameMode->LoadGame(ProfileFolder() + "old.save"), 1);
  EXPECT_EQ(Playing().CurrentLevel, "");
  EXPECT_EQ(LevelTitle(Playing().CurrentLevel, 0), Text("Unnamed Level"));
  // In play it shows by that title where a level shows its name.
  std::vector<std::string> texts;
  plat::SetDrawObserver([&](const plat::TDrawnItem& item) {
    if (item.text && item.y < 60) texts.push_back(item.characters);
  });
  ASSERT_TRUE(Steps(3));
  plat::SetDrawObserver(nullptr);
  EXPECT_NE(std::find(texts.begin(), texts.end(), Text("Unnamed Level")), texts.end());
  ClearMarbles();
  ASSERT_TRUE(RunUntil([&] { return screen_.State.stateFinished == 1; }, 100));
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "Adas.ini"), record);
  ASSERT_TRUE(Steps(30));
  EXPECT_EQ(Gui().endLevelMenu->Menu->FindButton("nextpuzzle"), nullptr);
}

TEST_F(GameScreen, WinRestartWinRunsTheClockDropsPendingPointsAndAsksNothing) {
  Play("003");
  ClearMarbles();
  ASSERT_TRUE(RunUntil([&] { return screen_.State.stateFinished == 1; }, 100));
  EXPECT_TRUE(LevelClock.IsPaused());
  ASSERT_TRUE(Steps(300));
  ASSERT_NE(Playing().ParticleList, nullptr);
  ASSERT_GT(Playing().ParticleList->Count(), 0u);
  // Points still counting from a cascade belong to the board that goes.
  Playing().ScoreAdder = 300;
  // A won level: "restartpuzzle" restarts at once, without a question.
  ClickButton(*Gui().endLevelMenu->Menu, "restartpuzzle", 5);
  EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::RestartInput), nullptr);
  EXPECT_EQ(screen_.State.stateFinished, 0);
  EXPECT_EQ(Playing().ScoreAdder, 0);
  EXPECT_FALSE(LevelClock.IsPaused());
  // The clock runs and the last sparks burn out instead of hanging there.
  ASSERT_TRUE(Steps(400));
  EXPECT_EQ(Playing().Score, 0);
  EXPECT_GE(LevelClock.Elapsed(), 2000);
  EXPECT_EQ(Playing().ParticleList->Count(), 0u);
  Shot("gamescreen-restarted");
  ASSERT_EQ(Playing().GameMode->SaveGame(ProfileFolder() + "later"), 1);
  std::string later = ReadWholeFile(ProfileFolder() + "later.save");
  int elapsed = std::atoi(later.substr(later.find("\r\n") + 2).c_str());
  EXPECT_GE(elapsed, 2000);
  // The reshuffle is not offered on a won level: won again, the in-game
  // menu's "shufflepuzzle" is greyed out and deals nothing.
  ClearMarbles();
  ASSERT_TRUE(RunUntil([&] { return screen_.State.stateFinished == 1; }, 100));
  Key("esc", 60);
  ASSERT_EQ(screen_.InGameMenu->Active, 1);
  for (const char* name : {"shufflepuzzle", "savegame"}) {
    const TButton& button = *screen_.InGameMenu->Buttons()->FindButton(name);
    EXPECT_EQ(button.Disabled, 1) << name;
    EXPECT_NE(button.ImageDisabled, nullptr) << name;  // drawn grey
  }
  ClickButton(*screen_.InGameMenu->Buttons(), "shufflepuzzle", 10);
  EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::ShuffleInput), nullptr);
  EXPECT_EQ(screen_.State.stateFinished, 1);
  Shot("gamescreen-won-menu");
  Key("esc", 60);
  // Leaving a won level asks nothing either.
  ASSERT_TRUE(Steps(30));
  ClickButton(*Gui().endLevelMenu->Menu, "backtomenu", 5);
  EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
}

TEST_F(GameScreen, AfterGameSavedNothingIsAskedAndAWonLevelsGreyedButtonsTakeNoFocus) {
  Play("005");
  ASSERT_TRUE(Steps(200));
  // Progress, then "Game saved": restarting asks nothing, and neither does
  // leaving after the next save.
  for (const char* then : {"restartpuzzle", "backtomenu"}) {
    SCOPED_TRACE(then);
    ASSERT_TRUE(Steps(300));  // the new deal has settled
    Playing().Match3()->AddPendingScore(25);
    Key("esc", 60);
    ASSERT_EQ(screen_.InGameMenu->Active, 1);
    ClickButton(*screen_.InGameMenu->Buttons(), "savegame");
    ASSERT_NE(Gui().Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
    Key("enter", 20);
    ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
    Key("enter", 30);
    ASSERT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
    ClickButton(*screen_.InGameMenu->Buttons(), then, 30);
    EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::RestartInput), nullptr);
    EXPECT_EQ(Gui().Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
  }
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));

  // A won level: its in-game menu's focus passes "shufflepuzzle" and
  // "savegame" by.
  ASSERT_TRUE(screen_.StartLevel(GameFolder() + "layouts/005.layout", 0));
  ASSERT_TRUE(RunUntilShown(&screen_));
  ClearMarbles();
  ASSERT_TRUE(RunUntil([&] { return screen_.State.stateFinished == 1; }, 400));
  ASSERT_TRUE(Steps(60));
  if (Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput)) Key("enter", 30);
  Key("esc", 60);
  ASSERT_EQ(screen_.InGameMenu->Active, 1);
  TMenu& menu = *screen_.InGameMenu->Buttons();
  std::vector<const void*> visits = FocusVisits(screen_.InGameMenu->Focus, 8);
  EXPECT_TRUE(Visits(visits, menu.FindButton("restartpuzzle")));
  for (const char* greyed : {"shufflepuzzle", "savegame"}) {
    EXPECT_FALSE(Visits(visits, menu.FindButton(greyed))) << greyed;
  }
}

TEST_F(GameScreen, TheWonBoardSettlesAndTheClickOnNextPuzzleStaysOffTheNewBoard) {
  // Level 4 fills the whole board, so that the press on "nextpuzzle" lies
  // over one of its jewels.
  std::vector<std::string> full(12, "................");
  full[0] = "cccccccccccccccc";
  full[11] = "......mm........";
  AddLevel("004", full);
  Play("003");
  // The last marble cell goes while a jewel still fades: the level ends
  // only once the board is at rest.
  TCellBox& board = *Playing().GameMode->Board();
  TCell* fading = nullptr;
  for (int x = 1; x < 17 && !fading; ++x) {
    for (int y = 1; y < 13 && !fading; ++y) {
      if (board.Cells[x][y]->HasJewel()) fading = board.Cells[x][y].get();
    }
  }
  ASSERT_NE(fading, nullptr);
  fading->StartDestroyAnimation();
  ClearMarbles();
  ASSERT_TRUE(Steps(6));
  EXPECT_EQ(screen_.State.stateFinished, 0);
  // While it settles, clicks on two neighbouring jewels pick nothing and
  // exchange nothing.
  int px = -1, py = -1;
  for (int y = 100; y < 560 && px < 0; y += 8) {
    for (int x = 100; x < 700 && px < 0; x += 8) {
      TCell* here = board.GetCellAtMouseLocation(x, y);
      TCell* right = board.GetCellAtMouseLocation(x + board::CellSize, y);
      if (here && right && here != right && here->HasJewel() && right->HasJewel() &&
          here != fading && right != fading) {
        px = x;
        py = y;
      }
    }
  }
  ASSERT_GE(px, 0);
  Click(px, py, 1);
  Click(px + board::CellSize, py, 1);
  EXPECT_EQ(board.MarkedCell1, nullptr);
  EXPECT_EQ(board.MarkedCell2, nullptr);
  EXPECT_FALSE(board.IsCellSwitchAnimation());
  ASSERT_TRUE(RunUntil([&] { return screen_.State.stateFinished == 1; }, 400));
  EXPECT_TRUE(Playing().Match3()->IsBoardAtRest());
  ASSERT_TRUE(Steps(60));
  Shot("gamescreen-won-settled");
  // The faded jewel's points may have earned a place: its message first.
  if (Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput)) Key("enter", 30);
  ASSERT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  // The press on "nextpuzzle" starts the next level and selects nothing on
  // its board, however long the button is held.
  TButton* next = Gui().endLevelMenu->Menu->FindButton("nextpuzzle");
  ASSERT_NE(next, nullptr);
  int x = int(next->x) + next->w / 2, y = int(next->y) + next->h / 2;
  Script("1 move " + std::to_string(x) + " " + std::to_string(y) + "\n2 down left\n40 up left");
  ASSERT_TRUE(Steps(45));
  ASSERT_TRUE(RunUntilShown(&screen_));
  EXPECT_EQ(FileStem(Playing().CurrentLevel), "004");
  TCellBox& fresh = *Playing().GameMode->Board();
  EXPECT_EQ(fresh.MarkedCell1, nullptr);
  // The player's next click picks the jewel it is on, and only that one.
  ASSERT_TRUE(RunUntil([&] { return Playing().Match3()->StartGameAnimation == nullptr; }, 600));
  TCell* jewel = fresh.GetCellAtMouseLocation(x, y);
  ASSERT_NE(jewel, nullptr);
  ASSERT_TRUE(jewel->HasJewel());
  Click(x, y, 5);
  EXPECT_EQ(fresh.MarkedCell1, jewel);
  EXPECT_EQ(fresh.MarkedCell2, nullptr);
}

TEST_F(GameScreen, ATallBoardKeepsTheHelpBoxOffItsBottomWall) {
  std::vector<std::string> rows(12, "   ..........   ");
  rows[0] = "   cccccccccc   ";
  rows[11] = "   ....mm....   ";
  Play("009", 0, rows);
  const TGameModeMatch3& mode = *Playing().Match3();
  EXPECT_EQ(mode.ShowHelpMessage, 1);
  const TBottomBox box = mode.BottomBox();
  const int bottom = TBottomBox::BoardBottom(*mode.CellBox);
  EXPECT_EQ(bottom, 552);
  EXPECT_GE(box.CentreY - box.ScaleY * TBottomBox::Height / 2, bottom);
  EXPECT_LE(box.CentreY + box.ScaleY * TBottomBox::Height / 2, 600);
  Shot("gamescreen-tall-help");
  // A board that stops higher keeps the box in its place.
  EXPECT_EQ(TBottomBox::For(nullptr).CentreY, TBottomBox::Y);
}

TEST_F(GameScreen, RecordsThatCannotBeWrittenAreToldAndNoPlaceIsClaimed) {
  Play("003");
  // Folders where the two files should go: neither can be replaced.
  plat::DeleteFile(ProfileFolder() + "highscores.hsdat");
  plat::CreateDir(ProfileFolder() + "Adas.ini");
  plat::CreateDir(ProfileFolder() + "highscores.hsdat");
  Playing().Score = 1000;
  ClearMarbles();
  ASSERT_TRUE(RunUntil([&] { return screen_.State.stateFinished == 1; }, 100));
  ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput)->Caption->Text,
            GameTextWith("Could Not Create File", {{"file", "Adas.ini"}}));
  ASSERT_TRUE(Steps(30));
  Shot("gamescreen-record-failed");
  Key("enter", 30);
  // The table could not be saved: told next, and the panel claims no place
  // it did not keep.
  ASSERT_NE(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput)->Caption->Text,
            GameTextWith("Could Not Create File", {{"file", "highscores.hsdat"}}));
  Key("enter", 30);
  EXPECT_EQ(Gui().Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  EXPECT_EQ(Gui().endLevelMenu->Summary.back(), Text("No Highscore Place"));
}

}  // namespace
