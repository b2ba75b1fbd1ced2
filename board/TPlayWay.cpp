#include "TPlayWay.h"

namespace playway {

const char* Name(TPlayWay way) { return way == TPlayWay::Clock ? "clock" : "relaxed"; }

bool Parse(const std::string& name, TPlayWay& way) {
  for (TPlayWay each : All) {
    if (name == Name(each)) {
      way = each;
      return true;
    }
  }
  return false;
}

const char* TextKey(TPlayWay way) { return way == TPlayWay::Clock ? "Way Clock" : "Way Relaxed"; }

const char* HighScoreName(TPlayWay way) {
  return way == TPlayWay::Clock ? "highscores-clock" : "highscores";
}

}  // namespace playway
