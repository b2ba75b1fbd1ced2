#include "TAutoPlay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include "BoardGrid.h"
#include "Pad.h"
#include "TButton.h"
#include "TCell.h"
#include "TCellBox.h"
#include "TDialog.h"
#include "TDialogYesNo.h"
#include "TGameGUI.h"
#include "TGameMenu.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TLevelClock.h"
#include "TMenu.h"
#include "TPlayScreen.h"
#include "TSaveGameManager.h"
#include "TStandardLevels.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TVEndLevelMenu.h"
#include "TVListBox.h"
#include "TVProfile.h"
#include "TextCase.h"

namespace {

// A dialog that takes clicks now: open and not sliding or fading.
bool TakesClicks(const TDialog* dialog) {
  return dialog && dialog->Active && !dialog->Transitioning && dialog->Menu;
}

bool IsDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

bool TAutoPlay::ParseItem(const std::string& item, const std::string& layouts,
                          const std::string& startDir, std::vector<TLevel>& levels,
                          std::string& error) {
  const std::string extension = TStandardLevels::Extension;
  const std::string save = SavePrefix;
  for (TPlayWay way : {TPlayWay::Attack, TPlayWay::Endless}) {
    if (item == playway::Name(way)) {
      TLevel level{item, "", 0, ""};
      level.OpenBoard = way;
      levels.push_back(level);
      return true;
    }
  }
  if (item.compare(0, save.size(), save) == 0) {
    std::string name = item.substr(save.size());
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("/\\") != std::string::npos) {
      error = "--autoplay: \"" + item + "\" names no saved game";
      return false;
    }
    TLevel level{item, "", 0, ""};
    level.Save = name;
    levels.push_back(level);
    return true;
  }
  if (item.size() > extension.size() &&
      item.compare(item.size() - extension.size(), extension.size(), extension) == 0) {
    std::string name = item.substr(0, item.size() - extension.size());
    size_t slash = name.find_last_of('/');
    if (slash != std::string::npos) name = name.substr(slash + 1);
    // A relative path is meant from where the program was started.
    std::string path = item[0] == '/' || startDir.empty() ? item : startDir + "/" + item;
    levels.push_back({name, path, 1, ""});
    return true;
  }
  size_t dash = item.find('-');
  std::string first = item.substr(0, dash);
  std::string last = dash == std::string::npos ? first : item.substr(dash + 1);
  if (!IsDigits(first) || !IsDigits(last) || first.size() > 3 || last.size() > 3) {
    error =
        "--autoplay needs levels (\"005\"), ranges (\"001-080\"), .layout files, "
        "save:NAME, attack or endless, separated by commas, not \"" +
        item + "\"";
    return false;
  }
  int from = std::atoi(first.c_str()), to = std::atoi(last.c_str());
  if (from < 1 || to < from) {
    error = "--autoplay: the range \"" + item + "\" holds no level";
    return false;
  }
  for (int n = from; n <= to; ++n) {
    levels.push_back({TStandardLevels::Digits(n), TStandardLevels::Path(layouts, n), 0, ""});
  }
  return true;
}

bool TAutoPlay::ParseLevels(const std::string& argument, const std::string& layouts,
                            std::vector<TLevel>& levels, std::string& error,
                            const std::string& startDir) {
  levels.clear();
  size_t from = 0;
  while (true) {
    size_t comma = argument.find(',', from);
    std::string item = argument.substr(from, comma == std::string::npos ? comma : comma - from);
    if (!ParseItem(item, layouts, startDir, levels, error)) {
      levels.clear();
      return false;
    }
    if (comma == std::string::npos) return true;
    from = comma + 1;
  }
}

bool TAutoPlay::CheckOptions(std::string& error) const {
  bool open = false, endless = false;
  for (const TLevel& level : levels_) {
    open = open || level.OnOpenBoard();
    endless = endless || level.OpenBoard == TPlayWay::Endless;
  }
  if (open && Way != TPlayWay::Relaxed) {
    error = "--autoplay: attack and endless are not played with --mode " +
            std::string(playway::Name(Way));
  } else if (endless && EndlessMoves <= 0) {
    error = "--autoplay: endless needs --moves N";
  } else if (!endless && EndlessMoves > 0) {
    error = "--moves is for --autoplay endless alone";
  }
  return error.empty();
}

