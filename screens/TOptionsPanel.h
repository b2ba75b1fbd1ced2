// The options' controls, shared by the options screen and the options panel
// of the in-game menu: full screen on or off (the toggle shows the state
// the game is in), the music and sound volumes on two sliders that apply as
// they move (the sound slider plays a sample click at most every 250 ms),
// and the language button, which shows the language spoken by its own name.
// The owner adds its "ok" and acts on the language button.
#pragma once

#include <memory>
#include <string>

#include "TMenu.h"
#include "TSlider.h"

class TFocusRing;

class TOptionsPanel {
 public:
  static constexpr int MusicSliderX = 346, MusicSliderY = 138;
  static constexpr int SoundSliderX = 346, SoundSliderY = 194;
  static constexpr int SliderBorder = 22;
  static constexpr int ClickIntervalMs = 250;
  // Left edge of the volume figures, this far right of a slider's bar.
  static constexpr int VolumeGap = 14;
  // The owner's "ok" stands this far below the screen's middle.
  static constexpr int OkBelow = 220;

  // The controls at their places, set to the game's settings. A language
  // button that is not offered is drawn greyed and takes no click.
  void Load(bool offerLanguage = true);
  void Kill();
  // Top to bottom: the two volumes, full screen, the language.
  void AddTo(TFocusRing& focus);
  // One step: the sliders and buttons, the volumes and the full screen
  // applied. True when the language button was clicked.
  bool Logic();
  // The dark panel, the volume pictures, the sliders with their figures
  // and the buttons.
  void Draw() const;
  // The sample click of the sound slider, through `clicker` (the owner's
  // "ok"), counted.
  void ClickSound(TButton* clicker);
  // A volume as shown beside its slider ("50%").
  static std::string VolumeText(int value);

  std::shared_ptr<TMenu> OptionsMenu;
  std::unique_ptr<TSlider> MusicSlider;
  std::unique_ptr<TSlider> SoundSlider;
  // Plays the sample click (the owner's "ok" button).
  TButton* Clicker = nullptr;
  int LastClickTime = 0;
  // Sample clicks played since the controls were made (for the curious).
  int ClickCount = 0;

 private:
  void SetFullScreenLook();
  int shownFullScreen_ = -1;
};
