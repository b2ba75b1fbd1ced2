// The standard levels: how many there are, how they are numbered ("005"),
// where their layouts lie and which follows which. The level texts, the game
// screen's "next puzzle" and the autoplay bot all count them here.
#pragma once

#include <string>

class TStandardLevels {
 public:
  static constexpr int Count = 80;
  static constexpr const char* Extension = ".layout";

  // The three digits of level n ("005"), as its file and its texts are named.
  static std::string Digits(int n);
  // The layouts' folder as the game opens it ("layouts/" under the data).
  static std::string Folder();
  // Level n's layout in `folder` (ends in "/").
  static std::string Path(const std::string& folder, int n);
  // The number of a standard level's layout ("012.layout" is 12), or -1 for
  // a custom level, a layout not named by a number, or none.
  static int NumberOf(const std::string& levelPath, int custom = 0);
  // The layout that follows a standard level: the next number up to the
  // last when its file exists, else the first.
  static std::string NextPath(const std::string& levelPath);
};
