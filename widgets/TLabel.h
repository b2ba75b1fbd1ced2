// A positioned text on a TFont: left, centred or right-aligned, optionally
// centred vertically, scaled, and word-wrapped to a width.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TFont.h"

class TLabel : public TFont {
 public:
  // A label with a white, opaque Color (and no face yet: set ImageFont).
  static std::shared_ptr<TLabel> CreateSpecial(const std::string& text, float x, float y,
                                               int alignment = 0, int wordWrap = 0);

  // Scales the label down to fit maxWidth.
  void AutoScale(float maxWidth);
  void CalcSize();
  // W = the unscaled text width; returns W x Scale.
  float CalcWidth();
  float CalcHeight() override;
  // 0 when not visible, else 1. applyColour applies Color first.
  int Draw(float dx = 0, float dy = 0, int applyColour = 1);
  void DrawTextLine(const std::string& text, float x, float y, int applyColour);
  // Splits and wraps Text into TextArray at WordWrap pixels; sets LineGap and H.
  void PreCalcWordWrap();
  void SetLineGap(int gap);
  // Text and, with word wrap on, the wrapped lines again.
  void SetText(const std::string& text);

  int CentreVertically = 0;
  int LineGap = 0;
  float Scale = 1.0f;
  float X = 0, Y = 0;
  int RoundCoords = 1;
  int Visible = 1;
  float W = 0;
  int Alignment = 0;  // 0 left, 1 centred on X, 2 right-aligned at X
  std::string Text;
  std::vector<std::string> TextArray;
  int TotalLines = 0;
  int WordWrap = 0;  // wrap width in pixels; 0 or less: one line
};
