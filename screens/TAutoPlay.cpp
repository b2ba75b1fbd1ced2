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
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TVEndLevelMenu.h"
#include "TVListBox.h"
#include "TVProfile.h"
#include "TextCase.h"

namespace {

// Steps of 5 ms. Headless the bot reacts at once; in a window it moves like
// an unhurried person, so that a watcher can follow every move.
struct TPace {
  int Glide;   // pointer travel to a target
  int Hold;    // button held down
  int Think;   // before each move, after the board came to rest
  int Settle;  // after a move, before looking at the board again
  int Linger;  // on the end panel of the last level
};
constexpr TPace HeadlessPace{0, 1, 0, 4, 0};
constexpr TPace WindowPace{50, 6, 80, 20, 1000};

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

std::string ThreeDigits(int n) {
  char name[16];
  std::snprintf(name, sizeof name, "%03d", n);
  return name;
}

}  // namespace

bool TAutoPlay::ParseItem(const std::string& item, const std::string& layouts,
                          const std::string& startDir, std::vector<TLevel>& levels,
                          std::string& error) {
  const std::string extension = ".layout";
  const std::string save = SavePrefix;
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
        "--autoplay needs levels (\"005\"), ranges (\"001-080\"), .layout files or "
        "save:NAME, separated by commas, not \"" +
        item + "\"";
    return false;
  }
  int from = std::atoi(first.c_str()), to = std::atoi(last.c_str());
  if (from < 1 || to < from) {
    error = "--autoplay: the range \"" + item + "\" holds no level";
    return false;
  }
  for (int n = from; n <= to; ++n) {
    std::string name = ThreeDigits(n);
    levels.push_back({name, layouts + name + extension, 0, ""});
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

TAutoPlay::TAutoPlay(std::vector<TLevel> levels, std::string player, uint32_t seed, bool headless)
    : levels_(std::move(levels)), player_(std::move(player)), headless_(headless), choice_(seed) {
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
  return !screen.State.stateFinished && !mode.IsFinished() && !screen.State.disableButtons &&
         !(screen.InGameMenu && screen.InGameMenu->Active) && !mode.ShufflePieces &&
         !mode.StartGameAnimation && mode.IsBoardAtRest() && mode.HintList.has_value();
}

// ---------------------------------------------------------------- each step

void TAutoPlay::BeforeStep(long long step) {
  step_ = step;
  FlushDueEvents(step);
  if (phase_ == TPhase::Done || !Game || step < waitUntil_ || InputPending()) return;
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
  if (!Screen()->StartLevel(level.Path, level.Custom)) {
    Print("autoplay: the level \"" + level.Path + "\" cannot be read");
    Finish(StatusError);
    return;
  }
  moves_ = reshuffles_ = 0;
  phase_ = TPhase::Playing;
}

void TAutoPlay::StepPlaying() {
  TGameModeMatch3* mode = Mode();
  if (!OnGameScreen() || !mode) return;
  if (Screen()->State.stateFinished) {
    Report("won");
    phase_ = TPhase::LevelOver;
    return;
  }
  if (moves_ >= MaxMoves || LevelClock.Elapsed() >= MaxPlayingMs) {
    Report("lost");
    Finish(StatusLost);
    return;
  }
  const TPace& pace = headless_ ? HeadlessPace : WindowPace;
  if (mode->ShufflePieces) {
    // The reshuffle question: "Yes", as a player who wants to go on.
    if (!TakesClicks(mode->ShufflePieces.get())) return;
    if (TButton* yes = mode->ShufflePieces->Menu->FindButton("Yes")) {
      if (Keys) {
        PressKey(plat::KEY_ENTER);  // "Yes" takes Enter
      } else {
        ClickButton(*yes);
      }
      awaitingShuffle_ = true;
    }
    waitUntil_ = step_ + pace.Settle;
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
    waitUntil_ = step_ + pace.Think;
    if (pace.Think > 0) return;
  }
  const TCellBox& board = *mode->CellBox;
  if (Keys && !board.Cursor.Visible) {
    // The first arrow only shows the cursor.
    PressKey(plat::KEY_RIGHT);
    waitUntil_ = queueEnd_ + pace.Settle;
    return;
  }
  std::optional<TAutoPlayMove> move = choice_.Choose(*mode->CellBox, *mode->HintList);
  if (!move) return;
  if (Keys) {
    if (!KeyMove(board, *move)) return;
  } else {
    ClickAt(board.DrawStartX + board::CellSize * move->X1,
            board.DrawStartY + board::CellSize * move->Y1);
    ClickAt(board.DrawStartX + board::CellSize * move->X2,
            board.DrawStartY + board::CellSize * move->Y2);
  }
  ++moves_;
  thought_ = false;
  waitUntil_ = queueEnd_ + pace.Settle;
}

// A saved game resumed as a player does it: the title's "play", the level
// selection's "load", the save's line in the chooser, then "Load".
void TAutoPlay::StepResume(const std::string& name) {
  const TPace& pace = headless_ ? HeadlessPace : WindowPace;
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
    if (TButton* play = Screens->Title->MainMenu->FindButton("play")) ClickButton(*play);
    waitUntil_ = queueEnd_ + pace.Settle;
    return;
  }
  TPlayScreen* selection = Screens->Play.get();
  if (current != selection) return;  // still leaving the game screen
  if (!selection->SaveGameManager) {
    if (TButton* load = selection->MainMenu->FindButton("load")) ClickButton(*load);
    waitUntil_ = queueEnd_ + pace.Settle;
    return;
  }
  TSaveGameManager& chooser = *selection->SaveGameManager;
  if (!TakesClicks(&chooser)) return;
  TVListBox& list = *chooser.ListBox;
  // Names match as the game's lists sort them, without regard to case; the
  // exact name wins over its other spellings.
  const std::vector<std::string>& names = chooser.Files.Names;
  std::vector<int> alike;
  int index = -1;
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) index = int(i);
    if (UpperCase(names[i]) == UpperCase(name)) alike.push_back(int(i));
  }
  if (index < 0 && alike.size() > 1) {
    Print("autoplay: the saved games \"" + names[size_t(alike[0])] + "\" and \"" +
          names[size_t(alike[1])] + "\" differ only in letter case; name one exactly");
    Finish(StatusError);
    return;
  }
  if (index < 0 && alike.size() == 1) index = alike[0];
  if (index < 0) {
    Print("autoplay: there is no saved game \"" + name + "\"");
    Finish(StatusError);
    return;
  }
  if (index > list.EndList) {
    ClickButton(*chooser.MenuArrowDown->Buttons.front());
  } else if (index < list.StartList) {
    ClickButton(*chooser.MenuArrowUp->Buttons.front());
  } else if (list.Index != index) {
    ClickAt(int(list.Box.X + list.Box.W / 2),
            int(list.Box.Y + (float(index - list.StartList) + 0.5f) * float(list.LineHeight)));
  } else if (TButton* load = chooser.Menu->FindButton("Load")) {
    ClickButton(*load);
    resumeClicked_ = true;
  }
  waitUntil_ = queueEnd_ + pace.Settle;
}

