// The game text file: blocks, keys in any case, exact value lines, and the
// two fatal cases.
#include <gtest/gtest.h>

#include "Globals.h"
#include "ResourceTestSupport.h"
#include "TGameText.h"
#include "TestSupport.h"

using restest::FatalMessage;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

class GameTextFile : public ::testing::Test {
 protected:
  void SetUp() override {
    // The error log of the fatal cases goes to the temporary folder.
    savedShared_ = SharedDataPath;
    SharedDataPath = dir_.Path() + "/";
  }
  void TearDown() override { SharedDataPath = savedShared_; }
  TempDir dir_;
  std::string savedShared_;
};

TEST_F(GameTextFile, BlocksKeepTheirLinesExactlyAndJoinWithCrLf) {
  WriteWholeFile(dir_.File("gametext.txt"),
                 "[TEXT]\r\nData Pak Error\r\nThe archive is missing.\r\n\r\n  Reinstall.\r\n"
                 "[text]\nscore\nScore: \n[TEXT]\nEmpty Value\n[TEXT]\nSCORE\nPoints: ");
  auto text = TGameText::Create(dir_.File("gametext.txt"));
  ASSERT_EQ(text->Find("data pak error").size(), 3u);
  EXPECT_EQ(text->FindString("DATA PAK ERROR"), "The archive is missing.\r\n\r\n  Reinstall.");
  EXPECT_EQ(text->Find("Data Pak Error"), text->Find("dAtA pAk ErRoR"));
  // A later block of the same key wins; the last line needs no line end.
  EXPECT_EQ(text->FindString("Score"), "Points: ");
  EXPECT_TRUE(text->Find("empty value").empty());
  EXPECT_EQ(text->Map.count("EMPTY VALUE"), 1u);
  EXPECT_TRUE(text->Find("no such key").empty());
  EXPECT_EQ(text->FindString("no such key"), "");
}

TEST_F(GameTextFile, ThreeValueLinesGiveTwoCrLfPairs) {
  TGameText text;
  text.Parse("[TEXT]\nHelp\none\ntwo\nthree\n");
  EXPECT_EQ(text.FindString("help"), "one\r\ntwo\r\nthree");
}

TEST_F(GameTextFile, Utf8OrLatinOneCharactersAndHeadersWithoutKeys) {
  TGameText text;
  text.Parse("[TEXT]\n[TEXT]\nNameé\ncafé\n[TEXT]\nΌνομα\nИмя «Ж»\n");
  EXPECT_EQ(text.FindString("NAMEÉ"), "café");
  EXPECT_EQ(text.FindString("όνομα"), "Имя «Ж»");  // keys fold in Greek too
  EXPECT_EQ(text.Map.size(), 2u);
  // A file that is no UTF-8 is the Latin-1 of earlier versions.
  TGameText latin;
  latin.Parse("[TEXT]\nName\xE9\ncaf\xE9\n");
  EXPECT_EQ(latin.FindString("NAMEÉ"), "café");
  TGameText empty;
  empty.Parse("");
  EXPECT_TRUE(empty.Map.empty());
}

TEST_F(GameTextFile, MissingHeaderAndMissingFileAreFatalAndLogged) {
  WriteWholeFile(dir_.File("bad.txt"), "Data Pak Error\nno header\n");
  EXPECT_EQ(FatalMessage([&] { TGameText::Create(dir_.File("bad.txt")); }),
            "[TEXT] header hot found");
  EXPECT_NE(testsupport::ReadWholeFile(dir_.File("ErrorLog.txt")).find("[TEXT] header hot found"),
            std::string::npos);
  EXPECT_EQ(FatalMessage([] {
              TGameText text;
              text.Parse("[TEXT]\nkey\nvalue\n[OTHER]\nx\n");
            }),
            "[TEXT] header hot found");
  EXPECT_EQ(FatalMessage([&] { TGameText::Create(dir_.File("absent.txt")); }),
            "Error loading file " + dir_.File("absent.txt"));
}
