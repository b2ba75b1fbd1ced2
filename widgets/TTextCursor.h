// Writes lines of text down the screen from a starting point, each line
// linegap pixels below the last, in the current font and colour.
#pragma once

#include <string>

class TTextCursor {
 public:
  void Init(int newX, int newY, int newLinegap);
  void NewLine() { y += linegap; }
  // Left-aligned at (x, y), with the text shadow when Shadow is set.
  void Output(const std::string& text) const;
  void OutputNL(const std::string& text);

  int x = 0, y = 0;
  int linegap = 20;
  int Shadow = 0;
};
