// The level editor: the validity test a layout must pass before it is saved
// (also run on layout files without a game), the brush, and a layout built in
// the editor, saved, loaded back and played.
#include <gtest/gtest.h>

#include "BoardTestSupport.h"
#include "TGameModeEditor.h"
#include "TGamePlay.h"

namespace {

using boardtest::DataFolder;

// Layout picture, one string per interior row: ' ' nothing, 'n' normal,
// 'm' marble; upper case adds the fill mark, '+' a normal create cell,
// '*' a normal filled create cell, 'c' a chained filled normal cell.
void PaintLayout(TCellBox& board, const std::vector<std::string>& rows) {
  for (int y = 1; y <= 12; ++y) {
    for (int x = 1; x <= 16; ++x) {
      char c = y - 1 < int(rows.size()) && x - 1 < int(rows[y - 1].size()) ? rows[y - 1][x - 1]
                                                                            : ' ';
      TLayoutCell& cell = *board.Layout[x][y];
      cell.Contents = c == ' ' ? 0 : (c == 'm' || c == 'M') ? 2 : 1;
      cell.IsFill = c == 'N' || c == 'M' || c == '*' || c == 'c';
      cell.IsCreate = c == '+' || c == '*';
      cell.IsChain = c == 'c';
    }
  }
}

class EditorValidityTest : public ::testing::Test {
 protected:
  int Check(const std::vector<std::string>& rows) {
    PaintLayout(board, rows);
    return TGameModeEditor::IsLayoutValid(board);
  }
  TCellBox board{TBoardArt::Blank()};
};

TEST_F(EditorValidityTest, TheFirstFailingTestGivesItsCode) {
  EXPECT_EQ(Check({}), TGameModeEditor::LayoutNoPlayingCell);
  EXPECT_EQ(Check({"NNNNN", "NNNNN", "+++++"}), TGameModeEditor::LayoutNoMarbleCell);
  EXPECT_EQ(Check({"nnnnn", "mmmmm", "+++++"}), TGameModeEditor::LayoutNoFillCell);
  // A marble cell but nothing that creates jewels: code 4, although it is
  // also missing nothing else.
  EXPECT_EQ(Check({"NNNNN", "NNMNN", "NNNNN"}), TGameModeEditor::LayoutNoCreateCell);
  EXPECT_EQ(Check({"+++++", "NNMNN", "NNNNN"}), TGameModeEditor::LayoutValid);
}

TEST_F(EditorValidityTest, FillCellsThatCanNeverLineUpFailWithCode5) {
  // Pairs and 2 x 2 blocks of fill cells, the rest empty at the start.
  EXPECT_EQ(Check({"+++++++", "NN nn NN", "NN mm NN", "nnnnnnn"}),
            TGameModeEditor::LayoutNoFirstMove);
  // The middle of the run is a create cell: the deal does not fill it.
  EXPECT_EQ(Check({"+++++", "N*Nmm", "nnnnn"}), TGameModeEditor::LayoutNoFirstMove);
  // A chained run cannot be moved.
  EXPECT_EQ(Check({"+++++", "cccmm", "nnnnn"}), TGameModeEditor::LayoutNoFirstMove);
  // Three in a row, across or down, are enough.
  EXPECT_EQ(Check({"+++++", "NNNmm", "nnnnn"}), TGameModeEditor::LayoutValid);
  EXPECT_EQ(Check({"+++++", "Nnnmm", "Nnnnn", "Nnnnn"}), TGameModeEditor::LayoutValid);
}

TEST_F(EditorValidityTest, TheCheckLeavesTheBoardAsItWas) {
  PaintLayout(board, {"+++++", "NNNmm", "nnnnn"});
  board.Cells[4][3]->SetContents(5);
  ASSERT_EQ(TGameModeEditor::IsLayoutValid(board), 0);
  EXPECT_EQ(board.Cells[1][2]->Contents, 0);
  EXPECT_EQ(board.Cells[4][3]->Contents, 5);
  // Jewels already on the board do not count: only the deal's fill cells.
  PaintLayout(board, {"+++++", "NNnnn", "nnmnn"});
  board.Cells[3][2]->SetContents(1);
  EXPECT_EQ(TGameModeEditor::IsLayoutValid(board), TGameModeEditor::LayoutNoFirstMove);
}

TEST_F(EditorValidityTest, LayoutFilesAreCheckedWithoutAGame) {
  PaintLayout(board, {"+++++", "NNNmm", "nnnnn"});
  const std::string good = DataFolder() + "valid.layout";
  ASSERT_EQ(board.WriteLayout(good), 1);
  EXPECT_EQ(TGameModeEditor::IsLayoutFileValid(good), 0);
  PaintLayout(board, {"NNNNN", "NNMNN"});
  const std::string bad = DataFolder() + "nocreate.layout";
  ASSERT_EQ(board.WriteLayout(bad), 1);
  EXPECT_EQ(TGameModeEditor::IsLayoutFileValid(bad), TGameModeEditor::LayoutNoCreateCell);
  EXPECT_EQ(TGameModeEditor::IsLayoutFileValid(DataFolder() + "missing.layout"), -1);
}

}  // namespace
