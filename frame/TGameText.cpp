#include "TGameText.h"

#include "GameResources.h"
#include "Globals.h"
#include "Platform.h"
#include "TextCase.h"
#include "Utf8.h"

namespace {

const char* const kHeader = "[TEXT]";

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t lf = text.find('\n', start);
    size_t end = lf == std::string::npos ? text.size() : lf;
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  return lines;
}

bool StartsBlock(const std::string& line) { return !line.empty() && line[0] == '['; }

}  // namespace

std::shared_ptr<TGameText> TGameText::Create(const std::string& file) {
  auto text = std::make_shared<TGameText>();
  text->Read(file);
  return text;
}

void TGameText::Read(const std::string& file) {
  plat::TStreamPtr stream = plat::ReadStream(file);
  if (!stream) {
    ReportError("Error loading file " + file, 1);
    return;
  }
  std::vector<uint8_t> bytes = stream->ReadAll();
  Parse(std::string(bytes.begin(), bytes.end()));
}

void TGameText::Parse(const std::string& text) {
  // The texts are UTF-8; a text file of an earlier version is Latin-1.
  std::vector<std::string> lines = SplitLines(plat::TextOfStoredBytes(text));
  size_t i = 0;
  while (i < lines.size()) {
    if (UpperCase(lines[i]) != kHeader) {
      ReportError(std::string(kHeader) + " header hot found", 1);
      return;
    }
    ++i;
    size_t end = i;
    while (end < lines.size() && !StartsBlock(lines[end])) ++end;
    if (end > i) {  // a header straight before the next one has no key
      Map[UpperCase(lines[i])] =
          std::vector<std::string>(lines.begin() + long(i) + 1, lines.begin() + long(end));
    }
    i = end;
  }
}

const std::vector<std::string>& TGameText::Find(const std::string& key) const {
  static const std::vector<std::string> kNone;
  auto it = Map.find(UpperCase(key));
  return it == Map.end() ? kNone : it->second;
}

std::string TGameText::FindString(const std::string& key) const {
  std::string joined;
  const auto& lines = Find(key);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) joined += "\r\n";
    joined += lines[i];
  }
  return joined;
}

std::string TGameText::MissingKey() const {
  for (const std::string& key : RequiredKeys()) {
    if (Map.find(UpperCase(key)) == Map.end()) return key;
  }
  return "";
}

std::string FillPlaceholders(std::string text, TTextValues values) {
  for (const auto& [name, value] : values) {
    const std::string mark = "{" + name + "}";
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
      text.replace(at, mark.size(), value);
      at += value.size();
    }
  }
  return text;
}

std::string GameTextWith(const std::string& key, TTextValues values) {
  return GameText ? FillPlaceholders(GameText->FindString(key), values) : std::string();
}
