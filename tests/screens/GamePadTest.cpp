// The game pad in the real game, headless, through a virtual pad that SDL's
// game-controller interface sees as plugged in: a first run played with the
// pad alone, from the letter grid at the name prompt to a won level; the pad
// plugged in and pulled out while the title shows and during play, its
// pause and hint buttons.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "Pad.h"
#include "PlayerSelection.h"
#include "ScreenTestSupport.h"
#include "TAutoPlayChoice.h"
#include "TButton.h"
#include "TCellBox.h"
#include "TCompletionFile.h"
#include "TDialogTextInput.h"
#include "TGameModeMatch3.h"
#include "TGamePlay.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TMenu.h"
#include "TPlayScreen.h"
#include "TPlayerFiles.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"

namespace {

using screentest::ScreenTest;

class GamePad : public ScreenTest {
 protected:
  // One press of a pad button: down in the next step, up in the one after.
  bool Press(const std::string& button, int stepsAfter = 4) {
    Script("1 pad " + button);
    return Steps(2 + stepsAfter);
  }
  // The same button pressed n times.
  bool Press(const std::string& button, int n, int stepsAfter) {
    for (int i = 0; i < n; ++i) {
      if (!Press(button, stepsAfter)) return false;
    }
    return true;
  }
  // The D-pad until the board cursor stands on (x, y); a press that came
  // while the board took no input is made again, as a player would.
  bool CursorTo(const TCellBox& board, int x, int y) {
    for (int i = 0; i < 40 && (board.Cursor.X != x || board.Cursor.Y != y); ++i) {
      const char* toward = board.Cursor.X < x   ? "right"
                           : board.Cursor.X > x ? "left"
                           : board.Cursor.Y < y ? "down"
                                                : "up";
      if (!Press(toward, 2)) return false;
    }
    return board.Cursor.X == x && board.Cursor.Y == y;
  }
  // A first run with a pad plugged in, up to the name prompt slid in.
  bool FirstRunWithAPad() {
    AddLevel("001");
    if (!StartGame()) return false;
    Script("1 pad-plug");
    TTitleScreen& title = *Screens->Title;
    return RunUntil([&] { return title.EnterName && title.EnterName->TextInput.Active; }, 600) &&
           Steps(40);
  }
  TGameScreen screen_;
};

TEST_F(GamePad, AFirstRunWithThePadAloneFromTheLetterGridToAWonLevel) {
  ASSERT_TRUE(FirstRunWithAPad());
  TTitleScreen& title = *Screens->Title;
  TDialogTextInput& prompt = *title.EnterName;
  EXPECT_TRUE(prompt.LetterGrid.Shown(prompt.TextInput));
  Shot("pad-letter-grid");

  // "Ada" on the grid: A, the case key above the letters, a, d, a, then OK.
  ASSERT_TRUE(Press("a"));
  ASSERT_TRUE(Press("up"));
  ASSERT_TRUE(Press("a"));  // lower case
  ASSERT_TRUE(Press("down"));
  ASSERT_TRUE(Press("right", 3, 4));
  ASSERT_TRUE(Press("a"));
  ASSERT_TRUE(Press("left", 3, 4));
  ASSERT_TRUE(Press("a"));
  EXPECT_EQ(prompt.TextInput.Text, "Ada");
  Shot("pad-letter-grid-typed");
  ASSERT_TRUE(Press("up"));
  ASSERT_TRUE(Press("left"));  // round to OK
  ASSERT_TRUE(Press("a", 30));
  EXPECT_EQ(Game->ProfileName, "Ada");
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Ada.dat"), plat::FILETYPE_FILE);

  // The title: the D-pad brings the focus to "play", A presses it.
  TButton* play = title.MainMenu->FindButton("play");
  ASSERT_NE(play, nullptr);
  for (int i = 0; i < 12 && !play->Focused; ++i) ASSERT_TRUE(Press("down", 10));
  ASSERT_EQ(play->Focused, 1);
  Shot("pad-title-focus");
  ASSERT_TRUE(Press("a"));
  ASSERT_TRUE(RunUntilShown(Screens->Play.get()));
  // The level grid has the focus: A starts the selected level.
  ASSERT_TRUE(Press("a"));
  TGameScreen& game = *Screens->GameScreen;
  ASSERT_TRUE(RunUntilShown(&game));
  EXPECT_NE(game.GamePlay.CurrentLevel.find("001.layout"), std::string::npos);

  // Play: the D-pad brings the board cursor to a jewel of a move, A picks it,
  // a direction exchanges it with its neighbour.
  TGameModeMatch3* mode = game.GamePlay.Match3();
  ASSERT_NE(mode, nullptr);
  TAutoPlayChoice choice(7);
  int moves = 0;
  while (!game.State.stateFinished && moves < 80) {
    ASSERT_TRUE(RunUntil(
        [&] {
          return game.State.stateFinished || mode->ShufflePieces ||
                 (mode->IsBoardAtRest() && mode->HintList && !mode->HintList->empty());
        },
        2000));
    // Won: the points still count up before the end panel.
    if (game.State.stateFinished || mode->IsGameFinished()) break;
    if (mode->ShufflePieces) {
      ASSERT_TRUE(Press("a", 60));  // "Yes": reshuffle
      continue;
    }
    TCellBox& board = *mode->CellBox;
    if (!board.Cursor.Visible) {
      ASSERT_TRUE(Press("right"));  // the first direction shows the cursor
      continue;
    }
    std::optional<TAutoPlayMove> move = choice.Choose(board, *mode->HintList);
    ASSERT_TRUE(move);
    // The test's board is one block: straight runs reach every cell.
    ASSERT_TRUE(CursorTo(board, move->X1, move->Y1));
    ASSERT_TRUE(Press("a", 2));
    const char* toward = move->X2 > move->X1   ? "right"
                         : move->X2 < move->X1 ? "left"
                         : move->Y2 > move->Y1 ? "down"
                                               : "up";
    ASSERT_TRUE(Press(toward, 40));
    ++moves;
  }
  ASSERT_TRUE(RunUntil([&] { return game.State.stateFinished == 1; }, 1000)) << moves << " moves";
  EXPECT_GE(moves, 1);
  ASSERT_TRUE(Steps(100));
  Shot("pad-level-won");
  TCompletionFile record(TPlayerFiles::Path(ProfileFolder(), "Ada", TPlayerFiles::StandardRecord));
  record.Load();
  EXPECT_EQ(record.IsCompleted("001"), 1);
}

TEST_F(GamePad, WithAPadPluggedInTheKeyboardTypesANameWithoutDrivingTheLetterGrid) {
  ASSERT_TRUE(FirstRunWithAPad());
  TDialogTextInput& prompt = *Screens->Title->EnterName;
  ASSERT_TRUE(prompt.LetterGrid.Shown(prompt.TextInput));
  prompt.TextInput.SetText("");
  const int row = prompt.LetterGrid.Row, column = prompt.LetterGrid.Column;
  // The arrows move the text cursor, not the grid's focus; Enter takes the
  // name as typed and types no letter of the grid.
  Script("1 char B\n3 char o\n5 key right\n7 key down\n9 key right\n11 char b");
  ASSERT_TRUE(Steps(20));
  EXPECT_EQ(prompt.LetterGrid.Row, row);
  EXPECT_EQ(prompt.LetterGrid.Column, column);
  EXPECT_EQ(prompt.TextInput.Text, "Bob");
  ASSERT_TRUE(Key("enter", 30));
  EXPECT_EQ(Game->ProfileName, "Bob");
}

TEST_F(GamePad, APadPluggedInAndPulledOutDuringPlaySetsThePause) {
  MakePlayer("Ada");
  std::string path = AddLevel("001");
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->FirstScreen()));
  ChoosePlayerAtStart();

  // On the title a pad comes and goes without a pause.
  Script("1 pad-plug");
  ASSERT_TRUE(Steps(5));
  EXPECT_EQ(plat::PadCount(), 1);
  Script("1 pad-unplug");
  ASSERT_TRUE(Steps(5));
  EXPECT_EQ(plat::PadCount(), 0);
  EXPECT_EQ(Game->Paused, 0);

  screen_.LeaveTo = Screens->FirstScreen();
  ASSERT_TRUE(screen_.StartLevel(path, 0));
  ASSERT_TRUE(RunUntilShown(&screen_));

  // Plugged in during play it works at once: Back/Select is the pause key.
  Script(
      "1 pad-plug\n"
      "2 pad back");
  ASSERT_TRUE(Steps(5));
  EXPECT_EQ(plat::PadCount(), 1);
  EXPECT_EQ(Game->Paused, 1);
  Script("1 pad select");
  ASSERT_TRUE(Steps(5));
  EXPECT_EQ(Game->Paused, 0);

  // Y asks for a hint, as H does.
  TGameModeMatch3* mode = screen_.GamePlay.Match3();
  ASSERT_NE(mode, nullptr);
  ASSERT_TRUE(RunUntil([&] { return mode->HintList && !mode->HintList->empty(); }, 600));
  EXPECT_LT(mode->HintAlpha(), 0);
  Script("1 pad y");
  ASSERT_TRUE(RunUntil([&] { return mode->HintAlpha() > 0; }, 200));

  // Pulled out in play: the pause, as the pause key sets it, picture and all.
  Script("1 pad-unplug");
  ASSERT_TRUE(Steps(3));
  EXPECT_EQ(plat::PadCount(), 0);
  EXPECT_EQ(Game->Paused, 1);
  Shot("pad-pulled-out");
  // The pause outlasts the pad: it ends with the pause key, not by itself.
  ASSERT_TRUE(Steps(60));
  EXPECT_EQ(Game->Paused, 1);
  ASSERT_TRUE(Key("p"));
  EXPECT_EQ(Game->Paused, 0);

  // Pulled out while paused, the pause stays on (it does not toggle off).
  Script(
      "1 pad-plug\n"
      "2 pad back\n"
      "6 pad-unplug");
  ASSERT_TRUE(Steps(10));
  EXPECT_EQ(Game->Paused, 1);
}

}  // namespace
