#include "TDialog.h"

#include "GameInput.h"
#include "Globals.h"
#include "TChannelArray.h"
#include "TNavInput.h"
#include "TTalvorineGame.h"
#include "TextDraw.h"
#include "WidgetFiles.h"

void TDialog::Init(const std::string& caption, plat::TImagePtr background, int width, int height,
                   int left, int top) {
  Caption = TLabel::CreateSpecial(caption, 0, 0, 1, 0);
  Background = std::move(background);
  DialogColor = TColor::Create(150, 150, 150, 1.0f);
  w = width;
  FixedWidth = width != 0 ? 1 : 0;
  h = height;
  x = left;
  y = top;
}

TDialog::~TDialog() { NavInput.BackOwners.Remove(this); }

void TDialog::Start() {
  CalcAll();
  MenuPosition();
  // Back is the dialog's while it is open.
  NavInput.BackOwners.Push(this);
  Active = 1;
  Focus.Clear();
  Focus.Add(Menu.get());
  // The focus starts on the button Enter clicks.
  if (Menu) {
    for (const auto& button : Menu->Buttons) {
      if (button->OKButton) Focus.SetDefault(button.get());
    }
  }
  if (Slide == 5) Slide = plat::Rand(1, 4);
  CalcOffset();
}

void TDialog::SetupCaption(plat::TFontPtr font, std::shared_ptr<TColor> color,
                           std::shared_ptr<TShadow> shadow,
                           std::shared_ptr<TBitmapFont> bitmapFont) {
  Caption->Init(std::move(font), std::move(color), std::move(shadow), 0, std::move(bitmapFont));
  CalcAll();
  MenuPosition();
}

void TDialog::SetTransitions(int inMs, int outMs, float dim, int fade) {
  if (inMs > 0) {
    TransitionIn = TAnimation::Create(inMs, 0, 0, 0);
    TransitionIn->Start();
    Transitioning = 1;
    PlayWidgetSound(SlideInSound);
  }
  if (outMs > 0) TransitionOut = TAnimation::Create(outMs, 0, 0, 0);
  DimBackground = dim;
  FadeDialog = fade;
}

// ------------------------------------------------------------------ geometry

void TDialog::CalcAll() {
  CalcSize();
  SetLabelsXY();
}

void TDialog::MeasureCaption() {
  Caption->WordWrap = 0;
  Caption->TextArray.clear();
  Caption->TotalLines = 0;
  Caption->CalcSize();
  if (FixedWidth && !Background && float(w) < 2.0f * float(Border) + Caption->W) {
    Caption->WordWrap = w - 2 * Border;
    Caption->PreCalcWordWrap();
  }
}

void TDialog::CalcSize() {
  MeasureCaption();
  if (Background) {
    // Drawn from its top-left corner, whatever handle its bank gave it.
    plat::SetImageHandle(*Background, 0, 0);
    w = plat::ImageWidth(*Background);
    h = plat::ImageHeight(*Background);
  } else if (!FixedWidth) {
    w = int(2.0f * float(Border) + Caption->CalcWidth());
  }
  CalcXY();
}

void TDialog::CalcXY() {
  if (!Centre) return;
  x = (ScreenWidth - w) / 2;
  y = (ScreenHeight - h) / 2;
}

float TDialog::CaptionGetCentredX() { return float(x) + float(w) / 2; }

void TDialog::HeaderLoad(const std::string& file, float hx, float hy) {
  TGameImagePtr picture = TGameImage::Create(Game->ImagePath + file + Ext, -1, 1);
  Header = TSprite::Create(picture, hx, hy);
}

void TDialog::SetLabelsXY() {
  if (CaptionOX != 0 || CaptionOY != 0) {
    Caption->X = float(CaptionOX);
    Caption->Y = float(CaptionOY);
  } else {
    Caption->X = CaptionGetCentredX();
    if (Caption->WordWrap > 0 || CaptionCentreVert) {
      Caption->Y = float(y) + float(h) / 2 - Caption->CalcHeight() / 2;
    } else {
      Caption->Y = float(y + Border);
    }
  }
  Caption->X += float(CaptionOffsetX);
  Caption->Y += float(CaptionOffsetY);
}

