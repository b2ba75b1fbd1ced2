// Wall tiles around the board's shape, and the nine decorations.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "BoardTestSupport.h"

namespace {

using boardtest::BoardTest;

// The rule table as written down for the wall artist: required flags, tile.
const char* const RuleTable[46][2] = {{"L R T B iNW iNE iSW iSE", "wall-full"},
                                      {"L T B iNW iSW", "wall-lefttopbottom"},
                                      {"R T B iNE iSE", "wall-righttopbottom"},
                                      {"L R T iNW iNE", "wall-topleftright"},
                                      {"L R B iSW iSE", "wall-bottomleftright"},
                                      {"L R", "wall-leftright"},
                                      {"T B", "wall-topbottom"},
                                      {"T L oSE", "wall-topleftse"},
                                      {"T L", "wall-topleft"},
                                      {"T R oSW", "wall-toprightsw"},
                                      {"T R", "wall-topright"},
                                      {"B L oNE", "wall-bottomleftne"},
                                      {"B L", "wall-bottomleft"},
                                      {"B R oNW", "wall-bottomrightnw"},
                                      {"B R", "wall-bottomright"},
                                      {"B oNW oNE", "wall-bottomnwne"},
                                      {"B oNW", "wall-bottomnw"},
                                      {"B oNE", "wall-bottomne"},
                                      {"T oSW oSE", "wall-topswse"},
                                      {"T oSW", "wall-topsw"},
                                      {"T oSE", "wall-topse"},
                                      {"L oNE oSE", "wall-leftnese"},
                                      {"L oNE", "wall-leftne"},
                                      {"L oSE", "wall-leftse"},
                                      {"R oNW oSW", "wall-rightnwsw"},
                                      {"R oNW", "wall-rightnw"},
                                      {"R oSW", "wall-rightsw"},
                                      {"oNW oNE oSW oSE", "wall-nwneswse"},
                                      {"oNE oSW oSE", "wall-neswse"},
                                      {"oNW oNE oSE", "wall-nwnese"},
                                      {"oNW oNE oSW", "wall-nwnesw"},
                                      {"oNW oSW oSE", "wall-nwswse"},
                                      {"oNE oSE", "wall-nese"},
                                      {"oNE oSW", "wall-nesw"},
                                      {"oNW oNE", "wall-nwne"},
                                      {"oNW oSE", "wall-nwse"},
                                      {"oNW oSW", "wall-nwsw"},
                                      {"oSW oSE", "wall-swse"},
                                      {"oNW", "wall-corner-outside-nw"},
                                      {"oNE", "wall-corner-outside-ne"},
                                      {"oSW", "wall-corner-outside-sw"},
                                      {"oSE", "wall-corner-outside-se"},
                                      {"L", "wall-left"},
                                      {"R", "wall-right"},
                                      {"T", "wall-top"},
                                      {"B", "wall-bottom"}};

// Tiles with a decoration, by rule number.
const std::map<int, std::string> Decorated = {{1, "wall-fulldecoration"},
                                              {2, "wall-lefttopbottomdecoration"},
                                              {3, "wall-righttopbottomdecoration"},
                                              {4, "wall-topleftrightdecoration"},
                                              {5, "wall-bottomleftrightdecoration"},
                                              {9, "wall-topleftdecoration"},
                                              {11, "wall-toprightdecoration"},
                                              {13, "wall-bottomleftdecoration"},
                                              {15, "wall-bottomrightdecoration"}};

// The flags of an empty cell, worked out from its eight neighbours.
std::set<std::string> ExpectedFlags(const TCellBox& board, int x, int y) {
  auto playing = [&](int dx, int dy) { return board.IsPlayingCell(x + dx, y + dy); };
  std::set<std::string> f;
  if (playing(-1, 0)) f.insert("L");
  if (playing(1, 0)) f.insert("R");
  if (playing(0, -1)) f.insert("T");
  if (playing(0, 1)) f.insert("B");
  const struct {
    const char* name;
    int dx, dy;
  } corners[] = {{"NW", -1, -1}, {"NE", 1, -1}, {"SW", -1, 1}, {"SE", 1, 1}};
  for (const auto& c : corners) {
    bool side1 = playing(c.dx, 0), side2 = playing(0, c.dy);
    if (side1 && side2) f.insert(std::string("i") + c.name);
    if (!side1 && !side2 && playing(c.dx, c.dy)) f.insert(std::string("o") + c.name);
  }
  return f;
}

// Rule number (1..46) for those flags, 0 when no rule applies.
int ExpectedRule(const std::set<std::string>& flags) {
  for (int i = 0; i < 46; ++i) {
    std::istringstream words(RuleTable[i][0]);
    bool all = true;
    for (std::string w; words >> w;) all = all && flags.count(w);
    if (all) return i + 1;
  }
  return 0;
}

// Pictures that are told apart by name, so that a tile can be checked
// without any image data.
class WallTest : public BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    auto bank = [this](const std::string& name) {
      auto image = std::make_shared<plat::TImage>();
      names[image.get()] = name;
      return image;
    };
    board = std::make_unique<TCellBox>(TBoardArt::Load(bank, bank, bank, nullptr));
  }
  std::string TileName(int x, int y) { return names[Layout(x, y).WallImage.get()]; }
  std::string DecorationName(int x, int y) { return names[Layout(x, y).DecorationImage.get()]; }

  std::map<const plat::TImage*, std::string> names;
};

