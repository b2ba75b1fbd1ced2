#include "TSaveGameList.h"

#include <algorithm>

#include "Platform.h"
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
    std::string name = StripExtension(entry);
    if (name.empty() || plat::FileType(Directory + entry) != plat::FILETYPE_FILE) continue;
    Names.push_back(name);
  }
  SortNames(Names);
}

bool TSaveGameList::Delete(const std::string& name) const {
  if (name.empty() || name.find('/') != std::string::npos) return false;
  return plat::DeleteFile(PathOf(name));
}
