// The on-screen letter grid for typing with a game pad: the characters a
// text field accepts (its own rules: banned characters, digits only, the
// letters of other alphabets where the field takes them) laid out in pages
// of cells: Latin letters and digits, accented Latin letters (two pages),
// Greek and Cyrillic; with a row of keys for the case, the next page, a
// space, delete and OK. It is a control of its dialog's focus ring, first
// in it while shown: the pad's navigation commands move the cell it stands
// on; what it types goes into the game's typed-character ring, so the
// field takes it exactly as a keyboard's characters. It shows while a pad
// is plugged in and acts only on the pad's commands: a keyboard keeps
// typing as before.
#pragma once

#include <string>
#include <vector>

#include "Platform.h"
#include "TFocusRing.h"
#include "TNavInput.h"

class TTextInput;

class TLetterGrid : public TFocusItem {
 public:
  explicit TLetterGrid(const TTextInput& field) : field_(field) {}

  enum TKey { KeyCase, KeyPage, KeySpace, KeyDelete, KeyOK, Keys };
  static constexpr int Columns = 10;
  static constexpr int LetterRows = 4;
  static constexpr int CellWidth = 42, CellHeight = 36;
  static constexpr int Border = 12;
  static constexpr int CandidatePages = 5;

  // The characters of the field's rules, on each page; the focus goes to
  // the first cell.
  void Setup(const TTextInput& field);
  // Shown while a pad is plugged in and the field takes input.
  bool Shown(const TTextInput& field) const;
  // One logic step, before the dialog's focus ring: the grid is set up for
  // the field on its first shown step.
  void Manage();
  // ---- as a control of the focus ring: the pad's commands alone.
  bool CanFocus() const override { return Shown(field_); }
  // The grid's cell shows where it stands whether the ring's focus is on it
  // or not: a pad player never loses the place.
  void SetFocused(bool) override {}
  bool FocusCommand(TNavCommand command) override;
  bool TakesFirstCommand() const override { return true; }
  // One command: Up, Down, Left and Right move the focus (wrapping around),
  // Accept presses the focused cell, Erase deletes the last character.
  // Returns 1 when the grid used it.
  int Command(TNavCommand command);
  // Drawn at X, Y (the panel's top left) moved by dx, dy (a dialog sliding
  // in), faded by alpha.
  void Draw(const TTextInput& field, float alpha, float dx = 0, float dy = 0) const;
  int Width() const { return Columns * CellWidth + 2 * Border; }
  int Height() const { return (LetterRows + 1) * CellHeight + 2 * Border; }

  // The character of a letter cell on the shown page and case; 0 when
  // the cell is empty.
  int CharAt(int row, int column) const;
  // The character the focus types now (a letter cell's, 32 for the space
  // key), 0 on the other keys.
  int FocusedChar() const;

  int X = 0, Y = 0;
  int Row = 0, Column = 0;  // the focus; row LetterRows is the key row
  int Page = 0;             // 0 letters and digits, then the other alphabets
  int Lower = 0;            // letters shown in lower case
  float Glow = 0;           // the focus's pulse, in logic steps

 private:
  int KeyOfColumn(int column) const { return column / 2; }
  void Move(int dx, int dy);
  void Press();
  void Type(int c);
  std::string PageKeyText() const;
  // Upper-case characters (and signs) in grid order, of the pages that hold
  // any character the field takes.
  std::vector<std::vector<int>> pages_;
  int hasAccents_ = 0;
  int ready_ = 0;
  const TTextInput& field_;
};