// A shape in which each of the 46 rules decides at least one tile.
const std::vector<std::string> AllRulesShape = {
    "#..###..#.##..##", "###.#.#.....#.#.", ".#..#.###.#..#.#", "#######.##.#####",
    ".#.#...#####.##.", ".##..###########", "..#.###.##.#.#..", "....##..#.######",
    ".##..#..##..##.#", ".#..##.######.#.", ".#######.##.##..", ".##..#.#.#......"};

TEST_F(WallTest, EveryEmptyCellTakesTheFirstMatchingRuleOfTheTable) {
  Paint(AllRulesShape);
  Layout(3, 1).Contents = 2;  // marble cells count as playing too
  board->UpdateDrawWall();
  std::set<int> rulesSeen;
  for (int x = 0; x < 18; ++x) {
    for (int y = 0; y < 14; ++y) {
      SCOPED_TRACE(testing::Message() << "at " << x << "," << y);
      if (Layout(x, y).Contents != 0) {
        EXPECT_EQ(Layout(x, y).WallImage, nullptr);
        continue;
      }
      int rule = ExpectedRule(ExpectedFlags(*board, x, y));
      EXPECT_EQ(Layout(x, y).WallRule, rule);
      EXPECT_EQ(TileName(x, y), rule ? RuleTable[rule - 1][1] : "");
      rulesSeen.insert(rule);
    }
  }
  rulesSeen.erase(0);
  EXPECT_EQ(rulesSeen.size(), 46u);
}

TEST_F(WallTest, SingleCellGetsSideAndOutsideCornerTiles) {
  board->SetLayoutCellAtPosition(5, 5, 1);
  board->UpdateDrawWall();
  EXPECT_EQ(TileName(4, 5), "wall-right");
  EXPECT_EQ(TileName(6, 5), "wall-left");
  EXPECT_EQ(TileName(5, 4), "wall-bottom");
  EXPECT_EQ(TileName(5, 6), "wall-top");
  EXPECT_EQ(TileName(4, 4), "wall-corner-outside-se");
  EXPECT_EQ(TileName(6, 4), "wall-corner-outside-sw");
  EXPECT_EQ(TileName(4, 6), "wall-corner-outside-ne");
  EXPECT_EQ(TileName(6, 6), "wall-corner-outside-nw");
  EXPECT_EQ(TileName(3, 5), "");
  EXPECT_EQ(Layout(5, 5).WallImage, nullptr);
}

TEST_F(WallTest, EnclosedHoleIsFullWallAndTheBorderRingGetsWallsToo) {
  Paint({"...", ".#.", "..."});
  EXPECT_EQ(TileName(2, 2), "wall-full");
  EXPECT_EQ(TileName(0, 1), "wall-right");
  EXPECT_EQ(TileName(2, 0), "wall-bottom");
  EXPECT_EQ(TileName(0, 0), "wall-corner-outside-se");
  // Changing the layout and rebuilding replaces the tiles.
  board->SetLayoutCellAtPosition(2, 2, 1);
  board->UpdateDrawWall();
  EXPECT_EQ(Layout(2, 2).WallImage, nullptr);
  EXPECT_EQ(Layout(2, 2).WallRule, 0);
}

TEST_F(WallTest, DecorationsFollowTheDrawInScanOrderAtMostOncePerKind) {
  Paint(AllRulesShape);
  std::set<std::pair<int, int>> firstPlaces;
  bool placesDiffer = false;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    // What the rebuild must do: for each eligible cell in scan order whose
    // decoration is still free, one draw of 0..4; a 0 places it.
    plat::SeedRnd(seed);
    std::map<int, std::pair<int, int>> expected;
    for (int x = 0; x < 18; ++x) {
      for (int y = 0; y < 14; ++y) {
        if (Layout(x, y).Contents != 0) continue;
        int rule = ExpectedRule(ExpectedFlags(*board, x, y));
        if (!Decorated.count(rule) || expected.count(rule) || plat::Rand(0, 4) != 0) continue;
        expected[rule] = {x, y};
      }
    }
    plat::SeedRnd(seed);
    board->UpdateDrawWall();
    std::map<int, std::pair<int, int>> placed;
    for (int x = 0; x < 18; ++x) {
      for (int y = 0; y < 14; ++y) {
        std::string name = DecorationName(x, y);
        if (name.empty()) continue;
        int rule = Layout(x, y).WallRule;
        EXPECT_EQ(name, Decorated.at(rule));
        EXPECT_FALSE(placed.count(rule)) << "second decoration of rule " << rule;
        placed[rule] = {x, y};
      }
    }
    EXPECT_EQ(placed, expected) << "seed " << seed;
    int counters = board->DecorationFull + board->DecorationTopLeftRight +
                   board->DecorationBottomLeftRight + board->DecorationLeftTopBottom +
                   board->DecorationRightTopBottom + board->DecorationTopLeft +
                   board->DecorationTopRight + board->DecorationBottomLeft +
                   board->DecorationBottomRight;
    EXPECT_EQ(counters, int(placed.size()));
    EXPECT_EQ(board->DecorationsPlaced(), counters);
    if (placed.count(13)) {
      if (!firstPlaces.empty() && !firstPlaces.count(placed[13])) placesDiffer = true;
      firstPlaces.insert(placed[13]);
    }
  }
  EXPECT_TRUE(placesDiffer) << "rebuilds always put the decoration in the same place";
}

}  // namespace
