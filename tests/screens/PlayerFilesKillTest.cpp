// SIGKILL at random moments while the game writes a player's files: the
// profile, the level-completion record and the high-score table. After each
// kill the file must be a whole version (the old one or a newer one), and the
// start-up sweep must leave no temporary. GS_KILLS=N asks for more kills than
// the suite's 200 per kind (scripts/kill-soak.sh).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "KillWhileSaving.h"
#include "TCompletionFile.h"
#include "TGleamstrandHighScoreList.h"
#include "TPlayerFiles.h"
#include "TPlayerRename.h"
#include "TProfileStore.h"
#include "TestSupport.h"

namespace {

using testsupport::TSaveKind;

void KillAndCheck(const TSaveKind& kind, unsigned seed) {
  testsupport::TempDir folder;
  testsupport::ExpectWholeFilesAfterKills(kind, folder.Path(), seed);
}

TEST(PlayerFilesKillTest, ProfileFileIsWholeWhateverMomentTheGameIsKilled) {
  // The profile file's bytes never change: a kill must leave it whole.
  TSaveKind kind;
  kind.Name = "profile";
  kind.File = "Ada.dat";
  kind.Save = [](const std::string& folder, long long) {
    ASSERT_TRUE(TProfileStore(folder + "/").Write("Ada"));
  };
  const std::string whole = [] {
    testsupport::TempDir d;
    TProfileStore(d.Path() + "/").Write("Ada");
    return testsupport::ReadWholeFile(d.File("Ada.dat"));
  }();
  ASSERT_FALSE(whole.empty());
  kind.VersionOf = [whole](const std::string& bytes) { return bytes == whole ? 0LL : -1LL; };
  KillAndCheck(kind, 1);
}

TEST(PlayerFilesKillTest, CompletionRecordIsOldOrNewWhateverMomentTheGameIsKilled) {
  // Version n records the levels L1 .. Ln as finished, one more per save.
  TSaveKind kind;
  kind.Name = "completion record";
  kind.File = "Adas.ini";
  kind.Save = [](const std::string& folder, long long n) {
    TCompletionFile record(TPlayerFiles::Path(folder + "/", "Ada", TPlayerFiles::StandardRecord));
    record.Load();
    for (long long k = (long long)record.Lines.size() + 1; k <= n; ++k) {
      ASSERT_TRUE(record.MarkCompleted("L" + std::to_string(k)));
    }
  };
  kind.VersionOf = [](const std::string& bytes) -> long long {
    long long n = 0;
    for (size_t at = 0; at < bytes.size(); ++n) {
      size_t end = bytes.find("\r\n", at);
      if (end == std::string::npos) return -1;  // a cut last line
      if (bytes.compare(at, end - at, "L" + std::to_string(n + 1) + "=1") != 0) return -1;
      at = end + 2;
    }
    return n;
  };
  KillAndCheck(kind, 2);
}

TEST(PlayerFilesKillTest, HighScoreTableIsOldOrNewWhateverMomentTheGameIsKilled) {
  // Version n: the mark, then ten entries, the first named "V" + n.
  TSaveKind kind;
  kind.Name = "high scores";
  kind.File = "highscores.hsdat";
  kind.Save = [](const std::string& folder, long long n) {
    TGleamstrandHighScoreList table;
    table.filepath = folder + "/highscores.hsdat";
    table.Add("V" + std::to_string(n), int(1000 + n % 1000));
    for (int i = 1; i < TGleamstrandHighScoreList::numPositions; ++i) {
      table.Add("Player " + std::to_string(i), 200 - 20 * i);
    }
    ASSERT_EQ(table.Save(), 1);
  };
  kind.VersionOf = [](const std::string& bytes) -> long long {
    if (bytes.compare(0, 4, "GSU8") != 0) return -1;
    size_t end = bytes.find('\0');
    if (end == std::string::npos) return -1;
    std::string name;
    for (size_t i = 4; i < end; ++i) {
      name +=
          char((static_cast<unsigned char>(bytes[i]) + 256 - TGleamstrandHighScoreList::NameShift) &
               255);
    }
    return name.size() > 1 && name[0] == 'V' ? testsupport::WholeNumber(name.substr(1)) : -1;
  };
  KillAndCheck(kind, 3);
}

TEST(PlayerFilesKillTest, ARenameKilledAtAnyMomentLeavesOnePlayerWithItsRecords) {
  testsupport::TempDir folder;
  const TProfileStore store(folder.Path() + "/");
  ASSERT_TRUE(store.Write("Ada"));
  ASSERT_TRUE(TCompletionFile(TPlayerFiles::Path(store.Folder, "Ada", TPlayerFiles::StandardRecord))
                  .MarkCompleted("001"));
  std::mt19937 chance(4);
  const int rounds = testsupport::KillRounds(100);
  for (int round = 0; round < rounds; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Back and forth between two names until killed.
      for (;;) {
        std::vector<std::string> players = store.List();
        std::string from = players.empty() ? "Ada" : players[0];
        TPlayerRename(store).Rename(from, from == "Ada" ? "Bea" : "Ada");
      }
    }
    usleep(useconds_t(chance() % 4000));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    // What the next start does before it lists the players.
    plat::RemoveStaleTemporaries(folder.Path());
    TPlayerRename(store).FinishInterrupted();
    std::vector<std::string> players = store.List();
    ASSERT_EQ(players.size(), 1u) << "after kill " << round;
    TCompletionFile record(
        TPlayerFiles::Path(store.Folder, players[0], TPlayerFiles::StandardRecord));
    record.Load();
    EXPECT_EQ(record.IsCompleted("001"), 1) << players[0] << " after kill " << round;
  }
}

}  // namespace
