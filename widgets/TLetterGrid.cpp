#include "TLetterGrid.h"

#include <algorithm>
#include <cmath>

#include "GameInput.h"
#include "GameResources.h"
#include "Globals.h"
#include "Pad.h"
#include "TGameText.h"
#include "TNavInput.h"
#include "TTextInput.h"
#include "TextDraw.h"
#include "Utf8.h"

namespace {

// The case and page keys show the letters they switch to; the others say
// what they do, in the player's language.
const char* const kKeyTexts[TLetterGrid::Keys] = {nullptr, nullptr, "Letter Grid Space",
                                                  "Letter Grid Delete", "Letter Grid OK"};

std::string TextOfKey(const std::string& key) {
  return GameText ? GameText->FindString(key) : std::string();
}

const int CharBackspace = 8;
const int CharEnter = 13;

// The lower-case letter of an upper-case one (and of the signs, themselves).
int LowerOf(int c) { return int(plat::LowerOf(char32_t(c))); }

std::vector<int> Candidates(int page) {
  std::vector<int> chars;
  auto add = [&](std::string_view text) {
    for (char32_t c : plat::CodePoints(text)) chars.push_back(int(c));
  };
  switch (page) {
    case 0:
      for (int c = 'A'; c <= 'Z'; ++c) chars.push_back(c);
      for (int c = '0'; c <= '9'; ++c) chars.push_back(c);
      add("-'.!");
      break;
    case 1:
      // The accented capitals of Latin-1 (not the multiplication sign), and ß.
      for (int c = 0xC0; c <= 0xDF; ++c) {
        if (c != 0xD7) chars.push_back(c);
      }
      break;
    case 2:
      // The capitals of central and eastern European and Turkish names.
      add("ĀĂĄĆČĎĐĒĖĘĚĞĪĮİĽŁŃŇŐŒŘŚŞŠŢŤŪŮŰŲŹŻŽ");
      break;
    case 3:
      add("ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ");
      break;
    default:
      add("АБВГҐДЕЁЄЖЗИІЇЙКЛМНОПРСТУЎФХЦЧШЩЪЫЬЭЮЯ");
      break;
  }
  return chars;
}

}  // namespace

void TLetterGrid::Setup(const TTextInput& field) {
  pages_.clear();
  for (int candidates = 0; candidates < CandidatePages; ++candidates) {
    std::vector<int> page;
    for (int c : Candidates(candidates)) {
      // A letter stands when the field takes it in either case (a capital
      // beyond ASCII by itself: the small letter of İ is the ASCII i).
      if (field.Accepts(c) || (c < 128 && field.Accepts(LowerOf(c)))) page.push_back(c);
    }
    if (page.size() > size_t(Columns * LetterRows)) page.resize(size_t(Columns * LetterRows));
    if (!page.empty() || candidates == 0) pages_.push_back(std::move(page));
  }
  hasAccents_ = pages_.size() > 1 ? 1 : 0;
  Row = Column = Page = Lower = 0;
  Glow = 0;
}

bool TLetterGrid::Shown(const TTextInput& field) const {
  return field.Active && plat::PadCount() > 0;
}

int TLetterGrid::CharAt(int row, int column) const {
  size_t index = size_t(row * Columns + column);
  if (size_t(Page) >= pages_.size()) return 0;
  const auto& page = pages_[size_t(Page)];
  if (row < 0 || row >= LetterRows || column < 0 || column >= Columns || index >= page.size()) {
    return 0;
  }
  return Lower ? LowerOf(page[index]) : page[index];
}

int TLetterGrid::FocusedChar() const {
  if (Row < LetterRows) return CharAt(Row, Column);
  return KeyOfColumn(Column) == KeySpace ? ' ' : 0;
}

void TLetterGrid::Move(int dx, int dy) {
  if (dy != 0) {
    Row = (Row + dy + LetterRows + 1) % (LetterRows + 1);
  } else if (Row == LetterRows) {
    // The key row: each key is two cells wide.
    Column = (KeyOfColumn(Column) + dx + Keys) % Keys * 2;
  } else {
    Column = (Column + dx + Columns) % Columns;
  }
  // A field without accented letters has no page key: the focus passes it.
  if (Row == LetterRows && !hasAccents_ && KeyOfColumn(Column) == KeyPage) {
    Column = (KeyPage + (dx < 0 ? -1 : 1)) * 2;
  }
  // An empty cell (a short page) sends the focus to the last letter.
  if (size_t(Page) >= pages_.size()) return;
  const auto& page = pages_[size_t(Page)];
  if (Row < LetterRows && CharAt(Row, Column) == 0 && !page.empty()) {
    int last = int(page.size()) - 1;
    if (Row * Columns + Column > last) {
      Row = dy > 0 ? LetterRows : std::min(Row, last / Columns);
      if (Row < LetterRows) Column = std::min(Column, last - Row * Columns);
    }
  }
}