TAutoPlay::TAutoPlay(std::vector<TLevel> levels, std::string player, uint32_t seed, bool headless)
    : levels_(std::move(levels)),
      player_(std::move(player)),
      headless_(headless),
      pace_(TBotPace::For(headless)),
      hands_(headless),
      choice_(seed) {
  Print = [](const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  };
  EndRun = [] {
    if (Game) Game->StepLimit = Game->LogicSteps;
  };
  if (levels_.empty()) phase_ = TPhase::Done;
}

TAutoPlay::~TAutoPlay() = default;

// ---------------------------------------------------------------- what the bot sees

TGameScreen* TAutoPlay::Screen() const { return Screens ? Screens->GameScreen.get() : nullptr; }

TGameModeMatch3* TAutoPlay::Mode() const {
  TGameScreen* screen = Screen();
  return screen ? screen->GamePlay.Match3() : nullptr;
}

bool TAutoPlay::OnGameScreen() const {
  return Game && Screen() && Game->CurrentTScreen == Screen() && !Game->Fading() && !Game->Paused &&
         !Game->Suspended;
}

bool TAutoPlay::ReadyForMove(const TGameModeMatch3& mode) const {
  const TGameScreen& screen = *Screen();
  // A won board that still settles takes no input: a move made then would be
  // clicks that land on the end panel's buttons once it opens.
  return !screen.State.Over() && !mode.IsFinished() && !screen.State.disableButtons &&
         !(screen.InGameMenu && screen.InGameMenu->Active) && !mode.ShufflePieces &&
         !mode.StartGameAnimation && mode.IsBoardAtRest() && mode.HintList.has_value();
}

// ---------------------------------------------------------------- each step

void TAutoPlay::BeforeStep(long long step) {
  step_ = step;
  hands_.Keys = Keys;
  hands_.Pad = Pad;
  hands_.SetStep(step);
  hands_.FlushDue(step);
  if (phase_ == TPhase::Done || !Game || step < waitUntil_ || hands_.Busy()) return;
  switch (phase_) {
    case TPhase::SelectPlayer:
      StepSelectPlayer();
      break;
    case TPhase::StartLevel:
      StepStartLevel();
      break;
    case TPhase::Playing:
      StepPlaying();
      break;
    case TPhase::LevelOver:
      StepLevelOver();
      break;
    case TPhase::Done:
      break;
  }
}

// Before the title screen starts, so that it finds a current player and
// asks for no name.
void TAutoPlay::StepSelectPlayer() {
  if (Pad && !plat::VirtualPadAttached() && !plat::AttachVirtualPad()) {
    Print("autoplay: no virtual game pad can be plugged in");
    Finish(StatusError);
    return;
  }
  if (!SelectPlayer(player_)) {
    Print("autoplay: the player \"" + player_ + "\" cannot be created");
    Finish(StatusError);
    return;
  }
  phase_ = TPhase::StartLevel;
}

// As the level selection starts a level: the new-game step, the mode's
// Init with the layout, the fade to the game screen.
void TAutoPlay::StepStartLevel() {
  if (!Screens || !Game->CurrentTScreen || Game->Fading()) return;
  const TLevel& level = levels_[current_];
  if (!level.Save.empty()) {
    StepResume(level.Save);
    return;
  }
  // On the title (the run's first level) or the level selection (back from
  // a level whose successor is not this one).
  if (Game->CurrentTScreen != Screens->FirstScreen() &&
      Game->CurrentTScreen != Screens->Play.get()) {
    return;  // still loading, or still leaving the game screen
  }
  if (level.OnOpenBoard()) {
    if (!Screen()->StartOpenBoard(level.OpenBoard)) return;  // a fade still runs
  } else if (!Screen()->StartLevel(level.Path, level.Custom, Way)) {
    Print("autoplay: the level \"" + level.Path + "\" cannot be read");
    Finish(StatusError);
    return;
  }
  moves_ = reshuffles_ = 0;
  leftEndless_ = false;
  phase_ = TPhase::Playing;
}

