// Writes the whole read-only data tree: every entry of the manifest, the
// standard levels copied from the source tree, and the review pictures.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace datagen {

struct GeneratorOptions {
  std::string out;       // the runtime folder (data/, Data/, layouts/ go in it)
  std::string text;      // committed text sources (gametext.txt, Default.ini)
  std::string fonts;     // folder of the Carlito faces
  std::string licence;   // the Carlito licence text
  std::string layouts;   // source folder of the standard levels (may be absent)
  std::string review;    // where the contact sheet and mock-ups go ("" = none)
  std::string pseudo;    // where the tests' pseudo-language goes ("" = none)
  bool verbose = false;  // report the time each file takes
};

struct GeneratorReport {
  size_t files = 0;
  uint64_t bytes = 0;
  double seconds = 0;
  int wallRulesInTest = 0;
  std::map<std::string, uint64_t> languageBytes;  // the data of each translation
  uint64_t denseBytes = 0;                        // the pictures at twice their size
};

// Checks every translation (game text and picture words) against the
// English text; throws std::runtime_error listing the problems.
void CheckLanguages(const GeneratorOptions& options);

// Throws std::runtime_error with a readable message on any failure.
GeneratorReport GenerateTree(const GeneratorOptions& options);

}  // namespace datagen
