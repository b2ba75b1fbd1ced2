// The level clock: when the level being played started, and the moment play
// was interrupted (pause, a suspended window, the in-game menu), so that the
// time spent away does not count as playing time. One instance, LevelClock,
// read by the modes (saved games) and driven by the game screen.
#pragma once

class TLevelClock {
 public:
  // The longest playing time SetElapsed takes (about 11 days).
  static constexpr int MaxElapsedMs = 1000000000;

  // Start time = now, not interrupted.
  void Restart();
  // Start time = now; an interruption in force (a level restarted or a game
  // loaded from the in-game menu) goes on from now.
  void RestartKeepingPause();
  // Notes the moment of an interruption (an earlier one is kept).
  void Pause();
  // Ends an interruption: its length no longer counts as playing time.
  void Resume();
  bool IsPaused() const { return PauseTime != 0; }
  // Playing time in ms, up to now or to the moment of the interruption.
  int Elapsed() const;
  // Makes Elapsed() = ms (a resumed saved game), keeping an interruption;
  // ms is kept within 0..MaxElapsedMs.
  void SetElapsed(int ms);

  int StartTime = 0;
  // Millisecond clock at the interruption; 0 = none.
  int PauseTime = 0;
};

extern TLevelClock LevelClock;
