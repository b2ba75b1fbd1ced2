// The autoplay bot (--autoplay): plays standard or custom levels through the
// game's own input feed, the way a person would. It starts each level as
// the level selection does, waits for the board to come to rest, picks one
// of the moves the mode lists (TAutoPlayChoice), glides the pointer to the
// two jewels and clicks them, answers the reshuffle question with "Yes",
// dismisses the high-score message and takes "nextpuzzle" on the end panel
// when the run's next level follows, else "backtomenu" and starts the next
// item from the level selection. A saved game ("save:NAME") is resumed
// through the screens: "play" on the title, "load", the save's line in the
// chooser, "Load". With Keys it plays with the keyboard alone: the arrows
// bring the board cursor to the first jewel, Space picks it, an arrow
// exchanges it; Enter answers the questions and Tab and Enter take the end
// panel's button. With Pad the same commands come from the D-pad and A of a
// virtual game pad. "attack" plays time attack on the open board until the
// time is up; "endless" plays endless for Moves moves, then leaves through
// the in-game menu's "Back to menu" (which records the score). One line per
// item goes to its printer:
//   LEVEL won moves=N reshuffles=R seconds=T stars=S   (or "lost")
// (moves as the game counts them; stars only where the level has a par);
// against the clock (Way) a level whose time runs out gives
//   LEVEL out of time moves=N reshuffles=R seconds=T
// and the open board's items give
//   attack score=N moves=N      endless score=N moves=N
// The run ends with status 0 (every item played to its end), 3 (a level
// lost or out of time; the run stops there) or 1 (a level could not be
// started).
//
// Headless, it runs as fast as the machine allows and draws nothing unless
// a screenshot is due; in a window it plays at a watchable pace.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Platform.h"
#include "TAutoPlayChoice.h"
#include "TBotHands.h"
#include "TPlayWay.h"

class TButton;
class TCellBox;
class TGameModeMatch3;
class TGameScreen;

class TAutoPlay {
 public:
  // Undrawn headless passes run the longest pass the main loop allows.
  static constexpr int UndrawnPassMs = 50;
  // A level lost: after this many moves or this much playing time.
  static constexpr int MaxMoves = 500;
  static constexpr int MaxPlayingMs = 20 * 60 * 1000;
  static constexpr int StatusWon = 0, StatusError = 1, StatusLost = 3;

  static constexpr const char* SavePrefix = "save:";

  struct TLevel {
    std::string Name;  // file name without folder and extension: what the line shows
    std::string Path;  // the layout file as the game opens it
    int Custom = 0;
    // A saved game of the profile folder to resume (its name without
    // ".save"); "" for a level started from its layout.
    std::string Save;
    // Time attack or endless on the open board; relaxed for a level.
    TPlayWay OpenBoard = TPlayWay::Relaxed;
    bool OnOpenBoard() const { return playway::OnOpenBoard(OpenBoard); }
  };

  // Items separated by commas, played in turn: "005" (a standard level),
  // "001-080" (standard levels in turn), a path to a ".layout" file (played
  // as a custom level; a relative one is taken from startDir),
  // "save:NAME" (the saved game NAME, resumed), "attack" or "endless". Standard levels are looked
  // up in `layouts` (ends in "/"). False with a message when an item names
  // no level.
  static bool ParseLevels(const std::string& argument, const std::string& layouts,
                          std::vector<TLevel>& levels, std::string& error,
                          const std::string& startDir = "");

  // `seed` drives the bot's own choices; `headless` selects the fast pace.
  TAutoPlay(std::vector<TLevel> levels, std::string player, uint32_t seed, bool headless);
  ~TAutoPlay();

  // Runs before every logic step: looks at the game and posts the input of
  // this step to the event feed.
  void BeforeStep(long long step);
  // The run is over (the game has been asked to end).
  bool Done() const { return phase_ == TPhase::Done; }
  int ExitStatus() const { return status_; }
  // Headless, with no screenshot wanted, frames are not drawn at all.
  bool SkipsDrawing() const { return headless_; }

  // Where the per-level lines go (standard output by default).
  std::function<void(const std::string& line)> Print;
  // Ends the run; by default the game's main loop stops after this step.
  std::function<void()> EndRun;
  // Plays with the keyboard alone (no pointer event at all).
  bool Keys = false;
  // With Keys: the keys' commands come from a virtual game pad instead,
  // plugged in at the start (--pad).
  bool Pad = false;
  // How the levels are played (a saved game is resumed the way it was saved).
  TPlayWay Way = TPlayWay::Relaxed;
  // The moves each "endless" item makes before it leaves (--moves).
  int EndlessMoves = 0;

  // The run's options fit its items: "attack" and "endless" only relaxed
  // (the default way), "endless" with EndlessMoves and EndlessMoves only
  // with an "endless" item. False with a message otherwise.
  bool CheckOptions(std::string& error) const;

 private:
  enum class TPhase { SelectPlayer, StartLevel, Playing, LevelOver, Done };

  TGameScreen* Screen() const;
  TGameModeMatch3* Mode() const;
  bool OnGameScreen() const;
  // The board can take a move: nothing moves, no dialog or panel is up.
  bool ReadyForMove(const TGameModeMatch3& mode) const;

  void StepSelectPlayer();
  static bool ParseItem(const std::string& item, const std::string& layouts,
                        const std::string& startDir, std::vector<TLevel>& levels,
                        std::string& error);
  void StepStartLevel();
  void StepResume(const std::string& name);
  bool NextIsNextPuzzle() const;
  void StepPlaying();
  // Endless has made its moves: the in-game menu, then its "Back to menu".
  void StepLeaveEndless();
  // The open board's line: "attack score=N moves=N".
  void ReportOpenBoard();
  void StepLevelOver();
  void Finish(int status);
  void Report(const char* result);

  // An end-panel button: clicked, or with Keys one Tab toward it or Enter on
  // it. True when the button was pressed in this step.
  bool PressEndPanelButton(const TButton& button);

  std::vector<TLevel> levels_;
  size_t current_ = 0;
  std::string player_;
  bool headless_;
  const TBotPace& pace_;
  TBotHands hands_;
  TAutoPlayChoice choice_;
  TPhase phase_ = TPhase::SelectPlayer;
  int status_ = StatusWon;

  long long step_ = 0;
  // Steps to wait before looking at the game again (the reaction of a player).
  long long waitUntil_ = 0;
  int moves_ = 0;
  int reshuffles_ = 0;
  // "Yes" has been clicked on the reshuffle question; counted once it closes.
  bool awaitingShuffle_ = false;
  // "Load" has been clicked in the save chooser; play starts on the game screen.
  bool resumeClicked_ = false;
  // "Back to menu" has been pressed in endless's in-game menu.
  bool leftEndless_ = false;
  // The bot has looked at the settled board before its next move.
  bool thought_ = false;
  // The end panel of the last level has been shown a while (in a window).
  bool lingered_ = false;
};
