// The player's files read and written without a screen: the high-score
// table, profiles, completion records and the listing of saved games.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "GameResources.h"
#include "Platform.h"
#include "TCompletionFile.h"
#include "TGameText.h"
#include "TGleamstrandHighScoreList.h"
#include "TPlayerFiles.h"
#include "TProfileStore.h"
#include "TSaveGameList.h"
#include "TestSupport.h"

namespace {

using testsupport::ReadWholeFile;
using testsupport::WriteWholeFile;

class PlayerFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = dir_.Path() + "/";
    savedText_ = GameText;
    GameText = std::make_shared<TGameText>();
    std::string text;
    for (int i = 1; i <= 10; ++i) {
      text += "[TEXT]\nHighscore Name " + std::to_string(i) + "\nName" + std::to_string(i) + "\n";
    }
    GameText->Parse(text);
    table_.filepath = folder_ + "highscores.hsdat";
  }
  void TearDown() override { GameText = savedText_; }

  // A table of ten entries 100, 90, ..., 10.
  void FillTable() {
    table_.Entries.clear();
    for (int i = 0; i < 10; ++i) table_.Add("E" + std::to_string(i + 1), 100 - 10 * i);
  }

  testsupport::TempDir dir_;
  std::string folder_;
  std::shared_ptr<TGameText> savedText_;
  TGleamstrandHighScoreList table_;
};

TEST_F(PlayerFiles, HighScorePlacesAndInsertion) {
  FillTable();
  EXPECT_EQ(table_.GetPosition(10), 0);   // equal to the tenth: no place
  EXPECT_EQ(table_.GetPosition(11), 10);  // one more: the tenth place
  EXPECT_EQ(table_.GetPosition(101), 1);
  EXPECT_EQ(table_.GetPosition(90), 3);  // equal scores rank below
  EXPECT_EQ(table_.Insert("New", 90), 1);
  ASSERT_EQ(table_.Entries.size(), 10u);
  EXPECT_EQ(table_.Entries[1].name, "E2");
  EXPECT_EQ(table_.Entries[2].name, "New");
  EXPECT_EQ(table_.Entries[9].name, "E9");  // the old tenth fell out
  EXPECT_EQ(table_.Insert("Low", 5), 0);
  EXPECT_EQ(table_.Entries.size(), 10u);
  table_.Entries.resize(3);
  EXPECT_EQ(table_.Insert("Low", 5), 1);  // a short table takes it at the end
  EXPECT_EQ(table_.Entries.back().name, "Low");
}

TEST_F(PlayerFiles, MissingHighScoreFileGivesTheDefaultTableOnDisk) {
  table_.Load();
  ASSERT_EQ(table_.Entries.size(), 10u);
  EXPECT_EQ(table_.Entries[0].name, "Name1");
  EXPECT_EQ(table_.Entries[0].score, 200);
  EXPECT_EQ(table_.Entries[9].score, 10);
  std::string bytes = ReadWholeFile(table_.filepath);
  // The mark, nine entries of a 5-character name, a terminator and a score,
  // and "Name10".
  EXPECT_EQ(bytes.size(), 4 + 9 * 10u + 11u);
  EXPECT_EQ(bytes.substr(0, 4), "GSU8");
  EXPECT_EQ(bytes[4 + 5], '\0');
  EXPECT_EQ(uint8_t(bytes[4 + 6]), 200);
  EXPECT_EQ(uint8_t(bytes[4]), uint8_t('N' + TGleamstrandHighScoreList::NameShift));
  TGleamstrandHighScoreList again;
  again.filepath = table_.filepath;
  again.Load();
  ASSERT_EQ(again.Entries.size(), 10u);
  EXPECT_EQ(again.Entries[3].name, "Name4");
  EXPECT_EQ(again.Entries[3].score, 130);
}

