// SIGKILL at random moments while the game rewrites its settings file (as it
// does on every settings change): the file must always be a whole version,
// and the start-up sweep must leave no temporary. GS_KILLS=N asks for more
// kills than the suite's 200 (scripts/kill-soak.sh).
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "KillWhileSaving.h"

namespace {

using testsupport::TSaveKind;

// The number after marker up to the line's end, or -1.
long long NumberAfter(const std::string& bytes, const std::string& marker) {
  size_t at = bytes.find(marker);
  if (at == std::string::npos) return -1;
  at += marker.size();
  size_t end = bytes.find_first_of("\r\n", at);
  if (end == std::string::npos) return -1;
  return testsupport::WholeNumber(bytes.substr(at, end - at));
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
  kind.VersionOf = [](const std::string& bytes) {
    return NumberAfter(bytes, "PROFILE NAME=Player ");
  };
  std::string folder = home.DataFolder();
  plat::CreateDir(folder, true);
  testsupport::ExpectWholeFilesAfterKills(kind, folder, 20261208);
}

}  // namespace
