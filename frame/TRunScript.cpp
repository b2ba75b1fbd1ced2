#include "TRunScript.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "Globals.h"
#include "Pad.h"
#include "TIniFile.h"
#include "Utf8.h"

namespace {

struct TKeyName {
  const char* name;
  int code;
};

const TKeyName kKeyNames[] = {
    {"BACKSPACE", plat::KEY_BACKSPACE},
    {"TAB", plat::KEY_TAB},
    {"ENTER", plat::KEY_ENTER},
    {"RETURN", plat::KEY_ENTER},
    {"ESC", plat::KEY_ESCAPE},
    {"ESCAPE", plat::KEY_ESCAPE},
    {"SPACE", plat::KEY_SPACE},
    {"LEFT", plat::KEY_LEFT},
    {"UP", plat::KEY_UP},
    {"RIGHT", plat::KEY_RIGHT},
    {"DOWN", plat::KEY_DOWN},
    {"DELETE", plat::KEY_DELETE},
    {"PAGEUP", plat::KEY_PAGEUP},
    {"PAGEDOWN", plat::KEY_PAGEDOWN},
    {"HOME", plat::KEY_HOME},
    {"END", plat::KEY_END},
    {"SHIFT", plat::KEY_LSHIFT},
    {"LSHIFT", plat::KEY_LSHIFT},
    {"RSHIFT", plat::KEY_RSHIFT},
    {"CTRL", plat::KEY_LCONTROL},
    {"LCTRL", plat::KEY_LCONTROL},
    {"RCTRL", plat::KEY_RCONTROL},
    {"ALT", plat::KEY_LALT},
    {"LALT", plat::KEY_LALT},
    {"RALT", plat::KEY_RALT},
    {"F12", plat::KEY_F12},
};

int ButtonNumber(const std::string& name) {
  std::string upper = IniUpper(name);
  if (upper == "LEFT" || upper == "1") return 1;
  if (upper == "RIGHT" || upper == "2") return 2;
  if (upper == "MIDDLE" || upper == "3") return 3;
  return 0;
}

bool ReadInt(std::istringstream& in, int& value) { return bool(in >> value); }

plat::TEvent Make(plat::TEventKind kind, int data = 0, int x = 0, int y = 0) {
  plat::TEvent event;
  event.kind = kind;
  event.data = data;
  event.x = x;
  event.y = y;
  return event;
}

TPadAction PadButton(int button, bool down) {
  TPadAction action;
  action.Kind = TPadAction::Press;
  action.Button = button;
  action.Down = down;
  return action;
}

// A pad command's actions at its step (and at the next one for a press);
// "" when fine, else what is wrong.
std::string ParsePadCommand(const std::string& command, std::istringstream& in, long long step,
                            std::map<long long, std::vector<TPadAction>>& pads) {
  std::string word;
  int x = 0, y = 0;
  if (command == "pad-plug" || command == "pad-unplug") {
    TPadAction action;
    action.Kind = command == "pad-plug" ? TPadAction::Plug : TPadAction::Unplug;
    pads[step].push_back(action);
  } else if (command == "pad" || command == "paddown" || command == "padup") {
    if (!(in >> word) || plat::PadButtonOfName(word) < 0) {
      return command +
             " needs a pad button (a, b, x, y, start, back, lb, rb, up, down, left, right)";
    }
    int button = plat::PadButtonOfName(word);
    if (command != "padup") pads[step].push_back(PadButton(button, true));
    if (command == "padup") pads[step].push_back(PadButton(button, false));
    if (command == "pad") pads[step + 1].push_back(PadButton(button, false));
  } else if (command == "stick") {
    if (!ReadInt(in, x) || !ReadInt(in, y) || std::abs(x) > 100 || std::abs(y) > 100) {
      return "stick needs X Y from -100 to 100";
    }
    TPadAction action;
    action.Kind = TPadAction::Stick;
    action.X = x * 32767 / 100;
    action.Y = y * 32767 / 100;
    pads[step].push_back(action);
  } else {
    return "unknown command \"" + command + "\"";
  }
  return "";
}

bool IsPadCommand(const std::string& command) {
  return command == "pad-plug" || command == "pad-unplug" || command == "pad" ||
         command == "paddown" || command == "padup" || command == "stick";
}

// One command's events; "" when fine, else what is wrong.
std::string ParseCommand(const std::string& command, std::istringstream& in,
                         std::vector<plat::TEvent>& out) {
  std::string word;
  int a = 0, b = 0;
  if (command == "move") {
    if (!ReadInt(in, a) || !ReadInt(in, b)) return "move needs X Y";
    out.push_back(Make(plat::EVENT_MOUSEMOVE, 0, a, b));
  } else if (command == "down" || command == "up" || command == "click") {
    if (!(in >> word) || !ButtonNumber(word)) return command + " needs left, right or middle";
    int button = ButtonNumber(word);
    if (ReadInt(in, a)) {
      if (!ReadInt(in, b)) return command + " needs both X and Y";
      out.push_back(Make(plat::EVENT_MOUSEMOVE, 0, a, b));
    }
    if (command != "up") out.push_back(Make(plat::EVENT_MOUSEDOWN, button));
    if (command != "down") out.push_back(Make(plat::EVENT_MOUSEUP, button));
  } else if (command == "key" || command == "keydown" || command == "keyup") {
    if (!(in >> word) || ScriptKeyCode(word) < 0) return command + " needs a key name or code";
    int code = ScriptKeyCode(word);
    if (command != "keyup") {
      out.push_back(Make(plat::EVENT_KEYDOWN, code));
      // As the real keyboard: Backspace and Enter are typed characters too.
      if (code == 8 || code == 13) out.push_back(Make(plat::EVENT_KEYCHAR, code));
    }
    if (command != "keydown") out.push_back(Make(plat::EVENT_KEYUP, code));
  } else if (command == "char") {
    if (!(in >> word)) return "char needs a character or a code";
    int code = ScriptCharCode(word);
    if (code < 0) return "char needs one character or a Unicode code point, not \"" + word + "\"";
    out.push_back(Make(plat::EVENT_KEYCHAR, code));
  } else if (command == "wheel") {
    if (!ReadInt(in, a)) return "wheel needs a number of steps";
    out.push_back(Make(plat::EVENT_MOUSEWHEEL, a));
  } else if (command == "close") {
    out.push_back(Make(plat::EVENT_APPTERMINATE));
  } else if (command == "focus-lost") {
    out.push_back(Make(plat::EVENT_APPSUSPEND));
  } else if (command == "focus-gained") {
    out.push_back(Make(plat::EVENT_APPRESUME));
  } else if (command == "hide") {
    out.push_back(Make(plat::EVENT_WINDOWHIDDEN));
  } else if (command == "show") {
    out.push_back(Make(plat::EVENT_WINDOWSHOWN));
  } else if (command == "expose") {
    out.push_back(Make(plat::EVENT_WINDOWEXPOSED));
  } else {
    return "unknown command \"" + command + "\"";
  }
  if (in >> word) return "unexpected \"" + word + "\" after " + command;
  return "";
}

}  // namespace

