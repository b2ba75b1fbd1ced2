// The game configuration ("config.ini") and the generic readers of the
// player's INI files: every entry, one key, a copy with one key replaced.
#include "FuzzTarget.h"
#include "GameConfig.h"
#include "TIniFile.h"

GS_FUZZ_TARGET(config) {
  FuzzSetUp();
  std::string path = FuzzFile("config.ini", data, size);
  ConfigLoad(FuzzFolder());
  FuzzFile("levels.ini", data, size);
  auto all = IniFileLoadAll(FuzzFolder() + "levels");
  IniReadKey(path, "FIRSTRUN");
  IniCopyWithKey(path, FuzzFolder() + "copy.ini", "PROFILE NAME", "Ann");
  return 0;
}
