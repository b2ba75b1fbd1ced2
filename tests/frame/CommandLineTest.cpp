// The command line and the input script format.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>

#include "CommandLine.h"
#include "TLanguage.h"
#include "TRunScript.h"

namespace {

bool Parse(std::vector<const char*> args, TRunOptions& options, std::string& error) {
  args.insert(args.begin(), "gleamstrand");
  return ParseCommandLine(int(args.size()), args.data(), options, error);
}

TEST(CommandLineTest, EveryOptionIsRead) {
  TRunOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--headless", "--seed", "42", "--steps", "400", "--script", "in.txt",
                     "--screenshot", "10:a.png", "--screenshot", "20:b c.png", "--windowed"},
                    options, error))
      << error;
  EXPECT_TRUE(options.Headless);
  EXPECT_TRUE(options.HasSeed);
  EXPECT_EQ(options.Seed, 42u);
  EXPECT_EQ(options.Steps, 400);
  EXPECT_EQ(options.Script, "in.txt");
  ASSERT_EQ(options.Screenshots.size(), 2u);
  EXPECT_EQ(options.Screenshots[1], std::make_pair(20LL, std::string("b c.png")));
  EXPECT_EQ(options.FullScreen, 0);
  ASSERT_TRUE(Parse({"--fullscreen", "--help", "--version"}, options, error));
  EXPECT_EQ(options.FullScreen, 1);
  EXPECT_TRUE(options.Help);
  EXPECT_TRUE(options.Version);
}

TEST(CommandLineTest, BadValuesNameTheirOption) {
  struct TCase {
    std::vector<const char*> args;
    const char* named;
  };
  const TCase cases[] = {
      {{"--seed", "x"}, "--seed"},
      {{"--seed", "-3"}, "--seed"},
      {{"--seed", "99999999999"}, "--seed"},
      {{"--steps", "12a"}, "--steps"},
      {{"--steps"}, "--steps"},
      {{"--screenshot", "5"}, "--screenshot"},
      {{"--screenshot", "a:b.png"}, "--screenshot"},
      {{"--script"}, "--script"},
      {{"--frobnicate"}, "unknown option \"--frobnicate\""},
  };
  for (const TCase& c : cases) {
    TRunOptions options;
    std::string error;
    EXPECT_FALSE(Parse(c.args, options, error)) << c.named;
    EXPECT_NE(error.find(c.named), std::string::npos) << error;
  }
}

