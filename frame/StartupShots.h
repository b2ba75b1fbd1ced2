// Pictures of the start-up stages for checking them without a person at
// the screen: when the environment variable GS_STARTUP_SHOTS names a folder,
// the splash at full view and the loading screen at its middle are saved
// there as "splash.png" and "loading.png".
#pragma once

#include <string>

// Saves the picture last drawn as name + ".png" (once per name and run).
void SaveStartupShot(const std::string& name);
