// The settings file, the game configuration and the run markers, on real
// files in a temporary data folder.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <sstream>
#include <vector>

#include "FrameTestSupport.h"
#include "GameConfig.h"
#include "StartupSteps.h"
#include "TIniFile.h"

namespace {

using frametest::GameTest;
using testsupport::ReadWholeFile;
using testsupport::WriteWholeFile;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Keys(const std::string& text) {
  std::vector<std::string> keys;
  for (const std::string& line : Lines(text)) keys.push_back(line.substr(0, line.find('=')));
  return keys;
}

class SettingsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    folder = home.DataFolder();
    settings = folder + "gleamstrand.ini";
    // Read-only data of this test lives in the temporary folder too.
    game->DataPrefix = home.Path() + "/";
    plat::CreateDir(home.Path() + "/data", true);
  }
  void WriteSettings(const std::string& text) {
    plat::CreateDir(folder, true);
    WriteWholeFile(settings, text);
  }
  void WriteDefaults(const std::string& text) {
    WriteWholeFile(home.Path() + "/data/Default.ini", text);
  }
  bool Exists(const std::string& name) {
    return plat::FileType(folder + name) == plat::FILETYPE_FILE;
  }
  std::string folder, settings;
};

TEST_F(SettingsTest, AFreshStartWritesTheTwentyTwoKeysInOrderInUpperCase) {
  game->MusicSetVolume(50, 0);
  game->SoundSetVolume(50, 0);
  game->Init(0);
  std::string text = ReadWholeFile(settings);
  EXPECT_EQ(Keys(text), (std::vector<std::string>{"FULL SCREEN",
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
                                                  "SUB-REGION"}));
  EXPECT_EQ(Lines(text)[4], "SOUND VOLUME=50");
  EXPECT_EQ(Lines(text)[8], "PARTICLES=80");
  EXPECT_NE(text.find("\r\n"), std::string::npos);  // CR LF line ends
  EXPECT_EQ(plat::FileType(folder + "profiles"), plat::FILETYPE_DIR);
  EXPECT_EQ(game->OSVersion, "Linux");
}

TEST_F(SettingsTest, TheDefaultFileIsCopiedOnTheFirstRunOnly) {
  WriteDefaults("FULL SCREEN=0\r\nPARTICLES=33\r\nVSYNC=0\r\n");
  game->Init(0);
  EXPECT_EQ(game->FullScreen, 0);
  EXPECT_EQ(game->Particles, 33);
  EXPECT_EQ(game->VSync, 0);
  EXPECT_EQ(FlipSync, 0);
  EXPECT_EQ(Keys(ReadWholeFile(settings)).size(), 22u);  // completed and rewritten
  // A later run keeps its own file.
  WriteDefaults("PARTICLES=90\r\n");
  CreateGame().SetSubPathWrapper("Talvorine Games/Cavernglow");
  Game->DataPrefix = home.Path() + "/";
  Game->Init(0);
  EXPECT_EQ(Game->Particles, 33);
}

TEST_F(SettingsTest, KeysAreReadInAnyCaseAndValuesKeepEverythingAfterTheFirstEquals) {
  WriteSettings("full screen=0\nProfile Name=Ann=Bob = x\r\nsound driver=DirectSound\n");
  game->Init(0);
  EXPECT_EQ(game->FullScreen, 0);
  EXPECT_EQ(game->ProfileName, "Ann=Bob = x");
  std::vector<std::string> lines = Lines(ReadWholeFile(settings));
  EXPECT_EQ(lines[0], "FULL SCREEN=0");
  EXPECT_EQ(lines[19], "PROFILE NAME=Ann=Bob = x");
}

TEST_F(SettingsTest, UnknownKeysDisappearAndNonNumbersReadAsZero) {
  WriteSettings("COLOUR=blue\r\nPARTICLES=lots\r\nREGION=7\r\n");
  game->Init(0);
  std::string text = ReadWholeFile(settings);
  EXPECT_EQ(text.find("COLOUR"), std::string::npos);
  EXPECT_EQ(game->Particles, 0);
  EXPECT_EQ(game->Region, 7);
}

