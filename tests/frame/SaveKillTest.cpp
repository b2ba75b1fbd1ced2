// SIGKILL at random moments while the game rewrites its settings file (as it
// does on every settings change): the file must always be a whole version,
// and the start-up sweep must leave no temporary. GS_KILLS=N asks for more
// kills than the suite's 200 (scripts/kill-soak.sh).
#include <gtest/gtest.h>

#include <cstdio>

#include "FrameTestSupport.h"
#include "KillWhileSaving.h"

namespace {

using testsupport::KillRounds;
using testsupport::KillWhileSaving;
using testsupport::TKillReport;
using testsupport::TSaveKind;

// The number after marker up to the line's end, or -1.
long long NumberAfter(const std::string& bytes, const std::string& marker) {
  size_t at = bytes.find(marker);
  if (at == std::string::npos) return -1;
  at += marker.size();
  size_t end = bytes.find_first_of("\r\n", at);
  if (end == std::string::npos || end == at) return -1;
  long long n = 0;
  for (size_t i = at; i < end; ++i) {
    if (bytes[i] < '0' || bytes[i] > '9') return -1;
    n = n * 10 + (bytes[i] - '0');
  }
  return n;
}

void Print(const std::string& kind, const TKillReport& r) {
  std::printf("[ kills    ] %s: %d kills, %d caught mid-save, %d before any save completed, "
              "%lld versions saved\n",
              kind.c_str(), r.Kills, r.CaughtMidSave, r.Unchanged, r.Saves);
}

class SaveKillTest : public frametest::GameTest {};

TEST_F(SaveKillTest, SettingsFileIsOldOrNewWhateverMomentTheGameIsKilled) {
  TSaveKind kind;
  kind.Name = "settings";
  kind.File = "gleamstrand.ini";
  // Version n changes the volumes, the particle amount and the player's
  // name, through the save every settings change makes.
  kind.Save = [this](const std::string& folder, long long n) {
    game->SubPath = folder + "/";
    game->Ini.FileName = folder + "/gleamstrand";
    game->SoundVolume = int(n % 101);
    game->MusicVolume = int(n / 101 % 101);
    game->Particles = int(n * 7 % 101);
    game->ProfileName = "Player " + std::to_string(n);
    game->IniUpdate(1);
  };
  kind.VersionOf = [](const std::string& bytes) { return NumberAfter(bytes, "PROFILE NAME=Player "); };
  std::string folder = home.DataFolder();
  plat::CreateDir(folder, true);
  TKillReport report = KillWhileSaving(kind, folder, KillRounds(200), 20261208,
                                       [](const std::string& f) { plat::RemoveStaleTemporaries(f); });
  Print(kind.Name, report);
  for (const std::string& fault : report.Faults) ADD_FAILURE() << fault;
  EXPECT_EQ(report.Kills, KillRounds(200));
  // The kills must have cut saves short, not only fallen between them.
  EXPECT_GT(report.CaughtMidSave, 0);
  EXPECT_GT(report.Saves, 0);
}

}  // namespace
