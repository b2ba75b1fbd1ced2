#include "TCompletionFile.h"

#include "FileProblems.h"
#include "Platform.h"
#include "TTalvorineGame.h"
#include "TextCase.h"
#include "Utf8.h"

void TCompletionFile::Load() {
  Lines = IniReadLines(Path);
  // Earlier versions wrote the keys of levels named beyond ASCII in Latin-1.
  for (TIniLine& line : Lines) line.Name = plat::TextOfStoredBytes(line.Name);
}

// The key is text, as the player's level names are; the path is the system's.
std::string TCompletionFile::KeyOf(const std::string& level) {
  std::string name;
  plat::TextOfFileName(FileStem(level), name);
  return IniUpper(name);
}

int TCompletionFile::IsCompleted(const std::string& level) const {
  std::string key = KeyOf(level);
  for (const TIniLine& line : Lines) {
    if (line.Name == key) return line.Value == "1" ? 1 : 0;
  }
  return 0;
}

bool TCompletionFile::MarkCompleted(const std::string& level) {
  Load();
  std::string key = KeyOf(level);
  bool replaced = false;
  for (TIniLine& line : Lines) {
    if (line.Name == key) {
      line.Value = "1";
      replaced = true;
    }
  }
  if (!replaced) Lines.push_back({key, "1"});
  if (IniWriteLines(Path, Lines)) return true;
  LogFileProblem("Failed to save file " + Path);
  return false;
}