TEST_F(SettingsTest, ValuesOutOfRangeAreBroughtIntoRangeAndHealOnTheNextWrite) {
  WriteSettings(
      "SOUND VOLUME=-50\r\nMUSIC VOLUME=1000000000\r\nSPEECH VOLUME=101\r\n"
      "PARTICLES=2147483647\r\nFADE=7\r\nFULL SCREEN=-1\r\nVSYNC=2\r\nDRIVER=9\r\n"
      "FULL SCREEN PROCESS PRIORITY=3\r\nWINDOWED THREAD PRIORITY=-99\r\n"
      "REGION=99999999999999999\r\nSUB-REGION=-99999999999999999\r\n");
  game->Init(0);
  EXPECT_EQ(game->SoundVolume, 0);
  EXPECT_EQ(game->MusicVolume, 100);
  EXPECT_EQ(game->SpeechVolume, 100);
  EXPECT_EQ(game->Particles, 100);
  EXPECT_EQ(game->Fade, 1);
  EXPECT_EQ(game->FullScreenStored, 0);
  EXPECT_EQ(game->VSync, 1);
  EXPECT_EQ(game->Driver, 1);
  EXPECT_EQ(game->FullScreenProcess, 2);
  EXPECT_EQ(game->WindowedThread, -15);
  EXPECT_EQ(game->Region, 2147483647);  // not wrapped round to -1
  EXPECT_EQ(game->SubRegion, -2147483647 - 1);
  game->IniUpdate(0);
  std::string text = ReadWholeFile(settings);
  for (const char* healed : {"SOUND VOLUME=0\r\n", "MUSIC VOLUME=100\r\n", "PARTICLES=100\r\n",
                             "FADE=1\r\n", "WINDOWED THREAD PRIORITY=-15\r\n"}) {
    EXPECT_NE(text.find(healed), std::string::npos) << healed;
  }
  // Values in range are read as they are.
  WriteSettings("SOUND VOLUME=37\r\nFULL SCREEN THREAD PRIORITY=-4\r\nFADE=0\r\n");
  game->Init(0);
  EXPECT_EQ(game->SoundVolume, 37);
  EXPECT_EQ(game->FullScreenThread, -4);
  EXPECT_EQ(game->Fade, 0);
}

TEST_F(SettingsTest, TemporariesOfInterruptedSavesAreRemovedAtStart) {
  plat::CreateDir(folder + "profiles/saves", true);
  const std::vector<std::string> stale = {"gleamstrand.ini.tmp-a1B2c3", "config.ini.tmp-XXXXXX",
                                          "profiles/Ann.dat.tmp-000000",
                                          "profiles/saves/one.save.tmp-zzzzzz"};
  const std::vector<std::string> kept = {"notes.tmp-abc", "mine.tmp-abcdefg", "a.tmp-ab_def",
                                         "profiles/Ann.dat", "tmp-abcdef"};
  for (const std::string& name : stale) WriteWholeFile(folder + name, "half");
  for (const std::string& name : kept) WriteWholeFile(folder + name, "whole");
  game->Init(0);
  for (const std::string& name : stale) EXPECT_FALSE(Exists(name)) << name;
  for (const std::string& name : kept) EXPECT_TRUE(Exists(name)) << name;
}

TEST_F(SettingsTest, ASettingChangeRewritesTheFileAndLeavesTheChangedMarker) {
  game->Init(0);
  EXPECT_FALSE(Exists("inichanged.dat"));
  game->ParticlesSet(150, 1);
  EXPECT_EQ(game->Particles, 100);
  EXPECT_TRUE(Exists("inichanged.dat"));
  EXPECT_NE(ReadWholeFile(settings).find("PARTICLES=100\r\n"), std::string::npos);
}

TEST_F(SettingsTest, AnUncleanRunWithChangedSettingsRestoresTheDefaultsKeepingTheProfile) {
  WriteSettings("FULL SCREEN=0\r\nPROFILE NAME=Anna\r\nPARTICLES=5\r\n");
  WriteDefaults("FULL SCREEN=1\r\nPARTICLES=80\r\nPROFILE NAME=\r\n");
  WriteWholeFile(folder + "inichanged.dat", "");
  testing::internal::CaptureStderr();
  game->CheckGoodExit();
  std::string shown = testing::internal::GetCapturedStderr();
  EXPECT_NE(shown.find("Default ini file restored!"), std::string::npos);
  EXPECT_FALSE(Exists("inichanged.dat"));
  game->Init(0);
  EXPECT_EQ(game->FullScreen, 1);
  EXPECT_EQ(game->Particles, 80);
  EXPECT_EQ(game->ProfileName, "Anna");
}

