#include "TPlayerFiles.h"

#include <cstring>

#include "Platform.h"
#include "TTalvorineGame.h"

bool TPlayerFiles::IsRefused(int c) {
  if (c < 32 || c == 127) return true;
  return c < 256 && std::strchr(RefusedCharacters, char(c)) != nullptr;
}

TPlayerFiles::TProblem TPlayerFiles::ProblemOfStem(const std::string& stem) {
  if (stem.empty()) return Empty;
  if (stem == "." || stem == "..") return Dots;
  bool onlyBlanks = true;
  for (char ch : stem) {
    if (IsRefused(static_cast<unsigned char>(ch))) return Refused;
    if (ch != ' ') onlyBlanks = false;
  }
  if (onlyBlanks) return OnlyBlanks;
  return stem.size() > MaxNameBytes ? TooLong : None;
}

TPlayerFiles::TProblem TPlayerFiles::ProblemOf(const std::string& name) {
  // A megabyte of a name (a damaged settings file) is not converted first.
  if (name.size() > MaxNameBytes) return TooLong;
  return ProblemOfStem(plat::FileNameOfText(name));
}

bool TPlayerFiles::IsSafePath(const std::string& path, const std::string& folder) {
  std::string stem;
  if (!folder.empty() && path.compare(0, folder.size(), folder) == 0) {
    stem = path.substr(folder.size());
  } else {
    size_t slash = path.find_last_of("/\\");
    stem = slash == std::string::npos ? path : path.substr(slash + 1);
  }
  return ProblemOfStem(stem) == None;
}

const char* TPlayerFiles::Extension(TKind kind) {
  switch (kind) {
    case Save:
      return ".save";
    case Layout:
      return ".layout";
    case Profile:
      return ".dat";
    case StandardRecord:
      return "s.ini";
    case CustomRecord:
      return "c.ini";
    case Bests:
      return "b.ini";
    case ClockRecord:
      return "~s.ini";
    case ClockCustomRecord:
      return "~c.ini";
    case ClockBests:
      return "~b.ini";
  }
  return "";
}

std::string TPlayerFiles::FileName(const std::string& name, TKind kind) {
  return plat::FileNameOfText(name) + Extension(kind);
}

std::string TPlayerFiles::Path(const std::string& folder, const std::string& name, TKind kind) {
  return folder + FileName(name, kind);
}

std::string TPlayerFiles::Path(const std::string& name, TKind kind) {
  return Path(Game ? Game->ProfilePath : std::string(), name, kind);
}

std::string TPlayerFiles::PathStem(const std::string& name) {
  return (Game ? Game->ProfilePath : std::string()) + plat::FileNameOfText(name);
}

std::string TPlayerFiles::PathOfStem(const std::string& stem, TKind kind) {
  return (Game ? Game->ProfilePath : std::string()) + stem + Extension(kind);
}

std::vector<std::string> TPlayerFiles::FilesOfPlayer(const std::string& folder,
                                                     const std::string& name) {
  return {Path(folder, name, Profile),      Path(folder, name, StandardRecord),
          Path(folder, name, CustomRecord), Path(folder, name, Bests),
          Path(folder, name, ClockRecord),  Path(folder, name, ClockCustomRecord),
          Path(folder, name, ClockBests)};
}
