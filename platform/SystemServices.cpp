// Desktop services of the operating system: message box, the one-copy lock,
// the per-user data folder, the default file handler and the local clock.
#include <SDL.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "FileTimes.h"
#include "Platform.h"
#include "TextEncoding.h"

extern char** environ;

namespace plat {

namespace {

using detail::MessageToUtf8;
using detail::Utf8ToLatin1;

bool MessageBoxesOff() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  return IsHeadless() || (driver && std::strcmp(driver, "dummy") == 0);
}

// Abstract socket names are at most 107 bytes; long folder names are hashed.
std::string LockAddress(const std::string& name) {
  if (name.size() <= 100) return name;
  uint64_t hash = 1469598103934665603ull;
  for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return name.substr(0, 80) + "#" + hex;
}

// The folder's path with every link, "." and ".." resolved, so that each
// spelling of one folder gives the same text. The part that does not exist
// yet is appended as written, "." and ".." taken by their meaning.
std::string ResolvedFolder(const std::string& path) {
  std::string head = path.empty() ? "." : path;
  std::vector<std::string> missing;  // innermost first
  for (;;) {
    while (head.size() > 1 && head.back() == '/') head.pop_back();
    if (char* real = realpath(head.c_str(), nullptr)) {
      std::string resolved = real;
      std::free(real);
      for (auto part = missing.rbegin(); part != missing.rend(); ++part) {
        if (part->empty() || *part == ".") continue;
        if (*part == "..") {
          size_t cut = resolved.find_last_of('/');
          resolved.resize(cut == 0 || cut == std::string::npos ? 1 : cut);
        } else {
          resolved += (resolved == "/" ? "" : "/") + *part;
        }
      }
      return resolved;
    }
    if (head == "." || head == "/") return path;
    size_t slash = head.find_last_of('/');
    missing.push_back(slash == std::string::npos ? head : head.substr(slash + 1));
    head = slash == std::string::npos ? "." : slash == 0 ? "/" : head.substr(0, slash);
  }
}

}  // namespace

void ShowMessage(const std::string& title, const std::string& text) {
  if (!MessageBoxesOff() &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, MessageToUtf8(title).c_str(),
                               MessageToUtf8(text).c_str(), nullptr) == 0) {
    return;
  }
  std::fprintf(stderr, "%s: %s\n", MessageToUtf8(title).c_str(), MessageToUtf8(text).c_str());
}

bool SingleInstanceLock(const std::string& folder) {
  // The socket stays open for the life of the process; the kernel drops the
  // name when the process ends, however it ends.
  static int held = -1;
  if (held >= 0) return true;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return true;  // no lock available: never refuse to run for that
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::string key = LockAddress("Gleamstrand " + ResolvedFolder(folder));
  std::memcpy(address.sun_path + 1, key.data(), key.size());
  socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + key.size());
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
    bool taken = errno == EADDRINUSE;
    close(fd);
    return !taken;
  }
  held = fd;
  return true;
}

std::string CommonDataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (!home || !home[0]) {
    const passwd* entry = getpwuid(getuid());
    home = entry ? entry->pw_dir : "/tmp";
  }
  return std::string(home) + "/.local/share";
}

bool GiveFolderAccess(const std::string& osPath) {
  struct stat info {};
  if (stat(osPath.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if ((info.st_mode & S_IRWXU) != S_IRWXU && chmod(osPath.c_str(), info.st_mode | S_IRWXU) != 0) {
    return false;
  }
  return access(osPath.c_str(), R_OK | W_OK | X_OK) == 0;
}

bool OpenWithDefaultHandler(const std::string& path) {
  std::string osPath = path;
  char program[] = "xdg-open";
  char* argv[] = {program, osPath.data(), nullptr};
  pid_t pid = 0;
  return posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) == 0;
}

TDateTime LocalDateTime() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  TDateTime result;
  result.year = parts.tm_year + 1900;
  result.month = parts.tm_mon + 1;
  result.day = parts.tm_mday;
  result.hour = parts.tm_hour;
  result.minute = parts.tm_min;
  result.second = parts.tm_sec;
  return result;
}

std::string DesktopDateTimeText(int64_t seconds) {
  // Only the time category follows the desktop: numbers and text stay as
  // the game reads and writes them.
  static const bool localeSet = std::setlocale(LC_TIME, "") != nullptr;
  (void)localeSet;
  std::time_t moment = std::time_t(seconds);
  std::tm parts{};
  if (!localtime_r(&moment, &parts)) return "";
  char text[64];
  size_t n = std::strftime(text, sizeof text, "%x %H:%M", &parts);
  // A locale in UTF-8 may spell a month or an era; the game's text is Latin-1.
  return Utf8ToLatin1(std::string(text, n));
}

}  // namespace plat
