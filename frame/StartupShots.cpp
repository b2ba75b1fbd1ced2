#include "StartupShots.h"

#include <cstdlib>
#include <set>

#include "Globals.h"
#include "Platform.h"

void SaveStartupShot(const std::string& name) {
  static const char* folder = std::getenv("GS_STARTUP_SHOTS");
  static std::set<std::string> taken;
  if (!folder || !*folder || !taken.insert(name).second) return;
  if (auto pixmap = plat::GrabPixmap(0, 0, ScreenWidth, ScreenHeight)) {
    plat::SavePixmapPNG(*pixmap, std::string(folder) + "/" + name + ".png");
  }
}