void TDialog::MenuPosition() {
  if (Menu) Menu->ManageNoSound();
}

void TDialog::PlaceMenuAtBottom() {
  if (!Menu) return;
  if (MenuOX != 0 || MenuOY != 0) {
    Menu->SetX(float(MenuOX));
    Menu->SetY(float(MenuOY));
  } else {
    Menu->CalcWidth();
    Menu->CalcHeight();
    Menu->SetX(float(int(MenuGetCentredX())));
    Menu->SetY(float(y + h - Border - Menu->h));
  }
  TDialog::MenuPosition();
}

void TDialog::CreateDialogMenu() {
  Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  Menu->SetShadow(1, 3, 3, 0.4f);
}

void TDialog::FitHeight(float extra) {
  if (Background) return;
  float menuHeight = Menu ? float(Menu->CalcHeight()) : 0;
  h = int(2.0f * float(Border) + extra + Caption->CalcHeight() + menuHeight);
  CalcXY();
}

float TDialog::MenuGetCentredX() { return float(x) + float(w - (Menu ? Menu->w : 0)) / 2; }

// ------------------------------------------------------------------ logic

void TDialog::CalcOffset() {
  OffsetX = OffsetY = 0;
  if (Slide <= 0 || Transitioning == 0) return;
  float f = 0;
  if (Transitioning == 1 && TransitionIn) f = TransitionIn->GetRatio();
  if (Transitioning == 2 && TransitionOut) f = TransitionOut->GetRatioInv();
  switch (Slide) {
    case 1:
      OffsetY = -float(y + h + SlideExtra) * f;
      break;
    case 2:
      OffsetX = float(ScreenWidth - x + SlideExtra) * f;
      break;
    case 3:
      OffsetY = float(ScreenHeight - y + SlideExtra) * f;
      break;
    case 4:
      OffsetX = -float(x + w + SlideExtra) * f;
      break;
    default:
      break;
  }
}

int TDialog::Manage() { return ManageCore(); }

int TDialog::ManageTransitions() {
  if (Transitioning == 1 && TransitionIn && TransitionIn->Manage()) {
    Transitioning = 0;
    if (FadeDialog) SetAlphas(1);
    if (ActivateSound) FadeChannel = PlayWidgetSound(ActivateSound);
    GameFlushKeys();
    GameFlushMouse();
  }
  if (Transitioning == 2 && TransitionOut) {
    if (TransitionOut->Manage()) {
      if (FadeDialog) SetAlphas(0);
      Transitioning = 0;
      GameFlushKeys();
      GameFlushMouse();
      Finalise();
      if (FadeChannel && FadeChannel->Channel) plat::SetChannelVolume(FadeChannel->Channel, 0);
      return 1;
    }
    if (FadeChannel && FadeChannel->Channel) {
      plat::SetChannelVolume(FadeChannel->Channel,
                             TransitionOut->GetRatio() * float(Game->SoundVolume) / 100.0f);
    }
  }
  CalcOffset();
  return 0;
}

int TDialog::ManageCore() {
  if (!Active) return 0;
  if (ManageTransitions()) return 1;
  if (Menu) {
    if (!Disabled && Transitioning == 0) {
      Focus.Manage();
      Menu->Manage();
    } else {
      Menu->ManageFixedGlowOnly();
    }
  }
  return 1;
}

int TDialog::Close(int result) {
  CloseResultTemp = result;
  if (!TransitionOut) {
    Finalise();
    return result;
  }
  TransitionOut->Start();
  Transitioning = 2;
  PlayWidgetSound(SlideOutSound);
  return 0;
}

void TDialog::Finalise() {
  Active = 0;
  NavInput.BackOwners.Remove(this);
  CloseResult = CloseResultTemp;
}

TButton* TDialog::FirstButton() const {
  return Menu && !Menu->Buttons.empty() ? Menu->Buttons.front().get() : nullptr;
}

void TDialog::Kill() {
  NavInput.BackOwners.Remove(this);
  if (Menu) Menu->Kill();
  Menu.reset();
  Caption.reset();
  Background.reset();
  Header.reset();
  Picture.reset();
  Picture2.reset();
  DialogColor.reset();
  Shadow.reset();
  PictureShadow.reset();
  Picture2Shadow.reset();
  ActivateSound.reset();
  SlideInSound.reset();
  SlideOutSound.reset();
  FadeChannel.reset();
}

