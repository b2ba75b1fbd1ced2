#include "Texts.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>

#include "Canvas.h"
#include "GlyphAdvance.h"
// The help page's text area is the screen's own constant.
#include "../../screens/THelpPage.h"

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
  // prompts on "input" (460 wide), messages on "inputlong" (640; also a
  // question a language needs more room for), the help
  // lines on "helptextback" (700), the help page's text area on its panel.
  const double kQuestion = 420, kMessage = 600, kPanel = 660;
  const double kHelpPage = THelpPage::TextWidth;
  static const std::vector<TextRule> rules = {
      {"Data Pak Error", 20, 0, 4},
      {"No Valid Matches 1", 20, kQuestion},
      {"No Valid Matches 2", 20, kQuestion},
      {"Bonus Points", 25, kPanel, 1, "", "NNN"},
      {"Bonus Counter", 25, kPanel, 1, "", "NNN"},
      {"Help Message", 25, kPanel},
      // The game screen's top line, all at 25 px: the level's title from
      // x = 8 (116 wide), the progress label ending 8 px left of the bar
      // (at 256), the score from x = 478 to the buttons at 710.
      {"Progress Field", 25, 124},
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
      {"Score", 25, 225, 1, "99999"},
      // A line of the end panel (320 wide, 290 inside its frame).
      {"Highscore Place", 20, 290, 1, "", "{place}"},
      {"Finished Puzzle", 25, kPanel, 2},
      {"Restart Puzzle", 20, kQuestion},
      {"Reshuffle Puzzle", 20, kQuestion},
      {"Exit Playing", 20, kQuestion},
      {"Exit Editor", 20, kMessage},
      {"Clear Puzzle", 20, kQuestion},
      {"Enter Save Name", 20, kQuestion},
      {"Enter Level Name", 20, kQuestion},
      {"Choose Savegame", 20, kQuestion},
      {"Choose Layout", 20, kQuestion},
      {"Delete File", 20, kQuestion},
      {"Delete Saved Game", 20, kQuestion, 1, "", "NNN"},
      {"Delete Layout", 20, kQuestion, 1, "", "NNN"},
      // Above the page arrows (228 to 572), with " · Par: 99" beside it.
      {"Tiles Field", 25, 230, 1, "", "{cells}"},
      {"No Levels", 25, 760},
      {"Welcome", 20, 700, 1, "", "{name}"},
      {"Version", 18, 300, 1, "", "{version}"},
      // Days and times, as the save chooser and the suggested save name write them.
      {"Date Form", 20, 0, 1, "", "{day}"},
      {"Date Time Form", 20, 0, 1, "", "{date}"},
      {"Month Names", 20, 0},
      {"Help Message Gleamstrand", 25, kHelpPage, 12},
      {"Clear Highscore", 20, kQuestion},
      {"Name", 34, 200},
      {"Could Not Create File", 20, 0, 2, "", "{file}"},
      {"Could Not Read File", 20, 0, 2, "", "{file}"},
      {"Name Error", 20, kMessage},
      {"Name Error Spaces", 20, kMessage},
      {"Name Error Dots", 20, kMessage},
      {"Name Error Length", 20, kMessage, 1, "", "NNN"},
      {"Name Error Characters", 20, kMessage},
      {"Enter Name", 20, kQuestion},
      {"Failed Read Directory", 20, 0, 2, "", "{folder}"},
      {"Choose Player", 25, kQuestion},
      {"Player No More", 20, kMessage},
      {"Player One Player", 20, kMessage},
      {"Player Delete Player", 20, kMessage, 1, "", "NNN"},
      {"Options Hint", 18, 300},
      {"Volume Percent", 25, 80, 1, "", "NNN"},
      {"Highscore Rank", 25, 70, 1, "", "NNN"},
      {"Highscore Rank 1", 25, 70, 1, "", "NNN"},
      {"Highscore Rank 2", 25, 70, 1, "", "NNN"},
      {"Highscore Rank 3", 25, 70, 1, "", "NNN"},
      {"Page Indicator", 20, 180, 1, "", "TTT"},
      {"Level Label", 25, 116, 1, "", "NNN"},
      {"No Saved Games", 20, kQuestion},
      {"No Saved Layouts", 20, kQuestion},
      {"Game Saved", 20, kMessage},
      {"Level Saved", 20, kMessage},
      {"Current Player", 20, 400, 1, "", "NNN"},
      // In the player manager's empty list (540 wide), which wraps a line
      // 10 pixels in from each side: a line that fits stays as written.
      {"Player None", 20, 520, 2},
      {"Rename Player", 20, kQuestion, 1, "", "NNN"},
      {"Rename Failed", 20, kMessage},
      {"Level Complete", 25, 290, 1, "", "NNN"},
      {"Level Time", 20, 290, 1, "", "NNN"},
      {"No Highscore Place", 20, 290},
      // On the end panel beside each other ("Moves: 14 · Par: 12").
      {"Level Moves", 20, 180, 1, "", "NNN"},
      {"Level Par", 20, 100, 1, "", "NNN"},
      // On the end panel (290 wide) and under the level selection's grid.
      {"Best Line", 18, 290, 1, "", "{moves}"},
      {"Best Line Uncounted", 18, 290, 1, "", "{time}"},
      // Under the page line and in the level selection's top corner.
      {"Stars Total", 20, 170, 1, "", "TTT"},
      // Under the help page's text, in its area.
      {"Help Stars", 20, kHelpPage, 2},
      {"Editor Load Unsaved", 20, kMessage},
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
      {"Could Not Read Level", 20, kMessage, 1, "", "{level}"},
      // The pad's letter grid: keys two cells (80 px) wide.
      {"Letter Grid Space", 20, 76},
      {"Letter Grid Delete", 20, 76},
      {"Letter Grid OK", 20, 76},
      // In the end panel's title, before the longest word for "complete".
      {"Unnamed Level", 25, 290, 1, " completato"},
      // On the progress bar, 200 px wide.
      {"Marbles Left", 16, 190, 1, "", "NNN"},
      // The high-score table's name between its page arrows.
      {"Way Relaxed", 25, 225},
      {"Way Clock", 25, 225},
      {"Way Attack", 25, 225},
      {"Way Endless", 25, 225},
      // Time attack's end: the panel's title and the box under the board.
      {"Time Up", 25, 290},
      {"Time Up Box", 25, kPanel, 2, "", "{score}"},
      // The open board's help box, and its rule on the level selection
      // (at 16 px after the way's name under the help page's panel).
      {"Help Attack", 25, kPanel},
      {"Help Endless", 25, kPanel},
      // The open board's tile: its caption on the item's name strip.
      {"Open Board Start", 16, 152},
      // Under the tile's rule: the player's best score in the way's table.
      {"Open Board Best", 20, 600, 1, "", "{score}"},
      // The lost level's panel title and the box under the board.
      {"Out Of Time", 25, 290},
      {"Out Of Time Box", 25, kPanel},
      // After the size and the par under the level selection's grid.
      {"Time Limit", 25, 250, 1, "", "NNN"},
      // Under the help page's panel, centred.
      {"Help Clock", 16, 640, 2},
  };
  return rules;
}

