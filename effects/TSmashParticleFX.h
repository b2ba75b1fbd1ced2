// A particle effect of ten emitters, read from a 1360-byte ".par" file.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "TEmitter.h"

class TSmashParticleFX {
 public:
  static constexpr int EMITTER_COUNT = 10;
  static constexpr int FILE_SIZE = EMITTER_COUNT * TEmitter::RECORD_SIZE;

  // A copy of the effect's settings; frames, sparks and times start afresh.
  static std::unique_ptr<TSmashParticleFX> DuplicateFrom(const TSmashParticleFX& effect);
  // Always returns an effect; when the file cannot be read its emitters are
  // all off, so it reports finished at once.
  static std::unique_ptr<TSmashParticleFX> Load(const std::string& source, int loop);

  void SetLoop(int flag) { LoopFX = uint8_t(flag != 0); }
  void MoveTo(float x, float y);
  void Render(float delta, int emit);
  int Finished() const;
  void Stop() { Running = 0; }
  void Restart();
  void Reset();
  // 1 on success. A file that cannot be opened or is too short is reported
  // ("Could not load Particle FX") and leaves every emitter off.
  int LoadFX(const std::string& source);
  // 1 on success; the old file stays when writing fails.
  int SaveFX(const std::string& destination) const;

  std::array<TEmitter, EMITTER_COUNT> Emitter;
  uint8_t LoopFX = 0;
  uint8_t Running = 1;
};
