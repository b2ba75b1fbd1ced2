#include "Texts.h"

#include <map>
#include <stdexcept>

#include "Canvas.h"

namespace datagen {

namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  return s;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  // A final line end does not open another (empty) line.
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace

std::vector<TextBlock> ParseGameText(const std::string& bytes) {
  std::vector<std::string> lines = SplitLines(bytes);
  std::vector<TextBlock> blocks;
  size_t i = 0;
  while (i < lines.size()) {
    if (Upper(lines[i]) != "[TEXT]")
      throw std::runtime_error("line " + std::to_string(i + 1) + ": [TEXT] header not found");
    ++i;
    TextBlock block;
    bool haveKey = false;
    for (; i < lines.size() && (lines[i].empty() || lines[i][0] != '['); ++i) {
      if (!haveKey) {
        block.key = lines[i];
        haveKey = true;
      } else {
        block.lines.push_back(lines[i]);
      }
    }
    blocks.push_back(block);
  }
  return blocks;
}

const std::vector<TextRule>& GameTextRules() {
  // Widths follow the boxes the texts are drawn in: yes/no questions and
  // prompts on "input" (460 wide), messages on "inputlong" (640), the help
  // lines on "helptextback" (700), the help page from x = 285 to 740.
  const double kQuestion = 420, kMessage = 600, kPanel = 660;
  static const std::vector<TextRule> rules = {
      {"Data Pak Error", 20, 0, 4},
      {"No Valid Matches 1", 20, kQuestion},
      {"No Valid Matches 2", 20, kQuestion},
      {"Bonus Points", 25, kPanel, 1, "", "NNN"},
      {"Bonus Counter", 25, kPanel, 1, "", "NNN"},
      {"Help Message", 25, kPanel},
      {"Progress Field", 34, 119},  // from x = 100 to the bar at 220
      {"Level Editor 1", 25, 780},
      {"Level Editor 2", 25, 780},
      // The brush panel right of the editor's frame, 97 pixels wide.
      {"Editor Brush", 20, 90},
      {"Editor Brush Normal", 20, 90},
      {"Editor Brush Marble", 20, 90},
      {"Editor Brush Chain", 20, 90},
      {"Editor Brush Create", 20, 90},
      {"Editor Brush Fill", 20, 90},
      {"Editor Error 1", 20, kMessage},
      {"Editor Error 2", 20, kMessage},
      {"Editor Error 3", 20, kMessage},
      {"Editor Error 4", 20, kMessage},
      {"Editor Error 5", 20, kMessage},
      {"Editor Error 6", 20, kMessage},
      {"Score", 34, 250, 1, "99999"},  // from x = 450 to the buttons at 710
      {"Highscore Place", 20, kMessage, 1, "10!"},
      {"Finished Puzzle", 25, kPanel, 2},
      {"Restart Puzzle", 20, kQuestion},
      {"Reshuffle Puzzle", 20, kQuestion},
      {"Exit Playing", 20, kQuestion},
      {"Exit Editor", 20, kQuestion},
      {"Clear Puzzle", 20, kQuestion},
      {"Enter Save Name", 20, kQuestion},
      {"Enter Level Name", 20, kQuestion},
      {"Choose Savegame", 20, kQuestion},
      {"Choose Layout", 20, kQuestion},
      {"Delete File", 20, kQuestion},
      {"Tiles Field", 25, 185, 1, ": 99"},  // between the page arrows
      {"No Levels", 25, 760},
      {"Welcome", 20, 700, 1, "WWWWWWWWWW!"},
      {"Version", 18, 300, 1, "1.15"},
      {"Help Message Gleamstrand", 25, 455, 12},
      {"Clear Highscore", 20, kQuestion},
      {"Name", 34, 200},
      {"Could Not Create File", 20, 0, 2},
      {"Could Not Read File", 20, 0, 2},
      {"Name Error", 20, kMessage},
      {"Name Error Spaces", 20, kMessage},
      {"Name Error Dots", 20, kMessage},
      {"Name Error Length", 20, kMessage, 1, "", "NNN"},
      {"Name Error Characters", 20, kMessage},
      {"Enter Name", 20, kQuestion},
      {"Failed Read Directory", 20, 0, 2},
      {"Choose Player", 25, kQuestion},
      {"Player No More", 20, kMessage},
      {"Player One Player", 20, kMessage},
      {"Player Delete Player", 20, kQuestion, 1, "", "NNN"},
      {"Options Hint", 18, 300},
      {"Volume Percent", 25, 80, 1, "", "NNN"},
      {"Highscore Rank", 25, 70, 1, "", "NNN"},
      {"Page Indicator", 20, 180, 1, "", "TTT"},
      {"Level Label", 34, 250, 1, "", "NNN"},
      {"No Saved Games", 20, kQuestion},
      {"No Saved Layouts", 20, kQuestion},
      {"Game Saved", 20, kMessage},
      {"Current Player", 20, 400, 1, "", "NNN"},
      {"Rename Player", 20, kQuestion, 1, "", "NNN"},
      {"Rename Failed", 20, kMessage},
      {"Level Complete", 25, 290, 1, "", "NNN"},
      {"Level Time", 20, 290, 1, "", "NNN"},
      {"No Highscore Place", 20, 290},
      {"Highscore Name 1", 34, 150},
      {"Highscore Name 2", 34, 150},
      {"Highscore Name 3", 34, 150},
      {"Highscore Name 4", 34, 150},
      {"Highscore Name 5", 34, 150},
      {"Highscore Name 6", 34, 150},
      {"Highscore Name 7", 34, 150},
      {"Highscore Name 8", 34, 150},
      {"Highscore Name 9", 34, 150},
      {"Highscore Name 10", 34, 150},
  };
  return rules;
}

namespace {

void CheckValue(const TextRule& rule, const TextBlock& block, std::vector<std::string>& problems) {
  auto problem = [&](const std::string& what) { problems.push_back(rule.key + ": " + what); };
  if (block.lines.empty() || (block.lines.size() == 1 && block.lines[0].empty()))
    problem("empty value");
  if (int(block.lines.size()) > rule.maxLines)
    problem(std::to_string(block.lines.size()) + " lines, at most " +
            std::to_string(rule.maxLines));
  std::string joined;
  for (const std::string& line : block.lines) {
    joined += line;
    if (rule.maxWidth > 0) {
      double w = TextWidth(Face::Regular, rule.pixels, line + rule.appended);
      if (w > rule.maxWidth)
        problem("\"" + line + "\" is " + std::to_string(int(w)) + " px wide, at most " +
                std::to_string(int(rule.maxWidth)));
    }
  }
  if (!rule.needs.empty() && joined.find(rule.needs) == std::string::npos)
    problem("lacks the placeholder " + rule.needs);
  if (rule.key.rfind("Highscore Name", 0) == 0 && joined.size() > 10)
    problem("a default high-score name has at most 10 characters");
}

}  // namespace

std::vector<std::string> CheckGameText(const std::string& bytes) {
  std::vector<std::string> problems;
  std::vector<TextBlock> blocks;
  try {
    blocks = ParseGameText(bytes);
  } catch (const std::exception& e) {
    return {e.what()};
  }
  std::map<std::string, const TextBlock*> byKey;
  for (const TextBlock& b : blocks) {
    // As in the game, a later block of the same key replaces the earlier one.
    if (byKey.count(Upper(b.key))) problems.push_back(b.key + ": duplicate key");
    byKey[Upper(b.key)] = &b;
  }
  for (const TextRule& rule : GameTextRules()) {
    auto it = byKey.find(Upper(rule.key));
    if (it == byKey.end()) {
      problems.push_back(rule.key + ": missing");
      continue;
    }
    CheckValue(rule, *it->second, problems);
  }
  return problems;
}

}  // namespace datagen
