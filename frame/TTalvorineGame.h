// This game's own game object, and the global Game through which every
// layer reaches it.
#pragma once

#include <memory>
#include <string>

#include "TGame.h"

class TTalvorineGame : public TGame {
 public:
  // The logic step with the five-second grace after loading began and the
  // shared click tracker.
  int LogicWrapper() override;
  int CheckCommandQForMac() { return 0; }
  // Streamed music (not used by the game itself).
  int MusicStreamLoad(const std::string& name, int flags);
  void MusicStreamPlay();
  void MusicStreamStop();
  // Stops every pool channel and gives each a fresh channel.
  void SoundStop();

 private:
  plat::TSoundPtr streamSample_;
};

// The one game object (null before CreateGame and after DestroyGame).
extern TTalvorineGame* Game;

// Makes a fresh game object owned at program level and points Game at it.
TTalvorineGame& CreateGame();
void DestroyGame();

// Music between frames: once the title screen has set MusicStarted, the
// tracks "music1" and "music2" of the music bank alternate, each played once
// through; force starts the next one at once.
extern int MusicStarted;
extern int MusicRotateTrack;  // the track the next rotation plays, 1 or 2
void MusicRotate(int force);