// ------------------------------------------------------------------ drawing

void TDialog::SetAlphas(float a) {
  if (Header) Header->Alpha = a;
  if (Menu) Menu->SetAlpha(a);
  if (Caption && Caption->Color) Caption->Color->Alpha = a;
}

void TDialog::DoDrawHighlight(float alpha) {
  if (!DrawHighlight) return;
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(0.5 * alpha);
  plat::DrawLine(x, y, x + w - 1, y);
  plat::DrawLine(x, y, x, y + h - 1);
}

void TDialog::DrawPicture(const TGameImagePtr& picture, float px, float py, float scale,
                          float angle, const std::shared_ptr<TShadow>& shadow) {
  if (!picture || !picture->image) return;
  plat::SetScale(scale, scale);
  plat::SetRotation(angle);
  if (shadow) {
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(shadow->Alpha * Alpha);
    plat::DrawImage(*picture->image, px + shadow->X + OffsetX, py + shadow->Y + OffsetY);
    plat::SetColor(255, 255, 255);
  }
  plat::SetAlpha(Alpha);
  plat::DrawImage(*picture->image, px + OffsetX, py + OffsetY);
  plat::SetScale(1, 1);
  plat::SetRotation(0);
}

int TDialog::Draw() {
  if (!Active) return 0;
  Alpha = 1;
  float dim = DimBackground;
  if (Transitioning == 1 && TransitionIn) {
    float elapsed = TransitionIn->GetRatioInv();
    if (FadeDialog) Alpha = elapsed;
    dim = elapsed * DimBackground;
  } else if (Transitioning == 2 && TransitionOut) {
    float remaining = TransitionOut->GetRatio();
    if (FadeDialog) Alpha = remaining;
    dim = remaining * DimBackground;
  }
  plat::SetBlend(plat::ALPHABLEND);
  if (dim > 0) {
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(dim);
    plat::DrawRect(0, 0, ScreenWidth, ScreenHeight);
    plat::SetColor(255, 255, 255);
  }
  plat::SetAlpha(Alpha);
  if (Alpha != 1) SetAlphas(Alpha);

  float bx = float(x) + OffsetX, by = float(y) + OffsetY;
  if (!Background) {
    if (Shadow) {
      plat::SetColor(0, 0, 0);
      plat::SetAlpha(Shadow->Alpha * Alpha);
      plat::DrawRect(bx + Shadow->X, by + Shadow->Y, w, h);
    }
    if (DialogColor) {
      plat::SetColor(DialogColor->R, DialogColor->G, DialogColor->B);
      plat::SetAlpha(DialogColor->Alpha * Alpha);
    }
    plat::DrawRect(bx, by, w, h);
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(Alpha);
  } else {
    if (Shadow) {
      plat::SetColor(0, 0, 0);
      plat::SetAlpha(Shadow->Alpha * Alpha);
      plat::DrawImage(*Background, bx + Shadow->X, by + Shadow->Y);
      plat::SetColor(255, 255, 255);
      plat::SetAlpha(Alpha);
    }
    plat::DrawImage(*Background, bx, by);
  }
  DoDrawHighlight(Alpha);

  if (Header) {
    if (Slide == 0) {
      Header->Draw();
    } else {
      float hx = Header->x, hy = Header->y;
      Header->x += OffsetX;
      Header->y += OffsetY;
      Header->Draw();
      Header->x = hx;
      Header->y = hy;
    }
  }
  if (Caption) {
    Caption->Draw(OffsetX, OffsetY, 1);
    SetTextAlpha(1);
  }
  if (Menu && MenuShow) Menu->Draw(OffsetX, OffsetY);
  DrawPicture(Picture, PictureX, PictureY, PictureScale, PictureAngle, PictureShadow);
  DrawPicture(Picture2, Picture2X, Picture2Y, Picture2Scale, Picture2Angle, Picture2Shadow);
  plat::SetAlpha(1);
  plat::SetColor(255, 255, 255);
  return 1;
}
