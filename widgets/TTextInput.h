// A one-line text field fed from the typed-character ring: backspace, a
// length and a pixel-width limit, banned characters, digits only, Enter to
// confirm and Escape to abort, and a flashing underscore cursor. While it is
// active the game's own key shortcuts are blocked (P types a "p").
#pragma once

#include <memory>
#include <string>

#include "Platform.h"
#include "TColor.h"
#include "TGameSound.h"

class TBitmapFont;

class TTextInput {
 public:
  void Init(plat::TFontPtr font, const std::string& text, int x, int y,
            std::shared_ptr<TBitmapFont> bitmapFont = nullptr);
  // Active again, keys blocked and flushed.
  void Reset();
  // Starts the field with a suggested text, the cursor after it and the
  // text selected: the first character typed replaces it, Backspace or
  // Delete clears it whole, an arrow key (or Home, End) keeps it.
  void SetText(const std::string& text);
  void SetCursorFlashSpeed(int ms);
  // One logic step: 1 on Enter, -1 on Escape (when allowed), else 0.
  int Manage();
  // Refuses the characters that cannot stand in a file name.
  void MakeCharsFileNameSafe();
  // The field takes the typed character c (a code point) by its rules:
  // printable, not banned, a digit where only digits go, beyond ASCII only
  // where letters of other alphabets are allowed. (The on-screen letter
  // grid asks too.)
  bool Accepts(int c) const;
  bool Banned(int c) const;
  void Finish();
  // Width of Text + s in the field's font.
  float GetWidth(const std::string& s) const;
  // A character the field will not take: RefusedSound and a short flash,
  // so that the player sees the name was not cut without a word.
  void Refuse();
  // The flash of the last refusal, 1 as it starts falling to 0.
  float RefusedFlashLevel() const;
  void Draw();

  std::string Text;
  int MaxLength = 10;     // characters, not bytes
  int MaxPixelWidth = 0;  // 0: no limit
  int CurrentChar = 1;    // length + 1
  int Selected = 0;       // the whole text is selected
  TColor SelectionCol{60, 110, 200, 0.6f};
  int Active = 0;
  int Done = 0;
  int X = 0, Y = 0;
  TColor TextCol{255, 255, 255, 1.0f};
  std::shared_ptr<TShadow> TextShadow;
  TColor DotCol{150, 150, 150, 1.0f};
  TColor CursorCol{0, 255, 255, 1.0f};
  plat::TFontPtr Font;
  std::shared_ptr<TBitmapFont> BitmapFont;
  int DrawDots = 0;
  int DrawUnderscore = 1;
  float CursorFlashCounter = 0;
  int CursorFlashSpeed = 50;  // logic steps per cursor phase
  int CursorOn = 1;
  int AllowEscToAbort = 1;
  int AllowNull = 1;
  std::string BannedChars;  // UTF-8, each character refused
  int AllowExtendedChars = 0;
  int NumbersOnly = 0;
  TGameSoundPtr RefusedSound;
  float RefusedFlash = 0;       // logic steps of flash left
  int RefusedFlashLength = 40;  // logic steps, from 200 ms

 private:
  void DrawPiece(const std::string& s, float& px) const;
  // A key that ends the selection: keeps the text, or (Backspace, Delete)
  // clears it. The character c is then spent.
  void ManageSelection(int& c);
};
