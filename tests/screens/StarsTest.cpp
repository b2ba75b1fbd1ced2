// Stars and bests through the real game, headless: a won level's stars on
// the end panel, the bests kept over a better and a worse win and shown on
// the level selection after the game starts again, and a completion record
// from before stars that still reads and is kept.
#include <gtest/gtest.h>

#include "GameResources.h"
#include "LevelTitle.h"
#include "ScreenTestSupport.h"
#include "TCellBox.h"
#include "TGameGUI.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TLayoutCell.h"
#include "TLevelBests.h"
#include "TLevelClock.h"
#include "TPlayScreen.h"
#include "TTitleScreen.h"
#include "TVEndLevelMenu.h"
#include "TestSupport.h"

namespace {

using screentest::ScreenTest;
using testsupport::ReadWholeFile;

class Stars : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    MakePlayer("Ada");
    AddLevel("001");
    AddLevel("002");
    // Level 001 has par 4; 002 has none.
    testsupport::WriteWholeFile(GameFolder() + "layouts/par.txt", "# pars\n001 4 0\n");
  }
  void StartOnLevels() {
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(OpenLevelSelection());
  }
  TVLevelList& Levels() const { return *Screens->Play->StandardLevelList; }
  TGameScreen& Screen() const { return *Screens->GameScreen; }
  // The selected level started with Enter.
  void StartSelected() {
    ASSERT_TRUE(Key("enter", 0));
    ASSERT_TRUE(RunUntilShown(&Screen()));
  }
  // The level won after `moves` moves with `score` points.
  void Win(int moves, int score) {
    TGameModeMatch3& mode = *Screen().GamePlay.Match3();
    mode.Moves = moves;
    Screen().GamePlay.Score = score;
    TCellBox& board = *mode.CellBox;
    for (int x = 0; x < 18; ++x) {
      for (int y = 0; y < 14; ++y) {
        TLayoutCell* cell = board.GetLayoutCellAtLocation(x, y);
        if (cell && cell->Contents == 2) cell->Contents = 1;
      }
    }
    ASSERT_TRUE(RunUntil([&] { return Screen().State.stateFinished == 1; }, 200));
  }
  TVEndLevelMenu& Panel() const { return *Screen().GUI->endLevelMenu; }
  void Restart() {
    ASSERT_TRUE(ClickButton(Panel().Menu.get(), "restartpuzzle", 10));
    ASSERT_EQ(Screen().State.stateFinished, 0);
  }
  std::string Bests() const { return ReadWholeFile(ProfileFolder() + "Adab.ini"); }
};

TEST_F(Stars, AWinShowsItsStarsTheBestIsKeptAndTheTileShowsItAfterARestart) {
  StartOnLevels();
  StartSelected();
  // Five moves at par 4: two stars, on the panel and in the bests.
  Win(5, 1250);
  EXPECT_EQ(Panel().Stars, 2);
  EXPECT_NE(std::find(Panel().Summary.begin(), Panel().Summary.end(), "Moves: 5 · Par: 4"),
            Panel().Summary.end());
  ASSERT_TRUE(Steps(60));
  Shot("stars-endpanel");
  const int firstMs = LevelClock.Elapsed();
  EXPECT_EQ(Bests(), "001=2,1250," + std::to_string(firstMs) + ",5\r\n");

  // A better win in stars and moves, a worse one in score: each best is
  // kept on its own, and the panel says what the best is.
  Restart();
  ASSERT_TRUE(Steps(40));
  Win(3, 900);
  EXPECT_EQ(Panel().Stars, 3);
  const TLevelBest best{3, 1250, std::min(firstMs, LevelClock.Elapsed()), 3};
  EXPECT_EQ(Bests(), "001=" + TLevelBests::ValueText(best) + "\r\n");
  EXPECT_EQ(Panel().Summary.back(), BestLineText(best));
  EXPECT_EQ(Panel().Summary.back().rfind("Best: 1250 · 0:", 0), 0u) << Panel().Summary.back();
  const std::string kept = Bests();

  // A worse win in everything changes nothing.
  Restart();
  ASSERT_TRUE(Steps(600));
  Win(20, 100);
  EXPECT_EQ(Panel().Stars, 1);
  EXPECT_EQ(Bests(), kept);
  EXPECT_EQ(Panel().Summary.back(), BestLineText(best));

  // The game again: the tile shows the best stars, the selected level its
  // best line, the page and the game their totals.
  ASSERT_TRUE(RestartGame());
  ASSERT_TRUE(OpenLevelSelection());
  TVLevelList& list = Levels();
  ASSERT_EQ(list.LevelStarsList.size(), 2u);
  EXPECT_EQ(list.LevelStarsList[0], 3);
  EXPECT_EQ(list.LevelStarsList[1], TVLevelList::NoStars);
  EXPECT_EQ(list.CurrentLevel, "001");
  EXPECT_EQ(list.SelectedBestLine(), BestLineText(best));
  EXPECT_EQ(list.TotalStars, 3);
  EXPECT_EQ(list.PageText(), "Page 1 of 1 · Stars 3 / 6");
  ASSERT_TRUE(Steps(10));
  Shot("stars-levels");
  // The first of the tile's stars is drawn earned (amber).
  const uint32_t star =
      Pixel(TVLevelList::ItemX[0] - TVLevelList::TileStarSize - TVLevelList::TileStarGap,
            TVLevelList::ItemY[0] + TVLevelList::TileStarsBelow);
  EXPECT_GT(star >> 16 & 0xFF, 200u) << std::hex << star;
  EXPECT_LT(star & 0xFF, 160u) << std::hex << star;
}

TEST_F(Stars, ACompletionRecordFromBeforeStarsStillReadsAndIsKept) {
  testsupport::WriteWholeFile(ProfileFolder() + "Adas.ini", "001=1\r\n");
  StartOnLevels();
  TVLevelList& list = Levels();
  // Finished, with no stars yet; the other level is not finished.
  EXPECT_EQ(list.LevelCompletedList[0], "1");
  EXPECT_EQ(list.LevelStarsList[0], 0);
  EXPECT_EQ(list.LevelStarsList[1], TVLevelList::NoStars);
  EXPECT_EQ(list.SelectedBestLine(), "");
  // A win of that level adds its best and leaves the record as it was,
  // its one line still "001=1".
  StartSelected();
  Win(4, 300);
  EXPECT_EQ(Panel().Stars, 3);
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "Adas.ini"), "001=1\r\n");
  EXPECT_EQ(Bests().rfind("001=3,300,", 0), 0u) << Bests();
}

}  // namespace
