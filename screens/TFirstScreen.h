// The screen shown after loading until the title screen takes its place: the
// archive's menu background, the game's name in its largest face, the six
// jewels, a burst of sparks from one jewel every second, and the two music
// tracks in turn.
#pragma once

#include <memory>
#include <vector>

#include "TScreen.h"
#include "TSmashParticleFX.h"

class TFirstScreen : public TScreen {
 public:
  static constexpr int JEWELS = 6;
  static constexpr int BURST_MS = 1000;

  TFirstScreen() { name = "first"; }
  void Load() override;
  void Start() override;
  void Logic() override;
  void Draw() override;
  void Kill() override;

  // Sparks still alive (for tests and the curious).
  int LiveBursts() const { return int(Bursts.size()); }
  int BurstsStarted = 0;

 private:
  void StartBurst();
  float JewelX(int index) const;

  plat::TImagePtr Jewels[JEWELS];
  std::unique_ptr<TSmashParticleFX> Effects[2];
  std::vector<std::unique_ptr<TSmashParticleFX>> Bursts;
  float SinceBurst = 0;  // logic steps since the last burst
  float Undrawn = 0;     // logic steps since the last frame
  float BurstSteps = 0;
};
