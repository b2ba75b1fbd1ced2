// Against the clock through the real game, headless: the tab on the level
// selection, the time bar that turns urgent and ticks, the "Out of time"
// panel that records nothing and whose "Try again" restarts the level and
// its clock, a win recorded for this way to play alone, a game saved and
// resumed with its time left, and the high-score screen's two tables.
#include <gtest/gtest.h>

#include "GameResources.h"
#include "Globals.h"
#include "ScreenTestSupport.h"
#include "TCellBox.h"
#include "TGameGUI.h"
#include "TGameMenu.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "THighScoreScreen.h"
#include "TLayoutCell.h"
#include "TLevelClock.h"
#include "TPlayScreen.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TVEndLevelMenu.h"
#include "TestSupport.h"

namespace {

using screentest::ScreenTest;
using testsupport::ReadWholeFile;

class Clock : public ScreenTest {
 protected:
  // Player "Ada" on the level selection of standard levels 001 and 002.
  void StartOnLevels() {
    MakePlayer("Ada");
    AddLevel("001");
    AddLevel("002");
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(OpenLevelSelection());
  }
  // From the level selection: the "Against the clock" tab, then "playsmall"
  // on the level selected.
  void PlayAgainstTheClock() {
    ASSERT_TRUE(ClickButton(Screens->Play->PlayWayMenu.get(), "playclock"));
    ASSERT_TRUE(ClickButton(Screens->Play->MainMenu.get(), "playsmall"));
    ASSERT_TRUE(RunUntilShown(Screens->GameScreen.get()));
  }
  TGameScreen& Game_() const { return *Screens->GameScreen; }
  TGameModeMatch3& Mode() const { return *Game_().GamePlay.Match3(); }
  bool Exists(const std::string& file) const {
    return plat::FileType(ProfileFolder() + file) == plat::FILETYPE_FILE;
  }
  void ClearMarbles() {
    TCellBox& board = *Mode().CellBox;
    for (int x = 0; x < 18; ++x) {
      for (int y = 0; y < 14; ++y) {
        TLayoutCell* cell = board.GetLayoutCellAtLocation(x, y);
        if (cell && cell->Contents == 2) cell->Contents = 1;
      }
    }
  }
  static std::string Text(const std::string& key) { return GameText->FindString(key); }
};

TEST_F(Clock, OutOfTimeRecordsNothingAndTryAgainRestartsTheLevelAndItsClock) {
  StartOnLevels();
  TPlayScreen& levels = *Screens->Play;
  EXPECT_EQ(levels.CurrentWay, TPlayWay::Relaxed);
  PlayAgainstTheClock();
  TGameScreen& game = Game_();
  EXPECT_EQ(game.GamePlay.Way, TPlayWay::Clock);
  // No measured limit for this level: 60 s and 10 s for each of its two
  // marble cells.
  const int limit = TTimeLimit::ForCustomLevel(2);
  ASSERT_EQ(Mode().TimeLimit.LimitMs, limit);
  EXPECT_GT(Mode().TimeLimit.Remaining(), limit - 3000);
  const std::string relaxedTable = ReadWholeFile(ProfileFolder() + "highscores.hsdat");
  const std::string clockTable = ReadWholeFile(ProfileFolder() + "highscores-clock.hsdat");
  ASSERT_FALSE(clockTable.empty());
  int ticks = 0;
  Mode().SoundHook = [&](const std::string& name) { ticks += name == "tick" ? 1 : 0; };

  // The menu stops the clock.
  ASSERT_TRUE(Key("esc", 60));
  ASSERT_TRUE(game.InGameMenu->Active);
  const int during = Mode().TimeLimit.Remaining();
  ASSERT_TRUE(Steps(400));
  EXPECT_EQ(Mode().TimeLimit.Remaining(), during);
  ASSERT_TRUE(Key("esc", 60));
  ASSERT_FALSE(game.InGameMenu->Active);

  // The last ten seconds: the bar turns urgent and ticks once a second.
  LevelClock.SetElapsed(limit - 10500);
  ASSERT_TRUE(Steps(200));
  EXPECT_TRUE(Mode().TimeLimit.Urgent());
  EXPECT_EQ(ticks, 1);
  Shot("clock-urgent");
  LevelClock.SetElapsed(limit - 1500);
  ASSERT_TRUE(RunUntil([&] { return game.State.stateOutOfTime == 1; }, 600));
  EXPECT_EQ(ticks, 3);  // at 10, 2 and 1 seconds left
  ASSERT_TRUE(Steps(60));
  Shot("clock-out-of-time");

  // Out of time: the board stops, the clock with it, and the panel offers
  // "Try again" and "Back to menu" only.
  EXPECT_EQ(game.State.stateFinished, 0);
  EXPECT_TRUE(LevelClock.IsPaused());
  TVEndLevelMenu& panel = *game.GUI->endLevelMenu;
  EXPECT_EQ(panel.Title, Text("Out Of Time"));
  EXPECT_NE(panel.Menu->FindButton("tryagain"), nullptr);
  EXPECT_NE(panel.Menu->FindButton("backtomenu"), nullptr);
  EXPECT_EQ(panel.Menu->FindButton("nextpuzzle"), nullptr);
  EXPECT_EQ(panel.Menu->FindButton("restartpuzzle"), nullptr);
  // Nothing is recorded, for either way to play.
  for (const char* file : {"Adas.ini", "Adab.ini", "Ada~s.ini", "Ada~b.ini"}) {
    EXPECT_FALSE(Exists(file)) << file;
  }
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "highscores-clock.hsdat"), clockTable);

  // "Try again": the first deal again, with the whole time.
  ASSERT_TRUE(ClickButton(panel.Menu.get(), "tryagain", 10));
  EXPECT_EQ(game.State.stateOutOfTime, 0);
  EXPECT_FALSE(LevelClock.IsPaused());
  EXPECT_GT(Mode().TimeLimit.Remaining(), limit - 1000);
  EXPECT_EQ(Mode().Moves, 0);

  // A win against the clock is recorded for this way to play alone.
  ClearMarbles();
  ASSERT_TRUE(RunUntil([&] { return game.State.stateFinished == 1; }, 400));
  EXPECT_NE(ReadWholeFile(ProfileFolder() + "Ada~s.ini").find("001=1"), std::string::npos);
  EXPECT_NE(ReadWholeFile(ProfileFolder() + "Ada~b.ini").find("001="), std::string::npos);
  EXPECT_FALSE(Exists("Adas.ini"));
  EXPECT_FALSE(Exists("Adab.ini"));
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "highscores.hsdat"), relaxedTable);

  // Back on the level selection the clock's tab is still chosen, with the
  // level's check mark; the relaxed tab has none.
  ASSERT_TRUE(ClickButton(game.GUI->endLevelMenu->Menu.get(), "backtomenu", 10));
  ASSERT_TRUE(RunUntilShown(&levels));
  EXPECT_EQ(levels.CurrentWay, TPlayWay::Clock);
  ASSERT_NE(levels.StandardLevelList, nullptr);
  EXPECT_EQ(levels.StandardLevelList->LevelCompletedList.front(), "1");
  Shot("clock-levels");
  ASSERT_TRUE(ClickButton(levels.PlayWayMenu.get(), "playrelaxed"));
  EXPECT_EQ(levels.CurrentWay, TPlayWay::Relaxed);
  EXPECT_EQ(levels.StandardLevelList->LevelCompletedList.front(), "0");
}

