// The options screen: full screen on or off (the toggle shows the state the
// game is in), the music and sound volumes on two sliders that apply as
// they move (the sound slider plays a sample click at most every 250 ms),
// the language button, which shows the language spoken by its own name and
// moves on to the next one at once (the choice is stored as REGION), and
// "ok", which writes the settings and returns to the title screen.
#pragma once

#include <memory>
#include <string>

#include "TMenuScreen.h"
#include "TSlider.h"

class TOptionsScreen : public TMenuScreen {
 public:
  static constexpr int MusicSliderX = 346, MusicSliderY = 138;
  static constexpr int SoundSliderX = 346, SoundSliderY = 194;
  static constexpr int SliderBorder = 22;
  static constexpr int ClickIntervalMs = 250;
  static constexpr int InfoX = 790, InfoY = 576;
  // Left edge of the volume figures, this far right of a slider's bar.
  static constexpr int VolumeGap = 14;

  TOptionsScreen() { name = "options"; }
  void Load() override;
  void Logic() override;
  void Draw() override;
  void Kill() override;
  int SetEscDestination() override;

  void ClickSound();
  // The language after the one spoken, in the order of TLanguage::Languages().
  void NextLanguage();
  // The bottom-right line: the full-screen key.
  std::string InfoLine() const;
  // A volume as shown beside its slider ("50%").
  static std::string VolumeText(int value);

  std::shared_ptr<TMenu> OptionsMenu;
  std::unique_ptr<TSlider> MusicSlider;
  std::unique_ptr<TSlider> SoundSlider;
  int LastClickTime = 0;
  // Sample clicks played since the screen was loaded (for the curious).
  int ClickCount = 0;

 private:
  void SetFullScreenLook();
  int shownFullScreen_ = -1;
};
