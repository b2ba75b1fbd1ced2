// The in-game interface: the play bar ("menu", "hint") or the editor bar
// ("savecustom", "loadcustom", "reset", "backtomenu"), the end of a level
// (completion record, high-score place, end panel), and every question and
// message of the game screen with its consequence. At most one dialog is
// open at a time; while one is, the bars and the in-game menu rest.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "TBoardFocus.h"
#include "TDialogSlot.h"
#include "TMenu.h"
#include "TVEndLevelMenu.h"

class TGameScreen;

class TGameGUI {
 public:
  static constexpr int HintDelayMs = 100;
  static constexpr int PlayBarX = 710, PlayBarY = 18;
  static constexpr int EditorBarY = 565, EditorBarGap = 20;

  explicit TGameGUI(TGameScreen& screen);
  ~TGameGUI();

  void Load();
  // Builds both button bars.
  void Start();
  void Logic();
  void CheckEndGameMenu();
  // Next puzzle: the following standard level (or "001") on a fresh screen.
  void Match3Next();
  // A new deal on the same layout, on a fresh screen.
  void Shuffle();
  void CheckButtonClicks();
  void Draw();
  void DrawMenus();
  void ShowSaveGameManager();
  // The editor's "loadcustom": the layout chooser, after a question when
  // loading would replace unsaved changes.
  void AskToLoad();
  // "Enter Save Name", offering the level and the day as the name.
  void AskSaveName();
  void Kill();

  // A dialog is open.
  bool DialogOpen() const { return Dialogs.IsOpen(); }
  // The question for a level's or a saved game's name (game text of key),
  // under the rules of file names; Cancel closes it.
  void AskFileName(const std::string& key, const std::string& initial = "");
  // The end panel offers "nextpuzzle": a standard level of known name.
  bool OffersNextPuzzle() const;
  // Leaving, restarting or reshuffling now would lose something: unsaved
  // changes in the editor, unsaved progress on a level not yet won nor lost.
  bool WouldLoseWork() const;
  // Leave, restart or reshuffle: with a question when something would be
  // lost, at once otherwise. A won level is not reshuffled.
  void AskToLeave();
  void AskToRestart();
  void AskToShuffle();
  // The level's first deal again (the in-game menu closes); a run of the
  // open board is left first.
  void Restart();
  // The run on the board is left: restarted, or the screen left for
  // another or for the program's end. Endless records its score; time
  // attack records only at its time-up, so an abandoned one leaves no
  // entry.
  void LeaveRun();
  // An OK message; after the open one when one is open.
  void Message(const std::string& text);

  // The open question, message or chooser, and those waiting their turn.
  TDialogSlot Dialogs;

  std::string LastFileName;
  std::unique_ptr<TVEndLevelMenu> endLevelMenu;
  std::shared_ptr<TMenu> MainMenu;
  std::shared_ptr<TMenu> CustomMenu;
  TGameScreen* Screen;
  // The keyboard's focus while a level is in play: the board's cursor, then
  // the bar of the play or the editor.
  TFocusRing Focus;
  TBoardFocus BoardFocus;

 private:
  void EndLevel();
  // Against the clock the time ran out: the board stops and the "Out of
  // time" panel offers "Try again" and "Back to menu"; nothing is recorded.
  // In time attack the time is up: the score is recorded in its table and
  // the panel says so.
  void OutOfTime();
  // A time limit runs (against the clock, time attack).
  bool PlayingClock() const;
  // The score of time attack or endless into its way's table: the place
  // won (0: none).
  int RecordOpenBoardScore();
  // The box under the finished board: won, out of time, or time up with
  // the score.
  std::string EndBoxText() const;
  // A yes/no question of the game text of key; yes runs onYes.
  void Ask(TDialogSlot::TKind kind, const std::string& key, std::function<void()> onYes);
  // After a dialog closed: buttons back on, and the click that closed it not
  // seen again (unless the answer starts the level afresh).
  void DialogClosed(TDialogSlot::TKind kind);
  // "Could not create the file 'NAME'".
  void CreateFailure(const std::string& fileName);
  void SaveTyped(const std::string& text);
  void LoadChosen(const std::string& name);
  bool InEditor() const;
  void ManageFocus();
};
