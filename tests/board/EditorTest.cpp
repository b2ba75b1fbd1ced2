// The level editor: the validity test a layout must pass before it is saved
// (also run on layout files without a game), the brush, and a layout built in
// the editor, saved, loaded back and played.
#include <gtest/gtest.h>

#include <vector>

#include "BoardTestSupport.h"
#include "ModeTestSupport.h"
#include "TCellBox.h"
#include "TGameModeEditor.h"
#include "TGamePlay.h"
#include "TTalvorineGame.h"

namespace {

using boardtest::DataFolder;

// Layout picture, one string per interior row: ' ' nothing, 'n' normal,
// 'm' marble; upper case adds the fill mark, '+' a normal create cell,
// '*' a normal filled create cell, 'c' a chained filled normal cell.
void PaintLayout(TCellBox& board, const std::vector<std::string>& rows) {
  for (int y = 1; y <= 12; ++y) {
    for (int x = 1; x <= 16; ++x) {
      char c =
          y - 1 < int(rows.size()) && x - 1 < int(rows[y - 1].size()) ? rows[y - 1][x - 1] : ' ';
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

TEST(StandardLevels, EveryStandardLevelPassesTheEditorsCheck) {
  const std::string folder = std::string(GS_SOURCE_DIR) + "/layouts/";
  int levels = 0;
  for (int n = 1; n <= 80; ++n) {
    std::string name = std::to_string(n);
    name = std::string(3 - name.size(), '0') + name + ".layout";
    if (plat::FileType(folder + name) != plat::FILETYPE_FILE) continue;
    ++levels;
    EXPECT_EQ(TGameModeEditor::IsLayoutFileValid(folder + name), 0) << name;
  }
  if (levels == 0) GTEST_SKIP() << "no standard levels in " << folder;
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

// ---------------------------------------------------------------- the brush

using EditorTest = modetest::ModeTest;

TEST_F(EditorTest, TheBrushPaintsErasesAndRebuildsTheWallsOnlyOnAChange) {
  TGameModeEditor& editor = StartEditor();
  EXPECT_EQ(state.stateCustomMode, 1);
  TCellBox& board = *editor.CellBox;
  EXPECT_EQ(board.IsLevelEditor, 1);
  Stroke("left", 3, 4, 3, 4);
  const TLayoutCell& cell = *board.Layout[3][4];
  EXPECT_EQ(cell.Contents, 1);
  EXPECT_EQ(cell.IsFill, 1);
  EXPECT_EQ(cell.IsChain + cell.IsCreate, 0);
  EXPECT_EQ(editor.WallRebuilds, 1);
  // The same brush again over the same cell changes nothing.
  Stroke("left", 3, 4, 3, 4);
  EXPECT_EQ(editor.WallRebuilds, 1);

  // Control: marble; X, C, Z: chain, create, not filled.
  Key("lctrl");
  Key("x");
  Key("c");
  Key("z");
  EXPECT_EQ(editor.LayoutContents, 2);
  EXPECT_EQ(editor.IsChain + editor.IsCreate, 2);
  EXPECT_EQ(editor.IsFill, 0);
  Stroke("left", 3, 4, 5, 4);
  EXPECT_EQ(editor.WallRebuilds, 4);
  for (int x = 3; x <= 5; ++x) {
    EXPECT_EQ(board.Layout[x][4]->Contents, 2);
    EXPECT_EQ(board.Layout[x][4]->IsChain, 1);
    EXPECT_EQ(board.Layout[x][4]->IsCreate, 1);
    EXPECT_EQ(board.Layout[x][4]->IsFill, 0);
  }
  Key("rctrl");
  EXPECT_EQ(editor.LayoutContents, 1);

  // The right button erases; erasing an empty cell does nothing.
  Stroke("right", 4, 4, 4, 4);
  EXPECT_EQ(board.Layout[4][4]->Contents, 0);
  EXPECT_EQ(board.Layout[4][4]->IsChain, 0);
  EXPECT_EQ(editor.WallRebuilds, 5);
  Stroke("right", 4, 4, 4, 5);
  EXPECT_EQ(editor.WallRebuilds, 5);
  // Nothing is painted outside the interior.
  Stroke("left", 0, 1, 0, 3);
  EXPECT_EQ(editor.WallRebuilds, 5);

  // While a dialog owns the input the brush does nothing.
  state.disableButtons = 1;
  Stroke("left", 8, 8, 8, 8);
  EXPECT_EQ(board.Layout[8][8]->Contents, 0);
  state.disableButtons = 0;
}

TEST_F(EditorTest, ThePageCommandsStepTheBrushThroughTheFiveKindsOfCell) {
  TGameModeEditor& editor = StartEditor();
  auto brush = [&] {
    return std::vector<int>{editor.LayoutContents, editor.IsChain, editor.IsCreate, editor.IsFill};
  };
  // The editor starts on a filled normal cell, the last of the five.
  EXPECT_EQ(brush(), (std::vector<int>{1, 0, 0, 1}));
  editor.CycleBrush(1);
  EXPECT_EQ(brush(), (std::vector<int>{1, 0, 0, 0}));  // normal, empty at the start
  editor.CycleBrush(1);
  EXPECT_EQ(brush(), (std::vector<int>{2, 0, 0, 1}));  // marble
  editor.CycleBrush(1);
  EXPECT_EQ(brush(), (std::vector<int>{1, 1, 0, 1}));  // chained
  editor.CycleBrush(1);
  EXPECT_EQ(brush(), (std::vector<int>{1, 0, 1, 1}));  // creating
  editor.CycleBrush(-1);
  EXPECT_EQ(brush(), (std::vector<int>{1, 1, 0, 1}));
  // A brush of several flags from the keys starts over at normal.
  editor.IsCreate = 1;
  editor.CycleBrush(-1);
  EXPECT_EQ(brush(), (std::vector<int>{1, 0, 0, 0}));
  // Page Down (a pad's right shoulder) steps it in play.
  Key("pagedown");
  EXPECT_EQ(brush(), (std::vector<int>{2, 0, 0, 1}));
  Key("pageup");
  EXPECT_EQ(brush(), (std::vector<int>{1, 0, 0, 0}));
}

TEST_F(EditorTest, APaintedLayoutIsSavedLoadedBackAndPlayed) {
  TGameModeEditor& editor = StartEditor();
  // Filled normal cells in rows 3 to 6 of columns 4 to 11 ...
  for (int y = 3; y <= 6; ++y) Stroke("left", 4, y, 11, y);
  // ... a filled create row above them, and marble cells in the middle.
  Key("c");
  Stroke("left", 4, 2, 11, 2);
  Key("c");
  Key("lctrl");
  Stroke("left", 6, 4, 9, 4);
  Stroke("left", 6, 5, 9, 5);
  EXPECT_EQ(editor.CellBox->GetLayoutCellNotEmptyCount(), 40);
  EXPECT_EQ(editor.CellBox->GetLayoutCellMarbleCount(), 8);
  ASSERT_EQ(editor.IsLayoutValid(), 0);
  // The brush (a chained marble cell) previewed under the pointer beside it.
  Key("x");
  Script("1 move " + std::to_string(board::CentreX(13)) + " " + std::to_string(board::CentreY(5)));
  Steps(2);
  Shot("editor-painted.png");

  const std::string path = boardtest::DataFolder() + "painted.layout";
  ASSERT_EQ(editor.SaveLayout(boardtest::DataFolder() + "painted"), 1);
  // Names that would leave the profile folder are refused, and a file that
  // cannot be written is reported without ending the game.
  Game->ProfilePath = boardtest::DataFolder();
  for (const char* name : {"", ".", "..", "../up", "a/b"}) {
    EXPECT_EQ(editor.SaveLayout(boardtest::DataFolder() + name), 0) << name;
  }
  Game->ProfilePath = "";
  EXPECT_EQ(editor.SaveLayout(boardtest::DataFolder() + "none/x"), 0);
  // Loading it back into a cleared editor gives the same layout.
  editor.Clear();
  EXPECT_EQ(editor.IsLayoutValid(), TGameModeEditor::LayoutNoPlayingCell);
  ASSERT_EQ(editor.LoadLayout(path), 1);
  EXPECT_EQ(editor.CellBox->GetLayoutCellMarbleCount(), 8);
  EXPECT_EQ(editor.CellBox->GetLayoutCellCreateCount(), 8);
  EXPECT_EQ(editor.CellBox->IsLevelEditor, 1);
  // A file that cannot be read leaves the board as it is.
  EXPECT_EQ(editor.LoadLayout(path + ".missing"), 0);
  EXPECT_EQ(editor.CellBox->GetLayoutCellNotEmptyCount(), 40);

  play.Init(TGameMode::TypeMatch3);
  EXPECT_EQ(state.stateCustomMode, 0);
  play.GameMode->Init(path, 1);
  EXPECT_EQ(play.IsCustomLevel, 1);
  EXPECT_EQ(play.CurrentLevel, path);
  TGameModeMatch3& mode = *play.Match3();
  EXPECT_EQ(mode.DealFailed, 0);
  EXPECT_EQ(mode.TotalMarbles, 8);
  int jewels = 0;
  for (int x = 1; x <= 16; ++x) {
    for (int y = 1; y <= 12; ++y) jewels += mode.CellBox->Cells[x][y]->HasJewel();
  }
  EXPECT_EQ(jewels, 40);
  Steps(5);
  EXPECT_TRUE(mode.HintList && !mode.HintList->empty());
}

}  // namespace
