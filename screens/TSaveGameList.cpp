#include "TSaveGameList.h"

#include <algorithm>

#include "FileTimes.h"
#include "Platform.h"
#include "TPlayerFiles.h"
#include "TSavedGame.h"
#include "TextCase.h"

void SortNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    std::string ua = UpperCase(a), ub = UpperCase(b);
    return ua != ub ? ua < ub : a < b;
  });
}

void TSaveGameList::Fill() {
  Names.clear();
  for (const std::string& entry : plat::ReadDir(Directory)) {
    if (FileExtension(entry) != Extension) continue;
    std::string name;
    if (!plat::TextOfFileName(StripExtension(entry), name)) continue;  // cannot be shown
    if (name.empty() || plat::FileType(Directory + entry) != plat::FILETYPE_FILE) continue;
    Names.push_back(name);
  }
  SortNames(Names);
}

void TSaveGameList::ReadDetails() {
  Modified.clear();
  Scores.clear();
  Levels.clear();
  bool saves = "." + Extension == TPlayerFiles::Extension(TPlayerFiles::Save);
  for (const std::string& name : Names) {
    Modified.push_back(plat::FileModified(PathOf(name)));
    int score = -1;
    TSavedLevel level;
    if (saves && !TSavedGame::ReadScore(PathOf(name), score)) score = -1;
    if (saves) TSavedGame::ReadLevel(PathOf(name), level);
    Scores.push_back(score);
    Levels.push_back(level);
  }
}

bool TSaveGameList::Delete(const std::string& name) const {
  if (!TPlayerFiles::IsSafeName(name)) return false;
  return plat::DeleteFile(PathOf(name));
}
