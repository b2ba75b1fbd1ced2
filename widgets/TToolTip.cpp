#include "TToolTip.h"

#include <algorithm>
#include <cmath>

#include "Globals.h"
#include "TBitmapFont.h"
#include "TTalvorineGame.h"
#include "TextDraw.h"
#include "WidgetFiles.h"

void TToolTip::SetCollideCounterMax(int ms) {
  CollideCounterMax = int(AnimLengthFromMs(float(ms)));
}

int TToolTip::SetText(const std::string& text) {
  if (Fade && Visible) return 0;
  Text = text;
  const TBitmapFont* bitmap = font ? font->BitmapFont.get() : nullptr;
  if (font && !bitmap) font->SelectFont();
  TextWrapped = WrapLines(SplitLines(text), float(TextDrawWidth), bitmap, 1.0f);
  return 1;
}

void TToolTip::FollowPointer() {
  const TMousePointer& pointer = Game->Mouse;
  float boxW = image ? float(image->w) : 0, boxH = image ? float(image->h) : 0;
  float below = float(pointer.y + pointer.h + GapFromMouse);
  if (AlwaysShowAboveMouse || below + boxH > float(ScreenHeight)) {
    y = float(pointer.y - GapFromMouse) - boxH;
  } else {
    y = below;
  }
  x = float(pointer.x + XOffset);
  if (x + boxW > float(ScreenWidth)) x = float(ScreenWidth) - boxW;
}

void TToolTip::Collide(int over) {
  bool showing = false;
  if (!over) {
    CollideCounter = 0;
  } else {
    CollideCounter += LogicDelta;
    if (CollideCounter > float(CollideCounterMax)) {
      CollideCounter = float(CollideCounterMax);
      if (!Visible) {
        Visible = 1;
        PlayWidgetSound(ToolTipSound);
      }
      showing = true;
    }
  }
  if (DrawUnderMouseCursor && (!SetCoordsOnceOnly || !coordsSet_)) {
    FollowPointer();
    if (Visible) coordsSet_ = 1;
  }
  if (showing) {
    if (Fade) FadeLevel = std::min(1.0f, FadeLevel + FadeInSpeed * LogicDelta);
  } else if (!Fade) {
    Visible = 0;
  } else if (Visible) {
    FadeLevel = std::max(0.0f, FadeLevel - FadeOutSpeed * LogicDelta);
    if (FadeLevel <= 0) Visible = 0;
  }
  if (!Visible) coordsSet_ = 0;
}

void TToolTip::Draw() {
  if (!Visible) return;
  float alpha = Fade ? FadeLevel : 1.0f;
  float oldColourAlpha = font && font->Color ? font->Color->Alpha : 1.0f;
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetAlpha(alpha);
  float boxW = 0, boxH = 0;
  if (image && image->image) {
    boxW = float(image->w);
    boxH = float(image->h);
    plat::DrawImage(*image->image, x + image->image->handle_x, y + image->image->handle_y);
  }
  if (font) {
    if (font->Color) font->Color->Alpha = alpha * oldColourAlpha;
    font->Apply();
    float cx = x + boxW / 2;
    float cy = y + boxH / 2 + float(TextYOffset);
    if (RoundedCoords) cx = std::floor(cx + 0.5f);
    int shadow = font->Shadow ? 1 : 0;
    if (font->BitmapFont) {
      font->BitmapFont->DrawStringArray(TextWrapped, cx, cy, 1, 0, RoundedCoords, 0, shadow, 0, 1);
    } else {
      // Without a bitmap font the lines go through the face, centred alike.
      float gap = font->CalcHeight();
      float ly = cy - std::floor(gap * float(TextWrapped.size()) / 2 + 0.5f);
      for (const std::string& line : TextWrapped) {
        DrawTextLine(line, cx, ly, shadow, 1, RoundedCoords);
        ly += gap;
      }
    }
    if (font->Color) font->Color->Alpha = oldColourAlpha;
  }
  TColor::Restore();
  SetTextAlpha(1);
}

void TToolTip::Kill() { ToolTipSound.reset(); }
