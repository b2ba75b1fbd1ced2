// The 80 standard levels as shipped: each file is exactly what the layout
// saver writes, no two share their cells, and each has the par measured on
// it. (The editor's validity test
// over every standard level is in EditorTest.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "BoardTestSupport.h"  // the headless platform for the board
#include "TCellBox.h"
#include "TLevelPars.h"
#include "TestSupport.h"

namespace {

constexpr int LevelCount = 80;

std::string LevelName(int n) {
  char name[8];
  std::snprintf(name, sizeof name, "%03d", n);
  return name;
}

std::string LevelPath(int n) {
  return std::string(GS_SOURCE_DIR) + "/layouts/" + LevelName(n) + ".layout";
}

// The lines of a file cut at CR LF; a lone LF or CR, or text after the last
// CR LF, comes back as a line of its own holding the stray bytes.
std::vector<std::string> CrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(bytes.substr(start, at - start));
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

// Cell kinds and flags of the interior, as one string of 4 x 192 digits.
std::string CellsOf(const TCellBox& board) {
  std::string cells;
  for (int y = 1; y <= 12; ++y)
    for (int x = 1; x <= 16; ++x) {
      const TLayoutCell& c = *board.Layout[x][y];
      cells += char('0' + c.Contents);
      cells += char('0' + c.IsChain);
      cells += char('0' + c.IsCreate);
      cells += char('0' + c.IsFill);
    }
  return cells;
}

TEST(LevelsTest, EveryStandardLevelIsWrittenAsTheSaverWritesIt) {
  testsupport::TempDir dir;
  for (int n = 1; n <= LevelCount; ++n) {
    SCOPED_TRACE(LevelName(n));
    std::string bytes = testsupport::ReadWholeFile(LevelPath(n));
    ASSERT_FALSE(bytes.empty()) << "missing " << LevelPath(n);
    std::vector<std::string> lines = CrLfLines(bytes);
    ASSERT_EQ(lines.size(), 53u);
    EXPECT_EQ(lines[0], "Gleamstrand Layout");
    for (int block = 0; block < 4; ++block) {
      EXPECT_EQ(lines[size_t(1 + block * 13)], "-");
      for (int row = 0; row < 12; ++row) {
        const std::string& line = lines[size_t(2 + block * 13 + row)];
        EXPECT_EQ(line.size(), 16u) << "block " << block << " row " << row + 1;
        for (char c : line) EXPECT_TRUE(c >= '0' && c <= (block == 0 ? '2' : '1')) << line;
      }
    }
    // Loading and saving again gives the same bytes.
    TCellBox board(TBoardArt::Blank());
    ASSERT_EQ(board.LoadLayout(LevelPath(n)), 1);
    ASSERT_EQ(board.SaveLayout(dir.File("again.layout")), 1);
    EXPECT_EQ(testsupport::ReadWholeFile(dir.File("again.layout")), bytes);
  }
}

TEST(LevelsTest, NoTwoLevelsShareTheirCells) {
  std::map<std::string, std::string> byCells;
  for (int n = 1; n <= LevelCount; ++n) {
    TCellBox board(TBoardArt::Blank());
    ASSERT_EQ(board.LoadLayout(LevelPath(n)), 1) << LevelName(n);
    auto [at, added] = byCells.emplace(CellsOf(board), LevelName(n));
    EXPECT_TRUE(added) << LevelName(n) << " has the cells of " << at->second;
  }
}

TEST(LevelsTest, TheFolderHoldsExactlyTheStandardLevels) {
  std::vector<std::string> names;
  for (const auto& item :
       std::filesystem::directory_iterator(std::string(GS_SOURCE_DIR) + "/layouts"))
    if (item.path().extension() == ".layout") names.push_back(item.path().stem().string());
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), size_t(LevelCount));
  for (int n = 1; n <= LevelCount; ++n) EXPECT_EQ(names[size_t(n - 1)], LevelName(n));
}

TEST(LevelsTest, EveryLevelHasTheParAndTimeLimitMeasuredOnItsLayoutAsItIsNow) {
  // A layout changed since the level report ran needs its par measured
  // again: scripts/levelreport.sh writes layouts/par.txt.
  TLevelPars pars;
  ASSERT_TRUE(pars.Load(std::string(GS_SOURCE_DIR) + "/layouts/" + TLevelPars::FileName));
  EXPECT_EQ(pars.Entries.size(), size_t(LevelCount));
  for (int n = 1; n <= LevelCount; ++n) {
    const TLevelPars::TEntry* entry = pars.Find(LevelPath(n));
    ASSERT_NE(entry, nullptr) << LevelName(n) << " has no par";
    EXPECT_GT(entry->Par, 0) << LevelName(n);
    EXPECT_GE(entry->LimitSeconds, 60) << LevelName(n) << " has no time limit";
    EXPECT_EQ(entry->Checksum, TLevelPars::Checksum(testsupport::ReadWholeFile(LevelPath(n))))
        << LevelName(n) << " changed after its par was measured";
  }
}

TEST(LevelsTest, StarsAreThreeAtParTwoAtTwiceParAndOneBeyond) {
  EXPECT_EQ(TLevelPars::Stars(12, 12), 3);
  EXPECT_EQ(TLevelPars::Stars(13, 12), 2);
  EXPECT_EQ(TLevelPars::Stars(24, 12), 2);
  EXPECT_EQ(TLevelPars::Stars(25, 12), 1);
  // No count (an old saved game) or no par (a custom level): none.
  EXPECT_EQ(TLevelPars::Stars(TLevelPars::MaxStars, 0), 0);
  EXPECT_EQ(TLevelPars::Stars(-1, 12), 0);
}

}  // namespace
