// The game text file: its block format, and the checks that every key the
// game looks up is present and fits where the game draws it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace datagen {

struct TextBlock {
  std::string key;                 // as written
  std::vector<std::string> lines;  // the value, one entry per line
};

// Splits the file the way the game reads it: LF line ends (a CR before the
// LF dropped), blocks opened by a "[TEXT]" line, key line, value lines up to
// the next line starting with "[". Throws std::runtime_error when a block
// does not start with the header.
std::vector<TextBlock> ParseGameText(const std::string& bytes);

// Where and how each key is shown: the game font's pixel size, the width it
// may take, and how many lines it may have.
struct TextRule {
  TextRule(std::string k, double px, double width, int lines = 1, std::string after = "",
           std::string placeholder = "")
      : key(std::move(k)),
        pixels(px),
        maxWidth(width),
        maxLines(lines),
        appended(std::move(after)),
        needs(std::move(placeholder)) {}
  std::string key;
  double pixels;
  double maxWidth;  // 0: no limit (message boxes)
  int maxLines;
  std::string appended;  // what the game adds after the text when it draws it
  std::string needs;     // a placeholder the value must contain ("NNN")
};
// The rule of a level's own name or tip ("Level Name 012", "Level Tip 006"),
// whose keys follow the levels; none for other keys.
std::optional<TextRule> LevelTextRule(const std::string& key);
const std::vector<TextRule>& GameTextRules();
// A value line as the game may draw it: its placeholders ("{name}", "NNN")
// replaced by the widest values the game puts there.
std::string WithSampleValues(std::string line);

// A line's width as the game lays it out in its face (the same rule, in
// whole pixels) at that pixel size.
double GameTextWidth(double pixels, const std::string& line);

// Everything wrong with a game text: missing or duplicate keys, values that
// do not fit, missing placeholders. Empty when the text is sound.
std::vector<std::string> CheckGameText(const std::string& bytes);

}  // namespace datagen

namespace datagen {

// The languages translated beside the English text, in the game's order:
// "gametext.CODE.txt" and "pictures.CODE.txt" in the text folder.
const std::vector<std::string>& TranslationCodes();

// The placeholders of a value ("{name}", "NNN", "TTT"), sorted.
std::vector<std::string> PlaceholdersOf(const std::vector<std::string>& lines);

// Everything wrong with a translation: CheckGameText's problems, keys the
// English text does not have, empty values or placeholders that differ
// from the English text. A key it lacks is no fault: the game shows the
// English text for it (LackedKeys lists them).
std::vector<std::string> CheckTranslation(const std::string& english,
                                          const std::string& translated);
// The keys of the English text that a translation lacks, in English order.
std::vector<std::string> LackedKeys(const std::string& english, const std::string& translated);

// The pseudo-language of the tests: every text accented and 40% longer,
// its placeholders kept, in the block format of the game text.
std::string PseudoWords(const std::string& english);
std::string PseudoGameText(const std::string& english);

}  // namespace datagen