TEST_F(Clock, AGameAgainstTheClockIsSavedAndResumedWithItsTimeLeft) {
  StartOnLevels();
  PlayAgainstTheClock();
  const int limit = Mode().TimeLimit.LimitMs;
  LevelClock.SetElapsed(20000);
  ASSERT_EQ(Mode().SaveGame(ProfileFolder() + "C1"), 1);
  const std::string save = ReadWholeFile(ProfileFolder() + "C1.save");
  const std::string tail = "way clock\r\nremaining " + std::to_string(limit - 20000) + "\r\n";
  ASSERT_GE(save.size(), tail.size());
  EXPECT_EQ(save.substr(save.size() - tail.size()), tail);

  // Resumed from the level selection after a relaxed level: against the
  // clock again, with the time it had left.
  ASSERT_TRUE(Key("esc", 60));
  ASSERT_TRUE(ClickButton(Game_().InGameMenu->Buttons(), "backtomenu", 10));
  if (Game_().GUI->DialogOpen()) {
    ASSERT_TRUE(Key("enter", 10));
  }
  ASSERT_TRUE(RunUntilShown(Screens->Play.get()));
  ASSERT_TRUE(ClickButton(Screens->Play->PlayWayMenu.get(), "playrelaxed"));
  ASSERT_TRUE(ClickButton(Screens->Play->MainMenu.get(), "playsmall"));
  ASSERT_TRUE(RunUntilShown(Screens->GameScreen.get()));
  EXPECT_FALSE(Mode().TimeLimit.Active());
  ASSERT_TRUE(Mode().SaveGame(ProfileFolder() + "R1"));
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "R1.save").find("way "), std::string::npos);
  ASSERT_EQ(Mode().LoadGame(ProfileFolder() + "C1.save"), 1);
  EXPECT_EQ(Game_().GamePlay.Way, TPlayWay::Clock);
  EXPECT_LE(Mode().TimeLimit.Remaining(), limit - 20000);
  EXPECT_GT(Mode().TimeLimit.Remaining(), limit - 21000);
  ASSERT_TRUE(Steps(30));
  Shot("clock-resumed");

  // A save of an earlier version (no such lines) is played relaxed.
  testsupport::WriteWholeFile(ProfileFolder() + "old.save",
                              save.substr(0, save.size() - tail.size()));
  ASSERT_EQ(Mode().LoadGame(ProfileFolder() + "old.save"), 1);
  EXPECT_EQ(Game_().GamePlay.Way, TPlayWay::Relaxed);
  EXPECT_FALSE(Mode().TimeLimit.Active());
}

