#include "TParticle.h"

#include "Globals.h"
#include "TParticleGenerator.h"
#include "TParticleList.h"

std::shared_ptr<TParticle> TParticle::CreateSpecial(TGameImagePtr image, float x, float y, float dx,
                                                    float dy, float gravity, int fadeMs,
                                                    int lightBlend, int rotate, float rotationSpeed,
                                                    float scale, float scaleSpeed, int lifeMs) {
  auto p = std::make_shared<TParticle>();
  p->SetImage(std::move(image));
  p->active = 1;
  p->x = x;
  p->y = y;
  p->dx = dx;
  p->dy = dy;
  if (lifeMs > 0) p->LifeCounter = AnimLengthFromMs(float(lifeMs));
  // Fully visible at once, fading out from the first step.
  p->FadeLength = p->FadeCounter = AnimLengthFromMs(float(fadeMs));
  if (fadeMs > 0) p->UseAlpha = 1;
  p->DoLightBlend = lightBlend;
  p->ygravity = gravity;
  p->DoRotate = rotate;
  p->RotationSpeed = rotationSpeed;
  p->ScaleX = p->ScaleY = scale;
  if (scaleSpeed != 0) {
    p->ScaleXSpeed = p->ScaleYSpeed = scaleSpeed;
    p->DoScale = 1;
  }
  return p;
}

// Hidden at once, so that it is not drawn before its first step either.
void TParticle::SetDelay(int ms) {
  DelayCounter = AnimLengthFromMs(float(ms));
  if (DelayCounter > 0) Hidden = 1;
}

TParticlePhase& TParticle::AddPhase(int ms) {
  auto phase = std::make_shared<TParticlePhase>();
  phase->Length = AnimLengthFromMs(float(ms));
  PhaseList.push_back(phase);
  return *phase;
}

void TParticle::StartPhases() {
  if (PhaseList.empty()) return;
  phaseIndex_ = 0;
  ApplyPhase(*PhaseList[0]);
}

void TParticle::ApplyPhase(TParticlePhase& phase) {
  PhaseCounter = 0;
  CurrentPhase = &phase;
  Hidden = phase.Hidden;
  dx = phase.dx;
  dy = phase.dy;
  ygravity = phase.ygravity;
  if (phase.SetCoords == 1) {
    x = phase.SetX;
    y = phase.SetY;
  }
  SetFade(int(phase.FadeInMS), int(phase.FadeSustainMS), int(phase.FadeMS));
  DoRotate = phase.DoRotate;
  RotationSpeed = phase.RotationSpeed;
  DoScale = phase.DoScale;
  ScaleXSpeed = ScaleYSpeed = phase.ScaleSpeed;
  if (phase.Scale != 0) ScaleX = ScaleY = phase.Scale;
  if (phase.Alpha != -1) Alpha = float(phase.Alpha);
  if (phase.SetAngle != 0) Rotation = phase.Angle;
}

void TParticle::SetFade(int inMs, int sustainMs, int outMs) {
  FadeInLength = AnimLengthFromMs(float(inMs));
  FadeSustainCounter = AnimLengthFromMs(float(sustainMs));
  FadeLength = AnimLengthFromMs(float(outMs));
  UseAlpha = 1;
  if (inMs >= 1) {
    FadeIn = 1;
    Alpha = 0;
    FadeCounter = 0;
  } else {
    FadeCounter = FadeLength;
  }
}

int TParticle::ManagePhases() {
  if (!CurrentPhase) return 0;
  PhaseCounter += LogicDelta;
  if (PhaseCounter < CurrentPhase->Length) return 0;
  if (CurrentPhase->UserFunction) CurrentPhase->UserFunction(*this);
  if (phaseIndex_ + 1 >= PhaseList.size()) return -1;
  ++phaseIndex_;
  ApplyPhase(*PhaseList[phaseIndex_]);
  return 1;
}

void TParticle::KillPhases() {
  PhaseList.clear();
  CurrentPhase = nullptr;
  phaseIndex_ = 0;
}

bool TParticle::ManageFade() {
  if (FadeIn) {
    FadeCounter += LogicDelta;
    if (FadeCounter >= FadeInLength) {
      FadeCounter = FadeLength;
      FadeIn = 0;
      Alpha = 1;
    }
  } else if (FadeSustainCounter > 0) {
    FadeSustainCounter -= LogicDelta;
    if (FadeSustainCounter <= 0) {
      FadeSustainCounter = 0;
      FadeCounter = FadeLength;
    }
  } else if (FadeCounter > 0) {
    FadeCounter -= LogicDelta;
    if (FadeCounter <= 0) {
      FadeCounter = 0;
      Alpha = 0;
      if (KillOnFade) return false;
    }
  }
  return true;
}

int TParticle::MoveParticle() {
  if (dead_) return 0;
  if (DelayCounter > 0) {
    DelayCounter -= LogicDelta;
    if (DelayCounter > 0) {
      Hidden = 1;
      return 1;
    }
    DelayCounter = 0;
    Hidden = 0;
    StartPhases();
    if (DelayFinished) DelayFinished(*this);
    if (dead_) return 0;
  }
  if (!PhaseList.empty() && ManagePhases() == -1) {
    Kill();
    return 0;
  }
  if (UserMove) {
    UserMove(*this);
    if (dead_) return 0;
  } else if (UpdateOriginalCoords) {
    MoveOriginalCoords();
  } else {
    TSprite::Move();
  }
  if (DestinationReached) {
    bool onX = dx <= 0 ? x <= float(DestX) : x >= float(DestX);
    bool onY = dy <= 0 ? y <= float(DestY) : y >= float(DestY);
    if (onX && onY) {
      DestinationReached(*this);
      if (dead_) return 0;
    }
  }
  if (!NoOutOfBounds && OutOfBounds()) {
    Kill();
    return 0;
  }
  if (!ManageFade()) {
    Kill();
    return 0;
  }
  if (DoRotate > 0) {
    Rotation += RotationSpeed * LogicDelta;
    if (Rotation >= 360) Rotation -= 360;
  } else if (DoRotate < 0) {
    Rotation -= RotationSpeed * LogicDelta;
    if (Rotation < 0) Rotation += 360;
  }
  if (DoScale == 1) {
    ScaleX += ScaleXSpeed * LogicDelta;
    ScaleY += ScaleYSpeed * LogicDelta;
    if (ScaleX <= 0 || ScaleY <= 0) {
      Kill();
      return 0;
    }
  }
  if (LifeCounter > 0) {
    LifeCounter -= LogicDelta;
    if (LifeCounter <= 0) {
      Kill();
      return 0;
    }
  }
  if (ParticleGenerator) ParticleGenerator->Manage();
  return dead_ ? 0 : 1;
}

void TParticle::Draw() {
  if (!active || Hidden) return;
  if (FadeCounter > 0) {
    float length = FadeIn ? FadeInLength : FadeLength;
    if (length > 0) Alpha = FadeCounter / length;
  }
  if (DoLightBlend) plat::SetBlend(plat::LIGHTBLEND);
  TSprite::Draw();
  if (DoLightBlend) plat::SetBlend(plat::ALPHABLEND);
}

void TParticle::Kill() {
  if (dead_) return;
  dead_ = true;
  TSprite::Kill();
  if (UserKill) UserKill(*this);
  active = 0;
  if (Particles) Particles->Remove(this);
  ParticleGenerator.reset();
  if (AttachedParticle) {
    std::shared_ptr<TParticle> attached = std::move(AttachedParticle);
    AttachedParticle.reset();
    if (KillAttachedParticle == 1) attached->Kill();
  }
  DataObject.reset();
}
