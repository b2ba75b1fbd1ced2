#include "CommandLine.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "TLanguage.h"

// The build passes the project's version.
#ifndef GS_VERSION
#define GS_VERSION "0.0.0"
#endif

namespace {

bool ParseCount(const std::string& text, long long& value) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && end && *end == '\0';
}

// "1920x1080": a display size of at least 1 x 1 and at most 16384 a side.
bool ParseSize(const std::string& text, int& width, int& height) {
  size_t x = text.find_first_of("xX");
  long long w = 0, h = 0;
  if (x == std::string::npos || !ParseCount(text.substr(0, x), w) ||
      !ParseCount(text.substr(x + 1), h) || w < 1 || h < 1 || w > 16384 || h > 16384)
    return false;
  width = int(w);
  height = int(h);
  return true;
}

bool ParseScreenshot(const std::string& text, std::pair<long long, std::string>& shot) {
  size_t colon = text.find(':');
  if (colon == std::string::npos || colon + 1 >= text.size()) return false;
  shot.second = text.substr(colon + 1);
  return ParseCount(text.substr(0, colon), shot.first);
}

// Every option, in the order --help lists them. The parser accepts only the
// names listed here, so an option cannot exist without its line of help.
struct TOptionHelp {
  const char* Name;
  const char* Value;  // "" for a flag
  const char* Help;
};
const TOptionHelp kOptions[] = {
    {"--help", "", "show this help and exit (also -h)"},
    {"--version", "", "show the version and exit"},
    {"--windowed", "", "play in a window this time (the setting is kept)"},
    {"--fullscreen", "", "play full screen this time (the setting is kept)"},
    {"--headless", "", "run without a display or sound (virtual clock)"},
    {"--size", "SIZE",
     "with --headless: draw for a display of SIZE pixels, e.g. 1920x1080 (default 800x600); "
     "screenshots are that size"},
    {"--seed", "N", "seed the random source with N (0 to 4294967295)"},
    {"--script", "FILE", "feed the input events of FILE (see docs/script.md)"},
    {"--steps", "N", "run N logic steps (200 a second), then exit normally"},
    {"--screenshot", "STEP:FILE", "save the frame after logic step STEP as PNG (repeatable)"},
    {"--autoplay", "LEVELS",
     "let the bot play 005, 001-080, a .layout file, save:NAME, attack (time attack) or endless, "
     "a list separated by commas, then exit"},
    {"--player", "NAME", "the player --autoplay plays for (default Autoplay)"},
    {"--language", "CODE", "speak {languages} this time (the setting is kept)"},
    {"--keys", "", "the --autoplay bot plays with the keyboard alone (cursor and arrows)"},
    {"--pad", "", "the --autoplay bot plays with a virtual game pad alone (D-pad and A)"},
    {"--mode", "WAY",
     "the --autoplay bot plays its levels relaxed (the default) or clock (against the clock); "
     "attack and endless are refused with clock"},
    {"--moves", "N",
     "the moves the --autoplay bot makes in endless before it leaves (1 to 100000)"},
    {"--frame-log", "FILE", "write each presented frame's time and duration (ms) to FILE"},
    {"--demo", "[...]", "show the platform test picture instead (first option only)"},
};

const TOptionHelp* FindOption(const std::string& name) {
  for (const TOptionHelp& option : kOptions) {
    if (name == option.Name) return &option;
  }
  return name == "-h" ? &kOptions[0] : nullptr;
}

}  // namespace

std::string UsageText() {
  std::string text = "Usage: gleamstrand [options]\n";
  for (const TOptionHelp& option : kOptions) {
    std::string head = std::string("  ") + option.Name;
    if (option.Value[0]) head += std::string(" ") + option.Value;
    head.resize(std::max<size_t>(head.size() + 2, 26), ' ');
    std::string help = option.Help;
    // The languages come from their table.
    const std::string languages = "{languages}";
    size_t at = help.find(languages);
    if (at != std::string::npos) help.replace(at, languages.size(), TLanguage::CodeList(" or "));
    text += head + help + "\n";
  }
  return text;
}

std::string VersionText() { return "Gleamstrand " GS_VERSION "\n"; }

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
    if (!FindOption(arg)) {
      error = "unknown option \"" + arg + "\"";
      return false;
    }
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--version") {
      options.Version = true;
    } else if (arg == "--headless") {
      options.Headless = true;
    } else if (arg == "--size") {
      if (!value(text)) return false;
      if (!ParseSize(text, options.OutputWidth, options.OutputHeight)) {
        error = "--size needs WIDTHxHEIGHT (e.g. 1920x1080), not \"" + text + "\"";
        return false;
      }
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
    } else if (arg == "--autoplay") {
      if (!value(options.AutoPlay)) return false;
    } else if (arg == "--player") {
      if (!value(options.Player)) return false;
    } else if (arg == "--language") {
      if (!value(text)) return false;
      options.Language = TLanguage::CodeFor(text);
      if (options.Language.empty()) {
        error = "--language needs one of " + TLanguage::CodeList(", ") + ", not \"" + text + "\"";
        return false;
      }
    } else if (arg == "--frame-log") {
      if (!value(options.FrameLog)) return false;
    } else if (arg == "--keys") {
      options.Keys = true;
    } else if (arg == "--pad") {
      options.Pad = true;
    } else if (arg == "--mode") {
      if (!value(options.Mode)) return false;
    } else if (arg == "--moves") {
      long long moves = 0;
      if (!value(text)) return false;
      if (!ParseCount(text, moves) || moves < 1 || moves > MaxEndlessMoves) {
        error = "--moves needs a whole number from 1 to " + std::to_string(MaxEndlessMoves) +
                ", not \"" + text + "\"";
        return false;
      }
      options.Moves = int(moves);
    } else if (arg == "--screenshot") {
      std::pair<long long, std::string> shot;
      if (!value(text)) return false;
      if (!ParseScreenshot(text, shot)) {
        error = "--screenshot needs STEP:FILE (e.g. 100:title.png), not \"" + text + "\"";
        return false;
      }
      options.Screenshots.push_back(shot);
    } else if (arg == "--demo") {
      error = "--demo must be the first option";
      return false;
    } else {
      error = "unknown option \"" + arg + "\"";
      return false;
    }
  }
  if (options.OutputWidth > 0 && !options.Headless) {
    error = "--size needs --headless (a window takes the size it is given)";
    return false;
  }
  return true;
}
