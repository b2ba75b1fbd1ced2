// The game's player-visible texts by key, read from "gametext.txt": blocks
// of a "[TEXT]" line, a key line and the value's lines.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

class TGameText {
 public:
  std::map<std::string, std::vector<std::string>> Map;  // keyed by upper-case key

  // Reads the file; a missing file or a block without its header is a fatal
  // error through ReportError.
  static std::shared_ptr<TGameText> Create(const std::string& file);
  void Read(const std::string& file);
  // Parses text already in memory (the same rules as Read).
  void Parse(const std::string& text);

  // The lines of the key; empty for a missing key.
  const std::vector<std::string>& Find(const std::string& key) const;
  // The lines joined with CR LF; "" for a missing key.
  std::string FindString(const std::string& key) const;
};
