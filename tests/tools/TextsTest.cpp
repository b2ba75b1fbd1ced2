// gametext.txt and Default.ini: the committed sources the generator ships.
#include <gtest/gtest.h>

#include <set>

#include "../platform/HeadlessDisplay.h"
#include "Canvas.h"
#include "DataTree.h"
#include "Generator.h"
#include "Texts.h"
#include "Utf8.h"

namespace {

std::string Source(const std::string& name) {
  auto b = datatest::ReadBytes(datatest::SourceDir() + "/tools/datagen/text/" + name);
  return std::string(b.begin(), b.end());
}

std::string Upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool Mentions(const std::vector<std::string>& problems, const std::string& what) {
  for (const std::string& p : problems)
    if (p.find(what) != std::string::npos) return true;
  return false;
}

// A minimal valid text with every key, to break one piece at a time.
std::string ValidText() {
  std::string t;
  for (const datagen::TextRule& r : datagen::GameTextRules())
    t += "[TEXT]\n" + r.key + "\n" + (r.needs.empty() ? "Ok" : r.needs) + "\n";
  return t;
}

}  // namespace

TEST(GameText, CommittedTextHasNoProblems) {
  std::vector<std::string> problems = datagen::CheckGameText(Source("gametext.txt"));
  for (const std::string& p : problems) ADD_FAILURE() << p;
}

TEST(GameText, HoldsEveryKeyTheGameLooksUpOnce) {
  auto blocks = datagen::ParseGameText(Source("gametext.txt"));
  std::set<std::string> keys;
  for (const auto& b : blocks)
    EXPECT_TRUE(keys.insert(Upper(b.key)).second) << "duplicate " << b.key;
  auto expected = datatest::ReadFixture("gametext-keys.txt");
  ASSERT_GT(expected.size(), 50u);
  for (const auto& row : expected) EXPECT_TRUE(keys.count(Upper(row[0]))) << row[0];
  EXPECT_EQ(keys.size(), expected.size());
}

TEST(GameText, ParsesBlocksTheWayTheGameReadsThem) {
  auto blocks = datagen::ParseGameText(
      "[text]\r\nFirst Key\r\nline one\r\n\r\nline three\r\n"
      "[TEXT]\nsecond\n[TEXT]\nthird\nvalue");
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(blocks[0].key, "First Key");
  EXPECT_EQ(blocks[0].lines, (std::vector<std::string>{"line one", "", "line three"}));
  EXPECT_TRUE(blocks[1].lines.empty());
  EXPECT_EQ(blocks[2].lines, (std::vector<std::string>{"value"}));
  EXPECT_THROW(datagen::ParseGameText("Key\nvalue\n"), std::runtime_error);
}

TEST(GameText, CheckFindsWhatWouldLookWrongInTheGame) {
  EXPECT_TRUE(datagen::CheckGameText(ValidText()).empty());
  std::string t = ValidText();
  EXPECT_TRUE(Mentions(datagen::CheckGameText(t + "[TEXT]\nscore\nAgain\n"), "duplicate"));
  std::string wide = t + "[TEXT]\nRestart Puzzle\n" + std::string(80, 'W') + "\n";
  EXPECT_TRUE(Mentions(datagen::CheckGameText(wide), "px wide"));  // the later block wins
  std::string lines = t + "[TEXT]\nHelp Message\none\ntwo\n";
  EXPECT_TRUE(Mentions(datagen::CheckGameText(lines), "2 lines"));
  std::string noPlaceholder = t + "[TEXT]\nBonus Points\nA bonus!\n";
  EXPECT_TRUE(Mentions(datagen::CheckGameText(noPlaceholder), "NNN"));
  EXPECT_TRUE(Mentions(datagen::CheckGameText("[TEXT]\nScore\nScore: \n"), "Welcome: missing"));
  EXPECT_TRUE(Mentions(datagen::CheckGameText("oops\n"), "header"));
  // A default high-score name is counted in characters, as the table does.
  EXPECT_FALSE(Mentions(datagen::CheckGameText(t + "[TEXT]\nHighscore Name 1\nАлександра\n"),
                        "10 characters"));
  EXPECT_TRUE(Mentions(datagen::CheckGameText(t + "[TEXT]\nHighscore Name 1\nАлександрия\n"),
                       "10 characters"));
}

using GameTextMeasure = gfxtest::HeadlessDisplay;

// The generator holds each text to its box by the game's own measure: the
// same width, to the pixel, as the game lays the line out, for Latin,
// Cyrillic and Greek letters and spaces the face lacks, at the sizes the
// game draws.
TEST_F(GameTextMeasure, TheGeneratorMeasuresLinesAsTheGameLaysThemOut) {
  const std::string lines[] = {"Quick matches in a row earn a bonus.",
                               "Schnelle Treffer in Serie geben einen Bonus.",
                               "разбиваются. Быстрые ходы подряд дают",
                               "Звёзды: победа за норму ходов или быстрее — 3,",
                               "κινήσεις, ανακάτεψε. Esc: μενού, P: παύση.",
                               "Ψ\u00a0Ω\u2009ё\u3000W"};
  for (int pixels : {14, 16, 18, 20, 25, 34}) {
    plat::SetImageFont(
        plat::LoadImageFont(datagen::FontFile(datagen::Face::Regular), pixels, true));
    for (const std::string& line : lines)
      EXPECT_EQ(datagen::GameTextWidth(pixels, line), plat::TextWidth(line))
          << line << " at " << pixels << " px";
  }
  // Drawn outlines (the pictures' own lettering) are measured unhinted,
  // which puts the Cyrillic rule of the stars some 8 px short of the game.
  plat::SetImageFont(plat::LoadImageFont(datagen::FontFile(datagen::Face::Regular), 20, true));
  EXPECT_GT(plat::TextWidth(lines[3]) - datagen::TextWidth(datagen::Face::Regular, 20, lines[3]),
            4);
  plat::SetImageFont(nullptr);
}

