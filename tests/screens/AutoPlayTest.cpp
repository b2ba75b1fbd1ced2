// The autoplay bot: how it reads its levels, and the bot in the real game as
// a process (headless, seeded): it wins levels through the game's own flow
// and earns their stars, stops on a level where no move is ever possible,
// and refuses what names no level.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "Platform.h"
#include "TAutoPlay.h"
#include "TBoardArt.h"
#include "TCellBox.h"
#include "TGleamstrandHighScoreList.h"
#include "TSavedGame.h"
#include "TestSupport.h"

namespace {

using testsupport::ReadWholeFile;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

// ---------------------------------------------------------------- the levels

TEST(AutoPlayLevelsTest, NamesRangesAndLayoutFiles) {
  std::vector<TAutoPlay::TLevel> levels;
  std::string error;
  ASSERT_TRUE(TAutoPlay::ParseLevels("005", "layouts/", levels, error));
  ASSERT_EQ(levels.size(), 1u);
  EXPECT_EQ(levels[0].Name, "005");
  EXPECT_EQ(levels[0].Path, "layouts/005.layout");
  EXPECT_EQ(levels[0].Custom, 0);
  ASSERT_TRUE(TAutoPlay::ParseLevels("001-080", "layouts/", levels, error));
  ASSERT_EQ(levels.size(), 80u);
  EXPECT_EQ(levels[79].Name, "080");
  ASSERT_TRUE(TAutoPlay::ParseLevels("/tmp/my/castle.layout", "layouts/", levels, error));
  ASSERT_EQ(levels.size(), 1u);
  EXPECT_EQ(levels[0].Name, "castle");
  EXPECT_EQ(levels[0].Custom, 1);
  for (const char* bad : {"", "five", "010-001", "000", "1-2-3", "0001", "save:", "save:../x",
                          "001,", ",001", "001,,002"}) {
    EXPECT_FALSE(TAutoPlay::ParseLevels(bad, "layouts/", levels, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
  // A list, played in turn: levels, ranges, layouts (relative ones from the
  // folder the program started in) and saved games.
  ASSERT_TRUE(TAutoPlay::ParseLevels("004,save:s1,009-010,my/castle.layout", "layouts/", levels,
                                     error, "/start"));
  ASSERT_EQ(levels.size(), 5u);
  EXPECT_EQ(levels[0].Name, "004");
  EXPECT_EQ(levels[1].Name, "save:s1");
  EXPECT_EQ(levels[1].Save, "s1");
  EXPECT_EQ(levels[2].Path, "layouts/009.layout");
  EXPECT_EQ(levels[3].Name, "010");
  EXPECT_EQ(levels[4].Path, "/start/my/castle.layout");
  EXPECT_EQ(levels[4].Custom, 1);
}

// ---------------------------------------------------------------- the bot in the game

std::string Quote(const std::string& text) { return "'" + text + "'"; }

bool HaveGameData() {
  return plat::FileType(std::string(GS_RUNTIME_DIR) + "/data/resources/data.pak") ==
             plat::FILETYPE_FILE &&
         plat::FileType(std::string(GS_RUNTIME_DIR) + "/layouts/001.layout") == plat::FILETYPE_FILE;
}

class AutoPlayProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveGameData()) GTEST_SKIP() << "no game data in " << GS_RUNTIME_DIR;
  }
  // Runs the game headless with these options; its output goes to out.txt.
  int Run(const std::string& args) const {
    return testsupport::RunCommand(
        "cd " + Quote(home.Path()) + " && env XDG_DATA_HOME=" + Quote(home.Path()) +
        " HOME=" + Quote(home.Path()) + " SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " +
        Quote(GS_GAME_EXE) + " --headless " + args + " >" + Quote(home.File("out.txt")) + " 2>" +
        Quote(home.File("err.txt")));
  }
  std::string Out() const { return ReadWholeFile(home.File("out.txt")); }
  std::string ProfileFile(const std::string& name) const {
    return home.Path() + "/Talvorine Games/Cavernglow/profiles/" + name;
  }
  // The entries of a high-score table of the profile folder.
  std::vector<TGleamstrandHighScore> Table(const std::string& file) const {
    TGleamstrandHighScoreList table;
    table.filepath = ProfileFile(file);
    table.Load();
    return table.Entries;
  }
  bool HasEntry(const std::string& file, const std::string& name, int score) const {
    for (const TGleamstrandHighScore& entry : Table(file))
      if (entry.name == name && entry.score == score) return true;
    return false;
  }
  // The shared folder, then a saved game of level 3 at its first deal, as
  // the game writes it, under the file name given.
  void SaveLevelThree(const std::string& file) const {
    ASSERT_EQ(Run("--steps 1"), 0);
    TCellBox board(TBoardArt::Blank());
    ASSERT_EQ(board.ReadLayout(std::string(GS_RUNTIME_DIR) + "/layouts/003.layout"), 1);
    ASSERT_EQ(board.GenerateLevel(), 1);
    ASSERT_EQ(TSavedGame::Write(ProfileFile(file), 0, 0, board, board, {"003", 0}), 1);
  }

  TempDir home;
};

TEST_F(AutoPlayProcessTest, WinsLevelsOneAfterTheOtherAndTheGameRecordsThem) {
  ASSERT_EQ(Run("--seed 5 --autoplay 001 --player Tester"), 0) << Out();
  EXPECT_EQ(Out().rfind("001 won moves=", 0), 0u) << Out();
  // Two levels in one run: the second is started by the end panel's
  // "nextpuzzle", as a player would.
  ASSERT_EQ(Run("--seed 5 --autoplay 041-042 --player Tester"), 0) << Out();
  std::string out = Out();
  EXPECT_EQ(out.rfind("041 won moves=", 0), 0u) << out;
  EXPECT_NE(out.find("\n042 won moves="), std::string::npos) << out;
  EXPECT_NE(out.find(" reshuffles="), std::string::npos);
  EXPECT_NE(out.find(" seconds="), std::string::npos);
  std::string completed = ReadWholeFile(ProfileFile("Testers.ini"));
  for (const char* key : {"001=1", "041=1", "042=1"})
    EXPECT_NE(completed.find(key), std::string::npos) << key << " in " << completed;
  // Without --player the bot plays for "Autoplay"; the same seed plays the
  // same game.
  ASSERT_EQ(Run("--seed 5 --autoplay 001"), 0);
  std::string first = Out();
  ASSERT_EQ(Run("--seed 5 --autoplay 001"), 0);
  EXPECT_EQ(Out(), first);
  EXPECT_NE(ReadWholeFile(ProfileFile("Autoplays.ini")).find("001=1"), std::string::npos);
}

TEST_F(AutoPlayProcessTest, EachWinEarnsItsStarsAndOnlyABetterWinChangesTheBests) {
  ASSERT_EQ(Run("--steps 1"), 0);
  // A best no win can beat on level 001, and one any win beats on 002.
  const std::string unbeaten = "001=3,999999,1,1";
  WriteWholeFile(ProfileFile("Cyb.ini"), unbeaten + "\r\n002=1,0,999999999,999\r\n");
  ASSERT_EQ(Run("--seed 5 --autoplay 001-002 --player Cy"), 0) << Out();
  std::smatch won;
  const std::string out = Out();
  ASSERT_TRUE(std::regex_search(out, won, std::regex("\n002 won moves=(\\d+) .* stars=([123])\n")))
      << out;
  EXPECT_NE(out.find("001 won moves="), std::string::npos) << out;
  EXPECT_NE(out.find(" stars=", out.find("001 won")), std::string::npos) << out;
  const std::string bests = ReadWholeFile(ProfileFile("Cyb.ini"));
  EXPECT_EQ(bests.rfind(unbeaten + "\r\n002=" + won[2].str() + ",", 0), 0u) << bests;
  EXPECT_NE(bests.find("," + won[1].str() + "\r\n"), std::string::npos) << bests;
  // The completion record keeps its form beside it.
  EXPECT_EQ(ReadWholeFile(ProfileFile("Cys.ini")), "001=1\r\n002=1\r\n");
}

TEST_F(AutoPlayProcessTest, ALevelWithoutAnyPossibleMoveIsLostAfterTwentyMinutes) {
  // Two marble cells side by side: no line can ever be made.
  std::string rows(16, '0');
  std::string cells = "0000002200000000", create = "0000001000000000", fill = "0000001100000000";
  std::string layout = "Gleamstrand Layout\r\n";
  for (const std::string* first : {&cells, &rows, &create, &fill}) {
    layout += "-\r\n" + *first + "\r\n";
    for (int y = 2; y <= 12; ++y) layout += rows + "\r\n";
  }
  WriteWholeFile(home.File("stuck.layout"), layout);
  EXPECT_EQ(Run("--seed 1 --autoplay stuck.layout"), 3);
  EXPECT_EQ(Out(), "stuck lost moves=0 reshuffles=0 seconds=1200.0\n");
}

TEST_F(AutoPlayProcessTest, ALevelThenASavedGameOfAnotherLevelAreBothRecorded) {
  SaveLevelThree("s1.save");
  // Saves are shared by every player: --player chooses only who is credited.
  ASSERT_EQ(Run("--seed 2 --autoplay 004,save:s1 --player Ada"), 0) << Out();
  std::string out = Out();
  EXPECT_EQ(out.rfind("004 won moves=", 0), 0u) << out;
  EXPECT_NE(out.find("\nsave:s1 won moves="), std::string::npos) << out;
  std::string completed = ReadWholeFile(ProfileFile("Adas.ini"));
  for (const char* key : {"003=1", "004=1"})
    EXPECT_NE(completed.find(key), std::string::npos) << key << " in " << completed;
  EXPECT_EQ(completed.find("005"), std::string::npos) << completed;
  // The save kept no move count: its win records completion, no stars.
  EXPECT_NE(out.find("\nsave:s1 won moves="), std::string::npos) << out;
  EXPECT_NE(out.find(" stars=0\n", out.find("save:s1")), std::string::npos) << out;
  EXPECT_NE(ReadWholeFile(ProfileFile("Adab.ini")).find("003=0,"), std::string::npos);
  // A save that is not there stops the run.
  EXPECT_EQ(Run("--seed 2 --autoplay save:none --player Ada"), 1);
  EXPECT_NE(Out().find("no saved game \"none\""), std::string::npos) << Out();
}

TEST_F(AutoPlayProcessTest, ASaveNamedInAnotherCaseIsResumedInAFreshFolder) {
  // No player yet: the game would ask for a name, the bot makes its own.
  // The game stores a typed "s1" as "S1".
  SaveLevelThree("S1.save");
  ASSERT_EQ(Run("--seed 2 --autoplay save:s1 --player Bo"), 0) << Out();
  EXPECT_EQ(Out().rfind("save:s1 won moves=", 0), 0u) << Out();
  EXPECT_NE(ReadWholeFile(ProfileFile("Bos.ini")).find("003=1"), std::string::npos);
  // Two saves that differ only in case (copied in from elsewhere), neither
  // named exactly: the bot says so rather than pick one.
  for (const char* name : {"Cave.save", "CAVE.save"})
    WriteWholeFile(ProfileFile(name), ReadWholeFile(ProfileFile("S1.save")));
  EXPECT_EQ(Run("--autoplay save:cave --player Bo"), 1);
  EXPECT_NE(Out().find("differ only in letter case"), std::string::npos) << Out();
}

TEST_F(AutoPlayProcessTest, AgainstTheClockAWinIsRecordedForThatWayAndTimeRunsOutOfASave) {
  ASSERT_EQ(Run("--seed 5 --mode clock --autoplay 001 --player Cal"), 0) << Out();
  EXPECT_EQ(Out().rfind("001 won moves=", 0), 0u) << Out();
  EXPECT_NE(Out().find(" seconds="), std::string::npos) << Out();
  EXPECT_NE(ReadWholeFile(ProfileFile("Cal~s.ini")).find("001=1"), std::string::npos);
  EXPECT_NE(ReadWholeFile(ProfileFile("Cal~b.ini")).find("001="), std::string::npos);
  for (const char* relaxed : {"Cals.ini", "Calb.ini"}) {
    EXPECT_EQ(plat::FileType(ProfileFile(relaxed)), plat::FILETYPE_NONE) << relaxed;
  }
  // A game against the clock saved with three seconds left: resumed with
  // them, it runs out; the run ends with 3 and records nothing.
  SaveLevelThree("late.save");
  std::string save = ReadWholeFile(ProfileFile("late.save"));
  WriteWholeFile(ProfileFile("late.save"), save + "way clock\r\nremaining 3000\r\n");
  EXPECT_EQ(Run("--seed 5 --autoplay save:late --player Cal"), 3) << Out();
  std::regex outOfTime("save:late out of time moves=\\d+ reshuffles=\\d+ seconds=3\\.0\n");
  EXPECT_TRUE(std::regex_match(Out(), outOfTime)) << Out();
  EXPECT_EQ(ReadWholeFile(ProfileFile("Cal~s.ini")).find("003"), std::string::npos);
  // The same save without its two lines is played relaxed, and won.
  WriteWholeFile(ProfileFile("late.save"), save);
  ASSERT_EQ(Run("--seed 5 --autoplay save:late --player Cal"), 0) << Out();
  EXPECT_NE(ReadWholeFile(ProfileFile("Cals.ini")).find("003=1"), std::string::npos);
  EXPECT_EQ(Run("--mode fast --autoplay 001"), 2);
  EXPECT_NE(ReadWholeFile(home.File("err.txt")).find("--mode"), std::string::npos);
}

TEST_F(AutoPlayProcessTest, ATimeAttackPlayedToItsEndEntersItsOwnTableAlone) {
  ASSERT_EQ(Run("--steps 1"), 0);
  const std::string relaxed = ReadWholeFile(ProfileFile("highscores.hsdat"));
  ASSERT_FALSE(relaxed.empty());
  // Three minutes of game time; a bot that never ended would be cut short.
  ASSERT_EQ(Run("--seed 3 --steps 100000 --autoplay attack --player Ada"), 0) << Out();
  const std::string out = Out();
  std::smatch line;
  ASSERT_TRUE(std::regex_match(out, line, std::regex("attack score=(\\d+) moves=(\\d+)\n"))) << out;
  const int score = std::stoi(line[1].str());
  EXPECT_GT(std::stoi(line[2].str()), 0);
  // Far above the default table's best: first place, in this way's table.
  EXPECT_GT(score, 200);
  ASSERT_FALSE(Table("highscores-attack.hsdat").empty());
  EXPECT_EQ(Table("highscores-attack.hsdat").front().name, "Ada");
  EXPECT_EQ(Table("highscores-attack.hsdat").front().score, score);
  EXPECT_FALSE(HasEntry("highscores-endless.hsdat", "Ada", score));
  EXPECT_EQ(ReadWholeFile(ProfileFile("highscores.hsdat")), relaxed);
  // The open board's ways are items, not modes, and only endless counts moves.
  for (const char* refused :
       {"--mode clock --autoplay attack", "--mode attack --autoplay 001", "--autoplay endless",
        "--autoplay 001 --moves 5", "--moves 5", "--autoplay endless --moves 100001"})
    EXPECT_EQ(Run(refused), 2) << refused;
  EXPECT_NE(ReadWholeFile(home.File("err.txt")).find("--moves"), std::string::npos);
}

TEST_F(AutoPlayProcessTest, AnEndlessRunOfNMovesIsLeftThroughTheMenuAndRecorded) {
  // "Back to menu" asks nothing: a question would hold the bot until the
  // steps run out.
  ASSERT_EQ(Run("--seed 4 --steps 100000 --autoplay endless --moves 40 --player Eve"), 0) << Out();
  std::smatch line;
  std::string out = Out();
  ASSERT_TRUE(std::regex_match(out, line, std::regex("endless score=(\\d+) moves=40\n"))) << out;
  const int score = std::stoi(line[1].str());
  EXPECT_GT(score, 200);
  EXPECT_TRUE(HasEntry("highscores-endless.hsdat", "Eve", score));
  EXPECT_FALSE(HasEntry("highscores.hsdat", "Eve", score));
  // Endless is never saved.
  for (const std::string& entry : plat::ReadDir(ProfileFile("")))
    EXPECT_EQ(entry.find(".save"), std::string::npos) << entry;
  // The keyboard leaves the same way (Escape, then "Back to menu"); a
  // time attack after it starts from the level selection.
  ASSERT_EQ(Run("--seed 4 --steps 100000 --keys --autoplay endless,attack --moves 3 --player Eve"),
            0)
      << Out();
  out = Out();
  ASSERT_TRUE(
      std::regex_search(out, line, std::regex("^endless score=(\\d+) moves=3\nattack score=\\d+")))
      << out;
  EXPECT_EQ(HasEntry("highscores-endless.hsdat", "Eve", std::stoi(line[1].str())),
            std::stoi(line[1].str()) > 10);
}

// What only looks at the game leaves its play as it was: screenshots (and
// the sparks they catch), a frame log and a larger display. The lines and
// every file the game keeps are the same byte for byte.
TEST_F(AutoPlayProcessTest, ScreenshotsAFrameLogAndALargerDisplayLeaveThePlayAsItWas) {
  const std::string play = "--seed 3 --autoplay 001-002,endless --moves 12 ";
  const std::string folder = home.Path() + "/Talvorine Games";
  auto kept = [&] {
    std::map<std::string, std::string> files;
    for (const std::string& name : plat::ReadDir(ProfileFile("")))
      files[name] = ReadWholeFile(ProfileFile(name));
    for (const char* name : {"gleamstrand.ini", "config.ini"})
      files[name] = ReadWholeFile(folder + "/Cavernglow/" + name);
    return files;
  };
  ASSERT_EQ(Run(play), 0) << Out();
  const std::string lines = Out();
  const auto files = kept();
  ASSERT_GT(files.size(), 5u);
  // Frames drawn in the middle of the levels, while jewels burst.
  std::string shots = "--frame-log frames.txt";
  for (int step : {300, 1300, 1700, 2100, 2500, 3100})
    shots += " --screenshot " + std::to_string(step) + ":" + std::to_string(step) + ".png";
  for (const std::string& looking :
       {shots, std::string("--size 1920x1080 --screenshot 1700:big.png")}) {
    SCOPED_TRACE(looking);
    ASSERT_TRUE(plat::DeleteDir(folder, true));
    ASSERT_EQ(Run(play + looking), 0) << Out();
    EXPECT_EQ(Out(), lines);
    EXPECT_EQ(kept(), files);
  }
  for (const char* shot : {"300.png", "3100.png", "big.png"})
    EXPECT_EQ(plat::FileType(home.File(shot)), plat::FILETYPE_FILE) << shot;
  auto big = plat::LoadPixmap(home.File("big.png"));
  ASSERT_TRUE(big);
  EXPECT_EQ(big->width, 1920);
  EXPECT_FALSE(ReadWholeFile(home.File("frames.txt")).empty());
}

TEST_F(AutoPlayProcessTest, WhatNamesNoLevelIsRefused) {
  EXPECT_EQ(Run("--autoplay first"), 2);
  EXPECT_NE(ReadWholeFile(home.File("err.txt")).find("--autoplay"), std::string::npos);
  EXPECT_EQ(Run("--seed 1 --autoplay missing.layout"), 1);
  EXPECT_NE(Out().find("cannot be read"), std::string::npos) << Out();
  // A run cut short before the bot has finished is no win.
  EXPECT_EQ(Run("--seed 1 --autoplay 001 --steps 100"), 1);
  EXPECT_EQ(Out(), "");
}

}  // namespace
