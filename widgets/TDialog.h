// A modal box over a screen: a background image (or a plain box) with a
// caption, an optional header sprite, pictures and a menu of buttons, with
// optional slide and fade transitions and background dimming. While open
// Back (Escape) is the dialog's alone, unless another opens over it. The owner calls Start, then
// Manage once per logic step until it returns non-zero (1 OK/yes, -1 cancel/no), and Draw after
// everything else.
#pragma once

#include <memory>
#include <string>

#include "Platform.h"
#include "TAnimation.h"
#include "TColor.h"
#include "TFocusRing.h"
#include "TGameChannel.h"
#include "TGameImage.h"
#include "TGameSound.h"
#include "TLabel.h"
#include "TMenu.h"
#include "TSprite.h"

class TBitmapFont;

class TDialog {
 public:
  TDialog() = default;
  virtual ~TDialog();
  TDialog(const TDialog&) = delete;
  TDialog& operator=(const TDialog&) = delete;

  // w != 0 fixes the width (the caption is then word-wrapped to fit).
  virtual void Init(const std::string& caption, plat::TImagePtr background, int width = 0,
                    int height = 0, int left = 0, int top = 0);
  virtual void Start();
  virtual void SetupCaption(plat::TFontPtr font, std::shared_ptr<TColor> color,
                            std::shared_ptr<TShadow> shadow,
                            std::shared_ptr<TBitmapFont> bitmapFont = nullptr);
  // Positive lengths create the transitions (the in-transition starts now).
  virtual void SetTransitions(int inMs, int outMs, float dim, int fade);
  virtual void CalcAll();
  virtual void CalcSize();
  virtual void CalcXY();
  virtual void CalcOffset();
  virtual float CaptionGetCentredX();
  virtual void HeaderLoad(const std::string& file, float hx, float hy);
  virtual void SetLabelsXY();
  virtual void MenuPosition();
  virtual float MenuGetCentredX();
  virtual int Manage();
  // 0 when not active, else 1.
  virtual int ManageCore();
  virtual int Draw();
  virtual void SetAlphas(float a);
  virtual void DoDrawHighlight(float alpha);
  // Without an out-transition the dialog closes now and result is returned;
  // otherwise the transition starts and 0 is returned.
  virtual int Close(int result);
  virtual void Finalise();
  virtual void Kill();
  // The first button of its menu (the OK of a message), or null.
  TButton* FirstButton() const;

  std::shared_ptr<TLabel> Caption;
  plat::TImagePtr Background;
  int Active = 0;
  int Disabled = 0;
  std::shared_ptr<TShadow> Shadow;
  int DrawHighlight = 1;
  int w = 0, h = 0, x = 0, y = 0;
  int Border = 20;
  std::shared_ptr<TColor> DialogColor;
  std::shared_ptr<TMenu> Menu;
  // The keyboard's focus over the dialog's controls: its menu, which Start
  // puts in; a dialog with more controls adds them after its Start.
  TFocusRing Focus;
  int MenuShow = 1;
  int Centre = 1;
  int FixedWidth = 0;
  int CaptionOX = 0, CaptionOY = 0;
  int CaptionOffsetX = 0, CaptionOffsetY = 0;
  int CaptionCentreVert = 0;
  int MenuOX = 0, MenuOY = 0;
  std::shared_ptr<TSprite> Header;
  std::string Ext = ".png";
  TGameImagePtr Picture;
  float PictureX = 0, PictureY = 0, PictureScale = 1.0f, PictureAngle = 0;
  std::shared_ptr<TShadow> PictureShadow;
  TGameImagePtr Picture2;
  float Picture2X = 0, Picture2Y = 0, Picture2Scale = 1.0f, Picture2Angle = 0;
  std::shared_ptr<TShadow> Picture2Shadow;
  std::unique_ptr<TAnimation> TransitionIn, TransitionOut;
  int Transitioning = 0;  // 0 none, 1 coming in, 2 going out
  float DimBackground = 0;
  int FadeDialog = 0;
  int CloseResultTemp = 0, CloseResult = 0;
  std::shared_ptr<TGameChannel> FadeChannel;
  // 0 none, 1 from above, 2 from the right, 3 from below, 4 from the left,
  // 5 one of them at random when started.
  int Slide = 0;
  int SlideExtra = 0;
  float OffsetX = 0, OffsetY = 0;
  float Alpha = 1.0f;
  TGameSoundPtr ActivateSound, SlideInSound, SlideOutSound;

 protected:
  // Measures the caption and wraps it to a fixed width when needed.
  void MeasureCaption();
  void DrawPicture(const TGameImagePtr& picture, float px, float py, float scale, float angle,
                   const std::shared_ptr<TShadow>& shadow);
  // The menu's bottom Border above the dialog's bottom, centred (or at
  // MenuOX, MenuOY), then its states refreshed silently.
  void PlaceMenuAtBottom();
  // The transitions' step and the slide offsets: 1 on the step the
  // out-transition ends (the dialog is then closed), else 0.
  int ManageTransitions();
  // The menu every dialog kind builds: the game's button sounds, gap 10,
  // button shadows at (3, 3) alpha 0.4.
  void CreateDialogMenu();
  // Without a background: the height of the borders, the caption, extra
  // and the menu, then centred again.
  void FitHeight(float extra);
};
