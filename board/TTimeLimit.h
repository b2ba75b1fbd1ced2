// A level's time limit against the clock: how long the level may take, read
// against the level clock (so the in-game menu, a pause or a lost window
// stop it too), and the rule that sets it: the standard levels' measured
// limit, or for the player's own levels a base and a share per marble cell.
// Time attack has three minutes; relaxed and endless have no limit (0).
// Draws nothing.
#pragma once

#include <string>

#include "TPlayWay.h"

class TLevelPars;

class TTimeLimit {
 public:
  // The last seconds in which the time bar turns urgent and ticks.
  static constexpr int UrgentMs = 10000;
  // The player's own levels: 60 s and 10 s for every marble cell.
  static constexpr int CustomBaseMs = 60000, CustomPerMarbleMs = 10000;
  // A standard level measured without a limit gets the same rule.
  static constexpr int MaxLimitMs = 24 * 60 * 60 * 1000;
  // Time attack: three minutes.
  static constexpr int AttackMs = 3 * 60 * 1000;

  // The limit of a game played `way` (0 where the way has none).
  static int ForWay(TPlayWay way, const std::string& path, int custom, int marbleCells);
  // The limit of a level (its layout's path) in ms, from `pars` (read from
  // the standard levels' file when null).
  static int ForLevel(const std::string& path, int custom, int marbleCells,
                      const TLevelPars* pars = nullptr);
  static int ForCustomLevel(int marbleCells);

  bool Active() const { return LimitMs > 0; }
  // Time left in ms (0..LimitMs); 0 without a limit.
  int Remaining() const;
  // The last UrgentMs of a running limit.
  bool Urgent() const { return Active() && Remaining() <= UrgentMs; }
  bool Expired() const { return Active() && Remaining() <= 0; }
  // Sets the limit so that `remainingMs` are left now (a resumed game).
  void SetRemaining(int remainingMs);

  int LimitMs = 0;  // 0: no limit
};