void TAutoPlay::StepPlaying() {
  const TLevel& level = levels_[current_];
  if (leftEndless_ || (level.OpenBoard == TPlayWay::Endless && moves_ >= EndlessMoves)) {
    StepLeaveEndless();
    return;
  }
  TGameModeMatch3* mode = Mode();
  if (!OnGameScreen() || !mode) return;
  if (Screen()->State.stateFinished) {
    Report("won");
    phase_ = TPhase::LevelOver;
    return;
  }
  if (Screen()->State.stateOutOfTime && level.OpenBoard == TPlayWay::Attack) {
    // The time is up: the end of a time attack.
    ReportOpenBoard();
    phase_ = TPhase::LevelOver;
    return;
  }
  if (Screen()->State.stateOutOfTime) {
    Report("out of time");
    Finish(StatusLost);
    return;
  }
  // The open board ends with its time or its moves, not with the limits
  // that tell a level the bot cannot win.
  if (!level.OnOpenBoard() && (moves_ >= MaxMoves || LevelClock.Elapsed() >= MaxPlayingMs)) {
    Report("lost");
    Finish(StatusLost);
    return;
  }
  if (mode->ShufflePieces) {
    // The reshuffle question: "Yes", as a player who wants to go on.
    if (!TakesClicks(mode->ShufflePieces.get())) return;
    if (TButton* yes = mode->ShufflePieces->Menu->FindButton("Yes")) {
      if (Keys) {
        hands_.Press(TNavCommand::Accept);  // "Yes" takes Enter
      } else {
        hands_.ClickButton(*yes);
      }
      awaitingShuffle_ = true;
    }
    waitUntil_ = step_ + pace_.Settle;
    return;
  }
  if (awaitingShuffle_) {
    awaitingShuffle_ = false;
    ++reshuffles_;
  }
  if (!ReadyForMove(*mode) || mode->HintList->empty()) return;
  if (!thought_) {
    // A look at the settled board before choosing.
    thought_ = true;
    waitUntil_ = step_ + pace_.Think;
    if (pace_.Think > 0) return;
  }
  const TCellBox& board = *mode->CellBox;
  if (Keys && !board.Cursor.Visible) {
    // The first arrow only shows the cursor.
    hands_.Press(TNavCommand::Right);
    waitUntil_ = hands_.QueueEnd() + pace_.Settle;
    return;
  }
  std::optional<TAutoPlayMove> move = choice_.Choose(*mode->CellBox, *mode->HintList);
  if (!move) return;
  if (Keys) {
    if (!hands_.KeyMove(board, *move)) return;
  } else {
    hands_.ClickAt(board.DrawStartX + board::CellSize * move->X1,
                   board.DrawStartY + board::CellSize * move->Y1);
    hands_.ClickAt(board.DrawStartX + board::CellSize * move->X2,
                   board.DrawStartY + board::CellSize * move->Y2);
  }
  ++moves_;
  thought_ = false;
  waitUntil_ = hands_.QueueEnd() + pace_.Settle;
}

void TAutoPlay::StepLeaveEndless() {
  if (leftEndless_) {
    // Back on the level selection, the score recorded.
    if (Game->Fading() || Game->CurrentTScreen != Screens->Play.get()) return;
    ReportOpenBoard();
    leftEndless_ = false;
    if (current_ + 1 >= levels_.size()) {
      Finish(StatusWon);
      return;
    }
    ++current_;
    phase_ = TPhase::StartLevel;
    return;
  }
  TGameModeMatch3* mode = Mode();
  if (!OnGameScreen() || !mode) return;
  TGameScreen& screen = *Screen();
  TGameMenu& menu = *screen.InGameMenu;
  if (!menu.Active) {
    // The last move's lines settle first; the score is theirs too.
    if (!mode->IsBoardAtRest() || mode->ShufflePieces || screen.State.disableButtons) return;
    if (Keys) {
      hands_.Press(TNavCommand::Back);
    } else if (TButton* open = screen.GUI->MainMenu->FindButton("menu")) {
      hands_.ClickButton(*open);
    }
    waitUntil_ = hands_.QueueEnd() + pace_.Settle;
    return;
  }
  if (menu.FadeIn->Active || menu.FadeOut->Active || !menu.Buttons()) return;
  TButton* back = menu.Buttons()->FindButton("backtomenu");
  if (!back) return;
  if (!Keys) {
    hands_.ClickButton(*back);
    leftEndless_ = true;
  } else if (menu.Focus.Shown() && menu.Focus.Current() == back) {
    hands_.Press(TNavCommand::Accept);
    leftEndless_ = true;
  } else {
    // Down the column to it (a pad's D-pad does the same).
    hands_.Press(TNavCommand::Down);
  }
  waitUntil_ = hands_.QueueEnd() + pace_.Settle;
}

