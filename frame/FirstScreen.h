// The screen the start-up sequence shows once everything has loaded. The
// screens layer installs its maker (InstallGameScreens); start-up only asks
// for it here, so a new first screen needs no change to start-up.
#pragma once

#include <functional>
#include <memory>

class TScreen;

using TScreenFactory = std::function<std::unique_ptr<TScreen>()>;

void SetFirstScreenFactory(TScreenFactory factory);
// A new first screen; a plain black screen when no maker is installed.
std::unique_ptr<TScreen> MakeFirstScreen();
