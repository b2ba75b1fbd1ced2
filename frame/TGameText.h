// The game's player-visible texts by key, read from "gametext.txt": blocks
// of a "[TEXT]" line, a key line and the value's lines.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
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

  // Every key the game looks up: the keys of the English text it ships.
  static const std::vector<std::string>& RequiredKeys();
  // The first of them this text lacks, or "" when it holds them all.
  std::string MissingKey() const;
};

// Values for the placeholders of a text: {"place", "3"} fills "{place}".
using TTextValues = std::initializer_list<std::pair<std::string, std::string>>;
// The text with every "{name}" of the values replaced by its value, so that
// a translation can put the value where its sentence needs it.
std::string FillPlaceholders(std::string text, TTextValues values);
// The program's game text of key with its placeholders filled ("" when no
// game text is loaded).
std::string GameTextWith(const std::string& key, TTextValues values);
