// The pointer picture drawn when "pointer.png" is not there.
#pragma once

#include "Platform.h"

// A white arrow with a dark outline, its point the hot spot (0, 0).
plat::TImagePtr MakeArrowPointer();
