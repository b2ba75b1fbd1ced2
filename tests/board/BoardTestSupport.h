// Boards for tests: built from small pictures, run with a recording mode and
// a private click tracker, one logic step of delta 1 at a time.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TBoardMode.h"
#include "TCellBox.h"
#include "TMousePointer.h"
#include "TVMouse.h"

namespace boardtest {

// Counts everything the board tells its mode.
class TRecordingMode : public TBoardMode {
 public:
  void PlayMatchSound() override { ++MatchSounds; }
  void PlayInvalidSound() override { ++InvalidSounds; }
  void PlayHintSound() override { ++HintSounds; }
  void CheckBonusCounter() override { ++BonusChecks; }
  void MoveMade() override { ++Moves; }
  void AddPendingScore(int points) override {
    ScoreAdder += points;
    ++DestroyStarts;
  }

  // Back to the state of a new mode.
  void Reset() {
    MatchSounds = InvalidSounds = HintSounds = BonusChecks = ScoreAdder = DestroyStarts = Moves = 0;
    ShowHelpMessage = 1;
    BonusCounter = 0;
    HintList.reset();
    ResetHint();
  }

  int MatchSounds = 0, InvalidSounds = 0, HintSounds = 0, BonusChecks = 0;
  int ScoreAdder = 0, DestroyStarts = 0, Moves = 0;
};

// The test program's temporary data folder (ends in "/").
std::string DataFolder();

// Picture of the interior from (1, 1), one string per row:
//   ' ' or '#'  no playing cell        '.'  empty normal cell
//   '1'..'6'    jewel on a normal cell  'm'  empty marble cell
//   'A'..'F'    jewel 1..6 on a marble cell
// Positions the picture leaves out are no playing cells. Chain, create and
// fill marks are cleared.
void Paint(TCellBox& board, const std::vector<std::string>& rows);
// The jewel colours of the interior rows 1..rows, in the same notation
// ('.' no jewel, '#' no playing cell; marble cells in letters).
std::vector<std::string> Picture(const TCellBox& board, int rows = 12, int columns = 16);

class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void Paint(const std::vector<std::string>& rows) { boardtest::Paint(*board, rows); }
  // A fresh board and mode, as after SetUp.
  void NewBoard();
  void Step(int steps = 1);
  // Runs steps until no jewel moves, appears or fades (at most `limit`).
  int Settle(int limit = 2000);
  bool IsBoardSettled() const;
  TCell& Cell(int x, int y) { return *board->Cells[x][y]; }
  TLayoutCell& Layout(int x, int y) { return *board->Layout[x][y]; }

  // The pointer over the centre of (x, y), left button down or up; one
  // tracker step at a time, 5 ms apart.
  void MouseTo(int x, int y, bool down);
  void MouseAt(int px, int py, bool down);
  void Press(int x, int y) { MouseTo(x, y, true); }
  void Release() { MouseAt(pointer.x, pointer.y, false); }

  std::unique_ptr<TCellBox> board;
  TRecordingMode mode;
  TVMouse mouse;
  TMousePointer pointer;
  int clock = 1000;
};

}  // namespace boardtest
