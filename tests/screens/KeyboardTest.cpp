// The whole game from the keyboard, headless, through the scripted feed and
// with no pointer event: a first run from the name prompt to a won level,
// and every screen's and dialog's focus order walked with Tab.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "GameDialogs.h"
#include "ScreenTestSupport.h"
#include "TCell.h"
#include "TCellBox.h"
#include "TGameGUI.h"
#include "TGameMenu.h"
#include "TGameModeEditor.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "THelpScreen.h"
#include "THighScoreScreen.h"
#include "TListBox.h"
#include "TOptionsScreen.h"
#include "TPlayScreen.h"
#include "TSaveGameManager.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TVEndLevelMenu.h"
#include "TVLevelList.h"
#include "TVListBox.h"
#include "TVMouse.h"
#include "TVPlayerManager.h"
#include "TestSupport.h"

namespace {

using screentest::ScreenTest;

class Keyboard : public ScreenTest {
 protected:
  TGameScreen& Game_() { return *Screens->GameScreen; }
  TGameModeMatch3* Mode() { return Game_().GamePlay.Match3(); }

  // The mode can take a move: nothing moves, a move is listed, and the level
  // is not won (a won board settles a while before the level ends).
  bool Settled() {
    TGameModeMatch3* mode = Mode();
    return mode && !Game_().State.stateFinished && !mode->IsFinished() &&
           !mode->StartGameAnimation && mode->IsBoardAtRest() && mode->HintList &&
           !mode->HintList->empty() && !mode->ShufflePieces;
  }

  // Arrows to (x, y) on a board without holes, one key at a time.
  void CursorTo(const TBoardCursor& cursor, int x, int y) {
    while (cursor.X != x) ASSERT_TRUE(Key(cursor.X < x ? "right" : "left", 2));
    while (cursor.Y != y) ASSERT_TRUE(Key(cursor.Y < y ? "down" : "up", 2));
  }

  // Every control listed is in the ring, nothing else is, and Tab visits all
  // of them in that order and comes round to the first again.
  void Walk(TFocusRing& ring, const std::vector<const void*>& expected, const std::string& where) {
    SCOPED_TRACE(where);
    std::vector<const void*> order = ring.Order();
    EXPECT_EQ(std::set<const void*>(order.begin(), order.end()),
              std::set<const void*>(expected.begin(), expected.end()));
    if (!ring.Shown()) {
      ASSERT_TRUE(Key("tab", 2));  // the first Tab shows it
    }
    ASSERT_TRUE(ring.Shown());
    auto at = std::find(order.begin(), order.end(), ring.Current());
    ASSERT_NE(at, order.end());
    std::vector<const void*> seen;
    for (size_t i = 0; i <= order.size(); ++i) {
      seen.push_back(ring.Current());
      ASSERT_TRUE(Key("tab", 2));
    }
    std::rotate(order.begin(), at, order.end());
    order.push_back(order.front());
    EXPECT_EQ(seen, order);
    // Shift+Tab goes back.
    Script("1 keydown shift\n1 key tab\n2 keyup shift\n");
    ASSERT_TRUE(Steps(3));
    EXPECT_EQ(ring.Current(), seen.front());
  }

