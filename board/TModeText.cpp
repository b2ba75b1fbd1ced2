#include "TModeText.h"

#include "GameResources.h"
#include "Globals.h"
#include "Platform.h"
#include "TGameText.h"
#include "TStandardLevels.h"
#include "TextCase.h"
#include "TextDraw.h"

namespace modetext {

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : ""; }

std::string WithNumber(const std::string& text, int number) {
  return WithWord(text, std::to_string(number));
}

std::string WithWord(const std::string& text, const std::string& word,
                     const std::string& placeholder) {
  std::string out = text;
  if (placeholder.empty()) return out;
  for (size_t at = out.find(placeholder); at != std::string::npos; at = out.find(placeholder, at)) {
    out.replace(at, placeholder.size(), word);
    at += word.size();
  }
  return out;
}

std::string StandardLevelText(const std::string& prefix, const std::string& levelPath, int custom) {
  int number = TStandardLevels::NumberOf(levelPath, custom);
  if (number < 0) return "";
  return Text(prefix + TStandardLevels::Digits(number));
}

namespace {

// align: 0 left, 1 centred, 2 right.
void DrawLine(const std::string& text, float x, float y, int size, int align, int shade = 255,
              int shadow = 1) {
  plat::TFontPtr font = GameFont(size);
  if (text.empty() || !font) return;
  plat::TFontPtr old = plat::GetImageFont();
  plat::SetImageFont(font);
  plat::SetColor(shade, shade, shade);
  DrawTextLine(text, x, y, shadow, align, 1);
  plat::SetColor(255, 255, 255);
  plat::SetImageFont(old);
}

}  // namespace

void DrawCentred(const std::string& text, float y, int size) {
  DrawLine(text, float(ScreenWidth) / 2, y, size, 1);
}

void DrawAt(const std::string& text, float x, float y, int size) { DrawLine(text, x, y, size, 0); }

void DrawRightAt(const std::string& text, float x, float y, int size) {
  DrawLine(text, x, y, size, 2);
}

void DrawCentredAt(const std::string& text, float x, float y, int size, int shade) {
  DrawLine(text, x, y, size, 1, shade);
}

void DrawOnBarAt(const std::string& text, float x, float y, int size) {
  DrawLine(text, x, y, size, 1, 255, TextOutline);
}

const std::string& TKeyText::Get() {
  if (!found_ && GameText) {
    text_ = Text(key_);
    found_ = true;
  }
  return text_;
}

const std::string& TKeyText::With(int number) {
  const bool wasFound = found_;
  const std::string& text = Get();
  if (!hasNumber_ || number != number_ || found_ != wasFound) {
    numbered_ = WithNumber(text, number);
    number_ = number;
    hasNumber_ = true;
  }
  return numbered_;
}

}  // namespace modetext