void TLetterGrid::Type(int c) {
  plat::TEvent typed;
  typed.kind = plat::EVENT_KEYCHAR;
  typed.data = c;
  GameInputFeed(typed, nullptr);
}

void TLetterGrid::Press() {
  if (int c = FocusedChar()) {
    Type(c);
    return;
  }
  switch (KeyOfColumn(Column)) {
    case KeyCase:
      Lower = Lower ? 0 : 1;
      break;
    case KeyPage:
      if (hasAccents_) Page = (Page + 1) % int(pages_.size());
      break;
    case KeyDelete:
      Type(CharBackspace);
      break;
    case KeyOK:
      Type(CharEnter);
      break;
    default:
      break;
  }
}

int TLetterGrid::Command(TNavCommand command) {
  switch (command) {
    case TNavCommand::Up:
      Move(0, -1);
      return 1;
    case TNavCommand::Down:
      Move(0, 1);
      return 1;
    case TNavCommand::Left:
      Move(-1, 0);
      return 1;
    case TNavCommand::Right:
      Move(1, 0);
      return 1;
    case TNavCommand::Accept:
      Press();
      return 1;
    case TNavCommand::Erase:
      Type(CharBackspace);
      return 1;
    default:
      return 0;
  }
}

void TLetterGrid::Manage() {
  if (!Shown(field_)) return;
  if (!ready_) Setup(field_);
  ready_ = 1;
  Glow += LogicDelta;
}

bool TLetterGrid::FocusCommand(TNavCommand command) {
  // The keyboard's arrows and Enter stay the keyboard's.
  return NavInput.LastDevice == TNavDevice::Pad && Command(command) != 0;
}

std::string TLetterGrid::PageKeyText() const {
  // The first letters of the page the key turns to.
  if (pages_.empty()) return "";
  const auto& next = pages_[size_t(Page + 1) % pages_.size()];
  std::string text;
  for (size_t i = 0; i < next.size() && i < 3; ++i) {
    text += plat::Utf8Of(char32_t(Lower ? LowerOf(next[i]) : next[i]));
  }
  return text;
}

void TLetterGrid::Draw(const TTextInput& field, float alpha, float dx, float dy) const {
  if (!Shown(field)) return;
  const float px = float(X) + dx, py = float(Y) + dy;
  plat::TFontPtr old = plat::GetImageFont();
  if (field.Font) plat::SetImageFont(field.Font);
  // The panel in the game's dark glass with its pale violet edge.
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(14, 14, 37);
  plat::SetAlpha(0.92 * alpha);
  plat::DrawRect(px, py, Width(), Height());
  plat::SetColor(145, 151, 210);
  plat::SetAlpha(alpha);
  plat::DrawRect(px, py, Width(), Height(), false);
  plat::DrawRect(px + 1, py + 1, Width() - 2, Height() - 2, false);

  float pulse = 0.55f + 0.35f * float(std::sin(Glow * 0.03));
  auto cell = [&](int row, int column, int span, const std::string& text) {
    float cx = px + float(Border + column * CellWidth);
    float cy = py + float(Border + row * CellHeight);
    float cw = float(span * CellWidth - 4), ch = float(CellHeight - 4);
    bool focused = row == Row && (row < LetterRows ? column == Column
                                                   : KeyOfColumn(column) == KeyOfColumn(Column));
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(38, 36, 80);
    plat::SetAlpha(0.7 * alpha);
    plat::DrawRect(cx, cy, cw, ch);
    if (focused) {
      // The focus glows like a button under the pointer.
      plat::SetBlend(plat::LIGHTBLEND);
      plat::SetColor(255, 196, 90);
      plat::SetAlpha(pulse * alpha);
      plat::DrawRect(cx - 2, cy - 2, cw + 4, ch + 4, false);
      plat::DrawRect(cx - 1, cy - 1, cw + 2, ch + 2, false);
      plat::SetAlpha(0.25 * pulse * alpha);
      plat::DrawRect(cx, cy, cw, ch);
      plat::SetBlend(plat::ALPHABLEND);
      plat::SetColor(255, 214, 130);
    } else {
      plat::SetColor(235, 235, 245);
    }
    SetTextAlpha(alpha);
    float textY = cy + (ch - float(plat::TextHeight(text))) / 2.0f;
    DrawTextLine(text, cx + cw / 2.0f, textY, 1, 1, 1);
  };
  for (int row = 0; row < LetterRows; ++row) {
    for (int column = 0; column < Columns; ++column) {
      if (int c = CharAt(row, column)) cell(row, column, 1, plat::Utf8Of(char32_t(c)));
    }
  }
  for (int key = 0; key < Keys; ++key) {
    if (key == KeyPage && !hasAccents_) continue;
    std::string text;
    if (key == KeyCase) text = Lower ? "ABC" : "abc";
    if (key == KeyPage) text = PageKeyText();
    if (kKeyTexts[key]) text = TextOfKey(kKeyTexts[key]);
    cell(LetterRows, key * 2, 2, text);
  }
  SetTextAlpha(1);
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
  plat::SetImageFont(old);
}
