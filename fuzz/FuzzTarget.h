// Fuzz targets: one reader of an outside file each, fed arbitrary bytes.
// The same target runs under libFuzzer (built with clang by
// scripts/fuzz.sh) and in the ordinary test suite, which replays every file
// of fuzz/corpus/NAME/ and fuzz/crashers/NAME/ through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using TFuzzFunction = int (*)(const uint8_t* data, size_t size);

struct TFuzzTarget {
  std::string Name;
  TFuzzFunction Run;
};

// Every target linked into this program, in registration order.
std::vector<TFuzzTarget>& FuzzTargets();

struct TFuzzRegistration {
  TFuzzRegistration(const char* name, TFuzzFunction run) { FuzzTargets().push_back({name, run}); }
};

// Defines the target NAME; the body gets `data` and `size` and returns 0.
#define GS_FUZZ_TARGET(NAME)                                                      \
  static int GsFuzz_##NAME(const uint8_t* data, size_t size);                     \
  static const TFuzzRegistration gsFuzzRegistration_##NAME(#NAME, GsFuzz_##NAME); \
  static int GsFuzz_##NAME(const uint8_t* data, size_t size)

// Shared set-up, done once per process: a headless backend with its display
// open, errors neither shown in a display nor logged, a scratch folder.
void FuzzSetUp();
// The scratch folder (ends in "/").
const std::string& FuzzFolder();
// Writes the bytes to a file of that name in the scratch folder; its path.
std::string FuzzFile(const std::string& name, const uint8_t* data, size_t size);
std::vector<uint8_t> FuzzBytes(const uint8_t* data, size_t size);
std::string FuzzText(const uint8_t* data, size_t size);
