// Letter case at the ends of the alphabets: names, keys and key names fold
// "a".."z", the Latin, Greek and Cyrillic letters, and nothing next to them;
// the script feed types any character.
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
  // Latin-1: a grave .. thorn fold, the multiplication and division signs
  // and sharp s do not; y with diaeresis has its capital beyond Latin-1.
  EXPECT_EQ(UpperCase("àþ÷ÿß"), "ÀÞ÷Ÿß");
  EXPECT_EQ(LowerCase("ÀÞ×¿Ÿ"), "àþ×¿ÿ");
  // Latin Extended-A, in pairs that start on even and on odd codes.
  EXPECT_EQ(UpperCase("āąčęłńőśźżž"), "ĀĄČĘŁŃŐŚŹŻŽ");
  EXPECT_EQ(LowerCase("ĀĄČĘŁŃŐŚŹŻŽ"), "āąčęłńőśźżž");
  EXPECT_EQ(UpperCase("ı"), "I");  // Turkish dotless i
  // Greek, final sigma and the accented vowels included.
  EXPECT_EQ(UpperCase("αωςάέήίόύώϊϋ"), "ΑΩΣΆΈΉΊΌΎΏΪΫ");
  EXPECT_EQ(LowerCase("ΑΩΣΆΈΉΊΌΎΏ"), "αωσάέήίόύώ");
  // Cyrillic: the basic letters, the ones before them (Ё, Є, Ї) and beyond.
  EXPECT_EQ(UpperCase("дмитрий ёєїґў"), "ДМИТРИЙ ЁЄЇҐЎ");
  EXPECT_EQ(LowerCase("ДМИТРИЙ ЁЄЇҐЎ"), "дмитрий ёєїґў");
  // Signs, other scripts and bytes that are no UTF-8 stay as they are.
  EXPECT_EQ(UpperCase("€·日\xFF\xC3"), "€·日\xFF\xC3");
  EXPECT_EQ(UpperCaseFirst("élodie"), "Élodie");
  EXPECT_EQ(UpperCaseFirst("дмитрий"), "Дмитрий");
  EXPECT_EQ(UpperCaseFirst(""), "");
  EXPECT_EQ(IniUpper("zone=a{z}"), "ZONE=A{Z}");
}

TEST(LetterCase, TheScriptFeedTypesAnyCharacterByItselfOrItsCode) {
  EXPECT_EQ(ScriptCharCode("a"), 'a');
  EXPECT_EQ(ScriptCharCode("233"), 233);
  EXPECT_EQ(ScriptCharCode("7"), 7);  // one digit is a code, as before
  EXPECT_EQ(ScriptCharCode("Д"), 0x414);
  EXPECT_EQ(ScriptCharCode("1044"), 0x414);
  EXPECT_EQ(ScriptCharCode("U+0414"), 0x414);
  EXPECT_EQ(ScriptCharCode("u+1f600"), 0x1F600);
  for (const char* notOne : {"ab", "Дм", "U+D800", "1114112", "-3", "U+", "12x"}) {
    EXPECT_EQ(ScriptCharCode(notOne), -1) << notOne;
  }
  TRunScript script;
  std::string error;
  ASSERT_TRUE(script.Parse("1 char Д\n1 char 1080\n2 char U+0439\n", error)) << error;
  const auto* first = script.EventsAt(1);
  ASSERT_TRUE(first && first->size() == 2);
  EXPECT_EQ((*first)[0].kind, plat::EVENT_KEYCHAR);
  EXPECT_EQ((*first)[0].data, 0x414);
  EXPECT_EQ((*first)[1].data, 0x438);
  EXPECT_FALSE(script.Parse("1 char U+110000\n", error));
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