TEST_F(PlayerFiles, NamesAbove127SurviveAndNoCharacterEndsANameEarly) {
  FillTable();
  table_.Entries[0].name = "Zoë";
  table_.Entries[2].name = "Дмитрий";  // ten letters at most, not ten bytes
  table_.Entries[3].name = "Ωμέγα 😀";
  // The one character that would be written as the terminator.
  table_.Entries[1].name =
      std::string("A") + char(256 - TGleamstrandHighScoreList::NameShift) + "B";
  ASSERT_EQ(table_.Save(), 1);
  TGleamstrandHighScoreList again;
  again.filepath = table_.filepath;
  again.Load();
  ASSERT_EQ(again.Entries.size(), 10u);
  EXPECT_EQ(again.Entries[0].name, "Zoë");
  EXPECT_EQ(again.Entries[1].name, "AB");
  EXPECT_EQ(again.Entries[1].score, 90);
  EXPECT_EQ(again.Entries[2].name, "Дмитрий");
  EXPECT_EQ(again.Entries[3].name, "Ωμέγα 😀");
  EXPECT_EQ(again.Entries[9].score, 10);

  // A table of an earlier version: no mark, names in Latin-1.
  const int shift = TGleamstrandHighScoreList::NameShift;
  std::string old;
  for (unsigned char c : std::string("Zo\xEB")) old += char((c + shift) & 255);
  old += std::string("\0\x2a\0\0\0", 5);
  WriteWholeFile(table_.filepath, old);
  again.Load();
  ASSERT_EQ(again.Entries.size(), 1u);
  EXPECT_EQ(again.Entries[0].name, "Zoë");
  EXPECT_EQ(again.Entries[0].score, 42);
}

TEST_F(PlayerFiles, DamagedHighScoreFilesLoadWhatTheyCan) {
  FillTable();
  ASSERT_EQ(table_.Save(), 1);
  std::string whole = ReadWholeFile(table_.filepath);
  // Cut inside the fourth entry's score: three entries survive.
  WriteWholeFile(table_.filepath, whole.substr(0, 4 + 3 * 7 + 3 + 2));
  table_.Load();
  ASSERT_EQ(table_.Entries.size(), 3u);
  EXPECT_EQ(table_.Entries[2].score, 80);
  // A name without its terminator: nothing survives, the defaults replace it.
  WriteWholeFile(table_.filepath, std::string(40, 'x'));
  table_.Load();
  ASSERT_EQ(table_.Entries.size(), 10u);
  EXPECT_EQ(table_.Entries[0].score, 200);
  // Far more entries than places: the first ten.
  std::string many;
  for (int i = 0; i < 30; ++i) many += std::string("\x01\0\x05\0\0\0", 6);
  WriteWholeFile(table_.filepath, many);
  table_.Load();
  EXPECT_EQ(table_.Entries.size(), 10u);
  EXPECT_EQ(table_.Entries[0].score, 5);
  // Random bytes never crash the reader.
  std::string noise;
  for (int i = 0; i < 500; ++i) noise += char((i * 97 + 13) & 255);
  WriteWholeFile(table_.filepath, noise);
  table_.Load();
  EXPECT_LE(table_.Entries.size(), 10u);
  EXPECT_GE(table_.Entries.size(), 1u);
}

TEST_F(PlayerFiles, AFileEndingInTheLastEntrysScoreLoadsWithoutThatEntry) {
  FillTable();
  table_.Entries.resize(4);
  ASSERT_EQ(table_.Save(), 1);
  std::string whole = ReadWholeFile(table_.filepath);
  ASSERT_EQ(whole.size(), 4 + 4u * 7);
  // The fourth entry's name, its terminator and three of its score's four bytes.
  WriteWholeFile(table_.filepath, whole.substr(0, whole.size() - 1));
  table_.Load();
  ASSERT_EQ(table_.Entries.size(), 3u);
  EXPECT_EQ(table_.Entries[2].name, "E3");
  EXPECT_EQ(table_.Entries[2].score, 80);
  // Whole, it loads all four.
  WriteWholeFile(table_.filepath, whole);
  table_.Load();
  ASSERT_EQ(table_.Entries.size(), 4u);
  EXPECT_EQ(table_.Entries[3].score, 70);
}

TEST_F(PlayerFiles, ANameLongerThanTheTableShowsIsCutWhenRead) {
  const int shift = TGleamstrandHighScoreList::NameShift;
  std::string file(1 << 20, char(('W' + shift) & 255));  // a 1 MB name
  file += std::string("\0\x2a\0\0\0", 5);
  file += std::string(1, char(('Q' + shift) & 255)) + std::string("\0\x07\0\0\0", 5);
  WriteWholeFile(table_.filepath, file);
  table_.MaxNameLength = 10;
  table_.Load();
  ASSERT_EQ(table_.Entries.size(), 2u);
  EXPECT_EQ(table_.Entries[0].name, "WWWWWWWWWW");
  EXPECT_EQ(table_.Entries[0].score, 42);
  EXPECT_EQ(table_.Entries[1].name, "Q");
  EXPECT_EQ(table_.Entries[1].score, 7);
}

