#include "TTextCursor.h"

#include "TextDraw.h"

void TTextCursor::Init(int newX, int newY, int newLinegap) {
  x = newX;
  y = newY;
  linegap = newLinegap;
}

void TTextCursor::Output(const std::string& text) const {
  DrawTextLine(text, float(x), float(y), Shadow, 0, 0);
}

void TTextCursor::OutputNL(const std::string& text) {
  Output(text);
  NewLine();
}
