#include "TSprite.h"

#include <algorithm>
#include <cmath>

#include "Degrees.h"
#include "Globals.h"
#include "TTalvorineGame.h"
#include "TextCase.h"

namespace {

float RoundHalfUp(float v) { return std::floor(v + 0.5f); }

void ScrollOffset(float& sx, float& sy) {
  sx = Game ? Game->ScrollX : 0;
  sy = Game ? Game->ScrollY : 0;
}

}  // namespace

TSprite::TSprite() { GlowCounter.Init(0, 360, 1); }

std::shared_ptr<TSprite> TSprite::Create(TGameImagePtr image, float x, float y) {
  auto sprite = std::make_shared<TSprite>();
  sprite->SetImage(std::move(image));
  sprite->SetPosition(x, y);
  return sprite;
}

std::shared_ptr<TSprite> TSprite::CreateFromFile(const std::string& name, float x, float y,
                                                 int centre, int flags) {
  std::string folder = Game ? Game->ImagePath : std::string();
  auto sprite = Create(TGameImage::Create(folder + name + ".png", flags, 1), x, y);
  if (centre) sprite->Centre();
  return sprite;
}

// ---------------------------------------------------------------- animation

void TSprite::CallStopped() {
  if (AnimStoppedFunction) AnimStoppedFunction(*this);
}

int TSprite::AnimBoundsCheckLower() {
  if (AnimCounter > 0) return 0;
  if (PingPong) {
    AnimCounter = -AnimCounter + FrameLength;
    AnimReverse = 1;
    if (AnimCounter == 0) AnimCounter = 0.01f;
  } else if (Loop == 0) {
    AnimCounter = 0.01f;
    CallStopped();
  } else if (LoopCount > 0 && --LoopCount == 0) {
    Loop = 0;
    AnimCounter = 0.01f;
  } else {
    AnimCounter += float(AnimLength);
    CallStopped();
  }
  return 1;
}

int TSprite::AnimBoundsCheckUpper() {
  if (AnimCounter < float(AnimLength)) return 0;
  if (PingPong) {
    AnimCounter = float(AnimLength) - (AnimCounter - float(AnimLength)) - FrameLength;
    AnimReverse = 0;
  } else if (Loop == 0) {
    AnimCounter = float(AnimLength);
    CallStopped();
  } else if (LoopCount > 0 && --LoopCount == 0) {
    Loop = 0;
    AnimCounter = float(AnimLength);
  } else {
    AnimCounter -= float(AnimLength);
    CallStopped();
  }
  return 1;
}

int TSprite::GetAnimFrame() {
  float ratio = AnimLength != 0 ? AnimCounter / float(AnimLength) : 0;
  if (AnimCounterDir == 0) ratio = 1 - ratio;
  int result = int(std::floor(float(FramesTotal) * ratio));
  if (result >= FramesTotal) result = FramesTotal - 1;
  return result;
}

int TSprite::ManageAnim() {
  if (FramesTotal <= 1) return 0;
  bool up = (AnimCounterDir == 1) != (AnimReverse != 0);
  int result;
  if (up) {
    AnimCounter += LogicDelta;
    result = AnimBoundsCheckUpper();
  } else {
    AnimCounter -= LogicDelta;
    result = AnimBoundsCheckLower();
  }
  frame = GetAnimFrame();
  return result;
}

void TSprite::RandomiseAnimPos() { AnimCounter = float(plat::Rnd(0.01, double(AnimLength))); }

void TSprite::SetupAnim(int frames, int ms, int dir, int reverse, int randomStart, int pingPong,
                        int loop) {
  frame = 0;
  FramesTotal = frames;
  AnimLength = int(AnimLengthFromMs(float(ms)));
  AnimCounterDir = dir;
  AnimReverse = reverse;
  PingPong = pingPong;
  FrameLength = frames != 0 ? float(AnimLength) / float(frames) : 0;
  Loop = loop;
  if (randomStart) {
    RandomiseAnimPos();
  } else if (dir == 0) {
    AnimCounter = reverse ? 0.01f : float(AnimLength);
  } else {
    AnimCounter = reverse ? float(AnimLength) : 0;
  }
}

void TSprite::StopAnim() {
  AnimCounter = 0;
  FramesTotal = 1;
}

// ---------------------------------------------------------------- scale, rotation, glow

void TSprite::ManageScale() {
  if (ScaleCounter <= 0) return;
  ScaleCounter -= LogicDelta;
  ScaleX += ScaleXSpeed * LogicDelta;
  ScaleY += ScaleYSpeed * LogicDelta;
}

void TSprite::SetupScale(float xSpeed, float ySpeed, int ms) {
  ScaleXSpeed = xSpeed;
  ScaleYSpeed = ySpeed;
  ScaleLength = int(AnimLengthFromMs(float(ms)));
  ScaleCounter = float(ScaleLength);
}

