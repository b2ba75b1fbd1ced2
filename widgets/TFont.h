// A font choice: a TrueType face of the platform (or a bitmap font, which
// wins when set) with its colour, drop shadow and a highlight colour.
#pragma once

#include <memory>
#include <string>

#include "Platform.h"
#include "TColor.h"

class TBitmapFont;

class TFont {
 public:
  TFont() = default;
  virtual ~TFont() = default;

  static std::shared_ptr<TFont> Create(plat::TFontPtr imageFont,
                                       std::shared_ptr<TColor> color = nullptr,
                                       std::shared_ptr<TShadow> shadow = nullptr,
                                       int fixedWidth = 0,
                                       std::shared_ptr<TBitmapFont> bitmapFont = nullptr,
                                       std::shared_ptr<TColor> inverseColor = nullptr,
                                       const std::string& name = "");
  void Init(plat::TFontPtr imageFont, std::shared_ptr<TColor> color = nullptr,
            std::shared_ptr<TShadow> shadow = nullptr, int fixedWidth = 0,
            std::shared_ptr<TBitmapFont> bitmapFont = nullptr,
            std::shared_ptr<TColor> inverseColor = nullptr, const std::string& name = "");

  // Colour, shadow (text alpha = the colour's alpha) and the face.
  void Apply();
  void ApplyCustomColor(const TColor* color);
  // InverseColor and the face, without shadow handling.
  void ApplyInverse();
  void ApplyScale(double s);
  void RestoreScale();
  // H = the face's line height (or the bitmap font's height of "ABCXYZ").
  virtual float CalcHeight();
  void Kill();
  // Makes ImageFont the platform's current font (when there is one and no
  // bitmap font is set).
  void SelectFont() const;

  std::shared_ptr<TBitmapFont> BitmapFont;
  std::shared_ptr<TColor> Color;
  int FixedWidth = 0;
  plat::TFontPtr ImageFont;
  std::shared_ptr<TColor> InverseColor;
  std::string Name;
  std::shared_ptr<TShadow> Shadow;
  float H = 0;
  double OldScale = 1.0;
};
