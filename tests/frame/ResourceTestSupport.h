// Shared by the resource tests: the message of a fatal report.
#pragma once

#include <functional>
#include <string>

#include "Globals.h"

namespace restest {

// What the action reported as fatal, or "<no fatal error>".
inline std::string FatalMessage(const std::function<void()>& action) {
  try {
    action();
  } catch (const TFatalError& e) {
    return e.what();
  }
  return "<no fatal error>";
}

}  // namespace restest
