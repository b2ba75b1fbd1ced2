// The start-up sequence run as a process on a temporary copy of the game's
// data, whole or damaged on purpose: each damage must end in its message in
// "ErrorLog.txt" and an orderly exit, never a crash or a hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "PakWriter.h"
#include "TPakFile.h"
#include "TestSupport.h"

using testsupport::ReadWholeFile;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

namespace {

const std::string kRuntime = GS_RUNTIME_DIR;
const std::string kGame = GS_GAME_EXE;

bool HaveGameAndData() {
  return plat::FileType(kGame) == plat::FILETYPE_FILE &&
         plat::FileType(kRuntime + "/data/resources/data.pak") == plat::FILETYPE_FILE;
}

// A copy of the runtime folder: the program copied, the data as a tree of
// links, so that a damaged file replaces only its own link.
class GameRun {
 public:
  explicit GameRun(const std::string& folder = "game") {
    game_ = dir_.File(folder);
    plat::CreateDir(game_);
    for (const char* folder : {"data", "Data", "layouts"}) {
      std::string from = kRuntime + "/" + folder;
      if (plat::FileType(from) == plat::FILETYPE_DIR) {
        testsupport::RunCommand("cp -rsL '" + from + "' '" + game_ + "/" + folder + "'");
      }
    }
    testsupport::RunCommand("cp '" + kGame + "' '" + game_ + "/gleamstrand'");
    plat::CreateDir(dir_.File("xdg"));
    plat::CreateDir(dir_.File("home"));
  }

  std::string DataFile(const std::string& relative) const { return game_ + "/" + relative; }
  void Remove(const std::string& relative) { plat::DeleteFile(DataFile(relative)); }
  void Replace(const std::string& relative, const std::string& bytes) {
    Remove(relative);
    WriteWholeFile(DataFile(relative), bytes);
  }
  std::string Original(const std::string& relative) const {
    return ReadWholeFile(kRuntime + "/" + relative);
  }

  // Runs the game headless for a number of logic steps; the exit status.
  int Run(int steps, const std::string& extra = "", const std::string& env = "") {
    std::string command =
        "cd '" + dir_.Path() + "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy" +
        " XDG_DATA_HOME='" + dir_.File("xdg") + "' HOME='" + dir_.File("home") + "' " + env +
        " timeout 120 '" + game_ + "/gleamstrand' --headless --steps " + std::to_string(steps) +
        " " + extra + " > '" + dir_.File("output.txt") + "' 2>&1";
    return testsupport::RunCommand(command);
  }

  std::string SharedFile(const std::string& name) const {
    return dir_.File("xdg/Talvorine Games/Cavernglow/" + name);
  }
  std::string ErrorLog() const { return ReadWholeFile(SharedFile("ErrorLog.txt")); }
  bool GoodExit() const {
    return plat::FileType(SharedFile("GoodExit.dat")) == plat::FILETYPE_FILE;
  }
  std::string Output() const { return ReadWholeFile(dir_.File("output.txt")); }
  const TempDir& Dir() const { return dir_; }

 private:
  TempDir dir_;
  std::string game_;
};

// The archive rewritten without one item (or with its bytes replaced).
std::string ArchiveWithout(const std::string& original, const std::string& dropped) {
  plat::TMemoryStream stream(std::vector<uint8_t>(original.begin(), original.end()));
  TPakFile pak;
  pak.ReadFromStream(stream);
  std::vector<paktest::Entry> entries;
  for (const auto& item : pak.Items) {
    if (item->Name != dropped) entries.push_back({item->Name, item->VarType, item->GetString()});
  }
  return paktest::VersionTable(entries);
}

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveGameAndData()) {
      GTEST_SKIP() << "needs the built game and its generated data in " << kRuntime;
    }
    run_ = std::make_unique<GameRun>();
  }
  // A fatal report: its message logged, a failure status, no good-exit mark.
  void ExpectFatal(const std::string& message) {
    int status = run_->Run(50);
    EXPECT_EQ(status, 1) << run_->Output();
    EXPECT_NE(run_->ErrorLog().find(message), std::string::npos)
        << "ErrorLog.txt: " << run_->ErrorLog() << "\noutput: " << run_->Output();
    EXPECT_FALSE(run_->GoodExit());
  }
  std::unique_ptr<GameRun> run_;
};

}  // namespace

