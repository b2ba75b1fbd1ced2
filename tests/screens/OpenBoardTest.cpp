// Time attack and endless through the real game, headless: the tabs' Start
// tile, the open board with no goal, the quick-match bonus scored there
// alone, "Save game" greyed, the time up recorded in its own table, and
// endless left through the menu without a question, its score recorded.
// Endless records however a run is left; time attack only at its time-up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GameResources.h"
#include "ScreenTestSupport.h"
#include "TCellBox.h"
#include "TGameGUI.h"
#include "TGameMenu.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TOpenBoard.h"
#include "TPlayScreen.h"
#include "TTitleScreen.h"
#include "TVEndLevelMenu.h"

namespace {

using screentest::ScreenTest;

class OpenBoard : public ScreenTest {
 protected:
  TGameScreen& Game_() const { return *Screens->GameScreen; }
  TGameModeMatch3& Mode() const { return *Game_().GamePlay.Match3(); }
  // From the level selection: the way's tab, then its Start tile.
  bool StartWay(const std::string& tab) {
    return ClickButton(Screens->Play->PlayWayMenu.get(), tab) && Key("enter") &&
           RunUntilShown(&Game_());
  }
  // Points made in the run so far, as moves make them.
  void Made(int score, int counting) {
    Game_().GamePlay.Score = score;
    Game_().GamePlay.ScoreAdder = counting;
    Mode().UnsavedProgress = 1;
  }
  // Ada's scores in the table's file as it stands on disk, best first.
  std::vector<int> Stored(const std::string& table) const {
    TGleamstrandHighScoreList list;
    list.filepath = ProfileFolder() + table + ".hsdat";
    list.Load();
    std::vector<int> scores;
    for (const TGleamstrandHighScore& entry : list.Entries)
      if (entry.name == "Ada") scores.push_back(entry.score);
    return scores;
  }
  bool InMenu(const char* button) {
    return Key("esc", 60) && ClickButton(Game_().InGameMenu->Buttons(), button, 10);
  }
  // A bonus window of ten quick matches closes: the points it adds.
  int BonusPoints() {
    const int pending = Game_().GamePlay.ScoreAdder;
    Mode().BonusCounter = 10;
    Mode().EndBonus();
    return Game_().GamePlay.ScoreAdder - pending;
  }
};

TEST_F(OpenBoard, TimeAttackScoresItsBonusAndRecordsTheScoreOnlyWhenTheTimeIsUp) {
  MakePlayer("Ada");
  AddLevel("001");
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(OpenLevelSelection());
  TPlayScreen& levels = *Screens->Play;
  // Relaxed keeps the bonus shown only.
  ASSERT_TRUE(ClickButton(levels.MainMenu.get(), "playsmall"));
  ASSERT_TRUE(RunUntilShown(&Game_()));
  EXPECT_EQ(BonusPoints(), 0);
  ASSERT_TRUE(Key("esc", 60));
  ASSERT_TRUE(ClickButton(Game_().InGameMenu->Buttons(), "backtomenu", 10));
  ASSERT_TRUE(RunUntilShown(&levels));

  // The tab shows one tile in the grid's place; Enter starts it.
  ASSERT_TRUE(ClickButton(levels.PlayWayMenu.get(), "playattack"));
  EXPECT_EQ(levels.ShownList(), nullptr);
  ASSERT_NE(levels.OpenBoardTile, nullptr);
  Shot("attack-tab");
  ASSERT_TRUE(Key("enter"));
  ASSERT_TRUE(RunUntilShown(&Game_()));
  TGameScreen& game = Game_();
  ASSERT_EQ(game.GamePlay.Way, TPlayWay::Attack);
  // The open board: create cells along its top, no marble cell, no goal,
  // three minutes.
  EXPECT_EQ(Mode().CellBox->GetLayoutCellMarbleCount(), 0);
  EXPECT_EQ(Mode().CellBox->GetLayoutCellCreateCount(), TOpenBoard::Width);
  EXPECT_EQ(Mode().CellBox->GetLayoutCellNotEmptyCount(), TOpenBoard::Width * TOpenBoard::Height);
  EXPECT_EQ(Mode().TimeLimit.LimitMs, TTimeLimit::AttackMs);
  ASSERT_TRUE(Steps(400));
  EXPECT_EQ(game.State.stateFinished, 0);
  EXPECT_EQ(BonusPoints(), 300);

  // "Save game" is greyed and opens nothing.
  ASSERT_TRUE(Key("esc", 60));
  EXPECT_TRUE(game.InGameMenu->Buttons()->FindButton("savegame")->Disabled);
  ASSERT_TRUE(ClickButton(game.InGameMenu->Buttons(), "savegame", 10));
  EXPECT_FALSE(game.GUI->DialogOpen());
  ASSERT_TRUE(Key("esc", 60));

  // The time is up: the points still counting are in, and the score goes
  // to this way's table.
  game.GamePlay.Score = 4000;
  game.GamePlay.ScoreAdder = 300;
  Mode().TimeLimit.SetRemaining(0);
  ASSERT_TRUE(RunUntil([&] { return game.State.stateOutOfTime == 1; }, 60));
  EXPECT_EQ(game.GamePlay.Score, 4300);
  const TVEndLevelMenu& panel = *game.GUI->endLevelMenu;
  EXPECT_EQ(panel.Title, GameText->FindString("Time Up"));
  ASSERT_FALSE(panel.Summary.empty());
  EXPECT_EQ(panel.Summary.front(), GameText->FindString("Score") + "4300");
  EXPECT_NE(panel.Menu->FindButton("tryagain"), nullptr);
  EXPECT_EQ(Stored("highscores-attack"), std::vector<int>{4300});
  ASSERT_TRUE(Steps(60));
  Shot("attack-time-up");
  // "Try again" starts a new run; the finished one stays entered once.
  ASSERT_TRUE(ClickButton(panel.Menu.get(), "tryagain", 10));
  EXPECT_EQ(game.GamePlay.Score, 0);
  // A run left before its time is up is no finished run: restarted (after
  // a question) or ended by closing the window, it is not entered.
  Made(5000, 0);
  ASSERT_TRUE(InMenu("restartpuzzle"));
  ASSERT_TRUE(game.GUI->DialogOpen());
  ASSERT_TRUE(Key("enter", 60));
  EXPECT_EQ(game.GamePlay.Score, 0);
  Made(5000, 0);
  Script("1 close");
  ASSERT_TRUE(RunUntil([this] { return Exited(); }, 400));
  EXPECT_EQ(Stored("highscores-attack"), std::vector<int>{4300});
}

TEST_F(OpenBoard, EndlessIsLeftWithoutAQuestionAndRecordedHoweverItIsLeft) {
  MakePlayer("Ada");
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(OpenLevelSelection());
  TPlayScreen& levels = *Screens->Play;
  ASSERT_TRUE(ClickButton(levels.PlayWayMenu.get(), "playendless"));
  ASSERT_TRUE(ClickButton(levels.MainMenu.get(), "playsmall"));
  ASSERT_TRUE(RunUntilShown(&Game_()));
  TGameScreen& game = Game_();
  ASSERT_EQ(game.GamePlay.Way, TPlayWay::Endless);
  EXPECT_FALSE(Mode().TimeLimit.Active());
  // A restart asks nothing: the run's score is entered, the next starts at 0.
  Made(900, 20);
  ASSERT_TRUE(InMenu("restartpuzzle"));
  EXPECT_FALSE(game.GUI->DialogOpen());
  EXPECT_EQ(game.GamePlay.Score + game.GamePlay.ScoreAdder, 0);
  game.GamePlay.Score = 700;
  game.GamePlay.ScoreAdder = 50;
  // A new deal, from the no-move offer or the menu, goes on with the score.
  Mode().Shuffle();
  EXPECT_EQ(game.GamePlay.Score + game.GamePlay.ScoreAdder, 750);
  ASSERT_TRUE(Key("esc", 60));
  ASSERT_TRUE(ClickButton(game.InGameMenu->Buttons(), "shufflepuzzle", 10));
  EXPECT_FALSE(game.GUI->DialogOpen());
  ASSERT_TRUE(RunUntilShown(&game));
  EXPECT_EQ(game.GamePlay.Score + game.GamePlay.ScoreAdder, 750);
  EXPECT_EQ(Stored("highscores-endless"), std::vector<int>{920});
  Shot("endless");
  ASSERT_TRUE(Key("esc", 60));
  ASSERT_TRUE(ClickButton(game.InGameMenu->Buttons(), "backtomenu", 10));
  EXPECT_FALSE(game.GUI->DialogOpen());
  ASSERT_TRUE(RunUntilShown(&levels));
  // Back on its own tab, the score in its own table.
  EXPECT_EQ(levels.CurrentWay, TPlayWay::Endless);
  EXPECT_NE(levels.OpenBoardTile, nullptr);
  EXPECT_EQ(Stored("highscores-endless"), (std::vector<int>{920, 750}));
  // Closing the window leaves a run as "Back to menu" does.
  ASSERT_TRUE(StartWay("playendless"));
  Made(300, 0);
  Script("1 close");
  ASSERT_TRUE(RunUntil([this] { return Exited(); }, 400));
  EXPECT_EQ(Stored("highscores-endless"), (std::vector<int>{920, 750, 300}));
}

}  // namespace
