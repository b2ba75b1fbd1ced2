// Which language a run speaks: the run's, the stored, the desktop's (with
// its territory where that names a language of its own), else English.
#include <gtest/gtest.h>

#include "TLanguage.h"

namespace {

TEST(LanguageChoice, TheDesktopsTerritoryPicksBetweenTwoPortugueseAndFallsBackToItsLanguage) {
  EXPECT_EQ(TLanguage::Choose("", 0, "pt_PT"), "pt_PT");
  EXPECT_EQ(TLanguage::Choose("", 0, "pt_BR"), "pt");
  EXPECT_EQ(TLanguage::Choose("", 0, "pt"), "pt");
  EXPECT_EQ(TLanguage::Choose("", 0, "de_AT"), "de");
  EXPECT_EQ(TLanguage::Choose("", 0, "nb_NO"), "nb");
  EXPECT_EQ(TLanguage::Choose("", 0, "no_NO"), "nb");
  EXPECT_EQ(TLanguage::Choose("", 0, "uk_UA"), "uk");
  // Not offered, or nothing: English.
  EXPECT_EQ(TLanguage::Choose("", 0, "ja_JP"), "en");
  EXPECT_EQ(TLanguage::Choose("", 0, ""), "en");
  // The stored choice and the run's language outrank the desktop.
  EXPECT_EQ(TLanguage::Choose("", 22, "de_DE"), "pt_PT");
  EXPECT_EQ(TLanguage::Choose("el", 22, "de_DE"), "el");
}

TEST(LanguageChoice, EveryLanguageHasItsRegionInTableOrder) {
  const char* codes[] = {"en", "de", "fr", "es", "it", "pt", "nl", "pl", "cs", "sk", "hu",
                         "ro", "tr", "ru", "uk", "bg", "el", "sv", "da", "nb", "fi", "pt_PT"};
  ASSERT_EQ(TLanguage::Languages().size(), std::size(codes));
  for (size_t i = 0; i < std::size(codes); ++i)
    EXPECT_EQ(TLanguage::RegionOf(codes[i]), int(i) + 1);
  EXPECT_EQ(TLanguage::CodeFor("PT-br"), "pt");
}

}  // namespace
