#include "TListBox.h"

#include <algorithm>
#include <cmath>

#include "Globals.h"
#include "TBitmapFont.h"
#include "TTalvorineGame.h"
#include "TextDraw.h"
#include "WidgetFiles.h"

namespace {}  // namespace

int ListRowAt(const TBox& box, float lineHeight, float scale, int rows, int px, int py) {
  if (float(px) < box.X || float(px) >= box.X + box.W * scale) return -1;
  for (int r = 0; r < rows; ++r) {
    float top = box.Y + float(r) * lineHeight * scale;
    if (float(py) > top && float(py) < top + lineHeight * scale) return r;
  }
  return -1;
}

void DrawListLine(TFont& font, const std::string& text, float x, float y, int centred,
                  int withShadow, float alpha, int round) {
  int alignment = centred ? 1 : 0;
  if (withShadow && font.Shadow) {
    font.Shadow->ApplyToText();
    SetTextAlpha(alpha);
  } else {
    plat::SetAlpha(alpha);
  }
  bool shadow = withShadow && font.Shadow;
  if (font.BitmapFont) {
    if (shadow) {
      font.BitmapFont->DrawAlignedWithShadow(text, x, y, alignment, round, round);
    } else {
      font.BitmapFont->DrawAligned(text, x, y, alignment, round, round, 0);
    }
  } else {
    DrawTextLine(text, x, y, shadow ? 1 : 0, alignment, round);
  }
  SetTextAlpha(1);
}

TListBox::TListBox()
    : Font(TFont::Create(nullptr, TColor::Create(255, 255, 255))),
      HighlightCol(TColor::Create(0, 0, 150)) {
  Box.Color = TColor::Create(0, 0, 0);
}

std::unique_ptr<TListBox> TListBox::Create(int ignored, int gap, int centred, int drawBox,
                                           int doubleClickMs) {
  auto list = std::make_unique<TListBox>();
  list->Init(ignored, gap, centred, drawBox);
  list->DoubleClickTime = AnimLengthFromMs(float(doubleClickMs));
  return list;
}

void TListBox::Init(int, int gap, int centred, int drawBox) {
  Gap = gap;
  Centred = centred;
  DrawBox = drawBox;
  Strings.clear();
  ClearIndex();
  TopIndex = 0;
  if (!Game->Channels) ClickChannel = plat::AllocChannel();
}

void TListBox::Kill() {
  Strings.clear();
  if (ScrollBar) ScrollBar->Kill();
  ScrollBar.reset();
  if (ClickChannel) plat::StopChannel(ClickChannel);
  ClickChannel.reset();
  ClickSound.reset();
  Background.reset();
}

// ------------------------------------------------------------------ set-up

void TListBox::SetCoords(float x, float y, float w, float h) {
  Box.X = x;
  Box.Y = y;
  Box.W = w;
  Box.H = h;
}

void TListBox::SetupBox(std::shared_ptr<TColor> color) { Box.Color = std::move(color); }

void TListBox::SetupFont(plat::TFontPtr imageFont, std::shared_ptr<TColor> color,
                         std::shared_ptr<TShadow> shadow, std::shared_ptr<TBitmapFont> bitmapFont,
                         std::shared_ptr<TColor> inverseColor) {
  Font = TFont::Create(std::move(imageFont), std::move(color), std::move(shadow), 0,
                       std::move(bitmapFont), std::move(inverseColor));
  if (Font->BitmapFont) OldScale = Font->BitmapFont->ScaleFactor;
  CalcLineHeight();
}

void TListBox::CalcLineHeight() {
  LineHeight = int(std::floor(Font->CalcHeight() + 0.5f)) + 2 * Gap;
  if (LineHeight <= 0) return;
  if (RoundHeight) Box.H = float(LineHeight) * std::floor(Box.H / float(LineHeight));
  DisplayLines = int(Box.H / float(LineHeight));
}

void TListBox::SetClickSound(TGameSoundPtr sound) {
  ClickSound = std::move(sound);
  if (ScrollBar && ScrollBar->Menu) {
    for (auto& arrow : ScrollBar->Menu->Buttons) arrow->SoundClick2 = ClickSound;
  }
}

void TListBox::PlayClick() {
  if (!ClickSound) return;
  if (Game->Channels) {
    PlayWidgetSound(ClickSound);
  } else {
    Game->GameSoundPlay(ClickChannel, ClickSound, 0);
  }
}

// ------------------------------------------------------------------ selection

void TListBox::ClearIndex() {
  Index = -1;
  Clicked = -1;
  Value.clear();
}

void TListBox::SetIndex(int i) {
  if (i >= Count()) i = -1;
  Index = i;
  if (i < 0) {
    Value.clear();
  } else {
    Value = Strings[size_t(i)];
    if (i < TopIndex) TopIndex = i;
    if (Limit > 0 && i > TopIndex + Limit - 1) TopIndex = i - (Limit - 1);
  }
  if (ScrollBar) {
    ScrollBar->ValuePrecise = TopIndex;
    ScrollBar->ValueRound();
    ScrollBar->SliderSetPosition(TopIndex);
    ScrollBar->DisableButtons();
  }
}