std::optional<TextRule> LevelTextRule(const std::string& key) {
  // The names over the level's number on the game screen (shrunk to 14 px
  // at most) and on level selection; the tips in the help box.
  if (key.rfind("Level Name ", 0) == 0) return TextRule(key, 14, 200);
  if (key.rfind("Level Tip ", 0) == 0) return TextRule(key, 25, 660);
  return std::nullopt;
}

namespace {

// The game's face at each size it is measured at, opened once.
class TGameFaces {
 public:
  ~TGameFaces() {
    for (auto& [pixels, face] : faces_) FT_Done_Face(face);
    if (library_) FT_Done_FreeType(library_);
  }
  int Width(int pixels, const std::string& line) {
    std::lock_guard<std::mutex> guard(lock_);
    return plat::TextAdvance(At(pixels), line, true);
  }

 private:
  FT_Face At(int pixels) {
    if (auto it = faces_.find(pixels); it != faces_.end()) return it->second;
    if (!library_ && FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType failed");
    const std::string path = FontFile(Face::Regular);
    FT_Face face = nullptr;
    if (FT_New_Face(library_, path.c_str(), 0, &face) != 0)
      throw std::runtime_error("cannot open font " + path);
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixels));
    return faces_[pixels] = face;
  }

  std::mutex lock_;
  FT_Library library_ = nullptr;
  std::map<int, FT_Face> faces_;
};

}  // namespace

