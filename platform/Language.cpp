// The desktop's language, as the C library's locale variables name it.
#include "Language.h"

#include <cstdlib>

#include "Platform.h"

namespace plat {

std::string DesktopLanguage() {
  // The order in which the C library itself lets them override each other.
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (!value || !*value) continue;
    std::string code;
    bool territory = false;
    for (const char* c = value; *c && *c != '.' && *c != '@'; ++c) {
      if (*c == '_' || *c == '-') {
        territory = true;
        code += '_';
      } else if (territory) {
        code += (*c >= 'a' && *c <= 'z') ? char(*c - 32) : *c;
      } else {
        code += (*c >= 'A' && *c <= 'Z') ? char(*c + 32) : *c;
      }
    }
    if (code == "c" || code == "posix") return "";
    return code;
  }
  return "";
}

}  // namespace plat