void TSprite::SetupRotation(float rotationSpeed, int ms, int loop, int randomStart) {
  RotationSpeed = rotationSpeed;
  if (!loop) {
    RotationLength = int(AnimLengthFromMs(float(ms)));
    RotationCounter = float(RotationLength);
  } else {
    RotationLoop = 1;
    if (randomStart) Rotation = float(plat::Rnd(0, 360));
  }
}

void TSprite::ManageRotation() {
  if (!RotationLoop) {
    if (RotationCounter > 0) {
      RotationCounter -= LogicDelta;
      Rotation += RotationSpeed * LogicDelta;
    }
    return;
  }
  Rotation += RotationSpeed * LogicDelta;
  if (Rotation >= 360) Rotation -= 360;
  if (Rotation < 0) Rotation += 360;
}

void TSprite::SetGlow(int mode, float glow, float glowSpeed, float min, float max) {
  GlowMode = mode;
  Glow = glow;
  GlowSpeed = glowSpeed;
  GlowMin = min;
  GlowMax = max;
  GlowRange = max - min;
  if (mode == 3) GlowCounter.Init(0, 360, glowSpeed);
}

void TSprite::ManageGlow() {
  if (GlowMode == 2) {
    if (Glow > 0) Glow = std::max(0.0f, Glow - GlowSpeed * LogicDelta);
  } else if (GlowMode == 3) {
    GlowCounter.Manage();
    Glow = GlowMin + GlowRange * std::fabs(SinDeg(GlowCounter.Counter));
  }
}

void TSprite::ClearRotation() { Rotation = 0; }

void TSprite::ClearScale() { ScaleX = ScaleY = 1; }

void TSprite::ClearTransformations() {
  ClearScale();
  ClearRotation();
}

void TSprite::SetScaleXY(float sx, float sy) {
  ScaleX = sx;
  ScaleY = sy != 0 ? sy : sx;
}

// ---------------------------------------------------------------- movement

void TSprite::Move() {
  x += dx * LogicDelta;
  y += dy * LogicDelta;
  if (ygravity > 0) dy += ygravity * LogicDelta;
}

void TSprite::MoveOriginalCoords() {
  ox += dx * LogicDelta;
  oy += dy * LogicDelta;
  if (ygravity > 0) dy += ygravity * LogicDelta;
}

void TSprite::MoveAttachedSprite() {
  if (!AttachedSprite) return;
  AttachedSprite->x += dx * LogicDelta;
  AttachedSprite->y += dy * LogicDelta;
}

void TSprite::MoveForward() {
  dx = speed * SinDeg(Rotation);
  dy = -speed * CosDeg(Rotation);
  Move();
}

void TSprite::MoveLeft() {
  x -= xspeed * LogicDelta;
  BoundsCheck();
}

void TSprite::MoveRight() {
  x += xspeed * LogicDelta;
  BoundsCheck();
}

void TSprite::MoveUp() {
  y -= yspeed * LogicDelta;
  BoundsCheck();
}

void TSprite::MoveDown() {
  y += yspeed * LogicDelta;
  BoundsCheck();
}

void TSprite::BoundsCheck() {
  if (x < w2) x = w2;
  if (x > float(ScreenWidth) - w2) x = float(ScreenWidth) - w2;
  if (y < h2) y = h2;
  if (y > float(ScreenHeight) - h2) y = float(ScreenHeight) - h2;
}

void TSprite::Stop() { dx = dy = 0; }

int TSprite::OutOfBounds() {
  bool mid = image && image->midhandled;
  float left = mid ? -w2 : -float(w);
  float top = mid ? -h2 : -float(h);
  float right = float(ScreenWidth) + (mid ? w2 : 0);
  float bottom = float(ScreenHeight) + (mid ? h2 : 0);
  return (x < left || x > right || y < top || y > bottom) ? 1 : 0;
}

// ---------------------------------------------------------------- position and size

void TSprite::Centre() {
  if (image) image->MidHandle(1);
  x = float(ScreenWidth / 2);
  y = float(ScreenHeight / 2);
}

void TSprite::CentreX(float newY) {
  if (image) image->MidHandle(1);
  x = float(ScreenWidth / 2);
  y = newY;
}

void TSprite::GetSize() {
  if (!image) return;
  w = image->w;
  h = image->h;
  w2 = image->w2;
  h2 = image->h2;
}

float TSprite::Width() { return float(w) * ScaleX; }

float TSprite::Height() { return float(h) * ScaleY; }

void TSprite::SetImage(TGameImagePtr newImage) {
  image = std::move(newImage);
  GetSize();
}

void TSprite::SetName(const std::string& newName) { name = UpperCase(newName); }

void TSprite::SetPosition(float newX, float newY) {
  x = newX;
  y = newY;
}

void TSprite::SetShadow(int on, float sx, float sy, float alpha) {
  Shadow = on;
  ShadowX = sx;
  ShadowY = sy;
  ShadowAlpha = alpha;
}

void TSprite::StoreCentreCoords() {
  cx = x;
  cy = y;
}

void TSprite::StoreOriginalCoords() {
  ox = x;
  oy = y;
}

