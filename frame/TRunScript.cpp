#include "TRunScript.h"

#include <cctype>
#include <sstream>

#include "Globals.h"
#include "TIniFile.h"

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
    if (command != "keyup") out.push_back(Make(plat::EVENT_KEYDOWN, code));
    if (command != "keydown") out.push_back(Make(plat::EVENT_KEYUP, code));
  } else if (command == "char") {
    if (!(in >> word)) return "char needs a character or a code";
    bool code = word.size() > 1 && std::isdigit(static_cast<unsigned char>(word[0]));
    out.push_back(Make(plat::EVENT_KEYCHAR,
                       code ? std::atoi(word.c_str()) : static_cast<unsigned char>(word[0])));
  } else if (command == "wheel") {
    if (!ReadInt(in, a)) return "wheel needs a number of steps";
    out.push_back(Make(plat::EVENT_MOUSEWHEEL, a));
  } else if (command == "close") {
    out.push_back(Make(plat::EVENT_APPTERMINATE));
  } else if (command == "focus-lost") {
    out.push_back(Make(plat::EVENT_APPSUSPEND));
  } else if (command == "focus-gained") {
    out.push_back(Make(plat::EVENT_APPRESUME));
  } else {
    return "unknown command \"" + command + "\"";
  }
  if (in >> word) return "unexpected \"" + word + "\" after " + command;
  return "";
}

}  // namespace

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
    std::string problem = ParseCommand(command, in, events_[step]);
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

std::vector<std::string> TScreenshotQueue::TakeDue(long long stepsRun) {
  std::vector<std::string> failed;
  std::shared_ptr<plat::TPixmap> frame;
  for (auto it = pending_.begin(); it != pending_.end();) {
    if (it->first > stepsRun) {
      ++it;
      continue;
    }
    if (!frame) frame = plat::GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
    if (!frame || !plat::SavePixmapPNG(*frame, it->second, 9)) failed.push_back(it->second);
    it = pending_.erase(it);
  }
  return failed;
}
