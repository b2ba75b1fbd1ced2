// Saved games: the file byte for byte, resuming at rest, the restart after a
// resume, damaged files, and saves that cannot be written. Also the level
// clock that line 2 of the file is read from.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "BoardTestSupport.h"
#include "Globals.h"
#include "ModeTestSupport.h"
#include "TCellBox.h"
#include "TLevelClock.h"
#include "TSavedGame.h"
#include "TTalvorineGame.h"
#include "TextCase.h"

namespace {

using boardtest::DataFolder;
using boardtest::Picture;
using modetest::ModeTest;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

const std::vector<std::string> Level = {"..........", "...mmmm...", "..mm..mm..",
                                        "...mmmm...", "..........", ".........."};

class SavedGameTest : public ModeTest {};

TEST_F(SavedGameTest, SaveLoadSaveGivesTheSameFileButTheTime) {
  TGameModeMatch3& mode = StartMatch3(Level);
  play.Score = 1234;
  Steps(400);
  const std::string first = DataFolder() + "first";
  ASSERT_EQ(mode.SaveGame(first), 1);
  const std::vector<std::string> lines = Lines(ReadFile(first + ".save"));
  ASSERT_EQ(lines.size(), 135u);
  EXPECT_EQ(lines[133], "standard level1");
  EXPECT_EQ(lines[134], "moves 0");
  EXPECT_EQ(ReadFile(first + ".save").substr(ReadFile(first + ".save").size() - 2), "\r\n");
  EXPECT_EQ(lines[0], "Cavernglow Savegame");
  EXPECT_EQ(lines[1], "2000");
  EXPECT_EQ(lines[2], "1234");
  for (int block = 0; block < 10; ++block) {
    EXPECT_EQ(lines[size_t(3 + 13 * block)], "-");
    for (int row = 1; row <= 12; ++row) EXPECT_EQ(lines[size_t(3 + 13 * block + row)].size(), 16u);
  }
  // Rows 1 and 2 of the first deal's layout kinds.
  EXPECT_EQ(lines[17], "1111111111000000");
  EXPECT_EQ(lines[18], "1112222111000000");

  ASSERT_EQ(play.GameMode->LoadGame(first + ".save"), 1);
  EXPECT_EQ(play.Score, 1234);
  EXPECT_FALSE(mode.StartGameAnimation);
  Steps(200);
  const std::string second = DataFolder() + "second";
  ASSERT_EQ(mode.SaveGame(second), 1);
  std::vector<std::string> again = Lines(ReadFile(second + ".save"));
  ASSERT_EQ(again.size(), 135u);
  EXPECT_EQ(again[1], "3000");
  again[1] = lines[1];
  EXPECT_EQ(again, lines);
}

TEST_F(SavedGameTest, ResetAfterLoadingReturnsToTheSavedFirstDeal) {
  TGameModeMatch3& mode = StartMatch3(Level);
  const auto firstDeal = Picture(*mode.CellBox);
  // A different position at saving time.
  mode.CellBox->Cells[1][1]->ClearContents();
  mode.CellBox->Cells[2][1]->ClearContents();
  const auto saved = Picture(*mode.CellBox);
  ASSERT_EQ(mode.SaveGame(DataFolder() + "played"), 1);
  mode.Reset();

  ASSERT_EQ(mode.LoadGame(DataFolder() + "played.save"), 1);
  EXPECT_EQ(Picture(*mode.CellBox), saved);
  // The progress counts from the first deal's marble cells.
  EXPECT_EQ(mode.TotalMarbles, 12);
  mode.Reset();
  EXPECT_EQ(Picture(*mode.CellBox), firstDeal);
}

TEST_F(SavedGameTest, ASaveWhileJewelsFallStoresEachInTheCellItFallsInto) {
  TGameModeMatch3& mode = StartMatch3({"...", "...", "...", "...", "m.."});
  SetDeal({"1..", "2..", "...", "...", "m.."});
  Steps(20);  // half-way down the first row
  ASSERT_TRUE(mode.CellBox->Cells[1][3]->MoveLine);
  ASSERT_EQ(mode.SaveGame(DataFolder() + "falling"), 1);
  const std::vector<std::string> lines = Lines(ReadFile(DataFolder() + "falling.save"));
  // Block 6 (the current jewels) starts at line 70.
  EXPECT_EQ(lines[69].substr(0, 3), "000");
  EXPECT_EQ(lines[70].substr(0, 3), "100");
  EXPECT_EQ(lines[71].substr(0, 3), "200");
  ASSERT_EQ(mode.LoadGame(DataFolder() + "falling.save"), 1);
  EXPECT_FALSE(mode.CellBox->Cells[1][3]->MoveLine);
  EXPECT_EQ(Picture(*mode.CellBox, 5, 3),
            (std::vector<std::string>{"...", "1..", "2..", "...", "m.."}));
}

TEST_F(SavedGameTest, CutOrDamagedFilesAreRefusedAndTheGameInProgressStays) {
  TGameModeMatch3& mode = StartMatch3(Level);
  play.Score = 55;
  ASSERT_EQ(mode.SaveGame(DataFolder() + "whole"), 1);
  const std::string named = ReadFile(DataFolder() + "whole.save");
  // The boards without the level line that follows them.
  const std::string whole = named.substr(0, named.rfind("standard "));
  const auto board = Picture(*mode.CellBox);

  // Cut in the middle of the current board's layout blocks, cut in its last
  // row, or empty (a full disk, a crash): the board would be empty, which
  // counts as won. Refused, and the game in progress stays.
  for (const std::string& cut : {whole.substr(0, whole.find("\r\n-\r\n", 1500) + 80),
                                 whole.substr(0, whole.size() - 5), std::string()}) {
    WriteBytes(DataFolder() + "short.save", cut);
    EXPECT_EQ(mode.LoadGame(DataFolder() + "short.save"), 0) << cut.size();
    EXPECT_EQ(Picture(*mode.CellBox), board);
    EXPECT_EQ(play.Score, 55);
  }
  // Only the last line end missing: every digit is there.
  WriteBytes(DataFolder() + "short.save", whole.substr(0, whole.size() - 2));
  ASSERT_EQ(mode.LoadGame(DataFolder() + "short.save"), 1);
  EXPECT_EQ(mode.TotalMarbles, 12);
  Steps(300);

  // Bytes of every kind, or a whole file whose board in play holds a value
  // no board can (a NUL byte, a colour 9, a kind 3) or no marble cell:
  // resumed, it would be won at once or never.
  std::string garbage;
  for (int i = 0; i < 20000; ++i) garbage += char((i * 7919 + i / 13) % 256);
  garbage += "\r\n9999999999999999\r\n";
  // Line 70 is the first jewel row of the board in play; its kinds follow
  // the twelve rows and a "-" line.
  size_t jewels = 0;
  for (int line = 1; line < 70; ++line) jewels = whole.find("\r\n", jewels) + 2;
  const size_t kinds = jewels + 12 * 18 + 3;
  std::string nul = whole, nine = whole, kind = whole, noMarble = whole;
  nul[jewels + 20] = '\0';
  nine[jewels + 20] = '9';
  kind[kinds + 20] = '3';
  std::replace(noMarble.begin() + long(kinds), noMarble.begin() + long(kinds + 12 * 18), '2', '1');
  const auto current = Picture(*mode.CellBox);
  const std::vector<std::string> damaged = {garbage, nul, nine, kind, noMarble};
  for (size_t n = 0; n < damaged.size(); ++n) {
    SCOPED_TRACE(n);
    WriteBytes(DataFolder() + "damaged.save", damaged[n]);
    EXPECT_EQ(mode.LoadGame(DataFolder() + "damaged.save"), 0);
    EXPECT_EQ(Picture(*mode.CellBox), current);
  }
  Steps(10);
}

TEST_F(SavedGameTest, FilesThatCannotBeWrittenOrReadLeaveTheGameAsItWas) {
  TGameModeMatch3& mode = StartMatch3(Level);
  play.Score = 77;
  const auto board = Picture(*mode.CellBox);
  const std::string log = SharedDataPath + "ErrorLog.txt";
  std::remove(log.c_str());
  const int logWasOn = ErrorLogOn;
  ErrorLogOn = 1;

  EXPECT_EQ(mode.SaveGame(DataFolder() + "no such folder/game"), 0);
  EXPECT_NE(
      ReadFile(log).find("Could not create file '" + DataFolder() + "no such folder/game.save'"),
      std::string::npos);
  // Names the player typed stay inside the profile folder.
  Game->ProfilePath = DataFolder();
  for (const char* name : {"", ".", "..", "../up", "a/b", "a\\b"}) {
    EXPECT_EQ(mode.SaveGame(DataFolder() + name), 0) << name;
  }
  EXPECT_NE(plat::FileType(DataFolder() + "..save"), plat::FILETYPE_FILE);

  // A failed load leaves the game and the saved files alone.
  ASSERT_EQ(mode.SaveGame(DataFolder() + "kept"), 1);
  const std::string kept = ReadFile(DataFolder() + "kept.save");
  EXPECT_EQ(mode.LoadGame(DataFolder() + "missing.save"), 0);
  EXPECT_NE(ReadFile(log).find("Could not read file '" + DataFolder() + "missing.save'"),
            std::string::npos);
  EXPECT_EQ(Picture(*mode.CellBox), board);
  EXPECT_EQ(play.Score, 77);
  EXPECT_EQ(ReadFile(DataFolder() + "kept.save"), kept);
  ErrorLogOn = logWasOn;
}

TEST_F(SavedGameTest, TheSaveNamesItsLevelAndASaveWithoutOneStillLoads) {
  TGameModeMatch3& mode = StartMatch3(Level);
  const std::string path = DataFolder() + "named";
  play.CurrentLevel = "/somewhere/castle.layout";
  play.IsCustomLevel = 1;
  ASSERT_EQ(mode.SaveGame(path), 1);
  TSavedLevel level;
  ASSERT_EQ(TSavedGame::ReadLevel(path + ".save", level), 1);
  EXPECT_EQ(level, (TSavedLevel{"castle", 1}));
  // Resumed after another level, the game is the save's own level again.
  play.CurrentLevel = "layouts/004.layout";
  play.IsCustomLevel = 0;
  ASSERT_EQ(mode.LoadGame(path + ".save"), 1);
  EXPECT_EQ(play.CurrentLevel, TGameModeMatch3::LevelPath(level));
  EXPECT_EQ(FileStem(play.CurrentLevel), "castle");
  EXPECT_EQ(play.IsCustomLevel, 1);

  // Written before saves named their level: 133 lines, read as before, of
  // no level.
  std::string text = ReadFile(path + ".save");
  const std::string old = text.substr(0, text.find("custom castle"));
  WriteBytes(path + ".save", old);
  ASSERT_EQ(TSavedGame::ReadLevel(path + ".save", level), 1);
  EXPECT_FALSE(level.Known());
  ASSERT_EQ(mode.LoadGame(path + ".save"), 1);
  EXPECT_EQ(play.CurrentLevel, "");
  EXPECT_EQ(play.IsCustomLevel, 0);
  EXPECT_EQ(mode.TotalMarbles, 12);
  // Saved again, it stays a save of no level, byte for byte the old form.
  ASSERT_EQ(mode.SaveGame(path), 1);
  EXPECT_EQ(Lines(ReadFile(path + ".save")).size(), 133u);
  // A level line that leads out of its folder names no level.
  for (const char* line : {"custom ../x", "standard a/b", "standard ", "level 003"}) {
    EXPECT_FALSE(TSavedGame::ParseLevelLine(line).Known()) << line;
  }
  EXPECT_EQ(TSavedGame::ParseLevelLine("standard 003\r"), (TSavedLevel{"003", 0}));
}

TEST_F(SavedGameTest, TheSaveKeepsTheMoveCountAndOneWithoutItResumesUncounted) {
  TGameModeMatch3& mode = StartMatch3(Level);
  const std::string path = DataFolder() + "counted";
  mode.Moves = 7;
  ASSERT_EQ(mode.SaveGame(path), 1);
  std::vector<std::string> lines = Lines(ReadFile(path + ".save"));
  ASSERT_EQ(lines.size(), 135u);
  EXPECT_EQ(lines[134], "moves 7");
  mode.Moves = 0;
  ASSERT_EQ(mode.LoadGame(path + ".save"), 1);
  EXPECT_EQ(mode.Moves, 7);
  // A move counts on from the saved count.
  mode.MoveMade();
  EXPECT_EQ(mode.Moves, 8);

  // Written before saves counted moves: the count is unknown and stays so,
  // and a save of it writes no count.
  lines.pop_back();
  std::string old;
  for (const std::string& line : lines) old += line + "\r\n";
  WriteBytes(path + ".save", old);
  ASSERT_EQ(mode.LoadGame(path + ".save"), 1);
  EXPECT_EQ(mode.Moves, TGameModeMatch3::MovesUnknown);
  mode.MoveMade();
  EXPECT_EQ(mode.Moves, TGameModeMatch3::MovesUnknown);
  ASSERT_EQ(mode.SaveGame(path), 1);
  EXPECT_EQ(ReadFile(path + ".save"), old);
  // A restart counts from the first deal again.
  mode.Reset();
  EXPECT_EQ(mode.Moves, 0);
}

TEST_F(SavedGameTest, HandEditedTimesCannotOverflowTheClock) {
  TGameModeMatch3& mode = StartMatch3(Level);
  const std::string path = DataFolder() + "edited";
  ASSERT_EQ(mode.SaveGame(path), 1);
  std::vector<std::string> lines = Lines(ReadFile(path + ".save"));
  for (auto [written, read] : {std::pair<std::string, int>{"-2147483648", 0},
                               {"99999999999999999999", TLevelClock::MaxElapsedMs},
                               {"2147483647", TLevelClock::MaxElapsedMs},
                               {"-5", 0}}) {
    lines[1] = written;
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    WriteBytes(path + ".save", text);
    ASSERT_EQ(mode.LoadGame(path + ".save"), 1) << written;
    EXPECT_EQ(LevelClock.Elapsed(), read) << written;
  }
  TLevelClock clock;
  clock.SetElapsed(-2147483647 - 1);
  EXPECT_EQ(clock.Elapsed(), 0);
  clock.SetElapsed(2147483647);
  EXPECT_EQ(clock.Elapsed(), TLevelClock::MaxElapsedMs);
}

TEST(LevelClockTest, PausesDoNotCountAsPlayingTime) {
  plat::SetVirtualClock(50000);
  TLevelClock clock;
  clock.Restart();
  plat::AdvanceClock(1000);
  EXPECT_EQ(clock.Elapsed(), 1000);
  clock.Pause();
  plat::AdvanceClock(5000);
  EXPECT_EQ(clock.Elapsed(), 1000);
  clock.Resume();
  plat::AdvanceClock(500);
  EXPECT_EQ(clock.Elapsed(), 1500);
  clock.SetElapsed(90000);
  EXPECT_EQ(clock.Elapsed(), 90000);
  clock.Pause();
  clock.SetElapsed(20);
  plat::AdvanceClock(700);
  clock.Resume();
  EXPECT_EQ(clock.Elapsed(), 20);
  // A restart while play is interrupted counts from the end of it.
  clock.Pause();
  plat::AdvanceClock(300);
  clock.RestartKeepingPause();
  EXPECT_TRUE(clock.IsPaused());
  plat::AdvanceClock(400);
  clock.Resume();
  plat::AdvanceClock(50);
  EXPECT_EQ(clock.Elapsed(), 50);
  clock.Restart();
  EXPECT_FALSE(clock.IsPaused());
}

TEST(LevelClockTest, ASecondPauseKeepsTheMomentOfTheFirst) {
  plat::SetVirtualClock(70000);
  TLevelClock clock;
  clock.Restart();
  plat::AdvanceClock(2000);
  clock.Pause();
  const int first = clock.PauseTime;
  plat::AdvanceClock(5000);
  clock.Pause();  // the menu opened over a pause, say
  EXPECT_EQ(clock.PauseTime, first);
  EXPECT_EQ(clock.Elapsed(), 2000);
  clock.Resume();
  EXPECT_EQ(clock.Elapsed(), 2000);  // the 5 s between the two pauses do not count
  plat::AdvanceClock(300);
  EXPECT_EQ(clock.Elapsed(), 2300);
}

}  // namespace
