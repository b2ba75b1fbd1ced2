// The game as a process: command line, exit status, run markers, the
// single-instance lock and unattended runs. Runs that need the game's data
// skip themselves when the runtime folder holds none.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "Platform.h"
#include "TestSupport.h"

namespace {

using testsupport::ReadWholeFile;
using testsupport::RunCommand;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

std::string Quote(const std::string& text) { return "'" + text + "'"; }

bool HaveGameData() {
  return plat::FileType(std::string(GS_RUNTIME_DIR) + "/data/resources/data.pak") ==
         plat::FILETYPE_FILE;
}

// A process this test started, ended with it whatever the outcome.
struct TChild {
  pid_t pid = -1;
  ~TChild() {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
};

class ProcessTest : public ::testing::Test {
 protected:
  // The shell command that runs the game for the player whose data lives in
  // home; its output goes to files in home.
  std::string Command(const TempDir& player, const std::string& args) const {
    return "cd " + Quote(work.Path()) + " && exec env XDG_DATA_HOME=" + Quote(player.Path()) +
           " HOME=" + Quote(player.Path()) + " SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " +
           Quote(GS_GAME_EXE) + " " + args + " >" + Quote(player.File("out.txt")) + " 2>" +
           Quote(player.File("err.txt"));
  }
  int Run(const TempDir& player, const std::string& args) const {
    return RunCommand(Command(player, args));
  }
  static std::string DataFolder(const TempDir& player) {
    return player.Path() + "/Talvorine Games/Cavernglow/";
  }
  static bool Exists(const std::string& path) {
    return plat::FileType(path) == plat::FILETYPE_FILE;
  }
  // Starts a run that goes on until it is ended, and waits until it has
  // made `made` (a file or folder) in the player's data folder.
  bool StartLongRun(TChild& child, const TempDir& player, const std::string& made) const {
    child.pid = fork();
    if (child.pid < 0) return false;
    if (child.pid == 0) {
      std::string command = Command(player, "--headless --steps 100000000");
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    std::string path = DataFolder(player) + made;
    for (int i = 0; i < 600 && plat::FileType(path) == plat::FILETYPE_NONE; ++i) usleep(50000);
    return plat::FileType(path) != plat::FILETYPE_NONE;
  }

  TempDir home, work;
};

TEST_F(ProcessTest, HelpAndVersionSucceed) {
  EXPECT_EQ(Run(home, "--help"), 0);
  EXPECT_NE(ReadWholeFile(home.File("out.txt")).find("--screenshot STEP:FILE"), std::string::npos);
  EXPECT_EQ(Run(home, "--version"), 0);
  EXPECT_NE(ReadWholeFile(home.File("out.txt")).find("Gleamstrand"), std::string::npos);
}

TEST_F(ProcessTest, BadCommandLinesPrintTheUsageAndExitWithTwo) {
  EXPECT_EQ(Run(home, "--jump"), 2);
  std::string err = ReadWholeFile(home.File("err.txt"));
  EXPECT_NE(err.find("unknown option \"--jump\""), std::string::npos);
  EXPECT_NE(err.find("Usage: gleamstrand"), std::string::npos);
  EXPECT_EQ(Run(home, "--steps lots"), 2);
  EXPECT_NE(ReadWholeFile(home.File("err.txt")).find("--steps"), std::string::npos);
  EXPECT_EQ(Run(home, "--script /nonexistent/script.txt"), 2);
  EXPECT_NE(ReadWholeFile(home.File("err.txt")).find("--script"), std::string::npos);
  // Nothing was started, so nothing was written for the player.
  EXPECT_EQ(plat::FileType(DataFolder(home)), plat::FILETYPE_NONE);
}

TEST_F(ProcessTest, AFatalErrorLeavesNoGoodExitMarkerAndOnlyTheLastError) {
  plat::CreateDir(DataFolder(home) + "gleamstrand.ini", true);  // cannot be written
  WriteWholeFile(DataFolder(home) + "ErrorLog.txt", "Date: old\r\nTime: old\r\nold trouble\r\n");
  EXPECT_EQ(Run(home, "--headless --steps 50"), 1);
  std::string log = ReadWholeFile(DataFolder(home) + "ErrorLog.txt");
  EXPECT_NE(log.find("Failed to save file " + DataFolder(home) + "gleamstrand.ini"),
            std::string::npos);
  EXPECT_EQ(log.find("old trouble"), std::string::npos);
  EXPECT_FALSE(Exists(DataFolder(home) + "GoodExit.dat"));
  EXPECT_NE(ReadWholeFile(home.File("err.txt")).find("Failed to save file"), std::string::npos);
}

TEST_F(ProcessTest, AHeadlessRunOf400StepsExitsCleanly) {
  if (!HaveGameData()) GTEST_SKIP() << "no game data in " << GS_RUNTIME_DIR;
  EXPECT_EQ(Run(home, "--headless --seed 7 --steps 400"), 0) << ReadWholeFile(home.File("err.txt"));
  EXPECT_TRUE(Exists(DataFolder(home) + "GoodExit.dat"));
  EXPECT_EQ(ReadWholeFile(DataFolder(home) + "config.ini"), "FIRSTRUN=0\r\n");
  EXPECT_TRUE(Exists(DataFolder(home) + "gleamstrand.ini"));
}

TEST_F(ProcessTest, ASecondCopyForTheSamePlayerExitsAtOnce) {
  if (!HaveGameData()) GTEST_SKIP() << "no game data in " << GS_RUNTIME_DIR;
  TChild first;
  ASSERT_TRUE(StartLongRun(first, home, "gleamstrand.ini"));
  // The first copy holds the lock once it has written its settings.
  // The same folder however it is spelt: as it is, with "." or ".." in it,
  // or through a link to it.
  TempDir sameHomeOutput;
  std::string link = sameHomeOutput.File("link");
  ASSERT_EQ(symlink(home.Path().c_str(), link.c_str()), 0);
  std::string base = home.Path().substr(home.Path().find_last_of('/') + 1);
  for (const std::string& spelling :
       {home.Path(), home.Path() + "/.", home.Path() + "/../" + base, home.Path() + "//", link}) {
    SCOPED_TRACE(spelling);
    std::string second = "cd " + Quote(work.Path()) + " && env XDG_DATA_HOME=" + Quote(spelling) +
                         " HOME=" + Quote(home.Path()) +
                         " SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + Quote(GS_GAME_EXE) +
                         " --headless --steps 400 2>" + Quote(sameHomeOutput.File("err.txt"));
    EXPECT_EQ(RunCommand(second), 0);
    EXPECT_EQ(ReadWholeFile(sameHomeOutput.File("err.txt")), "");
    EXPECT_FALSE(Exists(DataFolder(home) + "GoodExit.dat"));  // the second did not run
  }
  // A bot run that could not play says so, and fails.
  std::string bot = "cd " + Quote(work.Path()) + " && env XDG_DATA_HOME=" + Quote(home.Path()) +
                    " HOME=" + Quote(home.Path()) +
                    " SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + Quote(GS_GAME_EXE) +
                    " --headless --autoplay 001 >" + Quote(sameHomeOutput.File("out.txt")) + " 2>" +
                    Quote(sameHomeOutput.File("err.txt"));
  EXPECT_EQ(RunCommand(bot), 1);
  EXPECT_EQ(ReadWholeFile(sameHomeOutput.File("out.txt")), "");
  EXPECT_NE(ReadWholeFile(sameHomeOutput.File("err.txt"))
                .find("another copy of Gleamstrand uses this data folder"),
            std::string::npos);
  EXPECT_EQ(waitpid(first.pid, nullptr, WNOHANG), 0) << "the first copy ended early";
}

TEST_F(ProcessTest, TwoCopiesForDifferentPlayersBothRun) {
  if (!HaveGameData()) GTEST_SKIP() << "no game data in " << GS_RUNTIME_DIR;
  TempDir other;
  WriteWholeFile(work.File("both.sh"), "(" + Command(home, "--headless --steps 400") +
                                           ") & first=$!\n(" +
                                           Command(other, "--headless --steps 400") +
                                           ") & second=$!\n"
                                           "wait $first; a=$?\nwait $second; b=$?\n"
                                           "exit $((a + b))\n");
  EXPECT_EQ(RunCommand("sh " + Quote(work.File("both.sh"))), 0);
  EXPECT_TRUE(Exists(DataFolder(home) + "GoodExit.dat"));
  EXPECT_TRUE(Exists(DataFolder(other) + "GoodExit.dat"));
}

TEST_F(ProcessTest, EveryEndingSignalEndsTheGameInOrderAndKeepsChangedSettings) {
  if (!HaveGameData()) GTEST_SKIP() << "no game data in " << GS_RUNTIME_DIR;
  // SIGHUP: the terminal closed, the player logged out; SIGPIPE is ignored.
  for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGPIPE}) {
    SCOPED_TRACE(signal);
    TempDir player;
    ASSERT_TRUE(plat::CreateDir(DataFolder(player), true));
    WriteWholeFile(DataFolder(player) + "gleamstrand.ini", "SOUND VOLUME=23\r\nFADE=0\r\n");
    TChild game;
    ASSERT_TRUE(StartLongRun(game, player, "profiles"));
    // A setting changed during the run leaves this marker.
    WriteWholeFile(DataFolder(player) + "inichanged.dat", "");
    ASSERT_EQ(kill(game.pid, signal), 0);
    if (signal == SIGPIPE) {
      usleep(300000);
      EXPECT_EQ(waitpid(game.pid, nullptr, WNOHANG), 0) << "SIGPIPE ended the game";
      ASSERT_EQ(kill(game.pid, SIGTERM), 0);
    }
    // A guard against a hang, not a measure of speed.
    int status = 0;
    pid_t ended = 0;
    for (int i = 0; i < 1200 && ended == 0; ++i) {
      ended = waitpid(game.pid, &status, WNOHANG);
      if (ended == 0) usleep(50000);
    }
    ASSERT_EQ(ended, game.pid) << "the game went on after the signal";
    game.pid = -1;
    ASSERT_TRUE(WIFEXITED(status)) << ReadWholeFile(player.File("err.txt"));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(Exists(DataFolder(player) + "GoodExit.dat"));
    EXPECT_EQ(ReadWholeFile(DataFolder(player) + "config.ini"), "FIRSTRUN=0\r\n");
    // The next start keeps the changed settings.
    EXPECT_EQ(Run(player, "--headless --steps 20"), 0);
    EXPECT_EQ(ReadWholeFile(player.File("err.txt")).find("restored"), std::string::npos);
    EXPECT_NE(ReadWholeFile(DataFolder(player) + "gleamstrand.ini").find("SOUND VOLUME=23\r\n"),
              std::string::npos);
  }
}

TEST_F(ProcessTest, ABindMountOrAnotherNetworkNamespaceMeetsTheSameLock) {
  if (!HaveGameData()) GTEST_SKIP() << "no game data in " << GS_RUNTIME_DIR;
  TempDir mountPoint;
  std::string probe = "unshare -m sh -c 'mount --bind " + Quote(home.Path()) + " " +
                      Quote(mountPoint.Path()) + "' 2>" + Quote(work.File("probe.txt"));
  if (RunCommand(probe) != 0) {
    GTEST_SKIP() << "no mount namespace with a bind mount here: "
                 << ReadWholeFile(work.File("probe.txt"));
  }
  TChild first;
  ASSERT_TRUE(StartLongRun(first, home, "gleamstrand.ini"));
  // The same folder seen through a bind mount, and from a namespace without
  // the first copy's network: a bot run there plays nothing.
  auto bot = [&](const std::string& folder) {
    return "env XDG_DATA_HOME=" + Quote(folder) + " HOME=" + Quote(folder) +
           " SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + Quote(GS_GAME_EXE) +
           " --headless --autoplay 001";
  };
  auto refused = [&](const std::string& command) {
    EXPECT_EQ(RunCommand("cd " + Quote(work.Path()) + " && " + command + " >" +
                         Quote(work.File("out.txt")) + " 2>" + Quote(work.File("err.txt"))),
              1);
    EXPECT_EQ(ReadWholeFile(work.File("out.txt")), "");
    EXPECT_NE(ReadWholeFile(work.File("err.txt"))
                  .find("another copy of Gleamstrand uses this data folder"),
              std::string::npos);
  };
  WriteWholeFile(work.File("bound.sh"), "mount --bind " + Quote(home.Path()) + " " +
                                            Quote(mountPoint.Path()) + " && " +
                                            bot(mountPoint.Path()) + "\n");
  refused("unshare -m sh " + Quote(work.File("bound.sh")));
  if (RunCommand("unshare -n true 2>/dev/null") == 0) refused("unshare -n " + bot(home.Path()));
  EXPECT_EQ(waitpid(first.pid, nullptr, WNOHANG), 0) << "the first copy ended early";
  EXPECT_FALSE(Exists(DataFolder(home) + "profiles/Autoplays.ini"));
}

TEST_F(ProcessTest, WithoutASoundDeviceOneLineSaysSo) {
  if (!HaveGameData()) GTEST_SKIP() << "no game data in " << GS_RUNTIME_DIR;
  // An OpenAL set-up whose only device cannot open, whatever the machine has.
  WriteWholeFile(work.File("nodevice.conf"),
                 "[general]\ndrivers=alsa\n[alsa]\ndevice=gleamstrand-no-such-device\n");
  std::string env = "GS_AUDIO_DEVICE=1 ALSOFT_CONF=" + Quote(work.File("nodevice.conf")) + " ";
  EXPECT_EQ(RunCommand("export " + env + "&& " + Command(home, "--headless --steps 50")), 0);
  EXPECT_EQ(ReadWholeFile(home.File("err.txt")), "no sound device: playing silently\n");
}

TEST_F(ProcessTest, AScriptedCloseEndsTheRunThroughTheFadeWithScreenshots) {
  if (!HaveGameData()) GTEST_SKIP() << "no game data in " << GS_RUNTIME_DIR;
  // The first run asks for the player's name before the title can be used.
  WriteWholeFile(work.File("input.txt"),
                 "150 char T\n"
                 "151 char e\n"
                 "152 char d\n"
                 "160 key enter\n"
                 "300 key p\n"
                 "400 key p\n"
                 "500 close\n");
  EXPECT_EQ(Run(home,
                "--headless --steps 5000 --script input.txt --screenshot 290:running.png "
                "--screenshot 390:paused.png --screenshot 700:never.png"),
            0)
      << ReadWholeFile(home.File("err.txt"));
  EXPECT_TRUE(Exists(DataFolder(home) + "GoodExit.dat"));
  auto running = plat::LoadPixmap(work.File("running.png"));
  auto paused = plat::LoadPixmap(work.File("paused.png"));
  ASSERT_TRUE(running && paused);
  ASSERT_EQ(running->width, 800);
  // Away from the paused picture the frame is dimmed to about half.
  double before = 0, after = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      before += running->ReadPixel(x, y) & 255;
      after += paused->ReadPixel(x, y) & 255;
    }
  }
  EXPECT_NEAR(after, before / 2, before / 10 + 100);
  // The close at step 500 ends the run 100 steps later, before step 700.
  EXPECT_FALSE(Exists(work.File("never.png")));
  EXPECT_NE(ReadWholeFile(home.File("err.txt")).find("no screenshot"), std::string::npos);
}

}  // namespace
