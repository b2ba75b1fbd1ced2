// The libFuzzer entry of the fuzzer programs: each program is named
// fuzz_NAME and runs the target NAME.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzTarget.h"

namespace {

TFuzzFunction chosen = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  FuzzSetUp();
  std::string program = *argc > 0 ? (*argv)[0] : "";
  std::string name = program.substr(program.find_last_of('/') + 1);
  if (name.rfind("fuzz_", 0) == 0) name = name.substr(5);
  for (const TFuzzTarget& target : FuzzTargets()) {
    if (target.Name == name) chosen = target.Run;
  }
  if (!chosen) {
    std::fprintf(stderr, "fuzz: no target \"%s\" in this program\n", name.c_str());
    std::abort();
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return chosen(data, size);
}
