// gleamstrand-icons: writes the desktop icons of an installed game.
//   gleamstrand-icons DIR   ->  DIR/hicolor/<n>x<n>/apps/gleamstrand.png
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "Encoders.h"
#include "Icon.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gleamstrand-icons DIR\n");
    return 2;
  }
  try {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
      std::string name = std::to_string(size) + "x" + std::to_string(size);
      fs::path folder = fs::path(argv[1]) / "hicolor" / name / "apps";
      fs::create_directories(folder);
      datagen::Bytes png = datagen::EncodePng(datagen::PaintAppIcon(size));
      std::ofstream out(folder / "gleamstrand.png", std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
      if (!out) throw std::runtime_error("cannot write " + (folder / "gleamstrand.png").string());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gleamstrand-icons: %s\n", e.what());
    return 1;
  }
  return 0;
}