TEST_F(Startup, AHomeAndAProgramFolderBeyondLatinOneReachTheFileSystemUnchanged) {
  const std::string program = "\xd0\xb8\xd0\xb3\xd1\x80\xd0\xb0";  // "игра"
  const std::string player =
      "\xd0\x94\xd0\xbc\xd0\xb8\xd1\x82\xd1\x80\xd0\xb8\xd0\xb9";  // "Дмитрий"
  run_ = std::make_unique<GameRun>(program);
  const std::string home = run_->Dir().File(player);
  ASSERT_TRUE(plat::CreateDir(home));
  // No XDG_DATA_HOME: the data folder is found from HOME.
  EXPECT_EQ(run_->Run(50, "", "XDG_DATA_HOME= HOME='" + home + "'"), 0) << run_->Output();
  const std::string shared = home + "/.local/share/Talvorine Games/Cavernglow/";
  EXPECT_EQ(plat::FileType(shared + "GoodExit.dat"), plat::FILETYPE_FILE) << run_->Output();
  EXPECT_EQ(plat::FileType(shared + "gleamstrand.ini"), plat::FILETYPE_FILE);
  EXPECT_EQ(plat::FileType(shared + "profiles"), plat::FILETYPE_DIR);
  EXPECT_EQ(ReadWholeFile(shared + "ErrorLog.txt"), "");
  // Nothing was made under another spelling of either folder.
  std::vector<std::string> entries = plat::ReadDir(run_->Dir().Path());
  std::sort(entries.begin(), entries.end());
  std::vector<std::string> expected = {"home", "output.txt", "xdg", program, player};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(entries, expected);
  EXPECT_EQ(plat::ReadDir(home), std::vector<std::string>{".local"});
}

TEST_F(Startup, AMegabyteNameInThePlayerFilesIsRefusedOrCutAndCostsNoMoreThanItsSize) {
  const std::string profiles = run_->SharedFile("profiles/");
  ASSERT_TRUE(plat::CreateDir(profiles, true));
  WriteWholeFile(run_->SharedFile("gleamstrand.ini"),
                 "PROFILE NAME=" + std::string(1 << 20, 'W') + "\r\nFADE=0\r\n");
  WriteWholeFile(profiles + "Bob.dat", std::string("\x01\0\0\0", 4));
  WriteWholeFile(profiles + "highscores.hsdat",
                 std::string(1 << 20, 'W') + std::string("\0\x2a\0\0\0", 5));
  // A run that stalled would not end within the 120 s the helper allows it.
  EXPECT_EQ(run_->Run(300), 0) << run_->Output();
  EXPECT_TRUE(run_->GoodExit());
  EXPECT_EQ(run_->ErrorLog(), "");
  // No player file was made for the name that no player can have.
  EXPECT_EQ(
      plat::ReadDir(profiles),
      (std::vector<std::string>{"Bob.dat", "highscores-attack.hsdat", "highscores-clock.hsdat",
                                "highscores-endless.hsdat", "highscores.hsdat"}));
}

TEST_F(Startup, WholeDataReachesTheFirstScreenAndExitsCleanly) {
  EXPECT_EQ(run_->Run(50), 0) << run_->Output();
  EXPECT_TRUE(run_->GoodExit());
  EXPECT_EQ(run_->ErrorLog(), "");
}

TEST_F(Startup, MissingArchiveShowsItsGameTextAndExitsInOrder) {
  run_->Remove("data/resources/data.pak");
  EXPECT_EQ(run_->Run(50), 1) << run_->Output();  // a failure, though an orderly one
  std::string log = run_->ErrorLog();
  EXPECT_NE(log.find("Date: "), std::string::npos);
  EXPECT_NE(log.find("Time: "), std::string::npos);
  EXPECT_NE(log.find("data.pak"), std::string::npos) << log;
  EXPECT_TRUE(run_->GoodExit());  // the orderly exit
}