TEST_F(SettingsTest, WithoutADefaultFileTheRestoreStillKeepsTheProfile) {
  WriteSettings("FULL SCREEN=0\r\nPROFILE NAME=Anna\r\n");
  WriteWholeFile(folder + "inichanged.dat", "");
  testing::internal::CaptureStderr();
  game->CheckGoodExit();
  testing::internal::GetCapturedStderr();
  game->Init(0);
  EXPECT_EQ(game->FullScreen, 1);
  EXPECT_EQ(game->ProfileName, "Anna");
}

TEST_F(SettingsTest, ACleanExitMarkerIsConsumedAndKeepsTheSettings) {
  WriteSettings("FULL SCREEN=0\r\n");
  WriteWholeFile(folder + "GoodExit.dat", "");
  WriteWholeFile(folder + "inichanged.dat", "");
  game->CheckGoodExit();
  EXPECT_FALSE(Exists("GoodExit.dat"));
  EXPECT_FALSE(Exists("inichanged.dat"));
  EXPECT_EQ(ReadWholeFile(settings), "FULL SCREEN=0\r\n");
  TGame::MakeGoodExit();
  EXPECT_TRUE(Exists("GoodExit.dat"));
}

TEST_F(SettingsTest, ACommandLineOverrideIsNotStored) {
  WriteSettings("FULL SCREEN=1\r\n");
  game->FullScreenOverride = 0;
  game->Init(0);
  EXPECT_EQ(game->FullScreen, 0);
  game->ParticlesSet(10, 1);
  EXPECT_NE(ReadWholeFile(settings).find("FULL SCREEN=1\r\n"), std::string::npos);
}

TEST_F(SettingsTest, AFatalErrorReplacesTheErrorLogWithTheLastMessage) {
  game->Init(0);
  ReportError("the first trouble", 0);
  try {
    ReportError("the second trouble", 1);
    FAIL() << "a fatal report returned";
  } catch (const TFatalError& error) {
    EXPECT_STREQ(error.what(), "the second trouble");
  }
  std::vector<std::string> lines = Lines(ReadWholeFile(folder + "ErrorLog.txt"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("Date: ", 0), 0u);
  EXPECT_EQ(lines[1].rfind("Time: ", 0), 0u);
  EXPECT_EQ(lines[2], "the second trouble");
  EXPECT_FALSE(Exists("GoodExit.dat"));
}

TEST_F(SettingsTest, TheExitAfterTheCrashReportIsOrderlyButReportsFailure) {
  game->Init(0);
  EXPECT_EQ(EndGame(), 0);
  ReportException(std::runtime_error("something unexpected"));
  EXPECT_EQ(EndGame(), 1);
  EXPECT_TRUE(Exists("GoodExit.dat"));  // settings and markers as on any exit
}

TEST_F(SettingsTest, AnUnwritableSettingsFileIsFatal) {
  plat::CreateDir(settings, true);  // a folder where the file should be
  EXPECT_THROW(game->Init(0), TFatalError);
  EXPECT_NE(ReadWholeFile(folder + "ErrorLog.txt").find("Failed to save file " + settings),
            std::string::npos);
}

TEST_F(SettingsTest, AnUncreatableDataFolderIsFatal) {
  WriteWholeFile(home.Path() + "/share", "a file, not a folder");
  EXPECT_THROW(game->Init(0), TFatalError);
}

TEST_F(SettingsTest, TheGameConfigurationKeepsTheFirstRunFlag) {
  game->Init(0);
  GameConfig.FirstRun = 1;
  ConfigLoad(game->SubPath);
  EXPECT_EQ(GameConfig.FirstRun, 1);
  EXPECT_EQ(ReadWholeFile(folder + "config.ini"), "FIRSTRUN=1\r\n");
  GameConfig.FirstRun = 0;
  ConfigSave();
  GameConfig.FirstRun = 1;
  ConfigLoad(game->SubPath);
  EXPECT_EQ(GameConfig.FirstRun, 0);
}

TEST(IniFileTest, LoadAllKeepsUnknownKeysAndCopyWithKeyReplacesOneLine) {
  testsupport::TempDir dir;
  WriteWholeFile(dir.File("levels.ini"), "one=1\nTwo=a=b\n\nthree\n");
  auto ini = IniFileLoadAll(dir.File("levels"));
  ASSERT_EQ(ini->Lines.size(), 3u);
  EXPECT_EQ(ini->Lines[1].Name, "TWO");
  EXPECT_EQ(ini->Lines[1].Value, "a=b");
  EXPECT_EQ(ini->Lines[2].Name, "THREE");
  EXPECT_EQ(ReadWholeFile(dir.File("levels.ini")), "ONE=1\r\nTWO=a=b\r\nTHREE=\r\n");
  EXPECT_EQ(IniReadKey(dir.File("levels.ini"), "two"), "a=b");
  EXPECT_EQ(IniReadKey(dir.File("levels.ini"), "four"), "");
  EXPECT_EQ(IniReadKey(dir.File("none.ini"), "one"), "");
  EXPECT_EQ(IniCopyWithKey(dir.File("levels.ini"), dir.File("copy.ini"), "one", "9"), 1);
  EXPECT_EQ(ReadWholeFile(dir.File("copy.ini")), "ONE=9\r\nTWO=a=b\r\nTHREE=\r\n");
  EXPECT_EQ(IniCopyWithKey(dir.File("none.ini"), dir.File("x.ini"), "one", "9"), 0);
  EXPECT_EQ(IniUpper("straße-ab"), "STRAßE-AB");  // only a..z fold
}

TEST(IniFileTest, ASaveThatFailsOnAFullDiskIsFatalAndKeepsTheOldFile) {
  testsupport::TempDir dir;
  WriteWholeFile(dir.File("gleamstrand.ini"), "SOUND=1\r\n");
  TIniFile ini(dir.File("gleamstrand"));
  for (int i = 0; i < 400; ++i) ini.Add("KEY" + std::to_string(i), std::string(60, 'v'));
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Writes past 4 KB fail as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit small{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &small);
    ErrorLogOn = 0;
    int status = 2;  // reported as success
    try {
      ini.Save();
    } catch (const TFatalError&) {
      status = 1;
    }
    _exit(status);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadWholeFile(dir.File("gleamstrand.ini")), "SOUND=1\r\n");
}

}  // namespace

