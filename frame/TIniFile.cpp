#include "TIniFile.h"

#include <algorithm>

#include "Globals.h"
#include "Platform.h"

std::string IniUpper(const std::string& s) {
  std::string out = s;
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  return out;
}

TIniLine IniSplitLine(const std::string& line) {
  size_t eq = line.find('=');
  if (eq == std::string::npos) return {IniUpper(line), ""};
  return {IniUpper(line.substr(0, eq)), line.substr(eq + 1)};
}

void TIniFile::Add(const std::string& name, const std::string& value) {
  Lines.push_back({IniUpper(name), value});
}

std::string TIniFile::Get(const std::string& name) const {
  std::string key = IniUpper(name);
  for (const TIniLine& line : Lines) {
    if (line.Name == key) return line.Value;
  }
  return "";
}

void TIniFile::Save() const {
  std::string path = FileName + ".ini";
  auto same = [](const TIniLine& a, const TIniLine& b) {
    return a.Name == b.Name && a.Value == b.Value;
  };
  if (path == writtenPath_ &&
      std::equal(Lines.begin(), Lines.end(), written_.begin(), written_.end(), same) &&
      plat::FileType(path) == plat::FILETYPE_FILE) {
    return;
  }
  writtenPath_.clear();
  plat::TStreamPtr out = plat::WriteFileAtomic(path);
  if (!out) ReportError("Failed to save file " + path, 1);
  for (const TIniLine& line : Lines) out->WriteLine(line.Name + "=" + line.Value);
  // The file is written aside and renamed into place, so a failure shows
  // only here; it is the same failure as a file that cannot be opened.
  if (!out->Close()) {
    ReportError("Failed to save file " + path, 1);
    return;
  }
  written_ = Lines;
  writtenPath_ = path;
}

void TIniFile::Load() {
  if (plat::TStreamPtr in = plat::ReadDiskFile(FileName + ".ini")) {
    std::vector<TIniLine> file;
    while (!in->Eof()) {
      TIniLine read = IniSplitLine(in->ReadLine());
      for (TIniLine& line : Lines) {
        if (line.Name == read.Name) line.Value = read.Value;
      }
      file.push_back(std::move(read));
    }
    // A file that holds exactly these lines is what Save would write.
    written_ = std::move(file);
    writtenPath_ = FileName + ".ini";
  }
  Save();
}

std::unique_ptr<TIniFile> IniFileLoadAll(const std::string& fileName) {
  auto ini = std::make_unique<TIniFile>(fileName);
  if (plat::TStreamPtr in = plat::ReadDiskFile(fileName + ".ini")) {
    while (!in->Eof()) {
      std::string text = in->ReadLine();
      if (!text.empty()) ini->Lines.push_back(IniSplitLine(text));
    }
  }
  ini->Save();
  return ini;
}

std::vector<TIniLine> IniReadLines(const std::string& path) {
  std::vector<TIniLine> lines;
  plat::TStreamPtr in = plat::ReadDiskFile(path);
  if (!in) return lines;
  while (!in->Eof()) {
    std::string text = in->ReadLine();
    if (!text.empty()) lines.push_back(IniSplitLine(text));
  }
  return lines;
}

bool IniWriteLines(const std::string& path, const std::vector<TIniLine>& lines) {
  plat::TStreamPtr out = plat::WriteFileAtomic(path);
  if (!out) return false;
  for (const TIniLine& line : lines) out->WriteLine(line.Name + "=" + line.Value);
  return !out->WriteFailed() && out->Close();
}

std::string IniReadKey(const std::string& path, const std::string& key) {
  plat::TStreamPtr in = plat::ReadDiskFile(path);
  if (!in) return "";
  std::string wanted = IniUpper(key);
  while (!in->Eof()) {
    TIniLine line = IniSplitLine(in->ReadLine());
    if (line.Name == wanted) return line.Value;
  }
  return "";
}

int IniCopyWithKey(const std::string& source, const std::string& destination,
                   const std::string& key, const std::string& value) {
  plat::TStreamPtr in = plat::ReadDiskFile(source);
  if (!in) return 0;
  plat::TStreamPtr out = plat::WriteFileAtomic(destination);
  if (!out) return 0;
  std::string wanted = IniUpper(key);
  while (!in->Eof()) {
    std::string line = in->ReadLine();
    out->WriteLine(IniSplitLine(line).Name == wanted ? wanted + "=" + value : line);
  }
  return out->Close() ? 1 : 0;
}