double GameTextWidth(double pixels, const std::string& line) {
  static TGameFaces faces;
  return faces.Width(int(pixels), line);
}

std::string WithSampleValues(std::string line) {
  // The widest values the game puts in: ten capital Ws for a name.
  static const std::pair<const char*, const char*> samples[] = {{"{place}", "10"},
                                                                {"{name}", "WWWWWWWWWW"},
                                                                {"{version}", "1.15"},
                                                                {"{music}", "100"},
                                                                {"{sound}", "100"},
                                                                {"{level}", "080"},
                                                                {"{file}", "WWWWWWWWWW.layout"},
                                                                {"{folder}", "/home/WWWWWWWWWW/"},
                                                                {"{score}", "99999"},
                                                                {"{time}", "59:59"},
                                                                {"{moves}", "999"},
                                                                {"{cells}", "99"},
                                                                {"{day}", "30"},
                                                                {"{month}", "WWW"},
                                                                {"{date}", "30 WWW"},
                                                                {"{year}", "2026"},
                                                                {"NNN", "999"}};
  for (const auto& [mark, value] : samples)
    for (size_t at = line.find(mark); at != std::string::npos; at = line.find(mark, at))
      line.replace(at, std::string(mark).size(), value);
  return line;
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
      double w = GameTextWidth(rule.pixels, WithSampleValues(line) + rule.appended);
      if (w > rule.maxWidth)
        problem("\"" + line + "\" is " + std::to_string(int(w)) + " px wide, at most " +
                std::to_string(int(rule.maxWidth)));
    }
  }
  if (!rule.needs.empty() && joined.find(rule.needs) == std::string::npos)
    problem("lacks the placeholder " + rule.needs);
  // Characters, as the high-score table counts them, not UTF-8 bytes.
  auto characters = std::count_if(joined.begin(), joined.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  if (rule.key.rfind("Highscore Name", 0) == 0 && characters > 10)
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
  // The levels' own texts, written from layouts/levels.txt.
  for (const auto& [key, block] : byKey)
    if (auto rule = LevelTextRule(block->key)) CheckValue(*rule, *block, problems);
  return problems;
}

}  // namespace datagen

