// The program's command line.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct TRunOptions {
  bool Help = false;
  bool Version = false;
  bool Headless = false;
  int OutputWidth = 0, OutputHeight = 0;  // --size: the headless display (0: 800 x 600)
  bool HasSeed = false;
  unsigned Seed = 0;
  std::string Script;                                          // scripted input, "" for none
  long long Steps = -1;                                        // logic steps, then the normal exit
  std::vector<std::pair<long long, std::string>> Screenshots;  // step, PNG file
  int FullScreen = -1;   // -1 the setting, 0 window, 1 full screen
  std::string AutoPlay;  // levels the bot plays ("" for none)
  std::string Player;    // the bot's player ("" for the default)
  std::string Language;  // "en", "de", ... for this run ("" for the setting)
  bool Keys = false;     // the bot plays with the keyboard alone
  bool Pad = false;      // the bot plays with a virtual game pad alone
  std::string Mode;      // the way the bot plays its levels ("" for relaxed)
  int Moves = 0;         // the bot's moves in endless (0: not given)
  std::string FrameLog;  // each presented frame's time and duration ("" for none)
};

// The most moves --moves takes.
constexpr int MaxEndlessMoves = 100000;

// Fills options from argv; false with a message naming the bad option. An
// unknown option's message starts with "unknown option".
bool ParseCommandLine(int argc, const char* const* argv, TRunOptions& options, std::string& error);
std::string UsageText();
std::string VersionText();
