#include "TVListBox.h"

#include <algorithm>
#include <cmath>

#include "Globals.h"
#include "TListBox.h"
#include "TTalvorineGame.h"
#include "TextDraw.h"

TVListBox::TVListBox()
    : Font(TFont::Create(nullptr, TColor::Create(255, 255, 255))),
      HighlightCol(TColor::Create(0, 0, 150)) {
  Box.Color = TColor::Create(0, 0, 0);
  ClickChannel = plat::AllocChannel();
}

std::unique_ptr<TVListBox> TVListBox::Create(int ignored, int gap, int centred, int drawBox,
                                             int doubleClickMs) {
  auto list = std::make_unique<TVListBox>();
  list->Init(ignored, gap, centred, drawBox);
  list->DoubleClickTime = AnimLengthFromMs(float(doubleClickMs));
  return list;
}

void TVListBox::Init(int, int gap, int centred, int drawBox) {
  Gap = gap;
  Centred = centred;
  DrawBox = drawBox;
  Strings.clear();
  ClearIndex();
}

void TVListBox::SetupFont(plat::TFontPtr imageFont, std::shared_ptr<TColor> color,
                          std::shared_ptr<TShadow> shadow) {
  Font = TFont::Create(std::move(imageFont), std::move(color), std::move(shadow));
  CalcLineHeight();
}

void TVListBox::SetCoords(float x, float y, float w, float h) {
  Box.X = x;
  Box.Y = y;
  Box.W = w;
  Box.H = h;
}

void TVListBox::SetupBox(std::shared_ptr<TColor> color) { Box.Color = std::move(color); }

void TVListBox::CalcLineHeight() {
  LineHeight = int(2.0f * float(Gap) + Font->CalcHeight());
  if (RoundHeight && LineHeight > 0) {
    Box.H = float(LineHeight) * std::floor(Box.H / float(LineHeight));
  }
}

void TVListBox::ClearIndex() {
  Index = -1;
  Clicked = -1;
  Value.clear();
}

void TVListBox::SetIndex(int i) {
  Index = i;
  Value = i >= 0 && i < Count() ? Strings[size_t(i)] : std::string();
}

int TVListBox::GetDoubleClicked() {
  int line = DoubleClicked;
  DoubleClicked = -1;
  return line;
}

void TVListBox::Manage() {
  TMousePointer& pointer = Game->Mouse;
  if (pointer.GetMh(0)) {
    int rows = EndList - StartList + 1;
    int row = ListRowAt(Box, float(LineHeight), 1.0f, rows, pointer.x, pointer.y);
    if (row >= 0) {
      pointer.GetMh(1);
      int i = StartList + row;
      if (DoubleClickCounter > 0 && Index == i) {
        DoubleClicked = i;
      } else if (ClickSound) {
        Game->GameSoundPlay(ClickChannel, ClickSound, 0);
      }
      SetIndex(i);
      Clicked = i;
      DoubleClickCounter = DoubleClickTime;
    }
  }
  if (DoubleClickCounter > 0) DoubleClickCounter = std::max(0.0f, DoubleClickCounter - LogicDelta);
}

void TVListBox::DrawHighlight() {
  if (Index < StartList || Index > EndList || !HighlightCol) return;
  HighlightCol->Apply();
  plat::DrawRect(Box.X, Box.Y + float((Index - StartList) * LineHeight), Box.W, float(LineHeight));
  TColor::Restore();
}

void TVListBox::Draw() {
  plat::SetBlend(plat::ALPHABLEND);
  if (DrawBox) Box.Draw();
  float tx = Centred ? float(int(Box.X + Box.W / 2)) : float(int(Box.X + float(TextBorder)));
  float ty = float(int(Box.Y + float(Gap)));
  if (HighlightUnder) DrawHighlight();
  Font->Apply();
  float alpha = Font->Color ? Font->Color->Alpha : 1.0f;
  // The window is drawn only while it lies wholly inside the list.
  if (EndList < Count()) {
    for (int i = StartList; i <= EndList; ++i) {
      if (Columns.empty()) {
        DrawListLine(*Font, Strings[size_t(i)], tx, ty, Centred, Font->Shadow ? 1 : 0, alpha, 1);
      } else {
        DrawColumns(size_t(i), ty);
      }
      ty += Font->CalcHeight() + 2.0f * float(Gap);
    }
  }
  if (Strings.empty() && !EmptyText.empty()) {
    float middle = Box.Y + Box.H / 2 - Font->CalcHeight() / 2;
    DrawListLine(*Font, EmptyText, float(int(Box.X + Box.W / 2)), float(int(middle)), 1,
                 Font->Shadow ? 1 : 0, alpha, 1);
  }
  TColor::Restore();
  if (!HighlightUnder) DrawHighlight();
  if (Focused) DrawFocusFrame(Box.X, Box.Y, Box.W, Box.H);
}

bool TVListBox::FocusCommand(TNavCommand command) {
  int by = command == TNavCommand::Up ? -1 : command == TNavCommand::Down ? 1 : 0;
  if (command == TNavCommand::Accept) {
    if (Index < 0) return false;
    DoubleClicked = Index;
    return true;
  }
  if (by == 0) return false;
  int to = Index < 0 ? StartList : Index + by;
  if (to < 0 || to >= Count()) return true;
  if (ClickSound) Game->GameSoundPlay(ClickChannel, ClickSound, 0);
  SetIndex(to);
  // The window moves by whole lines to keep the selection in it.
  int shown = EndList - StartList;
  if (to < StartList) StartList = to;
  if (to > EndList) StartList = to - shown;
  EndList = StartList + shown;
  return true;
}

void TVListBox::Kill() {
  Strings.clear();
  if (ClickChannel) plat::StopChannel(ClickChannel);
  ClickChannel.reset();
  ClickSound.reset();
}

void TVListBox::DrawColumns(size_t line, float y) {
  auto draw = [&](TFont& font, const std::string& text, const TListColumn& column, float top,
                  float indent = 0) {
    font.Apply();
    std::string shown = FitTextToWidth(text, column.Width - indent);
    float x = Box.X + column.X + indent;
    if (column.Alignment == 2) x += column.Width - TextLineWidth(shown, font.BitmapFont.get());
    float alpha = font.Color ? font.Color->Alpha : 1.0f;
    DrawListLine(font, shown, float(int(x)), top, 0, font.Shadow ? 1 : 0, alpha, 1);
  };
  draw(*Font, Strings[line], Columns.front(), y);
  if (line >= Details.size()) return;
  TFont& detail = DetailFont ? *DetailFont : *Font;
  float top = float(int(y + (Font->CalcHeight() - detail.CalcHeight()) / 2));
  float indent = 0;
  if (Mark && line < Marked.size() && Marked[line] && Columns.size() > 1) {
    float size = detail.CalcHeight();
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1);
    plat::DrawImageRect(*Mark, Box.X + Columns[1].X + Mark->handle_x * size / float(Mark->width),
                        top + Mark->handle_y * size / float(Mark->height), size, size);
    indent = size + 4;
  }
  for (size_t c = 1; c < Columns.size() && c - 1 < Details[line].size(); ++c) {
    draw(detail, Details[line][c - 1], Columns[c], top, c == 1 ? indent : 0);
  }
  Font->Apply();
}