TEST_F(PlayerFiles, AnUnwritableHighScoreFileIsReportedNotFatal) {
  table_.filepath = folder_ + "missing/folder/highscores.hsdat";
  table_.Zero(10);
  EXPECT_EQ(table_.Entries.size(), 10u);
  EXPECT_EQ(table_.Save(), 0);
}

TEST_F(PlayerFiles, ProfilesAreListedSortedAndFoundWithoutCase) {
  TProfileStore store(folder_);
  ASSERT_TRUE(store.Write("bob"));
  ASSERT_TRUE(store.Write("Ada"));
  ASSERT_TRUE(store.Write("Zoë"));
  ASSERT_TRUE(store.Write("Дмитрий"));
  WriteWholeFile(folder_ + ".dat", "");
  WriteWholeFile(folder_ + "Adas.ini", "001=1\r\n");
  WriteWholeFile(folder_ + "Adab.ini", "001=3,100,9000,4\r\n");
  WriteWholeFile(folder_ + "highscores.hsdat", "");
  plat::CreateDir(folder_ + "dir.dat");
  EXPECT_EQ(store.List(), (std::vector<std::string>{"Ada", "bob", "Zoë", "Дмитрий"}));
  EXPECT_TRUE(store.Exists("ADA"));
  EXPECT_TRUE(store.Exists("zOË"));  // letters beyond ASCII fold too
  EXPECT_TRUE(store.Exists("дМИТРИЙ"));
  EXPECT_FALSE(store.Exists("Ad"));
  EXPECT_EQ(ReadWholeFile(folder_ + "Ada.dat"), std::string("\x01\0\0\0", 4));
  EXPECT_EQ(store.Read("Ada"), 1);
  EXPECT_EQ(store.Read("Eve"), 0);
  store.Delete("Ada");
  EXPECT_EQ(plat::FileType(folder_ + "Ada.dat"), plat::FILETYPE_NONE);
  EXPECT_EQ(plat::FileType(folder_ + "Adas.ini"), plat::FILETYPE_NONE);
  EXPECT_EQ(plat::FileType(folder_ + "Adab.ini"), plat::FILETYPE_NONE);
  EXPECT_EQ(store.List(), (std::vector<std::string>{"bob", "Zoë", "Дмитрий"}));
  // One player's files are never another's: deleting "Pa" leaves "Pat"'s.
  ASSERT_TRUE(store.Write("Pat"));
  ASSERT_TRUE(store.Write("Pa"));
  for (TPlayerFiles::TKind kind :
       {TPlayerFiles::StandardRecord, TPlayerFiles::CustomRecord, TPlayerFiles::Bests}) {
    WriteWholeFile(TPlayerFiles::Path(store.Folder, "Pat", kind), "001=1\r\n");
  }
  store.Delete("Pa");
  EXPECT_EQ(ReadWholeFile(folder_ + "Patb.ini"), "001=1\r\n");
  EXPECT_EQ(ReadWholeFile(folder_ + "Patc.ini"), "001=1\r\n");
  EXPECT_EQ(ReadWholeFile(folder_ + "Pats.ini"), "001=1\r\n");
  // And so for every pair of kinds: where one ending ends another, what the
  // longer one adds holds a character no name may hold.
  const std::initializer_list<TPlayerFiles::TKind> kinds = {
      TPlayerFiles::Save,         TPlayerFiles::Layout,
      TPlayerFiles::Profile,      TPlayerFiles::StandardRecord,
      TPlayerFiles::CustomRecord, TPlayerFiles::Bests,
      TPlayerFiles::ClockRecord,  TPlayerFiles::ClockCustomRecord,
      TPlayerFiles::ClockBests};
  for (TPlayerFiles::TKind longer : kinds) {
    for (TPlayerFiles::TKind shorter : kinds) {
      std::string a = TPlayerFiles::Extension(longer), b = TPlayerFiles::Extension(shorter);
      if (longer == shorter || a.size() < b.size() || a.compare(a.size() - b.size(), b.size(), b))
        continue;
      std::string added = a.substr(0, a.size() - b.size());
      EXPECT_NE(TPlayerFiles::ProblemOfStem("Pa" + added), TPlayerFiles::None) << a << " " << b;
    }
  }
}

