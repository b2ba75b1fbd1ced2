// The progress bar of the loading screen: the left part of the bar image
// grows by one step per loaded group.
#pragma once

#include "Platform.h"

class TLoadingBar {
 public:
  // The images keep their handles at their top-left corner.
  void Init(plat::TImagePtr image, plat::TImagePtr emptyImage, plat::TImagePtr finalImage);
  void Centre(int y);
  void SetSteps(int n);
  void SetBackgroundColour(int r, int g, int b);
  void SetBorderColour(int r, int g, int b);
  void Progress();
  void Draw();

  int Mode = 0;  // 0 bordered rectangle, 1 empty image, 2 bar image alone
  plat::TImagePtr Image, EmptyImage, FinalImage;
  int x = 0, y = 0, w = 0, h = 0;
  float Position = 0;
  float Steps = 0;
  float StepSize = 0;
  int CurrentStep = 0;
  int Finished = 0;
  int BgR = 50, BgG = 50, BgB = 50;
  int BorderR = 0, BorderG = 0, BorderB = 0;
  int DrawEmptyUnderFinal = 0;

 private:
  void DrawUnderlay();
};
