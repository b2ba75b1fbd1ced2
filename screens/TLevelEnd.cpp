#include "TLevelEnd.h"

#include <algorithm>
#include <vector>

#include "FileProblems.h"
#include "GameResources.h"
#include "Globals.h"
#include "LevelTitle.h"
#include "TCompletionFile.h"
#include "TGameModeMatch3.h"
#include "TGamePlay.h"
#include "TGameText.h"
#include "TGleamstrandHighScoreList.h"
#include "TLevelBests.h"
#include "TLevelClock.h"
#include "TLevelPars.h"
#include "TModeText.h"
#include "TPlayerFiles.h"
#include "TTalvorineGame.h"
#include "TVEndLevelMenu.h"
#include "TVProfile.h"

namespace {

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : key; }

// The file part of a path: what a message names.
std::string PathFileName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasPlayer() { return Game->CurrentProfile && !Game->CurrentProfile->Name.empty(); }

}  // namespace

TLevelEnd::TLevelEnd(const TGamePlay& play, TGleamstrandHighScoreList& table, TFailure failure)
    : play_(play), table_(table), failure_(std::move(failure)) {}

void TLevelEnd::Record(TVEndLevelMenu& panel) {
  // A record that cannot be written is told first; the high-score place
  // follows on the panel.
  RecordCompletion();
  const int place = EnterHighScore(play_, table_, failure_);
  panel.Title = modetext::WithWord(Text("Level Complete"),
                                   LevelTitle(play_.CurrentLevel, play_.IsCustomLevel));
  panel.Summary = {Text("Score") + std::to_string(play_.Score),
                   modetext::WithWord(Text("Level Time"), PlayingTimeText(LevelClock.Elapsed()))};
  const std::string best = ScoreTheWin(panel);
  panel.Summary.push_back(PlaceText(place));
  if (!best.empty()) panel.Summary.push_back(best);
}

bool TLevelEnd::Clock() const { return play_.Way == TPlayWay::Clock; }

void TLevelEnd::RecordCompletion() {
  // A level of no name (an old saved game) is recorded nowhere.
  if (play_.GameMode->GameType != TGameMode::TypeMatch3 || play_.CurrentLevel.empty() ||
      !HasPlayer()) {
    return;
  }
  TCompletionFile record(TPlayerFiles::Path(Game->CurrentProfile->Name,
                                            TPlayerFiles::Record(play_.IsCustomLevel, Clock())));
  if (!record.MarkCompleted(play_.CurrentLevel)) failure_(PathFileName(record.Path));
}

int TLevelEnd::EnterHighScore(const TGamePlay& play, TGleamstrandHighScoreList& table,
                              const TFailure& failure) {
  const int place = table.GetPosition(play.Score);
  if (!place) return 0;
  table.Insert(CurrentPlayerName(), play.Score);
  if (table.Save()) return place;
  // A place the table could not keep is not told as won.
  failure(PathFileName(table.filepath));
  return 0;
}

std::string TLevelEnd::PlaceText(int place) {
  return place ? GameTextWith("Highscore Place", {{"place", std::to_string(place)}})
               : Text("No Highscore Place");
}

std::string TLevelEnd::ScoreTheWin(TVEndLevelMenu& panel) {
  const TGameModeMatch3* match3 = play_.Match3();
  const int moves = match3 ? match3->Moves : TGameModeMatch3::MovesUnknown;
  const bool standard = !play_.IsCustomLevel && !play_.CurrentLevel.empty();
  TLevelPars pars;
  if (standard) pars.LoadStandard();
  const int par = standard ? pars.ParOf(play_.CurrentLevel) : 0;
  // "Moves: 14 · Par: 12": the count and the par, each when known.
  std::vector<std::string> parts;
  if (moves >= 0) parts.push_back(modetext::WithWord(Text("Level Moves"), std::to_string(moves)));
  if (par > 0) parts.push_back(modetext::WithWord(Text("Level Par"), std::to_string(par)));
  if (!parts.empty()) {
    panel.Summary.push_back(parts.size() == 1 ? parts[0] : parts[0] + " \u00b7 " + parts[1]);
  }
  // A level without par (a custom one) earns no stars; a win of a saved
  // game that kept no count earns none on a level with par.
  panel.Stars = par > 0 ? TLevelPars::Stars(moves, par) : TVEndLevelMenu::NoStars;
  if (!standard || !HasPlayer()) return "";
  const TLevelBest win{std::max(panel.Stars, 0), play_.Score, LevelClock.Elapsed(),
                       std::max(moves, 0)};
  TLevelBests bests = TLevelBests::OfPlayer(Game->CurrentProfile->Name, Clock());
  TLevelBest before;
  if (!bests.Record(play_.CurrentLevel, win, &before)) {
    failure_(PathFileName(bests.Path));
    return "";
  }
  // The best so far, when this win was not it in every respect.
  const TLevelBest best = TLevelBests::Merge(before, win);
  return before != TLevelBest{} && best != win ? BestLineText(best) : "";
}
