#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "FuzzTarget.h"
#include "Globals.h"
#include "Platform.h"

std::vector<TFuzzTarget>& FuzzTargets() {
  static std::vector<TFuzzTarget> targets;
  return targets;
}

namespace {

// In memory where there is a file system there: the readers under test
// rewrite their files atomically, and a disk's sync would dominate each run.
// GS_FUZZ_SCRATCH names the parent instead, so that runs side by side can
// each clean up their own.
std::string MakeScratchFolder() {
  std::string parent;
  if (const char* chosen = std::getenv("GS_FUZZ_SCRATCH"); chosen && *chosen) {
    parent = chosen;
  } else {
    struct stat st;
    bool shm = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0;
    parent = shm ? "/dev/shm" : "/tmp";
  }
  std::string pattern = parent + "/gleamstrand-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data())) std::abort();
  return pattern + "/";
}

}  // namespace

const std::string& FuzzFolder() {
  static const std::string folder = MakeScratchFolder();
  return folder;
}

void FuzzSetUp() {
  static bool done = false;
  if (done) return;
  done = true;
  plat::TBackendOptions options;
  options.Headless = true;
  if (!plat::Startup(options) || !plat::Graphics(800, 600, 0, 60)) std::abort();
  ErrorsOnScreen = 0;
  ErrorLogOn = 0;
  SharedDataPath = FuzzFolder();
  // The scratch folder goes with the process.
  std::atexit([] {
    std::string command = "rm -rf '" + FuzzFolder() + "'";
    if (std::system(command.c_str()) != 0) std::fputs("fuzz: scratch folder left\n", stderr);
  });
}

std::string FuzzFile(const std::string& name, const uint8_t* data, size_t size) {
  std::string path = FuzzFolder() + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
  return path;
}

std::vector<uint8_t> FuzzBytes(const uint8_t* data, size_t size) {
  return std::vector<uint8_t>(data, data + size);
}

std::string FuzzText(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}
