// Every fuzz target replays its committed seed corpus and every crasher
// ever found (fuzz/corpus/NAME/, fuzz/crashers/NAME/), under the
// sanitizers: a reader that crashes, hangs or leaks on one of them fails
// here without clang.
#include <gtest/gtest.h>

#include <set>

#include "FuzzTarget.h"
#include "Platform.h"

namespace {

const std::string kFuzzDir = GS_FUZZ_DIR;

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> files;
  for (const std::string& name : plat::ReadDir(folder)) {
    if (plat::FileType(folder + "/" + name) == plat::FILETYPE_FILE) files.push_back(name);
  }
  return files;
}

void Replay(const TFuzzTarget& target, const std::string& folder) {
  for (const std::string& name : FilesIn(folder)) {
    SCOPED_TRACE(folder + "/" + name);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(plat::LoadBytes(folder + "/" + name, bytes));
    EXPECT_EQ(target.Run(bytes.data(), bytes.size()), 0);
  }
}

class CorpusReplay : public ::testing::TestWithParam<std::string> {
 protected:
  static void SetUpTestSuite() { FuzzSetUp(); }
};

const TFuzzTarget& TargetNamed(const std::string& name) {
  for (const TFuzzTarget& target : FuzzTargets()) {
    if (target.Name == name) return target;
  }
  static const TFuzzTarget none{"", nullptr};
  return none;
}

TEST_P(CorpusReplay, EverySeedAndCrasherIsReadSafely) {
  const TFuzzTarget& target = TargetNamed(GetParam());
  ASSERT_NE(target.Run, nullptr);
  std::string corpus = kFuzzDir + "/corpus/" + target.Name;
  EXPECT_GE(FilesIn(corpus).size(), 2u) << "each target needs a seed corpus in " << corpus;
  Replay(target, corpus);
  Replay(target, kFuzzDir + "/crashers/" + target.Name);
}

std::vector<std::string> TargetNames() {
  std::vector<std::string> names;
  for (const TFuzzTarget& target : FuzzTargets()) names.push_back(target.Name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, ::testing::ValuesIn(TargetNames()),
                         [](const auto& info) { return info.param; });

TEST(CorpusFolders, EveryCorpusAndCrasherFolderBelongsToATarget) {
  std::set<std::string> names;
  for (const TFuzzTarget& target : FuzzTargets()) names.insert(target.Name);
  EXPECT_GE(names.size(), 15u);
  for (const char* kind : {"/corpus", "/crashers"}) {
    for (const std::string& folder : plat::ReadDir(kFuzzDir + kind)) {
      EXPECT_TRUE(names.count(folder)) << kFuzzDir << kind << "/" << folder << " has no target";
    }
  }
}

}  // namespace
