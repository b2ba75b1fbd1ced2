// A short-lived sprite: moves by velocity and gravity, fades in, holds and
// fades out on its own timers, spins and grows, may run through timed
// phases, and leaves its TParticleList when it fades out, shrinks to
// nothing, runs out of life or leaves the screen.
#pragma once

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "TSprite.h"

class TParticle;
class TParticleList;
class TParticleGenerator;

using TParticleCallback = std::function<void(TParticle&)>;

// One timed stage of a particle's life; lengths of fades in milliseconds.
class TParticlePhase {
 public:
  float Length = 0;  // logic steps
  int Hidden = 0;
  float dx = 0, dy = 0;
  int SetCoords = 0;
  float SetX = 0, SetY = 0;
  float ygravity = 0;
  float FadeInMS = 0, FadeSustainMS = 0, FadeMS = 0;
  int DoRotate = 0;
  float RotationSpeed = 0;
  int SetAngle = 0;
  float Angle = 0;
  int DoScale = 0;
  float ScaleSpeed = 0;
  float Scale = 0;  // 0: keep
  int Alpha = -1;   // -1: keep
  TParticleCallback UserFunction;
};

class TParticle : public TSprite {
 public:
  static std::shared_ptr<TParticle> CreateSpecial(TGameImagePtr image, float x, float y, float dx,
                                                  float dy, float gravity, int fadeMs,
                                                  int lightBlend, int rotate, float rotationSpeed,
                                                  float scale, float scaleSpeed, int lifeMs);

  void SetDelay(int ms);
  // A new phase of ms appended, for the caller to fill in.
  TParticlePhase& AddPhase(int ms);
  void StartPhases();
  void ApplyPhase(TParticlePhase& phase);
  // Fades in over inMs (when 1 or more), holds sustainMs, fades out outMs.
  void SetFade(int inMs, int sustainMs, int outMs);
  // 0 inside the phase, 1 when the next phase began, -1 after the last.
  int ManagePhases();
  void KillPhases();
  // One logic step; 0 when the particle died.
  int MoveParticle();
  void Move() override { MoveParticle(); }
  void Draw() override;
  void Kill() override;

  TParticleList* Particles = nullptr;
  int Hidden = 0;
  float LifeCounter = 0;  // 0: unlimited
  float FadeIn = 0;
  float FadeSustainCounter = 0;
  float FadeCounter = 0;
  float FadeInLength = 0, FadeLength = 0;
  int DoLightBlend = 0;
  int DoRotate = 0;  // >0 clockwise, <0 counter-clockwise
  int DoScale = 0;
  int Data1 = 0, Data2 = 0, Data3 = 0;
  std::shared_ptr<void> DataObject;
  float FloatData1 = 0;
  std::vector<std::shared_ptr<TParticlePhase>> PhaseList;  // empty: none
  TParticlePhase* CurrentPhase = nullptr;
  float PhaseCounter = 0;
  int NoOutOfBounds = 0;
  int KillOnFade = 1;
  int KillAfterAnim = 0;
  float DelayCounter = 0;
  TParticleCallback DelayFinished;
  int UpdateOriginalCoords = 0;
  TParticleCallback UserMove;
  TParticleCallback DestinationReached;
  int DestX = 0, DestY = 0;
  TParticleCallback UserKill;
  std::shared_ptr<TParticleGenerator> ParticleGenerator;
  std::shared_ptr<TParticle> AttachedParticle;
  int KillAttachedParticle = 1;

 private:
  friend class TParticleList;
  // false once the fade ended with KillOnFade set (the particle died).
  bool ManageFade();
  size_t phaseIndex_ = 0;
  bool dead_ = false;
  std::list<std::shared_ptr<TParticle>>::iterator slot_;  // in Particles' list
};
