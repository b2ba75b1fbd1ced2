#include "TOpenBoard.h"

#include <vector>

#include "BoardGrid.h"
#include "Platform.h"
#include "TCellBox.h"

namespace {

constexpr int Columns = board::GridWidth - 2, Rows = board::GridHeight - 2;

// One block of the file: `digit` on the cells `inside` picks, 0 elsewhere.
template <typename TInside>
std::string Block(char digit, TInside inside) {
  std::string text;
  for (int y = 0; y < Rows; ++y) {
    for (int x = 0; x < Columns; ++x) {
      const bool in = x >= TOpenBoard::Left && x < TOpenBoard::Left + TOpenBoard::Width &&
                      y >= TOpenBoard::Top && y < TOpenBoard::Top + TOpenBoard::Height;
      text += in && inside(y) ? digit : '0';
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace

std::string TOpenBoard::LayoutText() {
  auto all = [](int) { return true; };
  auto none = [](int) { return false; };
  auto top = [](int y) { return y == Top; };
  // The kinds (all plain cells), no chain, create cells on top, all filled.
  return "Gleamstrand Layout\r\n-\r\n" + Block('1', all) + "-\r\n" + Block('1', none) + "-\r\n" +
         Block('1', top) + "-\r\n" + Block('1', all);
}

bool TOpenBoard::Load(TCellBox& board) {
  const std::string text = LayoutText();
  plat::TMemoryStream stream(std::vector<uint8_t>(text.begin(), text.end()));
  return board.ReadLayout(stream, false) != 0;
}
