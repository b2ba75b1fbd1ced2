// How the autoplay bot picks its move among the listed ones: marble cells
// first, then near the marble cells left, then low on the board; the same
// seed gives the same choices.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "TAutoPlayChoice.h"
#include "TCell.h"
#include "TCellBox.h"
#include "TLayoutCell.h"

namespace {

// A board from pictures of the interior rows: ' ' no cell, '1'..'6' a jewel
// on a normal cell, 'A'..'F' a jewel on a marble cell.
std::unique_ptr<TCellBox> Board(const std::vector<std::string>& rows) {
  auto board = std::make_unique<TCellBox>(TBoardArt::Blank());
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x) {
      char c = rows[y][x];
      if (c == ' ') continue;
      TLayoutCell& layout = *board->Layout[int(x) + 1][int(y) + 1];
      bool marble = c >= 'A' && c <= 'F';
      layout.Contents = marble ? 2 : 1;
      board->Cells[int(x) + 1][int(y) + 1]->SetContents(marble ? c - 'A' + 1 : c - '0');
    }
  return board;
}

TAutoPlayMove Only(TCellBox& board, uint32_t seed = 1) {
  TAutoPlayChoice choice(seed);
  std::optional<TAutoPlayMove> move = choice.Choose(board, board.CreateHintList());
  EXPECT_TRUE(move.has_value());
  return move.value_or(TAutoPlayMove{});
}

TEST(AutoPlayChoiceTest, AMoveThatClearsMarbleCellsComesFirst) {
  // Low on the board the 1s can line up; at the top the 2s, over the marble
  // cell in the corner.
  auto board = Board({"B3224", "32141", "11611"});
  TAutoPlayMove move = Only(*board);
  EXPECT_EQ(move.Marbles, 1);
  EXPECT_EQ(board->MarblesCleared(move.X1, move.Y1, move.X2, move.Y2), 1);
  EXPECT_EQ(move.X1, 2);
  EXPECT_EQ(move.Y1, 1);
  EXPECT_EQ(move.X2, 2);
  EXPECT_EQ(move.Y2, 2);
}

TEST(AutoPlayChoiceTest, WithoutMarbleMovesTheLineNearestAMarbleCellThenTheLowestWins) {
  // Two moves make a line of 1s: one near the marble cell at the top left,
  // one far from it at the bottom right.
  auto near = Board({"A5634", "22324", "65456", "34534", "45632", "56313"});
  TAutoPlayMove move = Only(*near);
  EXPECT_EQ(move.Marbles, 0);
  EXPECT_LE(std::max(move.Y1, move.Y2), 3) << "took the move far from the marble cell";
  // Without any marble cell, the lowest move.
  auto plain = Board({"15634", "22324", "65456", "34534", "45632", "56313"});
  EXPECT_EQ(std::max(Only(*plain).Y1, Only(*plain).Y2), 6);
}

TEST(AutoPlayChoiceTest, TheSameSeedMakesTheSameChoices) {
  auto board = Board({"1121", "3435", "5565", "3431"});
  for (uint32_t seed : {1u, 7u, 99u}) {
    TAutoPlayMove a = Only(*board, seed), b = Only(*board, seed);
    EXPECT_EQ(a.X1, b.X1);
    EXPECT_EQ(a.Y1, b.Y1);
    EXPECT_EQ(a.X2, b.X2);
    EXPECT_EQ(a.Y2, b.Y2);
  }
  TAutoPlayChoice choice(1);
  EXPECT_FALSE(choice.Choose(*board, {}).has_value());
}

}  // namespace