TEST_F(Startup, DamagedArchivesAreReportedWithTheirReason) {
  std::string pak = run_->Original("data/resources/data.pak");
  ASSERT_GT(pak.size(), 100u);
  struct Case {
    std::string bytes;
    std::string message;
  };
  std::vector<Case> cases = {
      {"PK\x03\x04" + pak.substr(4), "TPakFile::Invalid pak file"},
      {paktest::Header(2) + pak.substr(8), "TPakFile::Unsupported pakfile version 2.0"},
      {paktest::Header(0x00020001) + pak.substr(8), "TPakFile::Unsupported pakfile version 1.2"},
      {pak.substr(0, pak.size() / 2), "TPakFile::Truncated pak file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    run_ = std::make_unique<GameRun>();
    run_->Replace("data/resources/data.pak", c.bytes);
    ExpectFatal(c.message);
  }
}

TEST_F(Startup, ArchiveWithoutFaceOrScreenPictureStops) {
  std::string pak = run_->Original("data/resources/data.pak");
  run_->Replace("data/resources/data.pak", ArchiveWithout(pak, "calibri.ttf"));
  ExpectFatal("Error loading font");

  run_ = std::make_unique<GameRun>();
  run_->Replace("data/resources/data.pak", ArchiveWithout(pak, "playscreen.jpg"));
  ExpectFatal("Error loading bitmap");
  EXPECT_NE(run_->ErrorLog().find("playscreen.jpg"), std::string::npos);
}

TEST_F(Startup, LooseFileInTheResourceFolderReplacesTheArchiveItem) {
  std::string pak = run_->Original("data/resources/data.pak");
  plat::TMemoryStream stream(std::vector<uint8_t>(pak.begin(), pak.end()));
  TPakFile whole;
  whole.ReadFromStream(stream);
  std::string jpeg;
  for (const auto& item : whole.Items) {
    if (item->Name == "titlescreen.jpg") jpeg = item->GetString();
  }
  ASSERT_FALSE(jpeg.empty());
  // Without the archive's copy only the loose one, in other letter case,
  // keeps the game whole.
  run_->Replace("data/resources/data.pak", ArchiveWithout(pak, "titlescreen.jpg"));
  run_->Replace("data/resources/TitleScreen.JPG", jpeg);
  EXPECT_EQ(run_->Run(20), 0) << run_->Output();
  EXPECT_EQ(run_->ErrorLog(), "");
  EXPECT_TRUE(run_->GoodExit());
}

TEST_F(Startup, MissingImageSoundOrTextIsFatal) {
  struct Case {
    std::string file;
    std::string replacement;  // empty: the file is removed
    std::string message;
  };
  const std::vector<Case> cases = {
      {"Data/graphics/progress.png", "", "Error loading bitmap Data/graphics/progress.png"},
      {"Data/graphics/particles.png", "", "Error loading anim bitmap Data/graphics/particles.png"},
      {"Data/graphics/loadingbar.png", "", "Error loading bitmap Data/graphics/loadingbar.png"},
      {"Data/sound/hint.wav", "", "Error loading sample Data/sound/hint.wav"},
      {"Data/text/gametext.txt", "", "Error loading file Data/text/gametext.txt"},
      {"Data/text/gametext.txt", "Data Pak Error\r\nno header\r\n", "[TEXT] header hot found"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + ": " + c.message);
    run_ = std::make_unique<GameRun>();
    if (c.replacement.empty()) {
      run_->Remove(c.file);
    } else {
      run_->Replace(c.file, c.replacement);
    }
    ExpectFatal(c.message);
  }
}

TEST_F(Startup, ADamagedOrMissingFileOfTheGamesOwnDataIsFatalAndNamesIt) {
  // Each burst of destroyed jewels reads the particle files, and the level
  // file is read as the level starts: the bot plays level 005 (the step
  // limit is only a safety net).
  const std::string play = "--autoplay 005 --seed 1";
  const std::string par = "data/resources/score1.par", level = "layouts/005.layout";
  const std::string garbage(1360, '\xff');  // floats that are no numbers
  struct Case {
    std::string file, bytes;  // no bytes: the file is removed
  };
  const std::vector<Case> cases = {
      {par, ""},   {par, run_->Original(par).substr(0, 700)},     {par, garbage},
      {level, ""}, {level, run_->Original(level).substr(0, 450)}, {level, garbage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + " of " + std::to_string(c.bytes.size()) + " bytes");
    run_ = std::make_unique<GameRun>();
    if (c.bytes.empty()) {
      run_->Remove(c.file);
    } else {
      run_->Replace(c.file, c.bytes);
    }
    EXPECT_EQ(run_->Run(400000, play), 1) << run_->Output();
    EXPECT_NE(run_->ErrorLog().find("'" + c.file + "'"), std::string::npos) << run_->ErrorLog();
    EXPECT_EQ(run_->Output().find(" won "), std::string::npos) << run_->Output();
    EXPECT_FALSE(run_->GoodExit());
    EXPECT_EQ(ReadWholeFile(run_->SharedFile("profiles/Autoplays.ini")), "");
  }
}

TEST_F(Startup, AGameTextLackingAKeyIsFatalInEnglishAndFallsBackInATranslation) {
  const std::string english = run_->Original("Data/text/gametext.txt");
  const size_t last = english.rfind("[TEXT]");
  ASSERT_NE(last, std::string::npos);
  run_->Replace("Data/text/gametext.txt", english.substr(0, last));
  EXPECT_EQ(run_->Run(50), 1);
  EXPECT_NE(run_->ErrorLog().find("Error loading file Data/text/gametext.txt: no text '"),
            std::string::npos)
      << run_->ErrorLog();
  EXPECT_FALSE(run_->GoodExit());

  // The same key missing from the German text reads in English.
  run_ = std::make_unique<GameRun>();
  const std::string german = "Data/languages/de/text/gametext.txt";
  const std::string translated = run_->Original(german);
  run_->Replace(german, translated.substr(0, translated.rfind("[TEXT]")));
  EXPECT_EQ(run_->Run(50, "--language de"), 0) << run_->Output();
  EXPECT_EQ(run_->ErrorLog(), "");
  EXPECT_TRUE(run_->GoodExit());
}

TEST_F(Startup, ADamagedHighScoreTableIsSortedWithoutNegativesBeforeItTakesANewScore) {
  // The table as a damaged file may hold it: eleven entries, a negative
  // score among them, the best one last.
  auto entry = [](const std::string& name, int32_t score) {
    std::string bytes;
    for (char c : name) bytes += char((static_cast<unsigned char>(c) + 229) & 255);
    bytes += '\0';
    for (int shift = 0; shift < 32; shift += 8) bytes += char((uint32_t(score) >> shift) & 255);
    return bytes;
  };
  std::string table;
  for (int n = 0; n < 8; ++n) table += entry("P" + std::to_string(n), 400 - 10 * n);
  table += entry("Low", 1) + entry("Minus", INT32_MIN) + entry("Best", 1425);
  ASSERT_TRUE(plat::CreateDir(run_->SharedFile("profiles"), true));
  WriteWholeFile(run_->SharedFile("profiles/highscores.hsdat"), table);
  ASSERT_EQ(run_->Run(400000, "--autoplay 001 --seed 1"), 0) << run_->Output();
  // Sorted: the best first (after the mark of a UTF-8 table); the negative
  // score gone; the new score (above 1) pushed the lowest out.
  std::string now = ReadWholeFile(run_->SharedFile("profiles/highscores.hsdat"));
  EXPECT_EQ(now.find("GSU8" + entry("Best", 1425)), 0u);
  std::string name = entry("Autoplay", 0).substr(0, 9);
  EXPECT_NE(now.find(name), std::string::npos);
  for (const char* gone : {"Minus", "Low"}) {
    EXPECT_EQ(now.find(entry(gone, 0).substr(0, std::strlen(gone) + 1)), std::string::npos);
  }
}

namespace {

int Channel(uint32_t argb, int shift) { return int((argb >> shift) & 255); }

bool Lit(uint32_t argb) { return (argb & 0xFFFFFF) > 0x101010; }
// The name is drawn in white over a dark background.
bool White(uint32_t argb) {
  return Channel(argb, 16) > 200 && Channel(argb, 8) > 200 && Channel(argb, 0) > 200;
}
// The jewels are strongly coloured; the background is not.
bool Vivid(uint32_t argb) {
  int r = Channel(argb, 16), g = Channel(argb, 8), b = Channel(argb, 0);
  return std::max({r, g, b}) - std::min({r, g, b}) > 120;
}

// Share of the pixels of the rows top..bottom that pass the test.
double Share(const plat::TPixmap& p, bool (*test)(uint32_t), int top = 0, int bottom = -1) {
  if (bottom < 0) bottom = p.height;
  int hits = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < p.width; ++x) hits += test(p.ReadPixel(x, y)) ? 1 : 0;
  }
  return double(hits) / (double(p.width) * (bottom - top));
}

}  // namespace