  static std::vector<const void*> ButtonsOf(const TMenu* menu) {
    std::vector<const void*> buttons;
    for (const auto& button : menu->Buttons) {
      if (button->Active && !button->Disabled) buttons.push_back(button.get());
    }
    return buttons;
  }
  static std::vector<const void*> Join(std::initializer_list<std::vector<const void*>> parts) {
    std::vector<const void*> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  }
};

TEST_F(Keyboard, AFirstRunFromTheNamePromptToAWonLevelOneWithTheKeysAlone) {
  AddLevel("001");
  Fades = false;
  ASSERT_TRUE(StartAtNamePrompt());
  TTitleScreen& title = *Screens->Title;
  // The name, typed; the focus of the prompt shows on "OK" at the first arrow.
  Script("1 char k\n2 char a\n3 char y\n");
  ASSERT_TRUE(Steps(5));
  ASSERT_TRUE(Key("down", 3));
  TButton* ok = title.EnterName->Menu->FindButton("OK");
  EXPECT_EQ(title.EnterName->Focus.Current(), ok);
  EXPECT_EQ(ok->Focused, 1);
  Shot("keyboard-prompt-focus");
  ASSERT_TRUE(Key("enter", 10));
  EXPECT_EQ(title.EnterName, nullptr);
  ASSERT_NE(Game->CurrentProfile, nullptr);
  EXPECT_EQ(Game->CurrentProfile->Name, "Kay");

  // The prompt was left with Enter: the title shows its focus at once, on
  // "play"; Down moves to "help", which then looks as under the pointer.
  ASSERT_TRUE(Steps(3));
  TButton* play = title.MainMenu->FindButton("play");
  TButton* help = title.MainMenu->FindButton("help");
  EXPECT_TRUE(title.Focus.Shown());
  EXPECT_EQ(title.Focus.Current(), play);
  ASSERT_TRUE(Key("down", 40));
  EXPECT_EQ(title.Focus.Current(), help);
  EXPECT_EQ(help->MouseOver, 1);
  EXPECT_GT(help->ScaleOnMO, 1.0f);  // it grows as under the pointer
  EXPECT_EQ(play->MouseOver, 0);
  Shot("keyboard-title-focus");
  ASSERT_TRUE(Key("up", 3));
  ASSERT_TRUE(Key("enter", 3));
  ASSERT_TRUE(RunUntilShown(Screens->Play.get()));
  // The grid takes the first arrow at once; Page Down keeps to one page here.
  ASSERT_TRUE(Key("pagedown", 3));
  ASSERT_TRUE(Key("enter", 3));
  ASSERT_TRUE(RunUntilShown(&Game_()));

  // Exchanges through the cursor until the level is won.
  TCellBox* board = Mode()->CellBox.get();
  ASSERT_TRUE(RunUntil([&] { return Settled(); }, 3000));
  // The level was chosen with Enter: the cursor shows at once.
  ASSERT_EQ(board->Cursor.Visible, 1);
  EXPECT_TRUE(board->IsPlayingCell(board->Cursor.X, board->Cursor.Y));
  Shot("keyboard-board-cursor");
  int moves = 0;
  while (!Game_().State.stateFinished && moves < 40) {
    ASSERT_TRUE(RunUntil([&] { return Settled() || Game_().State.stateFinished; }, 3000));
    if (Game_().State.stateFinished) break;
    const TMatch3Hint& hint = Mode()->HintList->front();
    const TCell& first = *hint.FirstCell;
    const TCell& second = *hint.SecondCell;
    CursorTo(board->Cursor, first.ArrayX, first.ArrayY);
    ASSERT_TRUE(Key("space", 2));
    EXPECT_EQ(board->PickedCell(), &first);
    if (moves == 0) {
      ASSERT_TRUE(Steps(20));
      Shot("keyboard-picked-jewel");
    }
    int dx = second.ArrayX - first.ArrayX, dy = second.ArrayY - first.ArrayY;
    ASSERT_TRUE(Key(dx > 0 ? "right" : dx < 0 ? "left" : dy > 0 ? "down" : "up", 2));
    EXPECT_TRUE(board->IsCellSwitchAnimation());
    EXPECT_EQ(board->Cursor.X, second.ArrayX);
    ++moves;
  }
  EXPECT_EQ(Game_().State.stateFinished, 1);
  ASSERT_TRUE(Steps(200));
  // The end panel came after a key: its first button shows the focus at once.
  const TVEndLevelMenu& panel = *Game_().GUI->endLevelMenu;
  EXPECT_TRUE(panel.Focus.Shown());
  EXPECT_EQ(panel.Focus.Current(), panel.Menu->Buttons.front().get());
  // The win is recorded for the player as after a game with the mouse.
  std::string record = testsupport::ReadWholeFile(ProfileFolder() + "Kays.ini");
  EXPECT_NE(record.find("001=1"), std::string::npos) << record;
  // No pointer event came: the pointer never moved, no button was pressed.
  EXPECT_EQ(VMouse.DragStartX, -1);
  EXPECT_EQ(Game->Mouse.mh, 0);
}

// One control at a time looks chosen, and a screen comes back to the
// control that led away from it, whether a key or the pointer chose it.
TEST_F(Keyboard, AWalkToOptionsAndBackKeepsOneChosenButtonAndComesBackToIt) {
  MakePlayer("Ada");
  Fades = false;
  ASSERT_TRUE(StartGame());
  TTitleScreen& title = *Screens->Title;
  ASSERT_TRUE(RunUntilShown(&title));
  auto chosen = [&] {
    std::vector<std::string> names;
    for (const auto& button : title.MainMenu->Buttons) {
      if (button->MouseOver) names.push_back(button->name);
    }
    return names;
  };
  auto pointTo = [&](const char* name) {
    const TButton& button = *title.MainMenu->FindButton(name);
    Script("1 move " + std::to_string(int(button.x + button.w / 2)) + " " +
           std::to_string(int(button.y + button.h / 2)));
    return Steps(5);
  };
  // The pointer rests on "help"; the first arrow shows the focus on "play",
  // and "help" no longer looks chosen.
  ASSERT_TRUE(pointTo("help"));
  EXPECT_EQ(chosen(), std::vector<std::string>{"HELP"});
  ASSERT_TRUE(Key("down", 3));
  EXPECT_EQ(chosen(), std::vector<std::string>{"PLAY"});
  while (title.Focus.Current() != title.MainMenu->FindButton("options")) {
    ASSERT_TRUE(Key("down", 3));
  }
  ASSERT_TRUE(Key("enter", 3));
  TOptionsScreen& options = *Screens->Options;
  ASSERT_TRUE(RunUntilShown(&options));
  // Opened by a key: its first control shows the focus at once.
  ASSERT_TRUE(Steps(2));
  EXPECT_TRUE(options.Focus.Shown());
  EXPECT_EQ(options.Focus.Current(), static_cast<TFocusItem*>(options.Panel.MusicSlider.get()));
  Shot("focus-options-at-once");
  ASSERT_TRUE(Key("esc", 3));
  ASSERT_TRUE(RunUntilShown(&title));
  ASSERT_TRUE(Steps(2));
  EXPECT_TRUE(title.Focus.Shown());
  EXPECT_EQ(title.Focus.Current(), title.MainMenu->FindButton("options"));
  EXPECT_EQ(chosen(), std::vector<std::string>{"OPTIONS"});
  Shot("focus-back-on-options");
  // The pointer still rests on "help" and shows nothing; once it moves, the
  // focus hides and the button under it is chosen.
  ASSERT_TRUE(pointTo("Exit"));
  EXPECT_FALSE(title.Focus.Shown());
  EXPECT_EQ(chosen(), std::vector<std::string>{"EXIT"});
  // A screen left by the pointer comes back to the button it pressed.
  ASSERT_TRUE(ClickButton(title.MainMenu.get(), "highscore"));
  ASSERT_TRUE(RunUntilShown(Screens->HighScores.get()));
  ASSERT_TRUE(Key("esc", 3));
  ASSERT_TRUE(RunUntilShown(&title));
  ASSERT_TRUE(Steps(2));
  EXPECT_EQ(title.Focus.Current(), title.MainMenu->FindButton("highscore"));
  EXPECT_TRUE(title.Focus.Shown());  // Escape was a key
}

TEST_F(Keyboard, EveryScreenAndDialogHasAllItsControlsInItsFocusOrder) {
  AddLevel("001");
  AddLevel("002");
  MakePlayer("Ada");
  Fades = false;
  ASSERT_TRUE(StartGame());
  TTitleScreen& title = *Screens->Title;
  ASSERT_TRUE(RunUntilShown(&title));
  Walk(title.Focus, ButtonsOf(title.MainMenu.get()), "title");

  // The player manager: its list, then its buttons.
  title.ShowPlayerManager();
  ASSERT_TRUE(Steps(5));
  TPlayerManager& manager = *title.PlayerManager;
  Walk(manager.Focus, Join({{manager.ListBox.get()}, ButtonsOf(manager.Menu.get())}), "players");
  ASSERT_TRUE(Key("esc", 5));
  EXPECT_EQ(title.PlayerManager, nullptr);

  TOptionsScreen& options = *Screens->Options;
  ASSERT_TRUE(TGameScreens::ChangeTo(&options));
  ASSERT_TRUE(RunUntilShown(&options));
  Walk(options.Focus,
       Join({{static_cast<TFocusItem*>(options.Panel.MusicSlider.get()),
              static_cast<TFocusItem*>(options.Panel.SoundSlider.get())},
             ButtonsOf(options.Panel.OptionsMenu.get()),
             ButtonsOf(options.MainMenu.get())}),
       "options");
  // A focused slider moves with Left and Right, and the volume follows.
  options.Focus.FocusOn(static_cast<TFocusItem*>(options.Panel.MusicSlider.get()));
  int volume = Game->MusicVolume;
  ASSERT_TRUE(Key("left", 3));
  EXPECT_EQ(options.Panel.MusicSlider->Value, std::max(0, volume - 5));
  EXPECT_EQ(Game->MusicVolume, options.Panel.MusicSlider->Value);

  TMenuScreen& help = *Screens->Help;
  ASSERT_TRUE(TGameScreens::ChangeTo(&help));
  ASSERT_TRUE(RunUntilShown(&help));
  Walk(help.Focus, ButtonsOf(help.MainMenu.get()), help.name);
  // The high scores: "ok" and "clear", then the arrows of the tables.
  THighScoreScreen& scores = *Screens->HighScores;
  ASSERT_TRUE(TGameScreens::ChangeTo(&scores));
  ASSERT_TRUE(RunUntilShown(&scores));
  Walk(scores.Focus, Join({ButtonsOf(scores.MainMenu.get()), ButtonsOf(scores.PageMenu.get())}),
       scores.name);

  TPlayScreen& playScreen = *Screens->Play;
  ASSERT_TRUE(TGameScreens::ChangeTo(&playScreen));
  ASSERT_TRUE(RunUntilShown(&playScreen));
  TVLevelList* grid = playScreen.ShownList();
  Walk(playScreen.Focus,
       Join({ButtonsOf(playScreen.LevelTypeMenu.get()),
             ButtonsOf(playScreen.PlayWayMenu.get()),
             {grid},
             ButtonsOf(grid->NavigationMenu.get()),
             ButtonsOf(playScreen.MainMenu.get())}),
       "level selection");

  // The game screen: the board, then the play bar; the in-game menu; the
  // save question; a yes/no question.
  ASSERT_TRUE(Game_().StartLevel(GameFolder() + "layouts/001.layout", 0));
  ASSERT_TRUE(RunUntilShown(&Game_()));
  ASSERT_TRUE(RunUntil([&] { return Settled(); }, 3000));
  TGameGUI& gui = *Game_().GUI;
  Walk(gui.Focus, Join({{&gui.BoardFocus}, ButtonsOf(gui.MainMenu.get())}), "game");
  ASSERT_TRUE(Key("esc", 30));
  ASSERT_TRUE(Game_().InGameMenu->Active);
  TGameMenu& menu = *Game_().InGameMenu;
  Walk(menu.Focus, ButtonsOf(menu.Buttons()), "in-game menu");
  TButton* save = menu.Buttons()->FindButton("savegame");
  menu.Focus.FocusOn(save);
  ASSERT_TRUE(Key("enter", 10));
  ASSERT_NE(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  Walk(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->Focus,
       ButtonsOf(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->Menu.get()),
       "save name");
  Shot("keyboard-dialog-focus");
  // Enter saves under the name the dialog suggests; Enter again closes the
  // message that says so.
  ASSERT_TRUE(Key("enter", 10));
  EXPECT_EQ(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  if (gui.Dialogs.As<TDialogOK>(TDialogSlot::OKInput)) {
    ASSERT_TRUE(Key("enter", 30));
  }
  EXPECT_EQ(gui.Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);
  // Leaving asks only when something would be lost: as after a line made
  // since the save.
  Mode()->UnsavedProgress = 1;
  menu.Focus.FocusOn(menu.Buttons()->FindButton("backtomenu"));
  ASSERT_TRUE(Key("enter", 10));
  ASSERT_NE(gui.Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
  Walk(gui.Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput)->Focus,
       ButtonsOf(gui.Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput)->Menu.get()), "yes/no");
  ASSERT_TRUE(Key("y", 10));
  ASSERT_TRUE(RunUntilShown(&playScreen));

  // The save-game chooser of the level selection: list, arrows, buttons.
  playScreen.ShowSaveGameManager();
  ASSERT_TRUE(Steps(5));
  TSaveGameManager& chooser = *playScreen.SaveGameManager;
  Walk(chooser.Focus,
       Join({{chooser.ListBox.get()},
             ButtonsOf(chooser.MenuArrowUp.get()),
             ButtonsOf(chooser.MenuArrowDown.get()),
             ButtonsOf(chooser.Menu.get())}),
       "save-game chooser");
  // The list takes Down, Enter loads the save chosen.
  chooser.Focus.FocusOn(static_cast<TFocusItem*>(chooser.ListBox.get()));
  ASSERT_TRUE(Key("down", 3));
  ASSERT_FALSE(chooser.ListBox->Value.empty());
  EXPECT_EQ(plat::FileType(ProfileFolder() + chooser.ListBox->Value + ".save"),
            plat::FILETYPE_FILE);
  ASSERT_TRUE(Key("enter", 5));
  ASSERT_TRUE(RunUntilShown(&Game_()));

  // The editor: the board, then the editor's bar.
  ASSERT_TRUE(Key("esc", 30));
  menu.Focus.FocusOn(menu.Buttons()->FindButton("backtomenu"));
  // Just resumed, nothing would be lost: the game is left at once.
  ASSERT_TRUE(Key("enter", 10));
  EXPECT_EQ(gui.Dialogs.As<TDialogYesNo>(TDialogSlot::QuitInput), nullptr);
  ASSERT_TRUE(RunUntilShown(&playScreen));
  Game_().StartEditor();
  ASSERT_TRUE(RunUntilShown(&Game_()));
  ASSERT_TRUE(Steps(20));
  Walk(gui.Focus,
       Join({{&gui.BoardFocus},
             ButtonsOf(Game_().GamePlay.Editor()->BrushMenu.get()),
             ButtonsOf(gui.CustomMenu.get())}),
       "editor");
  // The editor's Load over unsaved changes asks first: its own yes/no.
  ASSERT_NE(Game_().GamePlay.Editor(), nullptr);
  Game_().GamePlay.Editor()->UnsavedChanges = 1;  // as after a painted cell
  gui.Focus.FocusOn(gui.CustomMenu->FindButton("loadcustom"));
  ASSERT_TRUE(Key("enter", 10));
  ASSERT_NE(gui.Dialogs.As<TDialogYesNo>(TDialogSlot::LoadInput), nullptr);
  Walk(gui.Dialogs.As<TDialogYesNo>(TDialogSlot::LoadInput)->Focus,
       ButtonsOf(gui.Dialogs.As<TDialogYesNo>(TDialogSlot::LoadInput)->Menu.get()), "editor load");
  ASSERT_TRUE(Key("esc", 10));
  EXPECT_EQ(gui.Dialogs.As<TDialogYesNo>(TDialogSlot::LoadInput), nullptr);
  EXPECT_EQ(gui.Dialogs.As<TSaveGameManager>(TDialogSlot::SaveGameManager), nullptr);
}

}  // namespace
