#include "CommandLine.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool ParseCount(const std::string& text, long long& value) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && end && *end == '\0';
}

bool ParseScreenshot(const std::string& text, std::pair<long long, std::string>& shot) {
  size_t colon = text.find(':');
  if (colon == std::string::npos || colon + 1 >= text.size()) return false;
  shot.second = text.substr(colon + 1);
  return ParseCount(text.substr(0, colon), shot.first);
}

}  // namespace

std::string UsageText() {
  return "Usage: gleamstrand [options]\n"
         "  --help               show this help and exit\n"
         "  --version            show the version and exit\n"
         "  --headless           run without a display or sound (virtual clock)\n"
         "  --seed N             seed the random source with N\n"
         "  --script FILE        feed the input events of FILE (see docs/script.md)\n"
         "  --steps N            run N logic steps, then exit normally\n"
         "  --screenshot STEP:FILE  save the frame drawn after logic step STEP as PNG\n"
         "                       (may be given more than once)\n"
         "  --windowed           play in a window this time (the setting is kept)\n"
         "  --fullscreen         play full screen this time (the setting is kept)\n";
}

std::string VersionText() { return "Gleamstrand 1.0.0\n"; }

bool ParseCommandLine(int argc, const char* const* argv, TRunOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    std::string text;
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--version") {
      options.Version = true;
    } else if (arg == "--headless") {
      options.Headless = true;
    } else if (arg == "--windowed") {
      options.FullScreen = 0;
    } else if (arg == "--fullscreen") {
      options.FullScreen = 1;
    } else if (arg == "--seed") {
      long long seed = 0;
      if (!value(text)) return false;
      if (!ParseCount(text, seed) || seed > 0xffffffffll) {
        error = "--seed needs a whole number from 0 to 4294967295, not \"" + text + "\"";
        return false;
      }
      options.HasSeed = true;
      options.Seed = unsigned(seed);
    } else if (arg == "--steps") {
      if (!value(text)) return false;
      if (!ParseCount(text, options.Steps)) {
        error = "--steps needs a whole number of logic steps, not \"" + text + "\"";
        return false;
      }
    } else if (arg == "--script") {
      if (!value(options.Script)) return false;
    } else if (arg == "--screenshot") {
      std::pair<long long, std::string> shot;
      if (!value(text)) return false;
      if (!ParseScreenshot(text, shot)) {
        error = "--screenshot needs STEP:FILE (e.g. 100:title.png), not \"" + text + "\"";
        return false;
      }
      options.Screenshots.push_back(shot);
    } else {
      error = "unknown option \"" + arg + "\"";
      return false;
    }
  }
  return true;
}
