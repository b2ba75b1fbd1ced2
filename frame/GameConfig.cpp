#include "GameConfig.h"

#include <cstdlib>

TGameConfig GameConfig;

void ConfigFill() {
  GameConfig.File.Clear();
  GameConfig.File.Add("FirstRun", std::to_string(GameConfig.FirstRun));
}

void ConfigExtract() { GameConfig.FirstRun = std::atoi(GameConfig.File.Get("FIRSTRUN").c_str()); }

void ConfigSave() {
  ConfigFill();
  GameConfig.File.Save();
}

void ConfigLoad(const std::string& subPath) {
  GameConfig.File.FileName = subPath + "config";
  ConfigFill();
  GameConfig.File.Load();
  ConfigExtract();
}
