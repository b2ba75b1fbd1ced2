#include "TTextInput.h"

#include <algorithm>
#include <cmath>

#include "GameInput.h"
#include "Globals.h"
#include "TBitmapFont.h"
#include "TPlayerFiles.h"
#include "TTalvorineGame.h"
#include "TextDraw.h"
#include "Utf8.h"
#include "WidgetFiles.h"

namespace {

const int CharBackspace = 8;
const int CharEnter = 13;
const int CharEscape = 27;
// Windows virtual-key codes of the keys that end a selection.
const int VkEnd = 35, VkHome = 36, VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40;
const int VkDelete = 46;

// Selects the field's face for measuring or drawing and puts the previous
// one back when it goes out of scope.
class TFontScope {
 public:
  explicit TFontScope(const plat::TFontPtr& font) : old_(plat::GetImageFont()) {
    if (font) plat::SetImageFont(font);
  }
  ~TFontScope() { plat::SetImageFont(old_); }
  TFontScope(const TFontScope&) = delete;
  TFontScope& operator=(const TFontScope&) = delete;

 private:
  plat::TFontPtr old_;
};

}  // namespace

void TTextInput::Init(plat::TFontPtr font, const std::string& text, int x, int y,
                      std::shared_ptr<TBitmapFont> bitmapFont) {
  Font = std::move(font);
  Text = text;
  X = x;
  Y = y;
  BitmapFont = std::move(bitmapFont);
  CurrentChar = int(plat::CharCount(Text)) + 1;
  TextCol.Set(255, 255, 255);
  DotCol.Set(150, 150, 150);
  CursorCol.Set(0, 255, 255);
  SetCursorFlashSpeed(250);
  RefusedFlashLength = std::max(1, int(AnimLengthFromMs(200.0f)));
  Reset();
}

void TTextInput::SetText(const std::string& text) {
  Text = text;
  CurrentChar = int(plat::CharCount(text)) + 1;
  Selected = text.empty() ? 0 : 1;
}

void TTextInput::ManageSelection(int& c) {
  if (!Selected) return;
  bool clear = c == CharBackspace || GameKeyHit(VkDelete);
  bool keep = false;
  for (int key : {VkHome, VkEnd, VkLeft, VkUp, VkRight, VkDown}) keep = GameKeyHit(key) || keep;
  if (!clear && !keep && !Accepts(c)) return;
  Selected = 0;
  if (keep && !clear && !Accepts(c)) return;
  Text.clear();
  CurrentChar = 1;
  if (c == CharBackspace) c = 0;
}

void TTextInput::Reset() {
  Active = 1;
  Done = 0;
  if (Game) Game->BlockKeys = 1;
  GameFlushKeys();
}

void TTextInput::Finish() {
  Active = 0;
  Done = 1;
  if (Game) Game->BlockKeys = 0;
  GameFlushKeys();
  GameFlushMouse();
}

void TTextInput::SetCursorFlashSpeed(int ms) {
  CursorFlashSpeed = int(AnimLengthFromMs(float(ms)));
}

void TTextInput::MakeCharsFileNameSafe() { BannedChars = TPlayerFiles::RefusedCharacters; }

bool TTextInput::Banned(int c) const {
  return c > 0 && BannedChars.find(plat::Utf8Of(char32_t(c))) != std::string::npos;
}

bool TTextInput::Accepts(int c) const {
  if (Banned(c)) return false;
  if (NumbersOnly && !(c >= '0' && c <= '9')) return false;
  // Beyond ASCII: any character but the control codes of 127..159 and the
  // halves of UTF-16 pairs.
  bool extended = c >= 0xA0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
  return (c >= 32 && c <= 126) || (AllowExtendedChars == 1 && extended);
}

float TTextInput::GetWidth(const std::string& s) const {
  TFontScope scope(BitmapFont ? nullptr : Font);
  return TextLineWidth(Text + s, BitmapFont.get());
}

void TTextInput::Refuse() {
  RefusedFlash = float(RefusedFlashLength);
  if (RefusedSound) PlayWidgetSound(RefusedSound);
}

float TTextInput::RefusedFlashLevel() const {
  return RefusedFlashLength > 0 ? std::clamp(RefusedFlash / float(RefusedFlashLength), 0.0f, 1.0f)
                                : 0.0f;
}

int TTextInput::Manage() {
  if (!Active) return 0;
  int c = GameGetChar();
  if (Banned(c)) {
    Refuse();
    c = 0;
  }
  ManageSelection(c);
  if (c == CharBackspace) {
    CurrentChar = std::max(1, CurrentChar - 1);
    Text = plat::FirstChars(Text, size_t(CurrentChar - 1));
  }
  if (NumbersOnly && c != CharEnter && !(c >= '0' && c <= '9')) c = 0;
  if (Accepts(c)) {
    std::string typed = plat::Utf8Of(char32_t(c));
    if (CurrentChar <= MaxLength &&
        (MaxPixelWidth == 0 || GetWidth(typed) <= float(MaxPixelWidth))) {
      Text += typed;
      ++CurrentChar;
    } else {
      Refuse();
    }
  }
  RefusedFlash = std::max(0.0f, RefusedFlash - LogicDelta);
  if (c == CharEnter && (AllowNull || !Text.empty())) {
    Finish();
    return 1;
  }
  if (c == CharEscape && AllowEscToAbort) {
    Text.clear();
    CurrentChar = 1;
    Finish();
    return -1;
  }
  CursorFlashCounter += LogicDelta;
  if (CursorFlashCounter >= float(CursorFlashSpeed)) {
    CursorOn = CursorOn ? 0 : 1;
    CursorFlashCounter = 0;
  }
  return 0;
}

void TTextInput::DrawPiece(const std::string& s, float& px) const {
  if (s.empty()) return;
  if (BitmapFont) {
    BitmapFont->Draw(s, px, Y, 0, 0, 1, 1, TextShadow ? 1 : 0);
  } else if (TextShadow) {
    DrawTextWithShadow(px, float(Y), s, 0);
  } else {
    plat::DrawText(s, std::floor(px), Y);
  }
  px += TextLineWidth(s, BitmapFont.get());
}

void TTextInput::Draw() {
  if (!Active) return;
  TFontScope scope(BitmapFont ? nullptr : Font);
  float px = float(X);
  TextCol.Apply();
  if (TextShadow) {
    TextShadow->ApplyToText();
    SetTextAlpha(TextCol.Alpha);
  }
  if (Selected && !Text.empty()) {
    SelectionCol.Apply();
    plat::SetBlend(plat::ALPHABLEND);
    double height = BitmapFont ? BitmapFont->StringHeight("ABCXYZ") : plat::TextHeight("ABCXYZ");
    plat::DrawRect(px - 2, float(Y), TextLineWidth(Text, BitmapFont.get()) + 4, float(height));
    TextCol.Apply();
  }
  DrawPiece(Text, px);
  int length = int(plat::CharCount(Text));
  if (DrawUnderscore && length < MaxLength) {
    if (CursorOn) {
      CursorCol.Apply();
      float cursorX = px;
      DrawPiece("_", cursorX);
    }
    px += TextLineWidth("_", BitmapFont.get());
  }
  if (DrawDots) {
    DotCol.Apply();
    int dots = std::max(0, MaxLength - length);
    DrawPiece(std::string(size_t(dots), '.'), px);
  }
  TColor::Restore();
  SetTextAlpha(1);
}
