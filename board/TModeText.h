// The few texts the modes draw themselves (help box, bonus box, progress
// label, editor help): looked up in the game text and drawn in one of the
// game's face sizes.
#pragma once

#include <string>
#include <utility>

namespace modetext {

// The one face size of the game screen's top line: the level, the progress
// label and the score. The longest level title of every language fits at it
// before the progress label.
constexpr int HudTextSize = 25;
// The top of that line's letters, level with the progress bar.
constexpr int HudLineY = 29;

// The game text of a key ("" without game text or for a missing key).
std::string Text(const std::string& key);
// The text with every "NNN" replaced by the number.
std::string WithNumber(const std::string& text, int number);
// The text with every placeholder ("NNN") replaced by a word (a name, a
// figure).
std::string WithWord(const std::string& text, const std::string& word,
                     const std::string& placeholder = "NNN");
// A standard level's own game text (`prefix` + its three digits, as "Level
// Name 012"), or "" for any other level or a key the game text lacks.
std::string StandardLevelText(const std::string& prefix, const std::string& levelPath, int custom);
// One line centred horizontally on the screen at y, in the face of `size`
// points, white with the text shadow in force.
void DrawCentred(const std::string& text, float y, int size);
// One line with its left edge at x.
void DrawAt(const std::string& text, float x, float y, int size);
// One line with its right edge at x.
void DrawRightAt(const std::string& text, float x, float y, int size);
// One line centred on x, in the grey of `shade` (255: white).
void DrawCentredAt(const std::string& text, float x, float y, int size, int shade = 255);

// One line centred on x, white in a dark ring: on a bar, readable over its
// bright fill and its dark track alike.
void DrawOnBarAt(const std::string& text, float x, float y, int size);

// A text the modes draw every frame: looked up once the game text is there,
// and its form with a number made again only when the number changes.
class TKeyText {
 public:
  explicit TKeyText(std::string key) : key_(std::move(key)) {}
  const std::string& Get();
  const std::string& With(int number);

 private:
  std::string key_, text_, numbered_;
  int number_ = 0;
  bool found_ = false, hasNumber_ = false;
};

}  // namespace modetext
