#include "TPlayWay.h"

#include <iterator>

namespace playway {

namespace {

struct TWayNames {
  const char* Name;
  const char* TextKey;
  const char* RuleKey;
  const char* HighScores;
};

// In the order of the enum.
constexpr TWayNames Names[] = {
    {"relaxed", "Way Relaxed", "", "highscores"},
    {"clock", "Way Clock", "Help Clock", "highscores-clock"},
    {"attack", "Way Attack", "Help Attack", "highscores-attack"},
    {"endless", "Way Endless", "Help Endless", "highscores-endless"},
};
static_assert(std::size(Names) == std::size(All));

const TWayNames& Of(TPlayWay way) { return Names[size_t(way)]; }

}  // namespace

const char* Name(TPlayWay way) { return Of(way).Name; }

bool Parse(const std::string& name, TPlayWay& way) {
  for (TPlayWay each : All) {
    if (name == Name(each)) {
      way = each;
      return true;
    }
  }
  return false;
}

const char* TextKey(TPlayWay way) { return Of(way).TextKey; }

const char* RuleKey(TPlayWay way) { return Of(way).RuleKey; }

const char* HighScoreName(TPlayWay way) { return Of(way).HighScores; }

bool OnOpenBoard(TPlayWay way) { return way == TPlayWay::Attack || way == TPlayWay::Endless; }

}  // namespace playway
