// The ways to play a level: relaxed (no limit, the game as it always was)
// and against the clock (a time limit; out of time, the level is lost). Each
// keeps its own completion, bests and high scores. The name of a way is what
// saved games and the bot's --mode say. Draws nothing.
#pragma once

#include <string>

enum class TPlayWay { Relaxed, Clock };

namespace playway {

constexpr TPlayWay All[] = {TPlayWay::Relaxed, TPlayWay::Clock};

// "relaxed", "clock".
const char* Name(TPlayWay way);
// The way of a name; false (way unchanged) for a name of no way.
bool Parse(const std::string& name, TPlayWay& way);
// The game text that names the way ("Way Relaxed", "Way Clock").
const char* TextKey(TPlayWay way);
// The high-score file of the way, without ".hsdat": relaxed keeps the
// table it always had.
const char* HighScoreName(TPlayWay way);

}  // namespace playway
