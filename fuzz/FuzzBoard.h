// A board for the targets that run one: a blank board wired to a mode that
// keeps no score and plays no sound, and to a mouse that never moves, with
// the random source and the logic step made repeatable, so a run costs only
// what the board itself does and a finding replays exactly.
#pragma once

#include "Globals.h"
#include "TBoardArt.h"
#include "TBoardMode.h"
#include "TCellBox.h"
#include "TVMouse.h"

class TSilentBoardMode : public TBoardMode {
 public:
  void PlayMatchSound() override {}
  void PlayInvalidSound() override {}
  void PlayHintSound() override {}
  void CheckBonusCounter() override {}
  void AddPendingScore(int) override {}
};

struct TFuzzBoard {
  TFuzzBoard() { Wire(Board); }
  // Another board (a saved game's first deal) on the same mode and mouse.
  void Wire(TCellBox& other) {
    other.GameMode = &Mode;
    other.Mouse = &Mouse;
  }
  // The first steps of play, then a frame.
  void Play(int steps) {
    for (int step = 0; step < steps; ++step) Board.Manage();
    Board.Draw();
  }

  // First, so that the board is built on the seeded source.
  struct TRepeatable {
    TRepeatable() {
      LogicDelta = 1.0f;
      plat::SeedRnd(1);
    }
  } Repeatable;
  TSilentBoardMode Mode;
  TVMouse Mouse;
  TCellBox Board{TBoardArt::Blank()};
};
