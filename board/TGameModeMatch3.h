// The match-three play mode: owns the board and its first deal, deals and
// fades the board in, runs the board each step, counts the pending score
// into the shown one, keeps the bonus window of quick successive matches,
// shows the help box, the progress bar and the hint, offers a reshuffle when
// no move is left, restarts the level from its first deal, saves and resumes
// games, and tells the screen when the level is over.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Platform.h"
#include "TAnimation.h"
#include "TBoardArt.h"
#include "TBoardMode.h"
#include "TBottomBox.h"
#include "TGameMode.h"
#include "TMatch3Undo.h"
#include "TModeText.h"
#include "TPlayWay.h"
#include "TSavedGame.h"
#include "TTimeBar.h"
#include "TTimeLimit.h"

class TCellBox;
class TDialogYesNo;
class TGamePlay;
class TVMouse;

class TGameModeMatch3 : public TGameMode, public TBoardMode {
 public:
  // The bonus window and its display (ms); matches before a bonus counts,
  // points per match beyond them, and matches that earn the applause.
  static constexpr int BonusWindowLength = 4000;
  static constexpr int BonusShowLength = 2000, BonusHoldLength = 1000, BonusFadeLength = 500;
  static constexpr int BonusFreeMatches = 4;
  static constexpr int BonusPointsPerMatch = 50;
  static constexpr int BonusApplauseMatches = 25;
  static constexpr int StartFadeLength = 1500;

  // `art`: the pictures of the board (null: the game's banks).
  explicit TGameModeMatch3(TGamePlay& play, std::shared_ptr<const TBoardArt> art = nullptr);
  ~TGameModeMatch3() override;

  // ---- the mode's interface
  void Clear() override;
  void Draw() override;
  void GameFinished() override;
  void Init(const std::string& name, int custom) override;
  int IsGameFinished() override;
  int LoadGame(const std::string& path) override;
  void Logic() override;
  void Reset() override;
  void ResetHintTimer(int delay) override { TBoardMode::ResetHintTimer(delay); }
  int SaveGame(const std::string& name) override;
  void Shuffle() override;
  TCellBox* Board() const override { return CellBox.get(); }

  // ---- what the board calls
  void PlayMatchSound() override;
  void PlayInvalidSound() override;
  void PlayHintSound() override;
  void CheckBonusCounter() override;
  void AddPendingScore(int points) override;
  void MoveMade() override;

  // ---- the rest of the mode
  void AddOriginalUndo();
  void DrawBonus() const;
  void DrawDebugInformation() const {}
  void DrawHelpMessage() const;
  void DrawHint() const;
  void DrawProgress() const;
  // The help box's text: the level's own tip, or the game's help line.
  const std::string& OpeningMessage() const;
  void EndBonus();
  // 1 when the board has no marble cell left (never on the open board).
  int IsFinished() const;
  // Time attack or endless: the open board, no goal, the bonus scored.
  bool OnOpenBoard() const;
  // The score as it stands once the bonus window running closes and the
  // points still counting up are in (time up, or leaving endless).
  void SettleScore();
  // Against the clock: the time ran out before the last marble cell went;
  // in time attack: the time is up.
  bool IsOutOfTime() const;
  // Reads a saved game into the mode: 1, or 0 when the file cannot be read.
  int LoadSaveGame(const std::string& path);
  void ManageBonus();
  void ManageScore();
  void ManageStartGameAnimation();
  // Against the clock: the tick of each of the last ten seconds.
  void ManageClock();
  void PlayBonusApplauseSound();
  void PlayClickSound();
  void PlayStartSound();
  void ResetScore();
  void StartStartGameAnimation();
  void StopHelpMessage() { ShowHelpMessage = 0; }
  // Where the box of the help, bonus and end texts stands on this board.
  TBottomBox BottomBox() const;
  // Percent of the first deal's marble cells cleared (0..100).
  int ProgressPercent() const;
  // The board is at rest: no exchange runs and no jewel falls, appears or
  // fades.
  bool IsBoardAtRest() const;
  // Leaving now would lose something: a line was made since the deal, the
  // restart or the last save or resume, and the level is not won.
  bool HasUnsavedProgress() const;
  // The layout file of a saved game's level (standard levels in the game's
  // "layouts/", the player's own in the profile folder).
  static std::string LevelPath(const TSavedLevel& level);

  std::unique_ptr<TCellBox> CellBox;
  std::unique_ptr<TMatch3Undo> OriginalPuzzle;
  plat::TImagePtr ProgressImage, ProgressMoImage;
  int TotalMarbles = 0;
  int ScorePoints = 0;
  std::unique_ptr<TDialogYesNo> ShufflePieces;
  int HasShownShufflePiecesDialog = 0;
  std::unique_ptr<TAnimation> StartGameAnimation;
  std::unique_ptr<TAnimation> BonusAnimation;
  std::unique_ptr<TAnimation> BonusEndAnimation;
  int BonusTotalPoints = 0;
  int CheckedEndBonus = 0;
  // The last deal found no move at all (a layout where none can exist):
  // nothing is offered on it; the player restarts or leaves.
  int DealFailed = 0;
  int FirstDealFailed = 0;
  // A line was made since the deal, restart, save or resume.
  int UnsavedProgress = 0;
  // The player's moves on this level since its start or restart (exchanges
  // that made a line; a reshuffle keeps the count); MovesUnknown for a
  // game resumed from a save that did not count them.
  static constexpr int MovesUnknown = TSavedGame::MovesUnknown;
  int Moves = 0;
  // Against the clock, the level's limit; none while relaxed.
  TTimeLimit TimeLimit;
  TTimeBar TimeBar;
  // The level line of the saved game read last.
  TSavedLevel SavedLevel;
  // The click tracker the board reads (the game's shared one by default).
  TVMouse* Mouse;
  // Told the name of every sound the mode plays (tests, tools); the sound
  // itself goes to the game's channels when they exist.
  std::function<void(const std::string& name)> SoundHook;

 private:
  void PlaySound(const char* name);
  // Makes `board` the mode's board, run by this mode and its click tracker.
  void InstallBoard(std::unique_ptr<TCellBox> board);
  void WireBoard();
  // Stops every exchange, fall, fade-in and fade-out on the board, so that a
  // new deal starts from jewels at rest.
  void StopBoardMotion();
  // Drops the bonus window and its display, and the hint of the old board.
  void ResetRoundState();
  // Points still counting up, fireworks asked for and unsaved progress are
  // dropped with the board they belong to.
  void DropPendingPoints();
  void OpenShuffleOffer();
  void ManageShuffleOffer();
  void DrawShuffleOffer() const;
  void DrawProgressBarFill() const;

  TGamePlay& play_;
  std::shared_ptr<const TBoardArt> art_;
  // The box behind the help, bonus and end texts.
  plat::TImagePtr boxImage_;
  // The texts drawn every frame, looked up once and numbered on change.
  mutable modetext::TKeyText helpText_{"Help Message"}, progressText_{"Progress Field"},
      offerText_{"No Valid Matches 2"}, bonusPointsText_{"Bonus Points"},
      bonusCounterText_{"Bonus Counter"}, marblesLeftText_{"Marbles Left"},
      attackHelpText_{playway::RuleKey(TPlayWay::Attack)},
      endlessHelpText_{playway::RuleKey(TPlayWay::Endless)};
  // The tip of the level named last (looked up when the level changes).
  mutable std::string tipLevel_, tipText_;
  mutable int tipCustom_ = -1;
};
