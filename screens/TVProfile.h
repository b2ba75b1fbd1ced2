// The game's player profile: only the name matters to this game. Its file
// (the profile folder + name + ".dat") makes the player known; the two
// functions decide how that file is written and read, and the player
// selection makes a profile current.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "TProfile.h"

// Carried by every profile and never used by this game.
class TSaveData {};

class TVProfile : public TProfile {
 public:
  // A profile named name with the game's own save and load functions.
  static std::shared_ptr<TVProfile> Create(const std::string& name);
  // SaveFunction's result when set, else 0.
  int Save() override;
  // LoadFunction's result when set, else 0.
  int Load() override;

  std::function<int()> SaveFunction;
  std::function<int()> LoadFunction;
  TSaveData savedata;
};

// The player selection: the profile of name becomes current (its file is
// created when missing), "PROFILE NAME" takes the name and the settings are
// written. Returns 0, changing nothing, when the profile file cannot be
// created.
int SelectPlayer(const std::string& name);

// The current profile's name, or the fallback "Player" when there is no
// profile (the high-score name of a game started without any player).
std::string CurrentPlayerName();
