// A player's files: the profile file and the completion record.
#include "FuzzTarget.h"
#include "TCompletionFile.h"
#include "TProfileStore.h"

GS_FUZZ_TARGET(profiles) {
  FuzzSetUp();
  FuzzFile("Ann.dat", data, size);
  TProfileStore store(FuzzFolder());
  store.Read("Ann");
  store.List();
  std::string path = FuzzFile("Anns.ini", data, size);
  TCompletionFile record(path);
  record.Load();
  record.IsCompleted("layouts/001.layout");
  return 0;
}
