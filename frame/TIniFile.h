// Name=value text files (settings, game configuration, completion records).
// Names are stored and compared in upper case; values keep their case.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct TIniLine {
  std::string Name;  // upper case
  std::string Value;
};

class TIniFile {
 public:
  TIniFile() = default;
  explicit TIniFile(std::string fileName) : FileName(std::move(fileName)) {}

  void Add(const std::string& name, const std::string& value);
  // Writes FileName + ".ini" (fatal "Failed to save file " + path when it
  // cannot be written). Lines this object wrote there last time, still in
  // place, are not written again: a save costs a flush to the disk.
  void Save() const;
  // Takes the values of the listed names from the file, then rewrites it.
  void Load();
  void Clear() { Lines.clear(); }
  // Value of a name (any case), or "" when absent.
  std::string Get(const std::string& name) const;

  std::string FileName;  // without ".ini"
  std::vector<TIniLine> Lines;

 private:
  // What the last Save wrote, and where.
  mutable std::vector<TIniLine> written_;
  mutable std::string writtenPath_;
};

// ASCII upper case (a..z only).
std::string IniUpper(const std::string& s);
// Splits "name=value" at the first "="; a line without "=" is all name.
TIniLine IniSplitLine(const std::string& line);

// Every entry of fileName + ".ini", unknown names included; saved back.
std::unique_ptr<TIniFile> IniFileLoadAll(const std::string& fileName);
// Every line of a file on disk, split at its "="; blank lines are skipped,
// and a missing or unreadable file has none.
std::vector<TIniLine> IniReadLines(const std::string& path);
// Writes the lines as NAME=value through the atomic write: false when the
// file cannot be written (the old one is then kept).
bool IniWriteLines(const std::string& path, const std::vector<TIniLine>& lines);
// Value of the first line whose name matches key, "" when none or no file.
std::string IniReadKey(const std::string& path, const std::string& key);
// Copies source to destination line by line, replacing the line of key with
// KEY=value. 0 when source cannot be opened.
int IniCopyWithKey(const std::string& source, const std::string& destination,
                   const std::string& key, const std::string& value);