void TAutoPlay::ReportOpenBoard() {
  const TGameModeMatch3* mode = Mode();
  const int moves = mode && mode->Moves >= 0 ? mode->Moves : moves_;
  Print(levels_[current_].Name + " score=" + std::to_string(Screen()->GamePlay.Score) +
        " moves=" + std::to_string(moves));
}

// A saved game resumed as a player does it: the title's "play", the level
// selection's "load", the save's line in the chooser, then "Load".
void TAutoPlay::StepResume(const std::string& name) {
  TScreen* current = Game->CurrentTScreen;
  if (resumeClicked_) {
    if (current == Screen()) {
      resumeClicked_ = false;
      moves_ = reshuffles_ = 0;
      thought_ = false;
      phase_ = TPhase::Playing;
      return;
    }
    TPlayScreen* selection = Screens->Play.get();
    if (current == selection && selection->Message) {
      Print("autoplay: the saved game \"" + name + "\" cannot be read");
      Finish(StatusError);
      return;
    }
    // The chooser is still closing; or the click went astray: again.
    if (current == selection && !selection->SaveGameManager) resumeClicked_ = false;
    return;
  }
  if (current == Screens->FirstScreen()) {
    // In a fresh folder the title asked for a name before the bot made its
    // player.
    Screens->Title->PlayerChosen();
    if (TButton* play = Screens->Title->MainMenu->FindButton("play")) hands_.ClickButton(*play);
    waitUntil_ = hands_.QueueEnd() + pace_.Settle;
    return;
  }
  TPlayScreen* selection = Screens->Play.get();
  if (current != selection) return;  // still leaving the game screen
  if (!selection->SaveGameManager) {
    if (TButton* load = selection->MainMenu->FindButton("load")) hands_.ClickButton(*load);
    waitUntil_ = hands_.QueueEnd() + pace_.Settle;
    return;
  }
  TSaveGameManager& chooser = *selection->SaveGameManager;
  if (!TakesClicks(&chooser)) return;
  TSaveGameManager::TNameMatch match = chooser.FindName(name);
  if (match.Line < 0 && match.Alike.size() > 1) {
    Print("autoplay: the saved games \"" + match.Alike[0] + "\" and \"" + match.Alike[1] +
          "\" differ only in letter case; name one exactly");
    Finish(StatusError);
    return;
  }
  if (match.Line < 0) {
    Print("autoplay: there is no saved game \"" + name + "\"");
    Finish(StatusError);
    return;
  }
  int x = 0, y = 0;
  if (chooser.PointToward(match.Line, x, y)) {
    hands_.ClickAt(x, y);
  } else if (TButton* load = chooser.Menu->FindButton("Load")) {
    hands_.ClickButton(*load);
    resumeClicked_ = true;
  }
  waitUntil_ = hands_.QueueEnd() + pace_.Settle;
}

// The next item of the run follows from the end panel's "nextpuzzle": a
// standard level that comes next after the one won.
bool TAutoPlay::NextIsNextPuzzle() const {
  const TGameScreen& screen = *Screen();
  if (current_ + 1 >= levels_.size() || !screen.GUI->OffersNextPuzzle()) return false;
  const TLevel& next = levels_[current_ + 1];
  return next.Save.empty() && !next.Custom &&
         FileStem(TStandardLevels::NextPath(screen.GamePlay.CurrentLevel)) == next.Name;
}

