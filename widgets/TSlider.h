// A horizontal value slider (0 to 100) with a knob: a press on or near the
// bar sets the value and a drag keeps following the pointer until the
// button is let go. Manage returns 1 on each step that set the value (the
// owner then applies it, e.g. as a volume).
#pragma once

#include <memory>
#include <string>

#include "TFocusRing.h"
#include "TGameImage.h"
#include "TSprite.h"

class TSlider : public TSprite, public TFocusItem {
 public:
  // Bar and knob from the game's image folder + name + Ext (top-left
  // handles), the bar at (x, y), value 50, active.
  static std::unique_ptr<TSlider> CreateSpecial(const std::string& barName,
                                                const std::string& knobName, float x, float y,
                                                int border, const std::string& name,
                                                int borderY = 5);
  void Load(const std::string& barName, const std::string& knobName, const std::string& newName);
  virtual void LoadImages(const std::string& barName, const std::string& knobName);
  void Init() override;
  virtual void SetValue(int v);
  int Manage();
  void Draw() override;

  std::string Ext = ".png";
  TGameImagePtr DotImage;
  int DotX = 0, DotY = 0;
  int MouseOver = 0;
  int Value = 0;
  int Border = 0;   // unusable pixels at each end of the bar
  int BorderY = 5;  // extra height above and below that still counts as over
  // A drag that began over the slider; it follows the pointer beyond it.
  int Dragging = 0;
  // Holds the keyboard focus: Left and Right move the value by KeyStep
  // (applied by the next Manage, which then returns 1 as for the pointer).
  int Focused = 0;
  int KeyStep = 5;

  // ---- the focus
  bool CanFocus() const override { return active != 0; }
  void SetFocused(bool focused) override { Focused = focused ? 1 : 0; }
  bool FocusCommand(TNavCommand command) override;

 protected:
  void DrawFocus() const;
  int keySteps_ = 0;
  TGameImagePtr LoadPicture(const std::string& file) const;
  void Place(float newX, float newY, int border, int borderY);
};

// A slider whose bar fills up to the knob with a second picture.
class TVSlider : public TSlider {
 public:
  static std::unique_ptr<TVSlider> CreateSpecial(const std::string& barName,
                                                 const std::string& knobName, float x, float y,
                                                 int border, const std::string& name, int borderY,
                                                 const std::string& fullName, float knobOffsetY);
  void Load(const std::string& barName, const std::string& knobName, const std::string& newName,
            const std::string& fullName);
  using TSlider::LoadImages;
  void LoadImages(const std::string& barName, const std::string& knobName,
                  const std::string& fullName);
  void SetValue(int v) override;
  void Draw() override;

  TGameImagePtr FullImage;
  int FullX = 0;
};
