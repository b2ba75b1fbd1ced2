// When a file was written, and a moment as the desktop writes it (for lists
// of the player's files). Part of the platform's services, kept apart from
// Platform.h so that the many users of that header need not see it.
#pragma once

#include <cstdint>
#include <string>

namespace plat {

// Seconds since 1970 of the file's last change; -1 when absent.
int64_t FileModified(const std::string& path);
// A moment (seconds since 1970) as the desktop writes a day and a time:
// the short date of the user's locale (LC_TIME) and hours:minutes.
std::string DesktopDateTimeText(int64_t seconds);

}  // namespace plat