// The level is won and reported: the high-score message is dismissed, then
// "nextpuzzle" starts the next level of the run, or "backtomenu" leads to
// the level selection where the next item starts, or the run ends.
void TAutoPlay::StepLevelOver() {
  TGameScreen* screen = Screen();
  if (!OnGameScreen() || !screen->GUI) return;
  if (!screen->State.Over()) {
    // The next level has been dealt.
    ++current_;
    const std::string& expected = levels_[current_].Name;
    if (screen->GamePlay.CurrentLevel.find(expected + TStandardLevels::Extension) ==
        std::string::npos) {
      Print("autoplay: the game went on to \"" + screen->GamePlay.CurrentLevel +
            "\", not to level " + expected);
      Finish(StatusError);
      return;
    }
    moves_ = reshuffles_ = 0;
    thought_ = false;
    phase_ = TPhase::Playing;
    return;
  }
  bool last = current_ + 1 >= levels_.size();
  if (last && headless_) {
    Finish(StatusWon);
    return;
  }
  TGameGUI& gui = *screen->GUI;
  if (TDialog* message = gui.Dialogs.As<TDialog>(TDialogSlot::OKInput)) {
    TButton* ok = message->FirstButton();
    if (TakesClicks(message) && ok) {
      if (Keys) {
        hands_.Press(TNavCommand::Accept);
      } else {
        hands_.ClickButton(*ok);
      }
    }
    waitUntil_ = step_ + pace_.Settle;
    return;
  }
  if (last) {
    // In a window the end panel and its fireworks stay a moment for the watcher.
    if (!lingered_) {
      lingered_ = true;
      waitUntil_ = step_ + pace_.Linger;
      return;
    }
    Finish(StatusWon);
    return;
  }
  if (gui.DialogOpen() || !gui.endLevelMenu || !gui.endLevelMenu->Menu) return;
  if (NextIsNextPuzzle()) {
    if (TButton* next = gui.endLevelMenu->Menu->FindButton("nextpuzzle")) {
      PressEndPanelButton(*next);
      waitUntil_ = hands_.QueueEnd() + pace_.Settle;
    }
    return;
  }
  // A won level is left without a question.
  if (TButton* back = gui.endLevelMenu->Menu->FindButton("backtomenu")) {
    if (PressEndPanelButton(*back)) {
      ++current_;
      phase_ = TPhase::StartLevel;
    }
    waitUntil_ = hands_.QueueEnd() + pace_.Settle;
  }
}

bool TAutoPlay::PressEndPanelButton(const TButton& button) {
  if (!Keys) {
    hands_.ClickButton(button);
    return true;
  }
  // Tab until the focus stands on the button, then Enter.
  const TFocusRing& focus = Screen()->GUI->endLevelMenu->Focus;
  bool onIt = focus.Shown() && focus.Current() == &button;
  hands_.Press(onIt ? TNavCommand::Accept : TNavCommand::FocusNext);
  return onIt;
}

void TAutoPlay::Report(const char* result) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", LevelClock.Elapsed() / 1000.0);
  // The moves as the game counts them (what par and stars are measured in);
  // the bot's own count for a resumed game that kept none.
  const TGameModeMatch3* mode = Mode();
  const int moves = mode && mode->Moves >= 0 ? mode->Moves : moves_;
  std::string line = levels_[current_].Name + " " + result + " moves=" + std::to_string(moves) +
                     " reshuffles=" + std::to_string(reshuffles_) + " seconds=" + seconds;
  const TGameScreen* screen = Screen();
  const TVEndLevelMenu* panel = screen && screen->GUI ? screen->GUI->endLevelMenu.get() : nullptr;
  if (std::string(result) == "won" && panel && panel->Stars != TVEndLevelMenu::NoStars) {
    line += " stars=" + std::to_string(panel->Stars);
  }
  Print(line);
}

void TAutoPlay::Finish(int status) {
  status_ = status;
  phase_ = TPhase::Done;
  hands_.Clear();
  if (EndRun) EndRun();
}
