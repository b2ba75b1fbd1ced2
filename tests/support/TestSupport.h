// Helpers shared by the test programs.
#pragma once

#include <string>

namespace testsupport {

// A fresh folder under /tmp, removed with everything in it when destroyed.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Whole file as bytes in a string; empty when absent.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// Runs a shell command, returning its exit status (-1 when it did not exit).
int RunCommand(const std::string& command);

}  // namespace testsupport
