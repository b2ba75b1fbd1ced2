#include "TButton.h"

#include <algorithm>

#include "GameInput.h"
#include "Globals.h"
#include "TChannelArray.h"
#include "TInputMode.h"
#include "TLabel.h"
#include "TNavInput.h"
#include "TTalvorineGame.h"
#include "TVMouse.h"
#include "WidgetFiles.h"

TButton::TButton() = default;
TButton::~TButton() = default;

std::unique_ptr<TButton> TButton::CreateSpecial(const std::string& name,
                                                const std::string& mouseOverName,
                                                const std::string& mouseOverSound,
                                                const std::string& clickSound) {
  auto button = std::make_unique<TButton>();
  button->Load(name, mouseOverName, mouseOverSound, clickSound, 0, 0, 1);
  return button;
}

// ------------------------------------------------------------------ sprite overrides

void TButton::CentreX(float newY) {
  x = float((ScreenWidth - w) / 2);
  y = newY;
}

void TButton::Init() {
  GetSize();
  ClearClick();
}

void TButton::Kill() {
  if (ChannelMouseOver) plat::StopChannel(ChannelMouseOver);
  if (ChannelClick) plat::StopChannel(ChannelClick);
  ChannelMouseOver.reset();
  ChannelClick.reset();
  Caption.reset();
  MouseRepeat.reset();
  TSprite::Kill();
}

// ------------------------------------------------------------------ loading

std::string TButton::GetPath() const { return UseMenuPath ? Game->MenuPath : Game->ImagePath; }

void TButton::Load(const std::string& newName, const std::string& mouseOverName,
                   const std::string& mouseOverSound, const std::string& clickSound, int cellWidth,
                   int cellHeight, int frames) {
  SetName(newName);
  if (!Game->Channels) {
    ChannelMouseOver = plat::AllocChannel();
    ChannelClick = plat::AllocChannel();
  }
  LoadImages(newName, mouseOverName, cellWidth, cellHeight, frames);
  if (!mouseOverSound.empty()) SoundMouseOver = LoadWidgetSound(mouseOverSound);
  if (!clickSound.empty()) SoundClick = LoadWidgetSound(clickSound);
  Init();
}

void TButton::LoadImages(const std::string& file, const std::string& mouseOverName, int cellWidth,
                         int cellHeight, int frames) {
  auto load = [&](const std::string& what) {
    std::string path = GetPath() + what + WidgetImageExt;
    if (frames >= 2) return TGameImage::CreateAuto(path, cellWidth, cellHeight, 0, frames, -1, 0);
    return TGameImage::Create(path, -1, 0);
  };
  image = load(file);
  if (!mouseOverName.empty()) ImageMouseOver = load(mouseOverName);
}

void TButton::LoadDisabled(const std::string& file) {
  ImageDisabled = TGameImage::Create(GetPath() + file + WidgetImageExt, -1, 0);
}

void TButton::LoadMouseClick(const std::string& file, int ms) {
  ImageMouseClick = TGameImage::Create(GetPath() + file + WidgetImageExt, -1, 0);
  MouseClickDuration = Game->CalcAnimLength(ms);
}

void TButton::Precache() {
  for (const TGameImagePtr& look : {image, ImageMouseOver, ImageDisabled, ImageMouseClick}) {
    if (look) look->Precache();
  }
}

// ------------------------------------------------------------------ set-up

void TButton::SetFixedGlowOnMO(float max, float glowSpeed, int useMouseOverLook) {
  FixedGlowOnMO = 1;
  GlowMax = max;
  GlowSpeed = glowSpeed;
  FixedGlowOnMOUseMO = useMouseOverLook;
}

void TButton::SetAutoGlow(float min, float max, float glowSpeed, int onMouseOverOnly) {
  SetGlow(3, max, glowSpeed, min, max);
  AutoGlowOnMO = onMouseOverOnly;
}

void TButton::SetupCaption(const std::string& text, plat::TFontPtr imageFont,
                           std::shared_ptr<TColor> color, std::shared_ptr<TShadow> shadow,
                           std::shared_ptr<TBitmapFont> bitmapFont,
                           std::shared_ptr<TColor> inverseColor) {
  Caption = TLabel::CreateSpecial(text, x + w2, y + h2, 1, 0);
  Caption->CentreVertically = 1;
  Caption->Init(std::move(imageFont), std::move(color), std::move(shadow), 0, std::move(bitmapFont),
                std::move(inverseColor));
}

void TButton::SetupCaptionDown(std::shared_ptr<TColor> color, float scale, float offsetX,
                               float offsetY) {
  CaptionDownColor = std::move(color);
  CaptionDownScale = scale;
  CaptionDownOffsetX = offsetX;
  CaptionDownOffsetY = offsetY;
}

