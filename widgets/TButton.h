// An image button: normal, mouse-over, pressed and disabled looks, sounds,
// an optional caption, glows and grow-on-hover, the Enter/Space shortcut of
// a dialog's OK button and auto-repeat while held. Stepped once per logic
// step (Manage) by its owner, usually a TMenu; Clicked is 1 on the step of
// an accepted click.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Platform.h"
#include "TColor.h"
#include "TGameSound.h"
#include "TMouseRepeat.h"
#include "TSprite.h"

class TBitmapFont;
class TLabel;

class TButton : public TSprite {
 public:
  TButton();
  ~TButton() override;

  // A button loaded with one frame (sounds from the game's sound folder).
  static std::unique_ptr<TButton> CreateSpecial(const std::string& name,
                                                const std::string& mouseOverName,
                                                const std::string& mouseOverSound,
                                                const std::string& clickSound);

  // ---- sprite overrides
  // Top-left corner at the horizontal centre of the screen.
  void CentreX(float newY) override;
  void Draw() override;
  void Init() override;
  void Kill() override;

  // ---- own operations
  void ClearClick();
  // 1 if the click was accepted (sounds, Clicked, the pressed look).
  int Click(int alternative = 0);
  void DrawCaption();
  void FixedGlowOnMOActivate();
  std::string GetPath() const;
  void Load(const std::string& newName, const std::string& mouseOverName,
            const std::string& mouseOverSound, const std::string& clickSound, int cellWidth = 0,
            int cellHeight = 0, int frames = 1);
  void LoadDisabled(const std::string& file);
  void LoadMouseClick(const std::string& file, int ms);
  void LoadImages(const std::string& file, const std::string& mouseOverName, int cellWidth,
                  int cellHeight, int frames);
  // One logic step; returns Clicked.
  int Manage();
  int ManageNoSound();
  void ManageScaleOnMO();
  void MoveBy(float byX, float byY);
  void MoveTo(float toX, float toY);
  void PlayClick();
  void PlayClick2();
  void PlayMouseOver();
  void Precache();
  void SetFixedGlowOnMO(float max, float glowSpeed, int useMouseOverLook);
  void SetAutoGlow(float min, float max, float glowSpeed, int onMouseOverOnly);
  void SetupCaption(const std::string& text, plat::TFontPtr imageFont,
                    std::shared_ptr<TColor> color, std::shared_ptr<TShadow> shadow,
                    std::shared_ptr<TBitmapFont> bitmapFont = nullptr,
                    std::shared_ptr<TColor> inverseColor = nullptr);
  void SetupCaptionDown(std::shared_ptr<TColor> color, float scale, float offsetX, float offsetY);
  void SetupMouseRepeat(int initialDelayMs, int delayMs);
  void SetupScaleOnMO(float max, float upSpeed, float downSpeed);
  // A visible click from the keyboard: the glow, the click, MouseOver = 1.
  void SimulateClick();
  // The pointer stands on the button (and MouseOverUserFunction agrees).
  bool UnderPointer() const;

  TGameImagePtr ImageDisabled, ImageMouseClick, ImageMouseOver;
  TGameSoundPtr SoundMouseOver, SoundClick, SoundClick2;
  std::shared_ptr<TLabel> Caption;
  std::shared_ptr<TColor> CaptionDisabledColor;
  std::unique_ptr<TMouseRepeat> MouseRepeat;
  int Active = 1;
  int AlwaysDraw = 0;
  int Animated = 0;
  int ClickDisabled = 1;
  int ClickWhenDown = 0;
  int Disabled = 0;
  int OKButton = 0;
  int OKButtonUseSpace = 1;
  int UseMenuPath = 0;
  // Non-zero: the pointer counts as not over the button.
  std::function<int()> MouseOverUserFunction;
  int Clicked = 0;
  int MouseOver = 0;
  int AutoGlowOnMO = 0;
  std::shared_ptr<TColor> CaptionDownColor;
  float CaptionDownScale = 1.0f;
  float CaptionDownOffsetX = 0, CaptionDownOffsetY = 0;
  // Own channels, used only when the game has no shared channel array.
  plat::TChannelPtr ChannelMouseOver, ChannelClick;
  int FixedGlowOnMO = 0;
  int FixedGlowOnMOUseMO = 0;
  float MouseClickCounter = 0;   // logic steps left of the pressed look
  float MouseClickDuration = 0;  // logic steps
  int NoSound = 0;
  int OldRoundedCoords = 0;
  float ScaleOnMOMax = 1.0f;
  float ScaleOnMO = 1.0f;
  float ScaleOnMOUpSpeed = 0.03f;
  float ScaleOnMODownSpeed = 0.01f;
  // Holds the keyboard (or pad) focus: shown as if the pointer were over it.
  int Focused = 0;
  // Clicked by the focus (Accept) on its next Manage.
  int FocusClick = 0;

 private:
  bool GlowShowing() const { return GlowMode > 0 && Glow > 0; }
  void DrawLook(const TGameImagePtr& look, int lookFrame, bool lightPass);
  void PlayOn(const TGameSoundPtr& sound, plat::TChannelPtr& ownChannel);
};