// The next item of the run follows from the end panel's "nextpuzzle": a
// standard level that comes next after the one won.
bool TAutoPlay::NextIsNextPuzzle() const {
  const TGameScreen& screen = *Screen();
  if (current_ + 1 >= levels_.size() || !screen.GUI->OffersNextPuzzle()) return false;
  const TLevel& next = levels_[current_ + 1];
  return next.Save.empty() && !next.Custom &&
         FileStem(TGameGUI::NextLevelPath(screen.GamePlay.CurrentLevel)) == next.Name;
}

// The level is won and reported: the high-score message is dismissed, then
// "nextpuzzle" starts the next level of the run, or "backtomenu" leads to
// the level selection where the next item starts, or the run ends.
void TAutoPlay::StepLevelOver() {
  TGameScreen* screen = Screen();
  if (!OnGameScreen() || !screen->GUI) return;
  const TPace& pace = headless_ ? HeadlessPace : WindowPace;
  if (!screen->State.stateFinished) {
    // The next level has been dealt.
    ++current_;
    const std::string& expected = levels_[current_].Name;
    if (screen->GamePlay.CurrentLevel.find(expected + ".layout") == std::string::npos) {
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
  if (gui.OKInput) {
    if (TakesClicks(gui.OKInput.get()) && !gui.OKInput->Menu->Buttons.empty()) {
      if (Keys) {
        PressKey(plat::KEY_ENTER);
      } else {
        ClickButton(*gui.OKInput->Menu->Buttons.front());
      }
    }
    waitUntil_ = step_ + pace.Settle;
    return;
  }
  if (last) {
    // In a window the end panel and its fireworks stay a moment for the watcher.
    if (!lingered_) {
      lingered_ = true;
      waitUntil_ = step_ + pace.Linger;
      return;
    }
    Finish(StatusWon);
    return;
  }
  if (gui.DialogOpen() || !gui.endLevelMenu || !gui.endLevelMenu->Menu) return;
  if (NextIsNextPuzzle()) {
    if (TButton* next = gui.endLevelMenu->Menu->FindButton("nextpuzzle")) {
      PressEndPanelButton(*next);
      waitUntil_ = queueEnd_ + pace.Settle;
    }
    return;
  }
  // A won level is left without a question.
  if (TButton* back = gui.endLevelMenu->Menu->FindButton("backtomenu")) {
    if (PressEndPanelButton(*back)) {
      ++current_;
      phase_ = TPhase::StartLevel;
    }
    waitUntil_ = queueEnd_ + pace.Settle;
  }
}

bool TAutoPlay::PressEndPanelButton(const TButton& button) {
  if (!Keys) {
    ClickButton(button);
    return true;
  }
  // Tab until the focus stands on the button, then Enter.
  const TFocusRing& focus = Screen()->GUI->endLevelMenu->Focus;
  bool onIt = focus.Shown() && focus.Current() == &button;
  PressKey(onIt ? plat::KEY_ENTER : plat::KEY_TAB);
  return onIt;
}

void TAutoPlay::Report(const char* result) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", LevelClock.Elapsed() / 1000.0);
  Print(levels_[current_].Name + " " + result + " moves=" + std::to_string(moves_) +
        " reshuffles=" + std::to_string(reshuffles_) + " seconds=" + seconds);
}

void TAutoPlay::Finish(int status) {
  status_ = status;
  phase_ = TPhase::Done;
  events_.clear();
  if (EndRun) EndRun();
}

// ---------------------------------------------------------------- input

void TAutoPlay::Post(int afterSteps, plat::TEvent event) {
  long long at = std::max(queueEnd_, step_) + afterSteps;
  queueEnd_ = at;
  events_.push_back({at, event});
}

void TAutoPlay::ClickAt(int x, int y) {
  const TPace& pace = headless_ ? HeadlessPace : WindowPace;
  plat::TEvent move{plat::EVENT_MOUSEMOVE, 0, x, y};
  if (pace.Glide > 0) {
    // A straight glide, one pointer position a step.
    for (int i = 1; i < pace.Glide; ++i) {
      move.x = pointerX_ + (x - pointerX_) * i / pace.Glide;
      move.y = pointerY_ + (y - pointerY_) * i / pace.Glide;
      Post(1, move);
    }
    move.x = x;
    move.y = y;
  }
  Post(1, move);
  Post(0, {plat::EVENT_MOUSEDOWN, 1, 0, 0});
  Post(pace.Hold, {plat::EVENT_MOUSEUP, 1, 0, 0});
  pointerX_ = x;
  pointerY_ = y;
}

void TAutoPlay::PressKey(int key) {
  const TPace& pace = headless_ ? HeadlessPace : WindowPace;
  // In a window the keys come at the pace of a pointer's glide.
  if (Pad) {
    // The pad's button that gives the key's command. A pad reports its
    // state, so its button stays down for a step at least.
    int button = key == plat::KEY_LEFT     ? plat::PAD_LEFT
                 : key == plat::KEY_RIGHT  ? plat::PAD_RIGHT
                 : key == plat::KEY_UP     ? plat::PAD_UP
                 : key == plat::KEY_DOWN   ? plat::PAD_DOWN
                 : key == plat::KEY_TAB    ? plat::PAD_RIGHT  // the focus's next control
                 : key == plat::KEY_ESCAPE ? plat::PAD_B
                                           : plat::PAD_A;  // Enter, Space
    Post(pace.Glide / 2 + 1, {plat::EVENT_PADDOWN, button, 0, 0});
    Post(std::max(1, pace.Hold), {plat::EVENT_PADUP, button, 0, 0});
    return;
  }
  Post(pace.Glide / 2 + 1, {plat::EVENT_KEYDOWN, key, 0, 0});
  Post(pace.Hold, {plat::EVENT_KEYUP, key, 0, 0});
}

// The shortest run of arrows over the cursor's own moves (it skips the cells
// that are not part of the board), found breadth first.
bool TAutoPlay::KeyMove(const TCellBox& board, const TAutoPlayMove& move) {
  TBoardCursor cursor = board.Cursor;
  constexpr int W = board::GridWidth, H = board::GridHeight;
  struct TArrow {
    int Key, Dx, Dy;
  };
  const TArrow arrows[] = {{plat::KEY_LEFT, -1, 0},
                           {plat::KEY_RIGHT, 1, 0},
                           {plat::KEY_UP, 0, -1},
                           {plat::KEY_DOWN, 0, 1}};
  std::vector<int> from(W * H, -1), key(W * H, 0);
  std::deque<int> open{cursor.X * H + cursor.Y};
  from[size_t(open.front())] = open.front();
  while (!open.empty()) {
    int at = open.front();
    open.pop_front();
    for (const TArrow& arrow : arrows) {
      cursor.X = at / H;
      cursor.Y = at % H;
      if (!cursor.Move(arrow.Dx, arrow.Dy)) continue;
      int to = cursor.X * H + cursor.Y;
      if (from[size_t(to)] >= 0) continue;
      from[size_t(to)] = at;
      key[size_t(to)] = arrow.Key;
      open.push_back(to);
    }
  }
  int target = move.X1 * H + move.Y1;
  if (from[size_t(target)] < 0) return false;
  std::vector<int> path;
  for (int at = target; at != from[size_t(at)]; at = from[size_t(at)])
    path.push_back(key[size_t(at)]);
  for (auto it = path.rbegin(); it != path.rend(); ++it) PressKey(*it);
  PressKey(plat::KEY_SPACE);
  for (const TArrow& arrow : arrows) {
    if (move.X1 + arrow.Dx == move.X2 && move.Y1 + arrow.Dy == move.Y2) PressKey(arrow.Key);
  }
  return true;
}

void TAutoPlay::ClickButton(const TButton& button) {
  ClickAt(int(button.x) + button.w / 2, int(button.y) + button.h / 2);
}

void TAutoPlay::FlushDueEvents(long long step) {
  while (!events_.empty() && events_.front().Step <= step) {
    const plat::TEvent& event = events_.front().Event;
    // The pad's presses go to the virtual pad, which reports them itself.
    if (plat::IsPadEvent(event.kind)) {
      plat::SetVirtualPadButton(event.data, event.kind == plat::EVENT_PADDOWN);
    } else {
      plat::PostEvent(event);
    }
    events_.pop_front();
  }
}
