// The game's own small configuration "config" in the shared data folder:
// the first-run flag.
#pragma once

#include "TIniFile.h"

struct TGameConfig {
  TIniFile File;
  int FirstRun = 1;
};

extern TGameConfig GameConfig;

void ConfigFill();
void ConfigExtract();
void ConfigSave();
// Start-up: file name SubPath + "config", fill, load, extract.
void ConfigLoad(const std::string& subPath);
