// The desktop's language from the C library's locale variables.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Language.h"
#include "Platform.h"

namespace {

class DesktopLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      const char* value = std::getenv(kNames[i]);
      had_[i] = value != nullptr;
      if (value) old_[i] = value;
    }
  }
  void TearDown() override {
    for (int i = 0; i < 3; ++i) {
      if (had_[i]) {
        setenv(kNames[i], old_[i].c_str(), 1);
      } else {
        unsetenv(kNames[i]);
      }
    }
  }
  // LC_ALL, LC_MESSAGES, LANG; nullptr unsets.
  static std::string With(const char* all, const char* messages, const char* lang) {
    const char* values[3] = {all, messages, lang};
    for (int i = 0; i < 3; ++i) {
      if (values[i]) {
        setenv(kNames[i], values[i], 1);
      } else {
        unsetenv(kNames[i]);
      }
    }
    return plat::DesktopLanguage();
  }
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  bool had_[3] = {};
  std::string old_[3];
};

TEST_F(DesktopLanguageTest, TakesTheFirstSetVariableAsLanguageAndTerritory) {
  EXPECT_EQ(With(nullptr, nullptr, "de_DE.UTF-8"), "de_DE");
  EXPECT_EQ(With(nullptr, "pt_BR", "de_DE.UTF-8"), "pt_BR");
  EXPECT_EQ(With("nl_NL@euro", "pt_BR", "de_DE.UTF-8"), "nl_NL");
  EXPECT_EQ(With("", "", "fr_FR.UTF-8"), "fr_FR");  // empty counts as unset
  EXPECT_EQ(With(nullptr, nullptr, "pt-pt"), "pt_PT");
  EXPECT_EQ(With(nullptr, nullptr, "ES"), "es");
}

TEST_F(DesktopLanguageTest, CAndPosixAndNothingGiveNoLanguage) {
  EXPECT_EQ(With("C", nullptr, "de_DE.UTF-8"), "");
  EXPECT_EQ(With(nullptr, nullptr, "POSIX"), "");
  EXPECT_EQ(With(nullptr, nullptr, "C.UTF-8"), "");
  EXPECT_EQ(With(nullptr, nullptr, nullptr), "");
}

}  // namespace
