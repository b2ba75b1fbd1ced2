// A particle effect of ten emitters, read from a 1360-byte ".par" file.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "TEmitter.h"

// One effect's share of the live sparks of all effects.
class TLiveSparks {
 public:
  TLiveSparks() = default;
  TLiveSparks(TLiveSparks&& other) noexcept : own_(other.own_) { other.own_ = 0; }
  TLiveSparks& operator=(TLiveSparks&& other) noexcept;
  TLiveSparks(const TLiveSparks&) = delete;
  TLiveSparks& operator=(const TLiveSparks&) = delete;
  ~TLiveSparks() { Set(0); }
  void Set(size_t count);
  size_t Own() const { return own_; }
  static size_t InAll() { return inAll_; }

 private:
  size_t own_ = 0;
  static inline size_t inAll_ = 0;
};

class TSmashParticleFX {
 public:
  static constexpr int EMITTER_COUNT = 10;
  static constexpr int FILE_SIZE = EMITTER_COUNT * TEmitter::RECORD_SIZE;
  // What any effect may cost, whatever its file asks for: emission pauses
  // while an effect, or all effects together, have this many live sparks.
  static constexpr size_t MAX_LIVE_SPARKS = 300;
  static constexpr size_t MAX_LIVE_SPARKS_IN_ALL = 3000;
  // Bounds of the values a file gives: frames (delay, duration, life time,
  // emission interval), sparks per emission, scale; any other value is kept
  // within MAX_MAGNITUDE, and a value that is not a number reads as 0.
  static constexpr float MAX_FRAMES = 600;
  static constexpr float MAX_EMISSION_RATE = 100;
  // Four times a 128-pixel frame: larger sparks, hundreds of them, would
  // each cover the screen and stall every frame.
  static constexpr float MAX_SCALE = 4;
  static constexpr float MAX_MAGNITUDE = 100000;

  // A copy of the effect's settings; frames, sparks and times start afresh.
  static std::unique_ptr<TSmashParticleFX> DuplicateFrom(const TSmashParticleFX& effect);
  // Loads the file as LoadFX does.
  static std::unique_ptr<TSmashParticleFX> Load(const std::string& source, int loop);

  void SetLoop(int flag) { LoopFX = uint8_t(flag != 0); }
  void MoveTo(float x, float y);
  void Render(float delta, int emit);
  int Finished() const;
  void Stop() { Running = 0; }
  void Restart();
  void Reset();
  // 1 on success. A file that cannot be opened, is not exactly FILE_SIZE
  // bytes or holds a value outside the bounds below is a fatal report
  // ("Could not load Particle FX '<file>'"); every emitter is off before it.
  int LoadFX(const std::string& source);
  // 1 on success; the old file stays when writing fails.
  int SaveFX(const std::string& destination) const;

  // Brings every stored value of the emitters within the bounds above.
  void BoundSettings();
  // Whether every stored value is a number within those bounds already.
  bool IsWithinBounds() const;

  std::array<TEmitter, EMITTER_COUNT> Emitter;
  uint8_t LoopFX = 0;
  uint8_t Running = 1;

 private:
  void CountSparks();
  TLiveSparks live_;
};
