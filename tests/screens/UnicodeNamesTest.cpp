// Names beyond Latin-1 through the real game, headless: a player who types
// "дмитрий" at the first run (character codes through the script feed) wins
// level 1 with the keys, sees the name in the high-score table, and after a
// restart the profile, the completion record and the table read back
// unchanged. The files of an earlier version (a Latin-1 "Zoë") still read.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DrawRecord.h"
#include "ScreenTestSupport.h"
#include "TCell.h"
#include "TCellBox.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TGleamstrandHighScoreList.h"
#include "THighScoreScreen.h"
#include "TPlayScreen.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TVLevelList.h"
#include "TestSupport.h"
#include "Utf8.h"

namespace {

using screentest::ScreenTest;
using testsupport::ReadWholeFile;

const std::string kName = "Дмитрий";

class UnicodeNames : public ScreenTest {
 protected:
  TGameScreen& Screen() { return *Screens->GameScreen; }

  // The title's high-score screen, and the texts it draws once its rows
  // have slid in.
  std::vector<std::string> HighScoreTexts() {
    EXPECT_TRUE(ClickButton(Screens->Title->MainMenu.get(), "highscore"));
    EXPECT_TRUE(RunUntilShown(Screens->HighScores.get()));
    EXPECT_TRUE(Steps(300));
    std::vector<std::string> texts;
    plat::SetDrawObserver([&](const plat::TDrawnItem& item) {
      if (item.text) texts.push_back(item.characters);
    });
    EXPECT_TRUE(Steps(3));
    plat::SetDrawObserver(nullptr);
    return texts;
  }
  static bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }

  // Level 1 from the title, played with the arrows and Space until won.
  void WinLevelOneWithTheKeys() {
    ASSERT_TRUE(OpenLevelSelection());
    ASSERT_TRUE(Key("enter", 3));
    ASSERT_TRUE(RunUntilShown(&Screen()));
    TGameModeMatch3& mode = *Screen().GamePlay.Match3();
    const TBoardCursor& cursor = mode.CellBox->Cursor;
    auto settled = [&] {
      return Screen().State.stateFinished ||
             (!mode.IsFinished() && !mode.StartGameAnimation && mode.IsBoardAtRest() &&
              mode.HintList && !mode.HintList->empty() && !mode.ShufflePieces);
    };
    for (int moves = 0; moves < 40 && !Screen().State.stateFinished; ++moves) {
      ASSERT_TRUE(RunUntil(settled, 3000));
      if (Screen().State.stateFinished) break;
      const TCell& first = *mode.HintList->front().FirstCell;
      const TCell& second = *mode.HintList->front().SecondCell;
      while (cursor.X != first.ArrayX)
        ASSERT_TRUE(Key(cursor.X < first.ArrayX ? "right" : "left", 2));
      while (cursor.Y != first.ArrayY) ASSERT_TRUE(Key(cursor.Y < first.ArrayY ? "down" : "up", 2));
      ASSERT_TRUE(Key("space", 2));
      int dx = second.ArrayX - first.ArrayX, dy = second.ArrayY - first.ArrayY;
      ASSERT_TRUE(Key(dx > 0 ? "right" : dx < 0 ? "left" : dy > 0 ? "down" : "up", 2));
    }
    ASSERT_TRUE(RunUntil([&] { return Screen().State.stateFinished == 1; }, 3000));
    ASSERT_TRUE(Steps(200));
  }
};

