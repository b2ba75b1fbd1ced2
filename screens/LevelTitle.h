// What the player calls a level, its time and its bests, wherever the game
// names them: the in-game line, the end panel, the level selection, the
// saved-game list and the name a save is offered.
#pragma once

#include <string>

#include "Platform.h"
#include "TLevelBests.h"

// "Level 12" (the game text "Level Label") for a standard level whose file
// is numbered, else the layout's own name ("castle").
std::string LevelTitle(const std::string& levelPath, int custom);

// A standard level's own name ("First Light"), "" for any other level.
std::string LevelName(const std::string& levelPath, int custom);

// A playing time as a clock shows it: "2:05", "1:02:05" from an hour on.
std::string PlayingTimeText(int ms);

// A player's bests on a level: "Best: 1250 · 0:42 · 14 moves" (the
// moves left out when no win counted them).
std::string BestLineText(const TLevelBest& best);

// A name for a saved game: the level and the day ("Level 12 9.12"), the
// level cut so that the whole stays within maxLength characters.
std::string SaveNameSuggestion(const std::string& levelPath, int custom, const plat::TDateTime& day,
                               size_t maxLength);