TEST_F(Startup, ScreenshotsOfSplashLoadingAndFirstScreenShowSomething) {
  std::string shots = run_->Dir().File("shots");
  plat::CreateDir(shots);
  int status = run_->Run(450, "--screenshot 400:" + shots + "/first.png",
                         "GS_STARTUP_SHOTS='" + shots + "'");
  ASSERT_EQ(status, 0) << run_->Output();
  plat::TBackendOptions options;
  options.Headless = true;
  ASSERT_TRUE(plat::Startup(options));
  auto splash = plat::LoadPixmap(shots + "/splash.png");
  auto loading = plat::LoadPixmap(shots + "/loading.png");
  auto first = plat::LoadPixmap(shots + "/first.png");
  ASSERT_TRUE(splash && loading && first);
  EXPECT_EQ(first->width, 800);
  EXPECT_GT(Share(*splash, Lit), 0.01);
  EXPECT_GT(Share(*loading, Lit), 0.01);
  // The bar (from y 425) is drawn part of the way.
  EXPECT_GT(Share(*loading, Lit, 425, 460), 0.05);
  // The title's logo in its band, the row of jewels under it, on a background.
  EXPECT_GT(Share(*first, White, 50, 120), 0.005);
  EXPECT_GT(Share(*first, Vivid, 138, 166), 0.01);
  EXPECT_GT(Share(*first, Lit), 0.5);
  plat::Shutdown();
}