void TButton::SetupMouseRepeat(int initialDelayMs, int delayMs) {
  MouseRepeat = TMouseRepeat::Create(initialDelayMs, delayMs);
}

void TButton::SetupScaleOnMO(float max, float upSpeed, float downSpeed) {
  ScaleOnMOMax = max;
  ScaleOnMOUpSpeed = upSpeed;
  ScaleOnMODownSpeed = downSpeed;
}

// ------------------------------------------------------------------ state

void TButton::ClearClick() {
  Clicked = 0;
  MouseClickCounter = 0;
  MouseOver = 0;
  Glow = 0;
}

void TButton::MoveBy(float byX, float byY) {
  x += byX;
  y += byY;
  if (Caption) {
    Caption->X += byX;
    Caption->Y += byY;
  }
}

void TButton::MoveTo(float toX, float toY) { MoveBy(toX - x, toY - y); }

void TButton::FixedGlowOnMOActivate() {
  if (FixedGlowOnMO != 1 || MouseClickCounter > 0) return;
  SetGlow(2, GlowMax, GlowSpeed, 0, GlowMax);
}

// ------------------------------------------------------------------ sounds

void TButton::PlayOn(const TGameSoundPtr& sound, plat::TChannelPtr& ownChannel) {
  if (!sound) return;
  if (Game->Channels) {
    Game->Channels->PlayGameSound(sound, nullptr, 1.0f, 0);
  } else {
    Game->GameSoundPlay(ownChannel, sound, 0);
  }
}

void TButton::PlayClick() { PlayOn(SoundClick, ChannelClick); }
void TButton::PlayClick2() { PlayOn(SoundClick2, ChannelClick); }
void TButton::PlayMouseOver() { PlayOn(SoundMouseOver, ChannelMouseOver); }

// ------------------------------------------------------------------ logic

int TButton::Click(int alternative) {
  bool accepted = MouseClickCounter == 0 || (ClickWhenDown == 1 && MouseClickCounter > 0);
  if (!accepted) return 0;
  if (Clicked == 0 && !NoSound) {
    if (alternative && SoundClick2) {
      PlayClick2();
    } else {
      PlayClick();
    }
  }
  Clicked = 1;
  if (ImageMouseClick) MouseClickCounter = MouseClickDuration;
  return 1;
}

void TButton::SimulateClick() {
  FixedGlowOnMOActivate();
  if (Click(0)) MouseOver = 1;
}

bool TButton::UnderPointer() const {
  const TMousePointer& pointer = Game->Mouse;
  return pointer.x >= x && pointer.x < x + w && pointer.y >= y && pointer.y < y + h &&
         !(MouseOverUserFunction && MouseOverUserFunction() != 0);
}

void TButton::ManageScaleOnMO() {
  if (ScaleOnMO > 1) ScaleOnMO = std::max(1.0f, ScaleOnMO - ScaleOnMODownSpeed * LogicDelta);
}

int TButton::Manage() {
  bool shrink = true;
  if (Active && (!Disabled || ClickDisabled == 1)) {
    ManageAnim();
    if (GlowMode > 0) ManageGlow();
    // While the keys lead, a resting pointer shows nothing: the focus is
    // the one control that looks chosen.
    bool pointerOver = !InputMode.Keys() && UnderPointer();
    bool over = pointerOver || Focused;
    if (over) {
      if (MouseClickCounter <= 0) {
        if (MouseOver == 0 && !NoSound) PlayMouseOver();
        MouseOver = 1;
      }
      FixedGlowOnMOActivate();
      int hit = 0;
      if (pointerOver) {
        hit = MouseRepeat ? MouseRepeat->GetButton() : 0;
        // Read with clearing: the first control under the pointer takes the press.
        if (hit == 0) hit = Game->Mouse.GetMh(1);
      }
      if (hit != 0 || FocusClick) {
        // A press is the button's: it reaches nothing under it (the board).
        if (hit != 0) VMouse.ClaimPress();
        Click(0);
      } else {
        Clicked = 0;
      }
      if (ScaleOnMOMax > 1) {
        ScaleOnMO = std::min(ScaleOnMOMax, ScaleOnMO + ScaleOnMOUpSpeed * LogicDelta);
      }
      shrink = false;
    } else {
      MouseOver = 0;
      Clicked = 0;
    }
    if (OKButton) {
      // Enter and Space arrive as the Accept and Select commands (any
      // device's); a focus that is showing has taken them already for the
      // focused control. Select is consumed even when it does not click.
      bool accept = NavInput.Hit(TNavCommand::Accept) != 0;
      bool select = NavInput.Hit(TNavCommand::Select) != 0;
      if (accept || (select && OKButtonUseSpace)) SimulateClick();
    }
  } else {
    MouseOver = 0;
    Clicked = 0;
    if (FixedGlowOnMO == 1) ManageGlow();
  }
  FocusClick = 0;
  if (shrink) ManageScaleOnMO();
  if (MouseClickCounter > 0) MouseClickCounter = std::max(0.0f, MouseClickCounter - LogicDelta);
  return Clicked;
}

