// What a won level leaves behind: the completion record, the high-score
// place, the player's bests, and the end panel's summary of it all, each
// in the files of the way the level was played (the table is the caller's). Draws
// nothing; a record that cannot be written is told through the owner's
// failure callback (with the file's name), before the panel shows.
#pragma once

#include <functional>
#include <string>

class TGamePlay;
class TGleamstrandHighScoreList;
class TVEndLevelMenu;

class TLevelEnd {
 public:
  using TFailure = std::function<void(const std::string& fileName)>;

  TLevelEnd(const TGamePlay& play, TGleamstrandHighScoreList& table, TFailure failure);

  // Records the win and fills the panel's title, stars and summary.
  void Record(TVEndLevelMenu& panel);

  // The score's place in `table`, entered under the current player and
  // saved (0: none, or one the table could not keep, told to `failure`).
  static int EnterHighScore(const TGamePlay& play, TGleamstrandHighScoreList& table,
                            const TFailure& failure);
  // "Well done! You reached place 3!", or that no place was reached.
  static std::string PlaceText(int place);

 private:
  // Played against the clock: its own records.
  bool Clock() const;
  void RecordCompletion();
  // The win's moves against the level's par and the stars they earn, on
  // the panel; the player's bests (standard levels) recorded. Returns the
  // line of the best so far when this win was not it, else "".
  std::string ScoreTheWin(TVEndLevelMenu& panel);

  const TGamePlay& play_;
  TGleamstrandHighScoreList& table_;
  TFailure failure_;
};
