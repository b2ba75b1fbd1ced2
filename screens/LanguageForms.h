// Days, times and ranks as the game's language writes them, in one form
// for the whole game: the save chooser's column and the save name it
// suggests, the high-score table's ranks.
#pragma once

#include <string>

#include "Platform.h"

// "9 Dec", "9. Dez", "9 déc": game text "Date Form" with the day and the
// month's short name ("Month Names"). Holds nothing a file name refuses.
std::string DayText(const plat::TDateTime& moment);
// "9 Dec 2026, 18:27": game text "Date Time Form" with that day, the year
// and the 24-hour time.
std::string DateTimeText(const plat::TDateTime& moment);
// "1st", "1.", "1er", "1.º": game text "Highscore Rank" with the number, or
// "Highscore Rank 1" to "3" where the language writes those apart.
std::string RankText(int place);