TEST_F(Clock, TheHighScoreScreenPagesThroughTheTablesOfEveryWay) {
  MakePlayer("Ada");
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
  ASSERT_TRUE(ClickButton(Screens->Title->MainMenu.get(), "highscore"));
  THighScoreScreen& scores = *Screens->HighScores;
  ASSERT_TRUE(RunUntilShown(&scores));
  TGameScreen& game = Game_();
  EXPECT_EQ(scores.CurrentHighScoreList, &game.HighscoreList);
  ASSERT_TRUE(Steps(200));
  Shot("highscores-relaxed");
  ASSERT_TRUE(Key("pagedown", 200));
  EXPECT_EQ(scores.CurrentHighScoreList, &game.ClockHighscoreList);
  Shot("highscores-clock");
  // "clear" clears the table shown and no other.
  game.ClockHighscoreList.Insert("Ada", 999);
  ASSERT_TRUE(game.ClockHighscoreList.Save());
  const std::string relaxed = ReadWholeFile(ProfileFolder() + "highscores.hsdat");
  ASSERT_TRUE(ClickButton(scores.MainMenu.get(), "clear", 30));
  ASSERT_TRUE(Key("enter", 30));
  EXPECT_EQ(game.ClockHighscoreList.Entries.front().score, 200);
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "highscores.hsdat"), relaxed);
  // The arrows and the keys page both ways, wrapping round.
  ASSERT_TRUE(ClickButton(scores.PageMenu.get(), "arrowLeft"));
  EXPECT_EQ(scores.CurrentHighScoreList, &game.HighscoreList);
  ASSERT_TRUE(Key("pageup", 10));
  EXPECT_EQ(scores.CurrentHighScoreList, &game.EndlessHighscoreList);
  Shot("highscores-endless");
  ASSERT_TRUE(Key("pageup", 10));
  EXPECT_EQ(scores.CurrentHighScoreList, &game.AttackHighscoreList);
  Shot("highscores-attack");
}

}  // namespace
