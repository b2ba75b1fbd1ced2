// The screen on which a level is played or a custom layout is built: a
// cycling background, the running score, the board of the active mode, the
// in-game interface and menu, and victory fireworks. It owns the game-play
// state (flags, the mode, the score), the high-score table, the in-game
// interface and the in-game menu; all of them live as long as the screen.
//
// Starting a game: NewGame(mode) (the new-game step), then Init(path,
// custom) or LoadGame(path) on the mode it returns, then the fade to this
// screen (TGameScreens::ChangeTo(screen, true)). StartLevel and StartEditor
// do all three.
#pragma once

#include <memory>
#include <string>

#include "TCrossFade.h"
#include "TGamePlay.h"
#include "TGleamstrandHighScoreList.h"
#include "TModeText.h"
#include "TScreen.h"
#include "TState.h"

class TGameGUI;
class TGameMenu;
class TGameMode;

class TGameScreen : public TScreen {
 public:
  static constexpr int BackgroundCount = 5;
  static constexpr int BackgroundCycleMs = 150000;
  static constexpr int BackgroundCrossFadeMs = 2000;
  // A firework burst every 250..750 ms, of 50 sparks at full particle
  // amount, 100 pixels inside the screen.
  static constexpr int BurstMinMs = 250, BurstMaxMs = 750;
  static constexpr int BurstSparks = 50;
  // The top line, in one face size (modetext::HudTextSize): the level's
  // title, the progress label and bar (the mode's), the score.
  static constexpr int ScoreX = 478, ScoreY = modetext::HudLineY;
  // The level's title, left of the progress label; a custom level's long
  // name takes a smaller face before it is cut.
  static constexpr int LevelX = 8, LevelWidth = 116, LevelMinFontSize = 16;
  // A standard level's own name, in a small face over its number and the
  // progress label, clear of the bar.
  static constexpr int NameY = 3, NameWidth = 200, NameFontSize = 18, NameMinFontSize = 14;

  TGameScreen();
  ~TGameScreen() override;

  void Load() override;
  void Start() override;
  void Logic() override;
  void Draw() override;
  // Left for another screen or for the program's end, the run of the open
  // board ends (TGameGUI::LeaveRun); started afresh on itself, it goes on.
  void Kill() override;
  // Back opens the in-game menu (in the editor: asks to leave).
  bool ReadsBack() const override { return true; }

  // The new-game step: the level clock restarts, the game-play object makes
  // a mode of the type (1 editor, 2 match-three) and the interface builds
  // its bars. Returns the new mode for the caller to initialise.
  TGameMode* NewGame(int mode);
  // The new-game step with a level from its layout file, then the fade to
  // this screen. False, changing no screen, when a fade is running or the
  // layout cannot be read (the caller tells the player).
  bool StartLevel(const std::string& layoutPath, int custom, TPlayWay way = TPlayWay::Relaxed);
  // The same for time attack or endless, on the open board.
  bool StartOpenBoard(TPlayWay way);
  // The same for a saved game (the mode's LoadGame).
  bool StartSavedGame(const std::string& savePath);
  // The editor with an empty board.
  bool StartEditor();

  // Loads the tables from the profile folder ("highscores.hsdat",
  // "highscores-clock.hsdat", "highscores-attack.hsdat",
  // "highscores-endless.hsdat"), making the default table where there is none
  // (the start-up's high-score step).
  void LoadHighScores();
  // The table of a way to play.
  TGleamstrandHighScoreList& HighScoresOf(TPlayWay way);
  // Fades to the given screen (500 ms, the music with it); false while a
  // fade runs.
  bool ChangeTo(TScreen* screen);
  // The level-selection screen, where "back to menu" leads.
  TScreen* LeaveTo = nullptr;

  // ---- the program-wide game state
  TState State;
  TGamePlay GamePlay{State};
  TGleamstrandHighScoreList HighscoreList;
  // The table of the games won against the clock.
  TGleamstrandHighScoreList ClockHighscoreList;
  // The tables of time attack and endless.
  TGleamstrandHighScoreList AttackHighscoreList;
  TGleamstrandHighScoreList EndlessHighscoreList;
  std::unique_ptr<TGameGUI> GUI;
  std::unique_ptr<TGameMenu> InGameMenu;

  // ---- the screen's own fields
  std::unique_ptr<TCrossFade> CrossFade;
  int LastFade = 0;
  int LastMouseZ = 0;
  int LastTime = 0;
  int DidPauseOrSuspend = -1;
  int LastImage = 1;
  // Millisecond clock of the last firework burst, and the wait before the
  // next one.
  int LastBurst = 0;
  int BurstDelay = 0;

 private:
  void ManageFireworks();
  void ManageBackground();
  void SpawnBurst();
  void SetBackground(int number);
  // Keeps time spent paused, suspended or in the in-game menu out of the
  // level clock.
  void ManageInterruption();
  void DrawScore() const;
  void DrawLevelName() const;
  void DrawLevelOwnName() const;
  void DrawBoard();
};