void TListBox::SetTopIndex(int t) {
  TopIndex = std::max(0, t);
  if (TopIndex + Limit > Count() - 1) TopIndex = std::max(0, Count() - Limit);
}

int TListBox::GetTempLimit() const {
  if (Limit == 0 || Count() < TopIndex + Limit) return Count();
  return TopIndex + Limit;
}

int TListBox::GetDoubleClicked() {
  int line = DoubleClicked;
  DoubleClicked = -1;
  return line;
}

int TListBox::GetIndexY() const {
  if (Index == -1) return 0;
  return int(Box.Y + float(Index - TopIndex) * float(LineHeight) * Scale);
}

// ------------------------------------------------------------------ logic

void TListBox::Manage() {
  if (ScrollBar) {
    ScrollBar->Manage();
    TopIndex = ScrollBar->Value;
  }
  TMousePointer& pointer = Game->Mouse;
  int rows = GetTempLimit() - TopIndex;
  if (pointer.GetMh(0) && rows > 0) {
    int row = ListRowAt(Box, float(LineHeight), Scale, rows, pointer.x, pointer.y);
    if (row >= 0) {
      // Only a press on a line is taken from the controls managed later.
      pointer.GetMh(1);
      int i = TopIndex + row;
      bool doubled = DoubleClickCounter > 0 && Index == i;
      if (doubled) {
        DoubleClicked = i;
      } else {
        PlayClick();
      }
      SetIndex(i);
      Clicked = i;
      DoubleClickCounter = doubled ? 0 : DoubleClickTime;
    }
  }
  // Outside a focus ring the list takes the arrows itself; inside one the
  // ring has handed them over already.
  if (ArrowKeysMoveHighlight) {
    for (TNavCommand command : {TNavCommand::Up, TNavCommand::Down}) {
      if (NavInput.Hit(command)) FocusCommand(command);
    }
  }
  if (DoubleClickCounter > 0) DoubleClickCounter = std::max(0.0f, DoubleClickCounter - LogicDelta);
}

bool TListBox::FocusCommand(TNavCommand command) {
  switch (command) {
    case TNavCommand::Up:
      if (Index > 0) {
        PlayClick();
        SetIndex(Index - 1);
      }
      return true;
    case TNavCommand::Down:
      if (Index < Count() - 1) {
        PlayClick();
        SetIndex(Index + 1);
      }
      return true;
    case TNavCommand::Accept:
      if (Index < 0) return false;
      DoubleClicked = Index;
      return true;
    default:
      return false;
  }
}

// ------------------------------------------------------------------ drawing

void TListBox::DrawHighlight() {
  if (Index < TopIndex || Index >= GetTempLimit() || !HighlightCol) return;
  HighlightCol->Apply();
  plat::DrawRect(Box.X, Box.Y + float(Index - TopIndex) * float(LineHeight) * Scale, Box.W * Scale,
                 float(LineHeight) * Scale);
  TColor::Restore();
}

void TListBox::Draw() {
  plat::SetBlend(plat::ALPHABLEND);
  if (Background && Background->image) {
    plat::DrawImage(*Background->image, Box.X + BackgroundOffsetX, Box.Y + BackgroundOffsetY);
  }
  if (DrawBox) Box.Draw();
  float tx = Centred ? float(int(Box.X + Box.W / 2 * Scale))
                     : float(int(Box.X + float(TextBorder) * Scale));
  float ty = float(int(Box.Y + float(Gap + LineYOffset) * Scale));
  if (HighlightUnder) DrawHighlight();
  Font->Apply();
  Font->ApplyScale(Scale);
  int round = !Font->BitmapFont || Scale == 1 ? 1 : 0;
  for (int i = TopIndex; i < GetTempLimit(); ++i) {
    bool selected = i == Index;
    bool locked = size_t(i) < LockedArray.size() && LockedArray[size_t(i)] != 0;
    if (selected && Font->InverseColor) Font->InverseColor->Apply();
    if (locked && LockedColor) LockedColor->Apply();
    float alpha =
        locked && LockedColor ? LockedColor->Alpha : (Font->Color ? Font->Color->Alpha : 1.0f);
    bool shadow = Font->Shadow && !(selected && NoShadowOnHighlighted);
    const std::string& text =
        Labels.size() == Strings.size() ? Labels[size_t(i)] : Strings[size_t(i)];
    DrawListLine(*Font, text, tx, ty, Centred, shadow ? 1 : 0, alpha, round);
    ty += float(int(float(LineHeight) * Scale));
    if (selected || locked) Font->Apply();
  }
  Font->RestoreScale();
  TColor::Restore();
  if (!HighlightUnder) DrawHighlight();
  if (ScrollBar) ScrollBar->Draw();
  if (Focused) DrawFocusFrame(Box.X, Box.Y, Box.W * Scale, Box.H * Scale);
}
