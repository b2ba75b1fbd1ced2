#include "LanguageForms.h"

#include <cstdio>
#include <sstream>
#include <vector>

#include "GameResources.h"
#include "TGameText.h"
#include "TModeText.h"

namespace {

std::string MonthName(int month) {
  std::istringstream names(GameText ? GameText->FindString("Month Names") : std::string());
  std::vector<std::string> list;
  for (std::string name; names >> name;) list.push_back(name);
  if (month >= 1 && month <= int(list.size())) return list[size_t(month - 1)];
  return std::to_string(month);
}

}  // namespace

std::string RankText(int place) {
  std::string form;
  if (place >= 1 && place <= 3 && GameText) {
    form = GameText->FindString("Highscore Rank " + std::to_string(place));
  }
  if (form.empty()) form = GameText ? GameText->FindString("Highscore Rank") : "NNN.";
  return modetext::WithNumber(form, place);
}

std::string DayText(const plat::TDateTime& moment) {
  return GameTextWith("Date Form",
                      {{"day", std::to_string(moment.day)}, {"month", MonthName(moment.month)}});
}

std::string DateTimeText(const plat::TDateTime& moment) {
  char time[8];
  std::snprintf(time, sizeof time, "%02d:%02d", moment.hour % 100, moment.minute % 100);
  return GameTextWith(
      "Date Time Form",
      {{"date", DayText(moment)}, {"year", std::to_string(moment.year)}, {"time", time}});
}