void TSprite::ScaleOriginalCoords() {
  x = ox * BaseScaleX;
  y = oy * BaseScaleY;
}

void TSprite::Kill() {
  if (!AttachedSprite) return;
  std::shared_ptr<TSprite> attached = std::move(AttachedSprite);
  AttachedSprite.reset();
  if (KillAttachedSprite == 1) attached->Kill();
}

// ---------------------------------------------------------------- drawing

int TSprite::CurrentFrame() { return AnimCounter > 0 ? GetAnimFrame() : ImageFrame; }

void TSprite::DrawAt(float px, float py, int scrolledShadow) {
  const TGameImagePtr& drawn = DrawnImage();
  if (!drawn || !drawn->image) return;
  int f = CurrentFrame();
  DrawShadow(drawn, f, scrolledShadow);
  plat::DrawImage(*drawn->image, px, py, f);
}

void TSprite::DrawNormal() {
  float px = x, py = y;
  if (UseOffset) {
    px += offx;
    py += offy;
  }
  DrawAt(px, py, 0);
}

void TSprite::DrawRounded() {
  float px = x, py = y;
  if (UseOffset) {
    px += offx;
    py += offy;
  }
  DrawAt(RoundHalfUp(px), RoundHalfUp(py), 0);
}

void TSprite::DrawShadow(const TGameImagePtr& shadowImage, int shadowFrame, int scrolled) {
  if (!Shadow || !shadowImage || !shadowImage->image) return;
  int r, g, b;
  plat::GetColor(r, g, b);
  plat::SetColor(0, 0, 0);
  plat::SetAlpha(ShadowAlpha * Alpha);
  float px = x + ShadowX, py = y + ShadowY;
  if (UseOffset) {
    px += offx;
    py += offy;
  }
  if (scrolled) {
    float sx, sy;
    ScrollOffset(sx, sy);
    px -= sx;
    py -= sy;
  }
  if (RoundCoords) {
    px = RoundHalfUp(px);
    py = RoundHalfUp(py);
  }
  plat::DrawImage(*shadowImage->image, px, py, shadowFrame);
  if (Color) {
    Color->ApplyNoAlpha();
  } else {
    plat::SetColor(r, g, b);
  }
  plat::SetAlpha(Alpha);
}

void TSprite::DoDraw() {
  if (!visible) return;
  plat::SetScale(BaseScaleX * ScaleX, BaseScaleY * ScaleY);
  plat::SetRotation(Rotation);
  if (UseAlpha) plat::SetAlpha(Alpha);
  if (Color) Color->ApplyNoAlpha();
  if (RoundCoords) {
    DrawRounded();
  } else {
    DrawNormal();
  }
  plat::SetScale(1, 1);
  plat::SetRotation(0);
  if (UseAlpha) plat::SetAlpha(1);
  if (Color) plat::SetColor(255, 255, 255);
}

void TSprite::Draw() {
  DoDraw();
  if (GlowMode <= 0) return;
  // A glow that pulses by itself is an ambient effect.
  if (GlowSpeed != 0) plat::BeginAmbient();
  DrawLight(GlowMode == 3 ? PulseStep(Glow) : Glow, 1, 1, 1, nullptr);
  if (GlowSpeed != 0) plat::EndAmbient();
}

// A pulse is lit in steps of 1/32 of full light: a slow pulse looks as
// smooth, and the ambient frames between two steps draw nothing new (a big
// picture's light pass is the dearest drawing at rest).
float TSprite::PulseStep(float glow) {
  constexpr float kSteps = 32.0f;
  return std::round(glow * kSteps) / kSteps;
}

// The light pass shows the picture the sprite shows now (its alternative
// image included) unless another is given; the alternative image the
// sprite had before is kept.
int TSprite::DrawLight(float intensity, float r, float g, float b, TGameImagePtr lightImage) {
  if (!visible) return 0;
  plat::SetBlend(plat::LIGHTBLEND);
  plat::SetColor(int(intensity * 255 * r), int(intensity * 255 * g), int(intensity * 255 * b));
  TGameImagePtr previous = AlternativeImage;
  if (lightImage) AlternativeImage = std::move(lightImage);
  DoDraw();
  AlternativeImage = std::move(previous);
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(255, 255, 255);
  return 1;
}

void TSprite::DrawWithOffset() {
  float sx, sy;
  ScrollOffset(sx, sy);
  plat::SetScale(BaseScaleX * ScaleX, BaseScaleY * ScaleY);
  plat::SetRotation(Rotation);
  if (UseAlpha) plat::SetAlpha(Alpha);
  float px = x - sx, py = y - sy;
  if (UseOffset) {
    px += offx;
    py += offy;
  }
  DrawAt(px, py, 1);
  plat::SetScale(1, 1);
  plat::SetRotation(0);
  if (UseAlpha) plat::SetAlpha(1);
  // The shadow puts the tint back after itself; this form draws untinted.
  if (Shadow && Color) plat::SetColor(255, 255, 255);
}