namespace datagen {

const std::vector<std::string>& TranslationCodes() {
  // Every language of the table but English, the game's own.
  static const std::vector<std::string> codes = [] {
    std::vector<std::string> all = {
#define GS_LANGUAGE(region, code, name, aliases) code,
#include "../../frame/Languages.def"
#undef GS_LANGUAGE
    };
    all.erase(all.begin());
    return all;
  }();
  return codes;
}

std::vector<std::string> PlaceholdersOf(const std::vector<std::string>& lines) {
  std::vector<std::string> found;
  for (const std::string& line : lines) {
    for (size_t at = line.find('{'); at != std::string::npos; at = line.find('{', at + 1)) {
      size_t end = line.find('}', at);
      if (end != std::string::npos) found.push_back(line.substr(at, end - at + 1));
    }
    for (const char* mark : {"NNN", "TTT"})  // numbers the code puts in
      for (size_t at = line.find(mark); at != std::string::npos; at = line.find(mark, at + 3))
        found.push_back(mark);
  }
  std::sort(found.begin(), found.end());
  return found;
}

namespace {

// The translation's blocks by upper-case key; false when it cannot be read.
bool BlocksByKey(const std::string& translated,
                 std::map<std::string, std::vector<std::string>>& own) {
  try {
    for (const TextBlock& b : ParseGameText(translated)) own[Upper(b.key)] = b.lines;
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> LackedKeys(const std::string& english, const std::string& translated) {
  std::map<std::string, std::vector<std::string>> own;
  std::vector<std::string> lacked;
  if (!BlocksByKey(translated, own)) return lacked;
  for (const TextBlock& b : ParseGameText(english)) {
    if (!own.count(Upper(b.key))) lacked.push_back(b.key);
  }
  return lacked;
}

std::vector<std::string> CheckTranslation(const std::string& english,
                                          const std::string& translated) {
  std::vector<std::string> problems = CheckGameText(translated);
  std::map<std::string, std::vector<std::string>> own;
  // A text that cannot be read: the header problem is reported already.
  if (!BlocksByKey(translated, own)) return problems;
  std::set<std::string> englishKeys;
  for (const TextBlock& b : ParseGameText(english)) {
    englishKeys.insert(Upper(b.key));
    auto it = own.find(Upper(b.key));
    if (it == own.end()) continue;  // lacked: shown in English
    bool empty = true;
    for (const std::string& line : it->second) empty = empty && line.empty();
    if (empty) problems.push_back(b.key + ": empty value");
    if (PlaceholdersOf(it->second) != PlaceholdersOf(b.lines))
      problems.push_back(b.key + ": other placeholders than the English text");
  }
  for (const auto& [key, lines] : own)
    if (!englishKeys.count(key)) problems.push_back(key + ": not a key of the English text");
  return problems;
}

namespace {

// Look-alikes with accents, from Latin-1 and beyond it, so that a pseudo
// text is still readable and shows every glyph range the game draws.
std::string Accented(char c) {
  static const std::map<char, std::string> marks = {{'a', "à"}, {'e', "ę"}, {'i', "î"}, {'o', "ő"},
                                                    {'u', "ů"}, {'c', "č"}, {'n', "ñ"}, {'y', "ý"},
                                                    {'A', "Å"}, {'E', "Ę"}, {'I', "Î"}, {'O', "Ő"},
                                                    {'U', "Ů"}, {'C', "Č"}, {'N', "Ñ"}, {'Y', "Ý"}};
  auto it = marks.find(c);
  return it == marks.end() ? std::string(1, c) : it->second;
}

}  // namespace

std::string PseudoWords(const std::string& english) {
  std::string out;
  for (size_t i = 0; i < english.size(); ++i) {
    // Placeholders stay as the game fills them.
    if (english[i] == '{') {
      size_t end = english.find('}', i);
      if (end != std::string::npos) {
        out += english.substr(i, end - i + 1);
        i = end;
        continue;
      }
    }
    if (english.compare(i, 3, "NNN") == 0 || english.compare(i, 3, "TTT") == 0) {
      out += english.substr(i, 3);
      i += 2;
      continue;
    }
    out += Accented(english[i]);
  }
  // 40% longer: the two marks that show where the text ends, and filler.
  size_t extra = (english.size() * 4 + 9) / 10;
  std::string filler = " ";
  for (size_t k = 3; k < extra; ++k) filler += "è";
  return "«" + out + (extra > 2 ? filler : "") + "»";
}

std::string PseudoGameText(const std::string& english) {
  std::string out;
  for (const TextBlock& b : ParseGameText(english)) {
    out += "[TEXT]\n" + b.key + "\n";
    for (const std::string& line : b.lines) out += (line.empty() ? line : PseudoWords(line)) + "\n";
  }
  return out;
}

}  // namespace datagen