TEST(IniFileTest, ACopyWhoseLastFlushFailsReportsFailureAndKeepsTheOldFile) {
  testsupport::TempDir dir;
  std::string source;
  for (int i = 0; i < 40; ++i)
    source += "KEY" + std::to_string(i) + "=" + std::string(60, 'v') + "\r\n";
  WriteWholeFile(dir.File("source.ini"), source);
  WriteWholeFile(dir.File("copy.ini"), "OLD=1\r\n");
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The copy is smaller than the write buffer: every write succeeds and
    // only the flush of the close overflows the limit.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit small{1024, 1024};
    setrlimit(RLIMIT_FSIZE, &small);
    _exit(IniCopyWithKey(dir.File("source.ini"), dir.File("copy.ini"), "key3", "9") == 0 ? 0 : 2);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed copy was reported as success";
  EXPECT_EQ(ReadWholeFile(dir.File("copy.ini")), "OLD=1\r\n");
  // Without the limit the same copy succeeds.
  EXPECT_EQ(IniCopyWithKey(dir.File("source.ini"), dir.File("copy.ini"), "key3", "9"), 1);
  EXPECT_NE(ReadWholeFile(dir.File("copy.ini")).find("\r\nKEY3=9\r\n"), std::string::npos);
}

TEST(IniFileTest, UnchangedLinesAreNotWrittenAgainButChangedOrLostOnesAre) {
  testsupport::TempDir dir;
  TIniFile ini(dir.File("gleamstrand"));
  ini.Add("SOUND", "1");
  auto inode = [&] {
    struct stat st {};
    return stat(dir.File("gleamstrand.ini").c_str(), &st) == 0 ? st.st_ino : ino_t(0);
  };
  ini.Save();
  ino_t first = inode();
  ASSERT_NE(first, ino_t(0));
  ini.Save();  // the same lines: the file is left alone (a write renames a new one in)
  EXPECT_EQ(inode(), first);
  ini.Lines[0].Value = "0";
  ini.Save();
  EXPECT_EQ(ReadWholeFile(dir.File("gleamstrand.ini")), "SOUND=0\r\n");
  std::remove(dir.File("gleamstrand.ini").c_str());
  ini.Save();  // gone from the disk: written again
  EXPECT_EQ(ReadWholeFile(dir.File("gleamstrand.ini")), "SOUND=0\r\n");
}