int ScriptCharCode(const std::string& word) {
  std::u32string chars = plat::CodePoints(word);
  if (chars.size() == 1 &&
      !(word.size() == 1 && std::isdigit(static_cast<unsigned char>(word[0])))) {
    return int(chars[0]);
  }
  bool hex = word.size() > 2 && (word[0] == 'U' || word[0] == 'u') && word[1] == '+';
  char* end = nullptr;
  long code = std::strtol(word.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
  if (word.empty() || *end != '\0' || code < 0 || code > 0x10FFFF) return -1;
  if (code >= 0xD800 && code <= 0xDFFF) return -1;  // halves of UTF-16 pairs are no characters
  return int(code);
}

int ScriptKeyCode(const std::string& name) {
  std::string upper = IniUpper(name);
  for (const TKeyName& key : kKeyNames) {
    if (upper == key.name) return key.code;
  }
  if (upper.size() == 1 && std::isalnum(static_cast<unsigned char>(upper[0]))) return upper[0];
  char* end = nullptr;
  long code = std::strtol(upper.c_str(), &end, 10);
  if (!upper.empty() && *end == '\0' && code >= 0 && code <= 255) return int(code);
  return -1;
}

bool TRunScript::Parse(const std::string& text, std::string& error) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.resize(hash);
    std::istringstream in(line);
    std::string stepText, command;
    if (!(in >> stepText)) continue;  // blank or comment
    char* end = nullptr;
    long long step = std::strtoll(stepText.c_str(), &end, 10);
    std::string where = "line " + std::to_string(number) + ": ";
    if (*end != '\0' || step < 1) {
      error = where + "a line starts with a logic step (1 or more), not \"" + stepText + "\"";
      return false;
    }
    if (!(in >> command)) {
      error = where + "step " + stepText + " has no command";
      return false;
    }
    std::string problem = IsPadCommand(command) ? ParsePadCommand(command, in, step, padActions_)
                                                : ParseCommand(command, in, events_[step]);
    std::string extra;
    if (problem.empty() && IsPadCommand(command) && (in >> extra)) {
      problem = "unexpected \"" + extra + "\" after " + command;
    }
    if (!problem.empty()) {
      error = where + problem;
      return false;
    }
  }
  return true;
}

