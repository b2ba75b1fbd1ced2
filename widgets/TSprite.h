// The framework's base drawable: an image at a position with velocity and
// gravity, a frame animation, timed scaling and rotation, alpha, a tint, a
// drop shadow and a glow drawn over it in additive light. Owners call the
// Manage/Move operations they use once per logic step and Draw once per
// frame; every per-step change is scaled by LogicDelta.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "TColor.h"
#include "TGameImage.h"
#include "TSineCounter.h"

class TSprite {
 public:
  TSprite();
  virtual ~TSprite() = default;

  static std::shared_ptr<TSprite> Create(TGameImagePtr image, float x, float y);
  // Loads the game's image path + name + ".png" with the flags, mid-handled;
  // with centre set the sprite stands at the screen centre. A file that
  // does not load is a fatal error.
  static std::shared_ptr<TSprite> CreateFromFile(const std::string& name, float x, float y,
                                                 int centre, int flags = -1);

  // 1 when the counter ran past an end of the animation and was handled.
  virtual int AnimBoundsCheckLower();
  virtual int AnimBoundsCheckUpper();
  virtual void BoundsCheck();
  virtual void Centre();
  virtual void CentreX(float y);
  virtual void ClearRotation();
  virtual void ClearScale();
  virtual void ClearTransformations();
  virtual void DoDraw();
  // DoDraw, then the glow (GlowMode > 0) in white light at Glow.
  virtual void Draw();
  // Draws the sprite again in additive light; 0 when invisible.
  virtual int DrawLight(float intensity, float r = 1, float g = 1, float b = 1,
                        TGameImagePtr image = nullptr);
  virtual void DrawNormal();
  virtual void DrawRounded();
  virtual void DrawShadow(const TGameImagePtr& image, int frame, int scrolled);
  // Drawn at the position minus the game's scroll offset.
  virtual void DrawWithOffset();
  virtual int GetAnimFrame();
  virtual void GetSize();
  virtual float Height();
  virtual void Init() {}
  virtual void Kill();
  // One step of the frame animation; returns what the bounds check returned.
  virtual int ManageAnim();
  virtual void ManageGlow();
  virtual void ManageRotation();
  virtual void ManageScale();
  virtual void Move();
  virtual void MoveAttachedSprite();
  virtual void MoveDown();
  virtual void MoveForward();
  virtual void MoveLeft();
  virtual void MoveOriginalCoords();
  virtual void MoveRight();
  virtual void MoveUp();
  virtual int OutOfBounds();
  virtual void RandomiseAnimPos();
  virtual void ScaleOriginalCoords();
  virtual void SetGlow(int mode, float glow, float speed = 0, float min = 0, float max = 1.0f);
  // The light a pulsing glow is drawn with: its level in steps.
  static float PulseStep(float glow);
  virtual void SetImage(TGameImagePtr newImage);
  virtual void SetName(const std::string& newName);
  virtual void SetPosition(float newX, float newY);
  virtual void SetScaleXY(float sx, float sy = 0);
  virtual void SetShadow(int on, float sx = 3.0f, float sy = 3.0f, float alpha = 0.5f);
  virtual void SetupAnim(int frames, int ms, int dir = 0, int reverse = 0, int randomStart = 0,
                         int pingPong = 0, int loop = 1);
  virtual void SetupRotation(float rotationSpeed, int ms, int loop = 0, int randomStart = 0);
  virtual void SetupScale(float xSpeed, float ySpeed, int ms);
  virtual void Stop();
  virtual void StopAnim();
  virtual void StoreCentreCoords();
  virtual void StoreOriginalCoords();
  virtual float Width();

  std::string name;
  int active = 0;
  int visible = 1;
  float x = 0, y = 0;
  float offx = 0, offy = 0;
  int UseOffset = 0;
  float dx = 0, dy = 0;
  float xspeed = 0, yspeed = 0;
  float speed = 0;
  float ygravity = 0;
  int w = 0, h = 0;
  float w2 = 0, h2 = 0;
  TGameImagePtr image;
  int RoundCoords = 0;
  int ImageFrame = 0;
  std::shared_ptr<TColor> Color;  // tint; its alpha is not used
  int Shadow = 0;
  float ShadowX = 3.0f, ShadowY = 3.0f;
  float ShadowAlpha = 0.5f;
  // animation
  int frame = 0;
  int FramesTotal = 1;
  float AnimCounter = 0;
  int AnimLength = 1000;
  int AnimCounterDir = 0;
  int AnimReverse = 0;
  int PingPong = 0;
  float FrameLength = 0;
  int Loop = 1;
  int LoopCount = 0;  // 0: endless
  // scale
  float ScaleX = 1.0f, ScaleY = 1.0f;
  float BaseScaleX = 1.0f, BaseScaleY = 1.0f;
  float ScaleXSpeed = 0.1f, ScaleYSpeed = 0.1f;
  float ScaleCounter = 0;
  int ScaleLength = 1000;
  // rotation
  float Rotation = 0;
  float RotationSpeed = 1.0f;
  float RotationCounter = 0;
  int RotationLength = 1000;
  int RotationLoop = 0;
  int UseAlpha = 1;
  float Alpha = 1.0f;
  // glow: 0 none, 2 fading out, 3 pulsing, other positive values constant
  int GlowMode = 0;
  float Glow = 0;
  float GlowSpeed = 0;
  float GlowMin = 0, GlowMax = 1.0f;
  float GlowRange = 1.0f;
  TSineCounter GlowCounter;
  TGameImagePtr AlternativeImage;
  std::shared_ptr<TSineCounter> MiscSineCounter;
  float cx = 0, cy = 0;
  std::function<void(TSprite&)> AnimStoppedFunction;
  float ox = 0, oy = 0;
  std::shared_ptr<TSprite> AttachedSprite;
  int KillAttachedSprite = 1;

 protected:
  // The frame shown now: the animation's while it runs, else ImageFrame.
  int CurrentFrame();
  const TGameImagePtr& DrawnImage() const { return AlternativeImage ? AlternativeImage : image; }
  // Draws the current frame at (px, py) with its shadow.
  void DrawAt(float px, float py, int scrolledShadow);
  void CallStopped();
};
