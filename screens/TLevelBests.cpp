#include "TLevelBests.h"

#include <algorithm>
#include <cstdlib>

#include "FileProblems.h"
#include "TCompletionFile.h"
#include "TLevelPars.h"
#include "TPlayerFiles.h"

namespace {

// The smaller of two counts where 0 means none.
int FewestOf(int a, int b) {
  if (a <= 0) return std::max(b, 0);
  if (b <= 0) return a;
  return std::min(a, b);
}

}  // namespace

TLevelBests TLevelBests::OfPlayer(const std::string& player, bool clock) {
  return TLevelBests(TPlayerFiles::Path(player, TPlayerFiles::BestsOf(clock)));
}

void TLevelBests::Load() { Lines = IniReadLines(Path); }

std::string TLevelBests::ValueText(const TLevelBest& best) {
  return std::to_string(best.Stars) + "," + std::to_string(best.Score) + "," +
         std::to_string(best.Ms) + "," + std::to_string(best.Moves);
}

bool TLevelBests::ParseValue(const std::string& value, TLevelBest& best) {
  int* fields[4] = {&best.Stars, &best.Score, &best.Ms, &best.Moves};
  size_t start = 0;
  for (int n = 0; n < 4; ++n) {
    size_t end = n < 3 ? value.find(',', start) : value.size();
    if (end == std::string::npos) return false;
    std::string digits = value.substr(start, end - start);
    while (!digits.empty() && (digits.back() == '\r' || digits.back() == ' ')) digits.pop_back();
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
      return false;
    }
    *fields[n] = std::atoi(digits.c_str());
    start = end + 1;
  }
  best.Stars = std::min(best.Stars, TLevelPars::MaxStars);
  return true;
}

bool TLevelBests::Find(const std::string& level, TLevelBest& best) const {
  const std::string key = TCompletionFile::KeyOf(level);
  for (const TIniLine& line : Lines) {
    if (line.Name == key) return ParseValue(line.Value, best);
  }
  return false;
}

TLevelBest TLevelBests::Merge(const TLevelBest& best, const TLevelBest& win) {
  return {std::max(best.Stars, win.Stars), std::max(best.Score, win.Score),
          FewestOf(best.Ms, win.Ms), FewestOf(best.Moves, win.Moves)};
}

bool TLevelBests::Record(const std::string& level, const TLevelBest& win, TLevelBest* before) {
  Load();
  const std::string key = TCompletionFile::KeyOf(level);
  TLevelBest old;
  if (!Find(level, old)) old = {};
  if (before) *before = old;
  const std::string value = ValueText(Merge(old, win));
  bool replaced = false;
  for (TIniLine& line : Lines) {
    if (line.Name != key) continue;
    line.Value = value;
    replaced = true;
  }
  if (!replaced) Lines.push_back({key, value});
  if (IniWriteLines(Path, Lines)) return true;
  LogFileProblem("Failed to save file " + Path);
  return false;
}
