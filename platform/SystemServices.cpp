// Desktop services of the operating system: message box, the one-copy lock,
// the per-user data folder, the default file handler and the local clock.
#include <SDL.h>
#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "FileTimes.h"
#include "Platform.h"
#include "Utf8.h"

extern char** environ;

namespace plat {

namespace {

bool MessageBoxesOff() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  return IsHeadless() || (driver && std::strcmp(driver, "dummy") == 0);
}

// Makes the folder and every missing folder above it.
bool MakeFolders(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
  return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace

void ShowMessage(const std::string& title, const std::string& text) {
  if (!MessageBoxesOff() &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, ShowableUtf8(title).c_str(),
                               ShowableUtf8(text).c_str(), nullptr) == 0) {
    return;
  }
  std::fprintf(stderr, "%s: %s\n", ShowableUtf8(title).c_str(), ShowableUtf8(text).c_str());
}

bool SingleInstanceLock(const std::string& folder) {
  // The lock is a file inside the folder itself, so every path that leads
  // to the folder (a link, a bind mount, another namespace) meets the same
  // lock. The kernel lets go of it when the process ends, however it ends.
  static int held = -1;
  if (held >= 0) return true;
  // No lock available (a folder that cannot be made or written): never
  // refuse to run for that; the game reports the folder itself.
  if (!MakeFolders(folder)) return true;
  int fd = open((folder + "/" + kInstanceLockFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return true;
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    bool taken = errno == EWOULDBLOCK;
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

TDateTime LocalDateTimeOf(int64_t seconds) {
  std::time_t moment = std::time_t(seconds);
  std::tm parts{};
  TDateTime result;
  if (!localtime_r(&moment, &parts)) return result;
  result.year = parts.tm_year + 1900;
  result.month = parts.tm_mon + 1;
  result.day = parts.tm_mday;
  result.hour = parts.tm_hour;
  result.minute = parts.tm_min;
  result.second = parts.tm_sec;
  return result;
}

TDateTime LocalDateTime() { return LocalDateTimeOf(int64_t(std::time(nullptr))); }

}  // namespace plat
