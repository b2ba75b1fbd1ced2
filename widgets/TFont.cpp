#include "TFont.h"

#include "TBitmapFont.h"
#include "TextDraw.h"

std::shared_ptr<TFont> TFont::Create(plat::TFontPtr imageFont, std::shared_ptr<TColor> color,
                                     std::shared_ptr<TShadow> shadow, int fixedWidth,
                                     std::shared_ptr<TBitmapFont> bitmapFont,
                                     std::shared_ptr<TColor> inverseColor,
                                     const std::string& name) {
  auto font = std::make_shared<TFont>();
  font->Init(std::move(imageFont), std::move(color), std::move(shadow), fixedWidth,
             std::move(bitmapFont), std::move(inverseColor), name);
  return font;
}

void TFont::Init(plat::TFontPtr imageFont, std::shared_ptr<TColor> color,
                 std::shared_ptr<TShadow> shadow, int fixedWidth,
                 std::shared_ptr<TBitmapFont> bitmapFont, std::shared_ptr<TColor> inverseColor,
                 const std::string& name) {
  ImageFont = std::move(imageFont);
  Color = std::move(color);
  Shadow = std::move(shadow);
  FixedWidth = fixedWidth;
  BitmapFont = std::move(bitmapFont);
  InverseColor = std::move(inverseColor);
  Name = name;
  CalcHeight();
}

// A font without a face of its own draws in the face already in force, so
// that a label made before the faces load still draws.
void TFont::SelectFont() const {
  if (!BitmapFont && ImageFont) plat::SetImageFont(ImageFont);
}

void TFont::Apply() { ApplyCustomColor(Color.get()); }

void TFont::ApplyCustomColor(const TColor* color) {
  if (color) color->Apply();
  if (Shadow) {
    Shadow->ApplyToText();
    if (color) SetTextAlpha(color->Alpha);
  }
  SelectFont();
}

void TFont::ApplyInverse() {
  if (InverseColor) InverseColor->Apply();
  SelectFont();
}

void TFont::ApplyScale(double s) {
  if (BitmapFont) {
    OldScale = BitmapFont->ScaleFactor;
    BitmapFont->ScaleFactor = s;
  } else {
    plat::SetScale(s, s);
  }
}

void TFont::RestoreScale() {
  if (BitmapFont) {
    BitmapFont->ScaleFactor = OldScale;
  } else {
    plat::SetScale(1, 1);
  }
}

float TFont::CalcHeight() {
  if (BitmapFont) {
    H = float(BitmapFont->StringHeight("ABCXYZ"));
  } else if (ImageFont) {
    H = float(plat::FontHeight(*ImageFont));
  } else {
    H = float(plat::TextHeight("ABCXYZ"));
  }
  return H;
}

void TFont::Kill() {
  ImageFont.reset();
  BitmapFont.reset();
  Color.reset();
  InverseColor.reset();
  Shadow.reset();
}
