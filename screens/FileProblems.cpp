#include "FileProblems.h"

#include <cstdio>

#include "GameResources.h"
#include "Globals.h"
#include "Platform.h"
#include "TGameText.h"

void LogFileProblem(const std::string& message) {
  std::fprintf(stderr, "gleamstrand: %s\n", message.c_str());
  // No shared folder yet (tools, tests): standard error only.
  if (!ErrorLogOn || SharedDataPath.empty()) return;
  if (plat::TStreamPtr log = plat::WriteFileAtomic(SharedDataPath + "ErrorLog.txt")) {
    log->WriteString(ErrorLogText(message));
    log->Close();
  }
}

std::string ReadFailureText(const std::string& fileName) {
  return GameTextWith("Could Not Read File", {{"file", fileName}});
}
