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
    for (const char* c = value; *c && *c != '_' && *c != '.' && *c != '@' && *c != '-'; ++c)
      code += (*c >= 'A' && *c <= 'Z') ? char(*c + 32) : *c;
    if (code == "c" || code == "posix") return "";
    return code;
  }
  return "";
}

}  // namespace plat
