// The pad's on-screen letter grid: it holds what the field's rules let in,
// moves its focus with the navigation commands and types into the typed-
// character ring the field reads.
#include <gtest/gtest.h>

#include <vector>

#include "GameInput.h"
#include "TLetterGrid.h"
#include "TTextInput.h"

namespace {

std::vector<int> Typed() {
  std::vector<int> chars;
  while (int c = GameGetChar()) chars.push_back(c);
  return chars;
}

class LetterGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    GameFlushKeys();
    field.BannedChars = "\"|*\\/:;~?<>";
    field.AllowExtendedChars = 1;
  }
  void TearDown() override { GameFlushKeys(); }
  void Do(std::initializer_list<TNavCommand> commands) {
    for (TNavCommand command : commands) EXPECT_EQ(grid.Command(command), 1);
  }
  TTextInput field;
  TLetterGrid grid{field};
};

TEST_F(LetterGrid, LettersDigitsAndSignsOfTheNameRulesTypeIntoTheRing) {
  grid.Setup(field);
  EXPECT_EQ(grid.CharAt(0, 0), 'A');
  EXPECT_EQ(grid.CharAt(2, 5), 'Z');
  EXPECT_EQ(grid.CharAt(2, 6), '0');
  EXPECT_EQ(grid.CharAt(3, 6), '-');
  EXPECT_EQ(grid.CharAt(3, 9), '!');
  Do({TNavCommand::Accept, TNavCommand::Right, TNavCommand::Accept});
  EXPECT_EQ(Typed(), (std::vector<int>{'A', 'B'}));
  // Left from the first column wraps to the last; Up from the top row to the keys.
  Do({TNavCommand::Left, TNavCommand::Left, TNavCommand::Accept});
  EXPECT_EQ(Typed(), (std::vector<int>{'J'}));
  Do({TNavCommand::Down, TNavCommand::Accept, TNavCommand::Erase});
  EXPECT_EQ(Typed(), (std::vector<int>{'T', 8}));
  EXPECT_EQ(grid.Command(TNavCommand::PageUp), 0);  // not the grid's
  EXPECT_EQ(grid.Command(TNavCommand::Back), 0);

  // The key row: case, accented letters, space, delete, OK.
  grid.Row = TLetterGrid::LetterRows;
  grid.Column = 0;
  Do({TNavCommand::Accept});
  EXPECT_EQ(grid.Lower, 1);
  EXPECT_EQ(grid.CharAt(0, 0), 'a');
  Do({TNavCommand::Right, TNavCommand::Accept});
  EXPECT_EQ(grid.Page, 1);
  EXPECT_EQ(grid.CharAt(0, 0), 0xE0);  // à
  EXPECT_EQ(grid.CharAt(3, 0), 0xDF);  // ß has no capital
  Do({TNavCommand::Right, TNavCommand::Accept, TNavCommand::Right, TNavCommand::Accept,
      TNavCommand::Right, TNavCommand::Accept});
  EXPECT_EQ(Typed(), (std::vector<int>{' ', 8, 13}));
  // OK wraps round to the case key.
  Do({TNavCommand::Right});
  EXPECT_EQ(grid.Column, 0);
}

TEST_F(LetterGrid, ThePageKeyTurnsThroughLatinGreekAndCyrillic) {
  grid.Setup(field);
  grid.Row = TLetterGrid::LetterRows;
  grid.Column = 2;  // the page key
  Do({TNavCommand::Accept, TNavCommand::Accept});
  EXPECT_EQ(grid.CharAt(0, 0), 0x100);  // Ā
  Do({TNavCommand::Accept});
  EXPECT_EQ(grid.CharAt(0, 0), 0x391);  // Α
  EXPECT_EQ(grid.CharAt(2, 3), 0x3A9);  // Ω, the 24th
  Do({TNavCommand::Accept});
  EXPECT_EQ(grid.CharAt(0, 0), 0x410);  // А
  grid.Lower = 1;
  EXPECT_EQ(grid.CharAt(0, 3), 0x433);  // г
  // The letter typed is the Cyrillic one, as a keyboard would type it.
  grid.Row = 0;
  grid.Column = 3;
  Do({TNavCommand::Accept});
  EXPECT_EQ(Typed(), (std::vector<int>{0x433}));
  // After the last page, the first.
  grid.Row = TLetterGrid::LetterRows;
  grid.Column = 2;
  Do({TNavCommand::Accept});
  EXPECT_EQ(grid.Page, 0);
}

TEST_F(LetterGrid, BannedAndUnacceptedCharactersAreLeftOut) {
  field.BannedChars = "AaEe!";
  field.AllowExtendedChars = 0;
  grid.Setup(field);
  EXPECT_EQ(grid.CharAt(0, 0), 'B');
  EXPECT_EQ(grid.CharAt(0, 1), 'C');
  EXPECT_EQ(grid.CharAt(0, 3), 'F');
  EXPECT_EQ(grid.CharAt(3, 4), '-');  // two letters fewer: the rest moves up
  EXPECT_EQ(grid.CharAt(3, 7), 0);    // "!" is banned
  // Without accented letters there is no page key: the focus passes it.
  grid.Row = TLetterGrid::LetterRows;
  grid.Column = 0;
  Do({TNavCommand::Right, TNavCommand::Accept});
  EXPECT_EQ(Typed(), (std::vector<int>{' '}));
  EXPECT_EQ(grid.Page, 0);

  TTextInput digits;
  digits.NumbersOnly = 1;
  grid.Setup(digits);
  EXPECT_EQ(grid.CharAt(0, 0), '0');
  EXPECT_EQ(grid.CharAt(0, 9), '9');
  EXPECT_EQ(grid.CharAt(1, 0), 0);
  // Down from a short page's letters goes to the keys, not into empty cells.
  grid.Row = 0;
  grid.Column = 3;
  Do({TNavCommand::Down});
  EXPECT_EQ(grid.Row, TLetterGrid::LetterRows);
}

}  // namespace
