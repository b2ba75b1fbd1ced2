#include "TLabel.h"

#include <cmath>

#include "TBitmapFont.h"
#include "TextDraw.h"

std::shared_ptr<TLabel> TLabel::CreateSpecial(const std::string& text, float x, float y,
                                              int alignment, int wordWrap) {
  auto label = std::make_shared<TLabel>();
  label->Text = text;
  label->X = x;
  label->Y = y;
  label->Alignment = alignment;
  label->WordWrap = wordWrap;
  label->Color = TColor::Create(255, 255, 255, 1.0f);
  return label;
}

void TLabel::AutoScale(float maxWidth) {
  CalcWidth();
  if (W > maxWidth) Scale = maxWidth / W;
}

void TLabel::CalcSize() {
  CalcWidth();
  CalcHeight();
}

float TLabel::CalcWidth() {
  if (BitmapFont) {
    W = float(BitmapFont->StringWidth(Text));
  } else {
    SelectFont();
    W = float(plat::TextWidth(Text));
  }
  return W * Scale;
}

float TLabel::CalcHeight() {
  if (WordWrap > 0) return H * Scale;
  return TFont::CalcHeight() * Scale;
}

int TLabel::Draw(float dx, float dy, int applyColour) {
  if (!Visible) return 0;
  double oldSx = 1, oldSy = 1;
  plat::GetScale(oldSx, oldSy);
  if (Scale != 1) plat::SetScale(oldSx * Scale, oldSy * Scale);
  SelectFont();
  if (applyColour && Color) Color->Apply();
  if (WordWrap <= 0) {
    float y = Y + dy;
    if (CentreVertically) {
      if (BitmapFont) {
        double sx, sy;
        plat::GetScale(sx, sy);
        y -= float(TFont::CalcHeight() * sy / 2);
      } else {
        y -= H / 2;
      }
    }
    DrawTextLine(Text, X + dx, y, applyColour);
  } else {
    float y = std::trunc(Y + dy);
    for (const std::string& line : TextArray) {
      DrawTextLine(line, X + dx, y, applyColour);
      y = std::trunc(y + LineGap * Scale);
    }
  }
  if (Scale != 1) plat::SetScale(oldSx, oldSy);
  TColor::Restore();
  return 1;
}

void TLabel::DrawTextLine(const std::string& text, float x, float y, int applyColour) {
  if (!Shadow) {
    if (BitmapFont) {
      BitmapFont->DrawAligned(text, x, y, Alignment, RoundCoords, RoundCoords, 0);
    } else {
      ::DrawTextLine(text, x, y, 0, Alignment, RoundCoords);
    }
    return;
  }
  Shadow->ApplyToText();
  if (applyColour && Color) SetTextAlpha(Color->Alpha);
  if (BitmapFont) {
    BitmapFont->DrawAlignedWithShadow(text, x, y, Alignment, RoundCoords, RoundCoords);
  } else {
    ::DrawTextLine(text, x, y, 1, Alignment, RoundCoords);
  }
}

void TLabel::PreCalcWordWrap() {
  SelectFont();
  TextArray = WrapLines(SplitLines(Text), float(WordWrap), BitmapFont.get(), Scale);
  TotalLines = int(TextArray.size());
  if (BitmapFont) {
    LineGap = int(BitmapFont->StringHeight("ABCXYZ"));
  } else {
    LineGap = ImageFont ? plat::FontHeight(*ImageFont) : int(plat::TextHeight("ABCXYZ"));
  }
  H = float(TotalLines * LineGap);
}

void TLabel::SetLineGap(int gap) {
  LineGap = gap;
  H = float(TotalLines * LineGap);
}

void TLabel::SetText(const std::string& text) {
  Text = text;
  if (WordWrap > 0) PreCalcWordWrap();
}
