#include "TGameMode.h"

#include "Globals.h"
#include "Platform.h"

void TGameMode::Init(const std::string&, int) { Clear(); }
int TGameMode::LoadGame(const std::string&) { return 0; }
void TGameMode::ResetHintTimer(int) {}
int TGameMode::SaveGame(const std::string&) { return 0; }

void TGameMode::LogFailure(const std::string& message) {
  if (!ErrorLogOn) return;
  if (plat::TStreamPtr log = plat::WriteFileAtomic(SharedDataPath + "ErrorLog.txt")) {
    log->WriteString(ErrorLogText(message));
    log->Close();
  }
}
