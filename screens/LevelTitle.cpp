#include "LevelTitle.h"

#include "LanguageForms.h"
#include "TGameText.h"
#include "TModeText.h"
#include "TStandardLevels.h"
#include "TextCase.h"
#include "Utf8.h"

std::string LevelTitle(const std::string& levelPath, int custom) {
  std::string stem = FileStem(levelPath);
  // A game resumed from a save that names no level (written before saves
  // did).
  if (stem.empty()) return modetext::Text("Unnamed Level");
  int number = TStandardLevels::NumberOf(levelPath, custom);
  if (number < 0) return stem;
  return modetext::WithNumber(modetext::Text("Level Label"), number);
}

std::string LevelName(const std::string& levelPath, int custom) {
  return modetext::StandardLevelText("Level Name ", levelPath, custom);
}

std::string PlayingTimeText(int ms) {
  int seconds = ms > 0 ? ms / 1000 : 0;
  auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  int hours = seconds / 3600, minutes = seconds / 60 % 60;
  std::string tail = two(seconds % 60);
  if (hours > 0) return std::to_string(hours) + ":" + two(minutes) + ":" + tail;
  return std::to_string(minutes) + ":" + tail;
}

std::string BestLineText(const TLevelBest& best) {
  TTextValues values = {{"score", std::to_string(best.Score)},
                        {"time", PlayingTimeText(best.Ms)},
                        {"moves", std::to_string(best.Moves)}};
  return GameTextWith(best.Moves > 0 ? "Best Line" : "Best Line Uncounted", values);
}

std::string SaveNameSuggestion(const std::string& levelPath, int custom, const plat::TDateTime& day,
                               size_t maxLength) {
  // The day as the whole game writes it, which a file name takes.
  const std::string date = DayText(day);
  // maxLength counts characters, as the name field does. The level's title
  // leads and the day follows where both fit: a cut title could leave a
  // number that reads as another level ("Level 10. Dez" for level 1).
  std::string level = plat::FirstChars(LevelTitle(levelPath, custom), maxLength);
  while (!level.empty() && level.back() == ' ') level.pop_back();
  if (level.empty()) return plat::FirstChars(date, maxLength);
  if (plat::CharCount(level) + 1 + plat::CharCount(date) <= maxLength) return level + " " + date;
  return level;
}
