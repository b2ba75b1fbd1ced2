// gleamstrand-datagen: writes the game's read-only data tree.
//   gleamstrand-datagen --out DIR --text DIR --fonts DIR --licence FILE
//                       [--layouts DIR] [--review DIR] [--verbose]
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "Generator.h"

int main(int argc, char** argv) {
  datagen::GeneratorOptions options;
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
    else {
      std::fprintf(stderr, "gleamstrand-datagen: unknown option %s\n", key.c_str());
      return 2;
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
    if (!options.review.empty())
      std::printf("; wall test board uses %d of 46 rules", r.wallRulesInTest);
    std::printf("\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gleamstrand-datagen: %s\n", e.what());
    return 1;
  }
  return 0;
}
