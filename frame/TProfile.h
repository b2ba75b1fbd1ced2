// The framework base of a player profile; the game's TVProfile extends it
// and decides how it is saved.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Platform.h"

class TProfile {
 public:
  static constexpr int MAX_HINTS = 100;

  virtual ~TProfile() = default;
  static std::shared_ptr<TProfile> Create(const std::string& name);
  void Init(const std::string& name);
  void ClearHints();
  void HintsSet(int value);
  int ShowHint(int index, int show);
  virtual int Save() { return 0; }
  virtual int Load() { return 0; }

  std::string Name;
  int CurrentLevel = 1;
  int LockedLevel = 2;
  int Score = 0;
  int Lives = 3;
  int Kills = 0;
  double TimeTaken = 0;
  int Difficulty = 0;
  int TipsFlag = 1;
  int InstructionsFlag = 1;
  int HintsShown[MAX_HINTS] = {};
  std::function<int(plat::TStream&)> SaveUserFunction;
  std::function<int(plat::TStream&)> LoadUserFunction;
};
