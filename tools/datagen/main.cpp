// gleamstrand-datagen: writes the game's read-only data tree.
//   gleamstrand-datagen --out DIR --text DIR --fonts DIR --licence FILE
//                       [--layouts DIR] [--review DIR] [--pseudo DIR] [--verbose]
//   gleamstrand-datagen --check-languages TEXTDIR
//     (only the translations' checks)
//   gleamstrand-datagen --level-sheet FILE --layouts DIR --fonts DIR
//     (only the review sheet of the levels, as a PNG)
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "Canvas.h"
#include "Encoders.h"
#include "Generator.h"
#include "LevelSheet.h"

namespace {

int WriteLevelSheet(const datagen::GeneratorOptions& options, const std::string& file) {
  if (options.layouts.empty() || options.fonts.empty()) {
    std::fprintf(stderr,
                 "usage: gleamstrand-datagen --level-sheet FILE --layouts DIR --fonts DIR\n");
    return 2;
  }
  datagen::SetFontFolder(options.fonts);
  datagen::Bytes png = datagen::EncodePng(datagen::LevelSheetOfFolder(options.layouts));
  std::FILE* out = std::fopen(file.c_str(), "wb");
  bool ok = out && std::fwrite(png.data(), 1, png.size(), out) == png.size();
  if (out) ok = std::fclose(out) == 0 && ok;
  if (!ok) {
    std::fprintf(stderr, "gleamstrand-datagen: cannot write %s\n", file.c_str());
    return 1;
  }
  std::printf("gleamstrand-datagen: level sheet %s\n", file.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  datagen::GeneratorOptions options;
  std::string levelSheet;
  std::string checkOnly;  // a text folder whose translations are only checked
  for (int i = 1; i < argc; i += 2) {
    std::string key = argv[i];
    if (key == "--verbose") {
      options.verbose = true;
      --i;
      continue;
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "gleamstrand-datagen: %s needs a value\n", key.c_str());
      return 2;
    }
    std::string value = argv[i + 1];
    if (key == "--out")
      options.out = value;
    else if (key == "--text")
      options.text = value;
    else if (key == "--fonts")
      options.fonts = value;
    else if (key == "--licence")
      options.licence = value;
    else if (key == "--layouts")
      options.layouts = value;
    else if (key == "--review")
      options.review = value;
    else if (key == "--pseudo")
      options.pseudo = value;
    else if (key == "--check-languages")
      checkOnly = value;
    else if (key == "--level-sheet")
      levelSheet = value;
    else {
      std::fprintf(stderr, "gleamstrand-datagen: unknown option %s\n", key.c_str());
      return 2;
    }
  }
  if (!checkOnly.empty()) {
    try {
      options.text = checkOnly;
      datagen::SetFontFolder(options.fonts.empty() ? "/usr/share/fonts/truetype/crosextra"
                                                   : options.fonts);
      datagen::CheckLanguages(options);
      std::printf("gleamstrand-datagen: the translations in %s are sound\n", checkOnly.c_str());
      return 0;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "gleamstrand-datagen: %s\n", e.what());
      return 1;
    }
  }
  if (!levelSheet.empty()) {
    try {
      return WriteLevelSheet(options, levelSheet);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "gleamstrand-datagen: %s\n", e.what());
      return 1;
    }
  }
  if (options.out.empty() || options.text.empty() || options.fonts.empty() ||
      options.licence.empty()) {
    std::fprintf(stderr,
                 "usage: gleamstrand-datagen --out DIR --text DIR --fonts DIR --licence FILE "
                 "[--layouts DIR] [--review DIR]\n");
    return 2;
  }
  try {
    datagen::GeneratorReport r = datagen::GenerateTree(options);
    std::printf("gleamstrand-datagen: %zu files, %.1f MB in %.1f s", r.files, r.bytes / 1e6,
                r.seconds);
    std::printf("; pictures at twice their size %.1f MB", r.denseBytes / 1e6);
    for (const auto& [code, bytes] : r.languageBytes)
      std::printf("; %s %.0f KB", code.c_str(), bytes / 1e3);
    if (!options.review.empty())
      std::printf("; wall test board uses %d of 46 rules", r.wallRulesInTest);
    std::printf("\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gleamstrand-datagen: %s\n", e.what());
    return 1;
  }
  return 0;
}
