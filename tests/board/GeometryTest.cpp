// Grid geometry, the mapping of screen points to cells, counts, layout
// edits and copies.
#include <gtest/gtest.h>

#include "BoardTestSupport.h"

namespace {

using boardtest::BoardTest;

TEST_F(BoardTest, PointsMapToInteriorCellsOnly) {
  // Cell (1, 1) spans x 112..147, y 84..119.
  EXPECT_EQ(board->GetCellLocationX(112, 84), 1);
  EXPECT_EQ(board->GetCellLocationY(112, 84), 1);
  EXPECT_EQ(board->GetCellLocationX(147, 119), 1);
  EXPECT_EQ(board->GetCellLocationX(148, 119), 2);
  EXPECT_EQ(board->GetCellLocationX(687, 300), 16);
  EXPECT_EQ(board->GetCellLocationY(300, 515), 12);
  // The border ring.
  EXPECT_EQ(board->GetCellLocationX(111, 300), -1);
  EXPECT_EQ(board->GetCellLocationX(688, 300), -1);
  EXPECT_EQ(board->GetCellLocationY(300, 83), -1);
  EXPECT_EQ(board->GetCellLocationY(300, 516), -1);
  // AreaEndX itself is column 18; outside the area altogether.
  EXPECT_EQ(board->GetCellLocationX(board->AreaEndX, 300), -1);
  EXPECT_EQ(board->GetCellLocationX(board->AreaEndX + 1, 300), -1);
  EXPECT_EQ(board->GetCellLocationX(300, board->AreaEndY + 1), -1);
  EXPECT_EQ(board->GetCellLocationY(board->AreaStartX - 1, 300), -1);
}

TEST_F(BoardTest, CellsUnderThePointerExistOnlyOnPlayingCells) {
  Paint({"1#", "m."});
  int px = board::CentreX(1), py = board::CentreY(1);
  EXPECT_EQ(board->GetCellAtMouseLocation(px, py), &Cell(1, 1));
  EXPECT_EQ(board->GetCellAtMouseLocation(board::CentreX(2), py), nullptr);
  EXPECT_EQ(board->GetLayoutCellAtMouseLocation(board::CentreX(2), py), &Layout(2, 1));
  EXPECT_EQ(board->GetCellAtMouseLocation(board::CentreX(1), board::CentreY(2)), &Cell(1, 2));
  EXPECT_EQ(board->GetCellAtMouseLocation(board::CentreX(0), py), nullptr);
  EXPECT_EQ(board->GetLayoutCellAtMouseLocation(board::CentreX(0), py), nullptr);
  EXPECT_EQ(board->GetCellAtLocation(18, 2), nullptr);
  EXPECT_EQ(board->GetLayoutCellAtLocation(-1, 2), nullptr);
}

TEST_F(BoardTest, CellsKnowTheirRestingCentres) {
  EXPECT_EQ(Cell(0, 0).X, 94);
  EXPECT_EQ(Cell(0, 0).Y, 66);
  EXPECT_EQ(Cell(17, 13).GetCalculatedX(), 94 + 36 * 17);
  EXPECT_EQ(Cell(17, 13).GetCalculatedY(), 66 + 36 * 13);
  EXPECT_EQ(Layout(5, 7).X, 94 + 180);
  EXPECT_EQ(Layout(5, 7).Y, 66 + 252);
}

TEST_F(BoardTest, SetupCellsLeavesTheBorderRingEmpty) {
  board->SetupCells(4, 2);
  EXPECT_EQ(board->GetLayoutCellMarbleCount(), 16 * 12);
  EXPECT_EQ(board->GetLayoutCellNotEmptyCount(), 16 * 12);
  for (int x = 0; x < 18; ++x) {
    EXPECT_EQ(Cell(x, 0).Contents, 0);
    EXPECT_EQ(Cell(x, 13).Contents, 0);
    EXPECT_EQ(Layout(x, 13).Contents, 0);
  }
  EXPECT_EQ(Cell(1, 1).Contents, 4);
  EXPECT_EQ(Cell(16, 12).Contents, 4);
  board->Clear();
  EXPECT_EQ(board->GetLayoutCellNotEmptyCount(), 0);
  EXPECT_EQ(Cell(1, 1).Contents, 0);
}

TEST_F(BoardTest, CountsScanTheWholeGrid) {
  Paint({"1m.", "AB"});
  Layout(2, 1).IsCreate = 1;
  Layout(3, 1).IsCreate = 1;
  Layout(1, 2).IsFill = 1;
  EXPECT_EQ(board->GetLayoutCellMarbleCount(), 3);
  EXPECT_EQ(board->GetLayoutCellNotEmptyCount(), 5);
  EXPECT_EQ(board->GetLayoutCellCreateCount(), 2);
  EXPECT_EQ(board->GetLayoutCellFillCount(), 1);
}

TEST_F(BoardTest, SetLayoutCellAtPositionRefusesTheBorderAndIgnoresOutsidePositions) {
  EXPECT_EQ(board->SetLayoutCellAtPosition(3, 4, 2), 0);
  EXPECT_EQ(Layout(3, 4).Contents, 2);
  EXPECT_EQ(board->SetLayoutCellAtPosition(0, 4, 1), -1);
  EXPECT_EQ(board->SetLayoutCellAtPosition(5, 13, 1), -1);
  EXPECT_EQ(Layout(0, 4).Contents, 0);
  EXPECT_EQ(Layout(5, 13).Contents, 0);
  EXPECT_EQ(board->SetLayoutCellAtPosition(-1, 4, 1), 0);
  EXPECT_EQ(board->SetLayoutCellAtPosition(18, 4, 1), 0);
  EXPECT_EQ(board->SetLayoutCellAtPosition(4, 14, 1), 0);
  EXPECT_EQ(board->GetLayoutCellNotEmptyCount(), 1);
}

TEST_F(BoardTest, CloneHasItsOwnCellsButSharesRunningAnimations) {
  Paint({"123", "456"});
  Layout(2, 2).IsChain = 1;
  Cell(1, 1).RotationDegree = 180;
  Cell(1, 1).StartDestroyAnimation();
  board->SetMarkedCell(&Cell(3, 2));
  board->DecorationTopLeft = 1;

  std::unique_ptr<TCellBox> copy = board->Clone();
  EXPECT_EQ(boardtest::Picture(*copy, 2, 3), boardtest::Picture(*board, 2, 3));
  EXPECT_EQ(copy->Layout[2][2]->IsChain, 1);
  EXPECT_EQ(copy->Cells[1][1]->RotationDegree, 180);
  EXPECT_EQ(copy->Cells[1][1]->DestroyAnimation, Cell(1, 1).DestroyAnimation);
  EXPECT_EQ(copy->Cells[1][1]->ScoreType, 0);
  EXPECT_EQ(copy->Cells[1][1]->CellBox, copy.get());
  EXPECT_EQ(copy->MarkedCell1, copy->Cells[3][2].get());
  ASSERT_NE(copy->Cells[3][2]->Glow, nullptr);
  EXPECT_NE(copy->Cells[3][2]->Glow.get(), Cell(3, 2).Glow.get());
  EXPECT_EQ(copy->DecorationTopLeft, 1);
  EXPECT_EQ(copy->GameMode, nullptr);

  copy->Cells[2][1]->SetContents(6);
  copy->Layout[3][1]->Contents = 2;
  EXPECT_EQ(Cell(2, 1).Contents, 2);
  EXPECT_EQ(Layout(3, 1).Contents, 1);
}

}  // namespace