TEST_F(PlayerFiles, NamesThatWouldLeaveTheFolderAreRefused) {
  TProfileStore store(folder_ + "profiles/");
  plat::CreateDir(store.Folder);
  for (const char* bad : {"../x", "a/b", "..", ".", "", "   ", "a\\b", "x:y", "q?", "t\x09"}) {
    EXPECT_FALSE(TPlayerFiles::IsSafeName(bad)) << bad;
    EXPECT_FALSE(store.Write(bad)) << bad;
  }
  EXPECT_EQ(plat::FileType(folder_ + "x.dat"), plat::FILETYPE_NONE);
  EXPECT_TRUE(TPlayerFiles::IsSafeName("Zoë"));
  EXPECT_TRUE(TPlayerFiles::IsSafeName("Mary Ann"));
  // A name whose files' names the file system cannot hold is no name (a
  // damaged settings file may hold a megabyte of one).
  EXPECT_FALSE(TPlayerFiles::IsSafeName(std::string(1 << 20, 'W')));
  EXPECT_TRUE(TPlayerFiles::IsSafeName(std::string(238, 'W')));
  EXPECT_FALSE(TPlayerFiles::IsSafeName(std::string(239, 'W')));
  std::string e119;
  for (int i = 0; i < 119; ++i) e119 += "é";  // two bytes each
  EXPECT_FALSE(TPlayerFiles::IsSafeName(e119 + "é"));
  EXPECT_TRUE(TPlayerFiles::IsSafeName(e119));
  // The longest name's files can all be written.
  const std::string longest(238, 'W');
  EXPECT_TRUE(store.Write(longest));
  TCompletionFile record(TPlayerFiles::Path(store.Folder, longest, TPlayerFiles::StandardRecord));
  EXPECT_TRUE(record.MarkCompleted("005"));
  TCompletionFile clock(TPlayerFiles::Path(store.Folder, longest, TPlayerFiles::ClockBests));
  EXPECT_TRUE(clock.MarkCompleted("005"));
}

TEST_F(PlayerFiles, CompletionRecordsReplaceTheirLineAndKeepTheRest) {
  std::string path = TPlayerFiles::Path(folder_, "Ada", TPlayerFiles::StandardRecord);
  EXPECT_EQ(path, folder_ + "Adas.ini");
  EXPECT_EQ(TPlayerFiles::Path(folder_, "Ada", TPlayerFiles::CustomRecord), folder_ + "Adac.ini");
  WriteWholeFile(path, "003=1\r\n005=0\r\n");
  TCompletionFile file(path);
  ASSERT_TRUE(file.MarkCompleted("/game/layouts/005.layout"));
  ASSERT_TRUE(file.MarkCompleted("my level"));
  EXPECT_EQ(ReadWholeFile(path), "003=1\r\n005=1\r\nMY LEVEL=1\r\n");
  TCompletionFile reader(path);
  reader.Load();
  EXPECT_EQ(reader.IsCompleted("003"), 1);
  EXPECT_EQ(reader.IsCompleted("layouts/005.layout"), 1);
  EXPECT_EQ(reader.IsCompleted("My Level"), 1);
  EXPECT_EQ(reader.IsCompleted("004"), 0);
  TCompletionFile lost(folder_ + "gone/Adas.ini");
  EXPECT_FALSE(lost.MarkCompleted("001"));
}

TEST_F(PlayerFiles, SaveListingMatchesTheExtensionExactlyAndSorts) {
  for (const char* name : {"b.save", "A.save", "c.save", ".SAVE", "x.SAVE", "x.save.bak", "x.saved",
                           "y.layout", ".save", "Ada.dat"}) {
    WriteWholeFile(folder_ + name, "x");
  }
  plat::CreateDir(folder_ + "dir.save");
  TSaveGameList saves(folder_, "save");
  saves.Fill();
  EXPECT_EQ(saves.Names, (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_EQ(saves.PathOf("b"), folder_ + "b.save");
  EXPECT_TRUE(saves.Delete("b"));
  EXPECT_FALSE(saves.Delete("../b"));
  saves.Fill();
  EXPECT_EQ(saves.Names, (std::vector<std::string>{"A", "c"}));
  TSaveGameList layouts(folder_, "layout");
  layouts.Fill();
  EXPECT_EQ(layouts.Names, (std::vector<std::string>{"y"}));
  TSaveGameList none(folder_ + "absent/", "save");
  none.Fill();
  EXPECT_TRUE(none.Names.empty());
}

}  // namespace
