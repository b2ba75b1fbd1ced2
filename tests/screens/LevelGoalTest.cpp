// The goal of a level made visible, in the real game, headless: the level's
// own name over its number, the marble cells left on the progress bar, the
// opening tip of a level that brings something new, and a hint that points
// at a move clearing marble cells whenever there is one.
#include <gtest/gtest.h>

#include <set>

#include "DrawRecord.h"
#include "GameResources.h"
#include "ScreenTestSupport.h"
#include "TCell.h"
#include "TCellBox.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameText.h"
#include "TModeText.h"

namespace {

using screentest::ScreenTest;
using TMove = std::set<std::pair<int, int>>;

// Jewels over the interior rows: exchanging (3, 1) with (3, 2) lines up the
// 6s of row 2; exchanging (1, 2) with (2, 2) lines up the 3s of column 1.
const std::vector<std::string> kJewels = {"45645", "53466", "36524", "32114"};
const TMove kRowMove = {{3, 1}, {3, 2}}, kColumnMove = {{1, 2}, {2, 2}};

class LevelGoal : public ScreenTest {
 protected:
  void Play(const std::string& level, const std::vector<std::string>& rows) {
    MakePlayer("Ada");
    ASSERT_TRUE(StartInLevel(screen_, AddLevel(level, rows)));
  }
  TGameModeMatch3& Mode() { return dynamic_cast<TGameModeMatch3&>(*screen_.GamePlay.GameMode); }
  // The jewels of kJewels on the board, at rest.
  void PaintJewels() {
    TCellBox& board = *Mode().CellBox;
    for (size_t y = 0; y < kJewels.size(); ++y)
      for (size_t x = 0; x < kJewels[y].size(); ++x)
        board.Cells[int(x) + 1][int(y) + 1]->SetContents(kJewels[y][x] - '0');
    ASSERT_TRUE(Steps(3));
  }
  // The texts drawn over a few frames.
  std::vector<plat::TDrawnItem> DrawnTexts() {
    std::vector<plat::TDrawnItem> texts;
    plat::SetDrawObserver([&](const plat::TDrawnItem& item) {
      if (item.text) texts.push_back(item);
    });
    EXPECT_TRUE(Steps(6));
    plat::SetDrawObserver(nullptr);
    return texts;
  }
  static bool Shows(const std::vector<plat::TDrawnItem>& texts, const std::string& what) {
    for (const plat::TDrawnItem& t : texts)
      if (t.characters == what) return true;
    return false;
  }
  // The moves the hint shows over many requests (each with its own seed).
  std::set<TMove> HintsShown() {
    std::set<TMove> shown;
    for (uint32_t seed = 1; seed <= 24; ++seed) {
      plat::SeedRnd(seed);
      Mode().ResetHintTimer(0);
      EXPECT_TRUE(RunUntil([&] { return Mode().CurrentHint.has_value(); }, 200));
      if (!Mode().CurrentHint) break;
      const TMatch3Hint& hint = *Mode().CurrentHint;
      shown.insert(TMove{{hint.FirstCell->ArrayX, hint.FirstCell->ArrayY},
                         {hint.SecondCell->ArrayX, hint.SecondCell->ArrayY}});
    }
    return shown;
  }
  static std::string Left(int marbles) {
    return modetext::WithNumber(GameText->FindString("Marbles Left"), marbles);
  }

  TGameScreen screen_;
};

TEST_F(LevelGoal, TheHudNamesTheLevelCountsTheMarbleCellsLeftAndTheHintLeadsToThem) {
  // Two marble cells under the 3s of column 1, one that no move reaches.
  Play("006", {"ccccc", ".....", "m....", "m...m"});
  PaintJewels();
  auto texts = DrawnTexts();
  const std::string name = GameText->FindString("Level Name 006");
  ASSERT_FALSE(name.empty());
  EXPECT_TRUE(Shows(texts, name)) << "the level's own name";
  EXPECT_TRUE(Shows(texts, modetext::WithNumber(GameText->FindString("Level Label"), 6)));
  EXPECT_TRUE(Shows(texts, Left(3)));
  // Level 6 brings chained jewels: its opening box tells how they work.
  ASSERT_FALSE(GameText->FindString("Level Tip 006").empty());
  EXPECT_TRUE(Shows(texts, GameText->FindString("Level Tip 006")));
  EXPECT_FALSE(Shows(texts, GameText->FindString("Help Message")));

  // Both moves are on the board; the hint shows the one over marble.
  ASSERT_TRUE(Mode().HintList.has_value());
  EXPECT_EQ(Mode().CellBox->MarblesCleared(1, 2, 2, 2), 2);
  EXPECT_EQ(Mode().CellBox->MarblesCleared(3, 1, 3, 2), 0);
  EXPECT_EQ(HintsShown(), std::set<TMove>{kColumnMove});

  // Following it clears two of the three.
  auto centre = [](int x, int y) { return std::pair{94 + 36 * x, 66 + 36 * y}; };
  auto [x1, y1] = centre(1, 2);
  auto [x2, y2] = centre(2, 2);
  ASSERT_TRUE(Click(x1, y1));
  ASSERT_TRUE(Click(x2, y2, 10));
  ASSERT_TRUE(RunUntil([&] { return Mode().CellBox->GetLayoutCellMarbleCount() == 1; }, 400));
  EXPECT_TRUE(Shows(DrawnTexts(), Left(1)));
}

TEST_F(LevelGoal, WithoutAMoveOverMarbleTheHintShowsAnyMove) {
  // The marble cells lie where neither move reaches; a level without news
  // opens with the game's help line.
  Play("001", {"ccccc", ".....", ".....", "...mm"});
  PaintJewels();
  auto texts = DrawnTexts();
  EXPECT_TRUE(Shows(texts, GameText->FindString("Help Message")));
  EXPECT_TRUE(Shows(texts, Left(2)));
  EXPECT_EQ(HintsShown(), (std::set<TMove>{kRowMove, kColumnMove}));
}

}  // namespace
