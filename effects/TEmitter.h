// One of the ten emitters of a particle effect: spawns sparks during its
// emission window and moves, recolours, fades, spins and grows them each
// time it is rendered.
#pragma once

#include <list>
#include <memory>

#include "Platform.h"
#include "TSmashParticle.h"

class TEmitter {
 public:
  static constexpr int RENDER_ALPHA = 0;
  static constexpr int RENDER_ADD = 1;
  static constexpr int RENDER_MUL = 2;
  static constexpr int RENDER_OFF = 3;
  // Bytes of one emitter record in a particle-effect file.
  static constexpr int RECORD_SIZE = 136;

  void Reset() { Particles.clear(); }
  // Starts the emission window again once it has passed.
  void Loop();
  int Finished() const;
  void Render(float delta, int emit);

  // The stored settings (not the position, frame, particles or times).
  void ReadSettings(plat::TStream& stream);
  void WriteSettings(plat::TStream& stream) const;
  void CopySettingsFrom(const TEmitter& other);
  // Every stored setting equal (a value that is not a number equals nothing).
  bool SameSettingsAs(const TEmitter& other) const;

  int Frame = 0;
  std::list<std::unique_ptr<TSmashParticle>> Particles;
  float X = 220, Y = 330;
  float EmitterDelay = 0;
  float EmitterDuration = 10;
  float EmissionRate = 1;
  float EmissionEachFrame = 1;
  int Image = 4;
  float SpeedX = 0, SpeedY = 0;
  float SpeedVarX = 0, SpeedVarY = 0;
  float LaunchSize = 1;
  float SizeVar = 0;
  float Grow = 0;
  float MinSize = 0, MaxSize = 1;
  float Alpha = 1;
  float AlphaVar = 0;
  float AlphaChange = 0;
  float RotationSpeed = 0, RotationVar = 0, RotationStart = 0;
  float ColorR = 255, ColorG = 255, ColorB = 255;
  float ColorChangeR = 0, ColorChangeG = 0, ColorChangeB = 0;
  float StartOffsetX = 0, StartOffsetY = 0;
  float StartOffsetVarX = 0, StartOffsetVarY = 0;
  float GravityX = 0, GravityY = 0;
  float LifeTime = 100;
  int RenderType = RENDER_OFF;
  float StartTime = 0, CurrTime = 0;

 private:
  struct TRecordField {
    float TEmitter::*real = nullptr;
    int TEmitter::*whole = nullptr;
  };
  static const TRecordField kRecord[];

  bool EmitsThisFrame() const;
  void Emit();
  // Moves and draws one spark; false once it has outlived LifeTime.
  bool StepParticle(TSmashParticle& p, float delta);
};
