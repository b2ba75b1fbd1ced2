// The ways to play: relaxed (no limit, the game as it always was), against
// the clock (a time limit; out of time, the level is lost), time attack
// (three minutes on the open board, as many points as possible) and endless
// (the open board with no time and no goal). Each keeps its own high
// scores; the two ways of the levels keep their own completion and bests.
// The name of a way is what saved games and the bot say. Draws nothing.
#pragma once

#include <string>

enum class TPlayWay { Relaxed, Clock, Attack, Endless };

namespace playway {

// In the order of the level selection's tabs and the high-score pages.
constexpr TPlayWay All[] = {TPlayWay::Relaxed, TPlayWay::Clock, TPlayWay::Attack,
                            TPlayWay::Endless};

// "relaxed", "clock", "attack", "endless".
const char* Name(TPlayWay way);
// The way of a name; false (way unchanged) for a name of no way.
bool Parse(const std::string& name, TPlayWay& way);
// The game text that names the way ("Way Relaxed", "Way Clock", ...).
const char* TextKey(TPlayWay way);
// The game text of the way's rule, as the help and the level selection
// state it ("Help Clock", "Help Attack", "Help Endless"); "" for relaxed,
// the game's own rule.
const char* RuleKey(TPlayWay way);
// The high-score file of the way, without ".hsdat": relaxed keeps the
// table it always had.
const char* HighScoreName(TPlayWay way);
// Played on the open board rather than a level: no marble cell to clear,
// no goal, the quick-match bonus counted into the score, never saved.
bool OnOpenBoard(TPlayWay way);

}  // namespace playway
