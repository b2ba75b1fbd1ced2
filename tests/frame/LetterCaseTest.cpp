// Letter case at the ends of the alphabet: names, keys and key names fold
// "a".."z" and the Latin-1 letters, and nothing next to them.
#include <gtest/gtest.h>

#include "Platform.h"
#include "TImageBank.h"
#include "TIniFile.h"
#include "TRunScript.h"
#include "TestSupport.h"
#include "TextCase.h"

namespace {

TEST(LetterCase, FoldingCoversTheWholeAlphabetAndStopsAtItsNeighbours) {
  EXPECT_EQ(UpperCase("az@[`{AZ"), "AZ@[`{AZ");
  EXPECT_EQ(LowerCase("AZ@[`{az"), "az@[`{az");
  // Latin-1: A grave .. thorn fold, the multiplication and division signs
  // and y with diaeresis do not.
  EXPECT_EQ(UpperCase("\xE0\xFE\xF7\xFF\xDF"), "\xC0\xDE\xF7\xFF\xDF");
  EXPECT_EQ(LowerCase("\xC0\xDE\xD7\xBF"), "\xE0\xFE\xD7\xBF");
  EXPECT_EQ(IniUpper("zone=a{z}"), "ZONE=A{Z}");
}

TEST(LetterCase, ScriptKeyNamesAcceptEveryLetterInEitherCase) {
  EXPECT_EQ(ScriptKeyCode("a"), 65);
  EXPECT_EQ(ScriptKeyCode("A"), 65);
  EXPECT_EQ(ScriptKeyCode("z"), 90);
  EXPECT_EQ(ScriptKeyCode("Z"), 90);
  EXPECT_EQ(ScriptKeyCode("0"), 48);
  EXPECT_EQ(ScriptKeyCode("9"), 57);
  for (const char* notAKey : {"{", "[", "@", "`", "/", ":"}) {
    EXPECT_EQ(ScriptKeyCode(notAKey), -1) << notAKey;
  }
}

TEST(LetterCase, BankNamesMatchAtTheEndsOfTheAlphabet) {
  plat::TBackendOptions options;
  options.Headless = true;
  ASSERT_TRUE(plat::Startup(options));
  TImageBank bank;
  auto image = plat::CreateImage(2, 2);
  bank.Insert(TGameImage::CreateFromImage(image, "Azure zone", 0));
  EXPECT_EQ(bank.FindTImage("aZURE ZONE"), image);
  EXPECT_EQ(bank.FindTImage("AZURE ZONE"), image);
  EXPECT_EQ(bank.FindTImage("azure zone"), image);
  EXPECT_EQ(bank.FindTImage("{zure zone"), nullptr);
  EXPECT_EQ(bank.FindTImage("azure [one"), nullptr);
  plat::Shutdown();
}

TEST(LetterCase, ReadOnlyFilesResolveAtTheEndsOfTheAlphabet) {
  testsupport::TempDir dir;
  testsupport::WriteWholeFile(dir.File("Zebra.TXT"), "z");
  testsupport::WriteWholeFile(dir.File("a[b].png"), "[");
  EXPECT_EQ(plat::FileType(dir.File("zEBRA.txt")), plat::FILETYPE_FILE);
  EXPECT_EQ(plat::FileType(dir.File("A[B].PNG")), plat::FILETYPE_FILE);
  EXPECT_EQ(plat::FileType(dir.File("a{b}.png")), plat::FILETYPE_NONE);
}

}  // namespace
