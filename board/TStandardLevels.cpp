#include "TStandardLevels.h"

#include <cstdio>
#include <cstdlib>

#include "Globals.h"
#include "Platform.h"
#include "TTalvorineGame.h"
#include "TextCase.h"

std::string TStandardLevels::Digits(int n) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", n);
  return digits;
}

std::string TStandardLevels::Folder() {
  return (Game ? Game->DataPrefix : std::string()) + "layouts/";
}

std::string TStandardLevels::Path(const std::string& folder, int n) {
  return folder + Digits(n) + Extension;
}

int TStandardLevels::NumberOf(const std::string& levelPath, int custom) {
  std::string stem = FileStem(levelPath);
  if (custom || stem.empty() || stem.find_first_not_of("0123456789") != std::string::npos)
    return -1;
  return std::atoi(stem.c_str());
}

std::string TStandardLevels::NextPath(const std::string& levelPath) {
  int n = NumberOf(levelPath);
  if (n > 0 && n < Count) {
    std::string candidate = Path(Folder(), n + 1);
    if (plat::FileType(plat::ResolvePath(candidate)) == plat::FILETYPE_FILE) return candidate;
  }
  return Path(Folder(), 1);
}