TEST_F(UnicodeNames, DmitriyTypedInCyrillicWinsAndKeepsHisNameInEveryFileAfterARestart) {
  AddLevel("001");
  Fades = false;
  ASSERT_TRUE(StartAtNamePrompt());
  TTitleScreen& title = *Screens->Title;
  // Typed in lower case by code point, as a Russian keyboard gives it.
  std::string script;
  int step = 1;
  for (char32_t c : plat::CodePoints("дмитрий")) {
    script += std::to_string(step++) + " char " + std::to_string(int(c)) + "\n";
  }
  Script(script);
  ASSERT_TRUE(Steps(step + 2));
  EXPECT_EQ(title.EnterName->TextInput.Text, "дмитрий");
  Shot("unicode-name-typed");
  ASSERT_TRUE(Key("enter", 10));
  ASSERT_EQ(Game->CurrentProfile->Name, kName);  // the first letter made a capital

  WinLevelOneWithTheKeys();
  const TGleamstrandHighScoreList& table = Screen().HighscoreList;
  auto entry = std::find_if(table.Entries.begin(), table.Entries.end(),
                            [](const TGleamstrandHighScore& e) { return e.name == kName; });
  ASSERT_NE(entry, table.Entries.end());
  const int score = entry->score;
  EXPECT_GT(score, 0);

  // On disk: every file under the name's UTF-8 bytes, the table marked.
  const std::string profile = ReadWholeFile(ProfileFolder() + kName + ".dat");
  EXPECT_EQ(profile, std::string("\1\0\0\0", 4));
  const std::string record = ReadWholeFile(ProfileFolder() + kName + "s.ini");
  EXPECT_EQ(record, "001=1\r\n");
  const std::string hsdat = ReadWholeFile(ProfileFolder() + "highscores.hsdat");
  EXPECT_EQ(hsdat.rfind("GSU8", 0), 0u);
  std::string shifted;
  for (unsigned char c : kName) shifted += char((c + TGleamstrandHighScoreList::NameShift) & 255);
  EXPECT_NE(hsdat.find(shifted + '\0'), std::string::npos);
  EXPECT_NE(ReadWholeFile(SettingsFile()).find("PROFILE NAME=" + kName + "\r\n"),
            std::string::npos);

  // The game again: the same player, record and table, and the name shown.
  ASSERT_TRUE(RestartGame());
  ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
  ASSERT_NE(Game->CurrentProfile, nullptr);
  EXPECT_EQ(Game->CurrentProfile->Name, kName);
  std::vector<std::string> shown = HighScoreTexts();
  EXPECT_TRUE(Has(shown, kName));
  EXPECT_TRUE(Has(shown, std::to_string(score)));
  Shot("unicode-name-highscores");
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + kName + ".dat"), profile);
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + kName + "s.ini"), record);
  EXPECT_EQ(ReadWholeFile(ProfileFolder() + "highscores.hsdat"), hsdat);
}

TEST_F(UnicodeNames, AnEarlierVersionsLatinOneProfileAndTableStillRead) {
  // As an earlier version wrote them: the settings' name and the table's
  // names one byte a character, the files' names in UTF-8.
  AddLevel("001");
  testsupport::WriteWholeFile(ProfileFolder() + "Zoë.dat", std::string("\1\0\0\0", 4));
  testsupport::WriteWholeFile(ProfileFolder() + "Zoës.ini", "001=1\r\n");
  SetSetting("PROFILE NAME", "Zo\xEB");
  std::string old;
  for (unsigned char c : std::string("Zo\xEB")) {
    old += char((c + TGleamstrandHighScoreList::NameShift) & 255);
  }
  old += std::string("\0\x39\x30\0\0", 5);  // 12345
  testsupport::WriteWholeFile(ProfileFolder() + "highscores.hsdat", old);
  Fades = false;
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
  ASSERT_NE(Game->CurrentProfile, nullptr);
  EXPECT_EQ(Game->CurrentProfile->Name, "Zoë");
  EXPECT_EQ(Game->ProfileName, "Zoë");
  std::vector<std::string> shown = HighScoreTexts();
  EXPECT_TRUE(Has(shown, "Zoë"));
  EXPECT_TRUE(Has(shown, "12345"));
  Shot("unicode-old-highscores");
  // The level finished then is still finished.
  ASSERT_TRUE(Key("esc", 3));
  ASSERT_TRUE(OpenLevelSelection());
  const auto& done = Screens->Play->StandardLevelList->LevelCompletedList;
  EXPECT_NE(std::find(done.begin(), done.end(), "1"), done.end());
  // The settings are written back in UTF-8, with the same name.
  EXPECT_NE(ReadWholeFile(SettingsFile()).find("PROFILE NAME=Zoë\r\n"), std::string::npos);
}

}  // namespace