int TButton::ManageNoSound() {
  int old = NoSound;
  NoSound = 1;
  int result = Manage();
  NoSound = old;
  return result;
}

// ------------------------------------------------------------------ drawing

void TButton::DrawLook(const TGameImagePtr& look, int lookFrame, bool lightPass) {
  if (!look || !look->image) return;
  DrawShadow(look, lookFrame, 0);
  plat::DrawImage(*look->image, x, y, lookFrame);
  if (!lightPass) return;
  int level = int(Glow * 255.0f);
  plat::SetBlend(plat::LIGHTBLEND);
  plat::SetColor(level, level, level);
  plat::DrawImage(*look->image, x, y, lookFrame);
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(255, 255, 255);
  if (UseAlpha) plat::SetAlpha(Alpha);
}

void TButton::DrawCaption() {
  if (!Caption) return;
  // The hover scale reaches the caption through its own scale, about its
  // centre, not through the button's drawing scale.
  double sx = 1, sy = 1;
  plat::GetScale(sx, sy);
  plat::SetScale(1, 1);
  if (ScaleOnMO > 1) {
    float oldScale = Caption->Scale;
    Caption->Scale = oldScale * ScaleOnMO;
    Caption->RoundCoords = 0;
    Caption->Draw(0, 0, 0);
    Caption->Scale = oldScale;
    Caption->RoundCoords = OldRoundedCoords;
  } else {
    Caption->Draw(0, 0, 0);
  }
  plat::SetScale(sx, sy);
}

void TButton::Draw() {
  if (!Active && !AlwaysDraw) return;
  float oldX = x, oldY = y;
  float oldScaleX = ScaleX, oldScaleY = ScaleY;
  plat::SetBlend(plat::ALPHABLEND);
  x += offx;
  y += offy;
  if (UseAlpha) plat::SetAlpha(Alpha);
  if (Caption) OldRoundedCoords = Caption->RoundCoords;

  float hover = ScaleOnMO > 1 ? ScaleOnMO : 1.0f;
  if (ScaleOnMO <= 1) {
    plat::SetScale(ScaleX, ScaleY);
  } else {
    plat::SetScale(ScaleOnMO, ScaleOnMO);
    if (image) {
      x += (1 - ScaleOnMO) * float(image->w) / 2;
      y += (1 - ScaleOnMO) * float(image->h) / 2;
    }
    ScaleX = ScaleY = ScaleOnMO;
  }

  bool glowing = GlowShowing();
  if (MouseClickCounter > 0 && ImageMouseClick) {
    DrawLook(ImageMouseClick, 0, glowing);
    if (Caption) {
      if (CaptionDownColor) CaptionDownColor->Apply();
      float oldScale = Caption->Scale;
      plat::SetScale(1, 1);
      Caption->Scale = oldScale * CaptionDownScale * hover;
      Caption->RoundCoords = 0;
      Caption->Draw(CaptionDownOffsetX * hover, CaptionDownOffsetY * hover, 0);
      Caption->Scale = oldScale;
      Caption->RoundCoords = OldRoundedCoords;
    }
  } else if ((MouseOver && ImageMouseOver) || (FixedGlowOnMOUseMO && glowing)) {
    const TGameImagePtr& look = ImageMouseOver ? ImageMouseOver : image;
    DrawLook(look, frame, glowing && (FixedGlowOnMO || AutoGlowOnMO));
    if (Caption) {
      Caption->ApplyInverse();
      if (!Caption->InverseColor && Caption->Color) Caption->Color->Apply();
      DrawCaption();
    }
  } else if (!Disabled) {
    DrawLook(image, frame, glowing);
    if (Caption) {
      if (Caption->Color) Caption->Color->Apply();
      DrawCaption();
    }
  } else {
    DrawLook(ImageDisabled ? ImageDisabled : image, 0, false);
    if (Caption) {
      if (CaptionDisabledColor) {
        CaptionDisabledColor->Apply();
      } else if (Caption->Color) {
        Caption->Color->Apply();
      }
      DrawCaption();
    }
  }

  x = oldX;
  y = oldY;
  if (UseAlpha) plat::SetAlpha(1);
  ScaleX = oldScaleX;
  ScaleY = oldScaleY;
  plat::SetScale(1, 1);
  plat::SetColor(255, 255, 255);
}
