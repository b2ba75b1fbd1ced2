#include "TProfile.h"

#include <algorithm>

std::shared_ptr<TProfile> TProfile::Create(const std::string& name) {
  auto profile = std::make_shared<TProfile>();
  profile->Init(name);
  return profile;
}

void TProfile::Init(const std::string& name) {
  Name = name;
  CurrentLevel = 1;
  LockedLevel = 2;
  Score = 0;
  Lives = 3;
  Kills = 0;
  TimeTaken = 0;
  Difficulty = 0;
  TipsFlag = 1;
  InstructionsFlag = 1;
  ClearHints();
}

void TProfile::ClearHints() { HintsSet(0); }

void TProfile::HintsSet(int value) {
  std::fill(std::begin(HintsShown), std::end(HintsShown), value);
}

int TProfile::ShowHint(int index, int show) {
  (void)show;  // the profile's own hint display is never used by this game
  if (index < 0 || index >= MAX_HINTS || HintsShown[index]) return 0;
  HintsShown[index] = 1;
  return 1;
}