bool TRunScript::Load(const std::string& path, std::string& error) {
  plat::TStreamPtr in = plat::ReadDiskFile(path);
  if (!in) {
    error = "cannot read the script \"" + path + "\"";
    return false;
  }
  std::vector<uint8_t> bytes = in->ReadAll();
  return Parse(std::string(bytes.begin(), bytes.end()), error);
}

void TRunScript::Post(long long step) const {
  if (const auto* events = EventsAt(step)) {
    for (const plat::TEvent& event : *events) plat::PostEvent(event);
  }
  const auto* pads = PadActionsAt(step);
  if (!pads) return;
  for (const TPadAction& action : *pads) {
    if (action.Kind == TPadAction::Unplug) {
      plat::DetachVirtualPad();
      continue;
    }
    if (!plat::VirtualPadAttached() && !plat::AttachVirtualPad()) {
      static bool told = false;
      if (!told)
        std::fprintf(stderr, "gleamstrand: the script's virtual pad cannot be plugged in\n");
      told = true;
      continue;
    }
    if (action.Kind == TPadAction::Press) plat::SetVirtualPadButton(action.Button, action.Down);
    if (action.Kind == TPadAction::Stick) {
      plat::SetVirtualPadAxis(plat::PAD_LEFTX, action.X);
      plat::SetVirtualPadAxis(plat::PAD_LEFTY, action.Y);
    }
  }
}

const std::vector<TPadAction>* TRunScript::PadActionsAt(long long step) const {
  auto it = padActions_.find(step);
  return it == padActions_.end() ? nullptr : &it->second;
}

const std::vector<plat::TEvent>* TRunScript::EventsAt(long long step) const {
  auto it = events_.find(step);
  return it == events_.end() ? nullptr : &it->second;
}

size_t TRunScript::EventCount() const {
  size_t count = 0;
  for (const auto& [step, events] : events_) count += events.size();
  return count;
}

bool TScreenshotQueue::Due(long long stepsRun) const {
  for (const auto& shot : pending_) {
    if (shot.first <= stepsRun) return true;
  }
  return false;
}

std::vector<std::string> TScreenshotQueue::TakeDue(long long stepsRun) {
  std::vector<std::string> failed;
  std::shared_ptr<plat::TPixmap> frame;
  for (auto it = pending_.begin(); it != pending_.end();) {
    if (it->first > stepsRun) {
      ++it;
      continue;
    }
    // As the display shows it: --size sets how large that is.
    if (!frame) frame = plat::GrabOutputPixmap();
    if (!frame || !plat::SavePixmapPNG(*frame, it->second, 9)) failed.push_back(it->second);
    it = pending_.erase(it);
  }
  return failed;
}