TEST(DefaultSettings, HoldsTheTwentyTwoSettingsInOrderWindowed) {
  const std::vector<std::string> keys = {"FULL SCREEN",
                                         "SOUND",
                                         "MUSIC",
                                         "SPEECH",
                                         "SOUND VOLUME",
                                         "MUSIC VOLUME",
                                         "SPEECH VOLUME",
                                         "FADE",
                                         "PARTICLES",
                                         "PORTAL SPLASH",
                                         "PORTAL SPLASH2",
                                         "INTRO",
                                         "VSYNC",
                                         "DRIVER",
                                         "SOUND DRIVER",
                                         "FULL SCREEN PROCESS PRIORITY",
                                         "FULL SCREEN THREAD PRIORITY",
                                         "WINDOWED PROCESS PRIORITY",
                                         "WINDOWED THREAD PRIORITY",
                                         "PROFILE NAME",
                                         "REGION",
                                         "SUB-REGION"};
  std::string ini = Source("Default.ini");
  std::vector<std::pair<std::string, std::string>> lines;
  size_t at = 0;
  while (at < ini.size()) {
    size_t end = ini.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "every line ends in CR LF";
    std::string line = ini.substr(at, end - at);
    size_t eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    lines.push_back({line.substr(0, eq), line.substr(eq + 1)});
    at = end + 2;
  }
  ASSERT_EQ(lines.size(), keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(lines[i].first, keys[i]);
    bool text = keys[i] == "SOUND DRIVER" || keys[i] == "PROFILE NAME";
    if (!text) {
      EXPECT_EQ(lines[i].second.find_first_not_of("0123456789"), std::string::npos) << keys[i];
    }
  }
  EXPECT_EQ(lines[0].second, "0");  // windowed: the desktop's mode is never changed
}

// ---------------------------------------------------------------- translations

TEST(Translations, EveryLanguageHasTheEnglishKeysValuesAndPlaceholders) {
  std::string english = Source("gametext.txt");
  ASSERT_EQ(datagen::TranslationCodes().size(), 21u);  // 22 languages, English the own
  for (const std::string& code : datagen::TranslationCodes()) {
    std::string own = Source("gametext." + code + ".txt");
    for (const std::string& p : datagen::CheckTranslation(english, own))
      ADD_FAILURE() << code << ": " << p;
    // The game would show these in English; a language the game ships
    // translates every key.
    std::vector<std::string> lacked = datagen::LackedKeys(english, own);
    std::string report;
    for (const std::string& key : lacked) report += "\n  " + key;
    EXPECT_TRUE(lacked.empty()) << code << " lacks " << lacked.size() << " keys:" << report;
    // UTF-8 throughout: a byte of Latin-1 would show as a wrong letter.
    EXPECT_TRUE(plat::IsUtf8(own)) << code << " is not UTF-8";
  }
  datagen::GeneratorOptions options;
  options.text = datatest::SourceDir() + "/tools/datagen/text";
  EXPECT_NO_THROW(datagen::CheckLanguages(options));  // the picture words too
}

TEST(Translations, CheckFindsForeignKeysEmptyValuesAndOtherPlaceholdersAndListsLackedKeys) {
  std::string english = ValidText() + "[TEXT]\nGreeting\nHello, {name}!\n";
  EXPECT_TRUE(datagen::CheckTranslation(english, english).empty());
  std::string t = ValidText();
  // A lacked key is no fault of the text: the game shows it in English.
  EXPECT_TRUE(datagen::CheckTranslation(english, t).empty());
  EXPECT_EQ(datagen::LackedKeys(english, t), std::vector<std::string>{"Greeting"});
  EXPECT_TRUE(datagen::LackedKeys(english, english).empty());
  EXPECT_TRUE(Mentions(datagen::CheckTranslation(english, t + "[TEXT]\nGreeting\n\n"),
                       "Greeting: empty value"));
  EXPECT_TRUE(Mentions(datagen::CheckTranslation(english, t + "[TEXT]\nGreeting\nHallo!\n"),
                       "Greeting: other placeholders"));
  EXPECT_TRUE(Mentions(datagen::CheckTranslation(
                           english, t + "[TEXT]\nGreeting\nHallo, {naam}!\n[TEXT]\nExtra\nx\n"),
                       "EXTRA: not a key"));
}

TEST(Translations, ThePseudoLanguageIsLongerAccentedAndKeepsPlaceholders) {
  std::string words = datagen::PseudoWords("Well done! You reached place {place}!");
  EXPECT_NE(words.find("{place}"), std::string::npos);
  EXPECT_GE(plat::CharCount(words), size_t(37 * 1.4));
  EXPECT_TRUE(plat::IsUtf8(words));
  EXPECT_EQ(words.find("Well"), std::string::npos);
  EXPECT_NE(datagen::PseudoWords("Bonus: NNN points").find("NNN"), std::string::npos);
  auto blocks = datagen::ParseGameText(datagen::PseudoGameText(Source("gametext.txt")));
  EXPECT_EQ(blocks.size(), datagen::ParseGameText(Source("gametext.txt")).size());
}
