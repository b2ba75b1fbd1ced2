// The loading screen shown while the banks fill: a "loading" picture over
// the progress bar, redrawn after every loaded group.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Platform.h"
#include "TDrawable.h"
#include "TLoadingBar.h"
#include "TScreen.h"

class TVLoadingScreen : public TScreen {
 public:
  // background may be empty; bar and loadingText are file names in the
  // image folder. The bar's companions (name + "empty" and name + "final")
  // are used when present.
  void SpecialLoad(const std::string& background, const std::string& bar,
                   const std::string& loadingText);
  void Kill() override;
  void SetSteps(int n) { LoadingBar.SetSteps(n); }
  // A button shown once loading has finished; its Manage returns non-zero
  // when clicked.
  void SetClickHereButton(std::shared_ptr<TDrawable> button) {
    ClickHereButton = std::move(button);
  }
  void Logic() override;
  void Draw() override;
  void DrawLoading(int flip);
  void Progress();
  // One loaded group: progress, redraw, flip.
  void MoveBar() override;

  TLoadingBar LoadingBar;
  std::shared_ptr<TDrawable> ClickHereButton;
  int Finished = 0;
  plat::TImagePtr LoadingTextImage;
  int LoadingX = 0, LoadingY = 0;
  int DrawLoadingTextImage2 = 0;
  plat::TImagePtr LoadingTextImage2;
  std::function<void()> CustomDrawFunction;
  std::function<void()> CustomKillFunction;
};