TEST(CommandLineTest, HelpHasOneLineForEveryOptionItAccepts) {
  // A sample value for each placeholder the help shows.
  const std::map<std::string, const char*> samples = {
      {"N", "7"}, {"FILE", "in.txt"}, {"STEP:FILE", "5:a.png"}};
  std::istringstream usage(UsageText());
  std::string line;
  std::getline(usage, line);
  EXPECT_EQ(line.rfind("Usage: gleamstrand", 0), 0u) << line;
  int listed = 0;
  for (; std::getline(usage, line); ++listed) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, std::regex(R"(  (--[a-z-]+)( [A-Z0-9:.\[\]-]+)? +\S.*)")))
        << "not one option with its help: \"" << line << "\"";
    std::string name = m[1], value = m[2].matched ? m[2].str().substr(1) : "";
    TRunOptions options;
    std::string error;
    std::vector<const char*> args = {name.c_str()};
    if (samples.count(value)) args.push_back(samples.at(value));
    bool accepted = Parse(args, options, error);
    EXPECT_EQ(error.find("unknown option"), std::string::npos) << error;
    // --demo is taken by the program before the command line is parsed.
    if (name == "--demo") {
      EXPECT_NE(error.find("first"), std::string::npos) << error;
    } else if (value.empty() || samples.count(value)) {
      EXPECT_TRUE(accepted) << name << ": " << error;
    }
  }
  EXPECT_GE(listed, 9);
  EXPECT_TRUE(std::regex_match(VersionText(), std::regex("Gleamstrand [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << VersionText();
}

TEST(RunScriptTest, CommandsBecomeEventsAtTheirSteps) {
  TRunScript script;
  std::string error;
  ASSERT_TRUE(
      script.Parse("# a comment\n"
                   "5 move 100 200\n"
                   "5 down left\n"
                   "6 up left 110 210   # with a move first\n"
                   "\n"
                   "7 key esc\n"
                   "7 keydown alt\n"
                   "8 char a\n"
                   "8 char 233\n"
                   "9 wheel -2\n"
                   "10 focus-lost\n"
                   "11 focus-gained\n"
                   "12 close\n"
                   "13 click right\n"
                   "14 key backspace\n",
                   error))
      << error;
  EXPECT_EQ(script.EventCount(), 18u);
  const auto* five = script.EventsAt(5);
  ASSERT_NE(five, nullptr);
  ASSERT_EQ(five->size(), 2u);
  EXPECT_EQ((*five)[0].kind, plat::EVENT_MOUSEMOVE);
  EXPECT_EQ((*five)[0].y, 200);
  EXPECT_EQ((*five)[1].kind, plat::EVENT_MOUSEDOWN);
  EXPECT_EQ((*five)[1].data, 1);
  const auto* seven = script.EventsAt(7);
  ASSERT_EQ(seven->size(), 3u);
  EXPECT_EQ((*seven)[0].data, plat::KEY_ESCAPE);
  EXPECT_EQ((*seven)[1].kind, plat::EVENT_KEYUP);
  EXPECT_EQ((*seven)[2].data, plat::KEY_LALT);
  EXPECT_EQ((*script.EventsAt(8))[1].data, 233);
  EXPECT_EQ((*script.EventsAt(12))[0].kind, plat::EVENT_APPTERMINATE);
  EXPECT_EQ((*script.EventsAt(13))[1].kind, plat::EVENT_MOUSEUP);
  // Backspace types the character 8 between going down and up, as a real key.
  const auto* fourteen = script.EventsAt(14);
  ASSERT_EQ(fourteen->size(), 3u);
  EXPECT_EQ((*fourteen)[0].kind, plat::EVENT_KEYDOWN);
  EXPECT_EQ((*fourteen)[1].kind, plat::EVENT_KEYCHAR);
  EXPECT_EQ((*fourteen)[1].data, 8);
  EXPECT_EQ((*fourteen)[2].kind, plat::EVENT_KEYUP);
  EXPECT_EQ(script.EventsAt(4), nullptr);
}

TEST(RunScriptTest, MistakesAreReportedWithTheirLine) {
  const char* const bad[] = {"0 close",         "x close",    "4",
                             "4 jump",          "4 move 1",   "4 key nosuchkey",
                             "4 down sideways", "4 close now"};
  for (const char* text : bad) {
    TRunScript script;
    std::string error;
    EXPECT_FALSE(script.Parse(std::string("1 close\n") + text + "\n", error)) << text;
    EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << error;
  }
}

TEST(RunScriptTest, KeyNamesAndCodes) {
  EXPECT_EQ(ScriptKeyCode("Esc"), 27);
  EXPECT_EQ(ScriptKeyCode("enter"), 13);
  EXPECT_EQ(ScriptKeyCode("p"), 80);
  EXPECT_EQ(ScriptKeyCode("7"), '7');
  EXPECT_EQ(ScriptKeyCode("112"), 112);
  EXPECT_EQ(ScriptKeyCode("256"), -1);
  EXPECT_EQ(ScriptKeyCode("ctrl"), 162);
}

}  // namespace

TEST(CommandLineTest, EveryLanguageOfTheTableIsOfferedAcceptedAndDocumented) {
  std::ifstream manual(std::string(GS_SOURCE_DIR) + "/packaging/gleamstrand.6");
  std::string page((std::istreambuf_iterator<char>(manual)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(page.empty());
  std::string usage = UsageText();
  std::string help = usage.substr(usage.find("--language"));
  help = help.substr(0, help.find('\n'));
  for (const TLanguageName& language : TLanguage::Languages()) {
    TRunOptions options;
    std::string error;
    EXPECT_TRUE(Parse({"--language", language.Code.c_str()}, options, error)) << error;
    EXPECT_EQ(options.Language, language.Code);
    EXPECT_TRUE(std::regex_search(help, std::regex("\\b" + language.Code + "\\b"))) << help;
    EXPECT_NE(page.find(language.Code + " ("), std::string::npos)
        << language.Code << " missing from the manual page";
    std::istringstream aliases(language.Aliases);
    for (std::string alias; aliases >> alias;) {
      EXPECT_TRUE(Parse({"--language", alias.c_str()}, options, error)) << error;
      EXPECT_EQ(options.Language, language.Code) << alias;
      EXPECT_NE(page.find(alias), std::string::npos) << alias << " missing from the manual page";
    }
  }
  TRunOptions options;
  std::string error;
  EXPECT_TRUE(Parse({"--language", "PT-br"}, options, error)) << error;
  EXPECT_EQ(options.Language, "pt");
  EXPECT_TRUE(Parse({"--language", "pt-pt"}, options, error)) << error;
  EXPECT_EQ(options.Language, "pt_PT");
  EXPECT_FALSE(Parse({"--language", "ja"}, options, error));
}
