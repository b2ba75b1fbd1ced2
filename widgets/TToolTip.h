// A text box that appears near the pointer once it has rested over the
// tip's owner for a while, fades in, and fades out after it leaves. The
// owner calls Collide once per logic step with whether the pointer is over
// it, and Draw once per frame.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TFont.h"
#include "TGameImage.h"
#include "TGameSound.h"

class TToolTip {
 public:
  void Collide(int over);
  void Kill();
  void Draw();
  void SetCollideCounterMax(int ms);
  // Refused (0) while a fading tip is still visible.
  int SetText(const std::string& text);

  int Visible = 0;
  float x = 0, y = 0;
  TGameImagePtr image;  // the box, drawn from its top-left corner
  std::shared_ptr<TFont> font;
  int RoundedCoords = 1;
  int TextYOffset = 0;
  std::string Text;
  std::vector<std::string> TextWrapped;
  int TextDrawWidth = 200;
  int DrawUnderMouseCursor = 1;
  int GapFromMouse = 5;
  int XOffset = 0;
  int SetCoordsOnceOnly = 1;
  float CollideCounter = 0;
  int CollideCounterMax = 50;  // logic steps
  int Fade = 1;
  float FadeInSpeed = 0.02f;
  float FadeOutSpeed = 0.04f;
  float FadeLevel = 0;
  int AlwaysShowAboveMouse = 0;
  TGameSoundPtr ToolTipSound;

 private:
  void FollowPointer();
  int coordsSet_ = 0;
};
