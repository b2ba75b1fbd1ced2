// The input script of unattended runs (--script): parsed, and its events
// posted as a run would post them.
#include "FuzzTarget.h"
#include "Platform.h"
#include "TRunScript.h"

GS_FUZZ_TARGET(script) {
  FuzzSetUp();
  TRunScript script;
  std::string error;
  if (script.Parse(FuzzText(data, size), error)) {
    for (long long step = 0; step < 64; ++step) script.Post(step);
    plat::TEvent event;
    while (plat::PollEvent(event)) {
    }
  }
  return 0;
}
