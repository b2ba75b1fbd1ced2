// When a file was written, and the local day and time of a moment (for
// lists of the player's files). Part of the platform's services, kept apart from
// Platform.h so that the many users of that header need not see it.
#pragma once

#include <cstdint>
#include <string>

#include "Platform.h"

namespace plat {

// Seconds since 1970 of the file's last change; -1 when absent.
int64_t FileModified(const std::string& path);
// A moment (seconds since 1970) in the local day and time.
TDateTime LocalDateTimeOf(int64_t seconds);

}  // namespace plat
