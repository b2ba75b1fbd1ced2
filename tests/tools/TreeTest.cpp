// The tree the generator wrote into the runtime folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "DataTree.h"
#include "Manifest.h"
#include "Platform.h"
#include "Texts.h"

namespace fs = std::filesystem;
using datagen::Entry;

namespace {

// "Data/languages/CODE/REST": a translation's text, or its copy of the
// worded picture "Data/REST", at the English picture's size.
bool IsTranslation(const std::string& rel) {
  const std::string prefix = "Data/languages/";
  if (rel.rfind(prefix, 0) != 0) return false;
  size_t slash = rel.find('/', prefix.size());
  if (slash == std::string::npos) return false;
  std::string code = rel.substr(prefix.size(), slash - prefix.size());
  const auto& codes = datagen::TranslationCodes();
  if (std::find(codes.begin(), codes.end(), code) == codes.end()) return false;
  std::string rest = rel.substr(slash + 1);
  if (rest == "text/gametext.txt") return true;
  size_t cut = rest.rfind('/');
  const Entry* english =
      datagen::FindEntry("Data/" + rest.substr(0, cut + 1), rest.substr(cut + 1));
  if (!english || !english->HasWords()) return false;
  auto pixmap = plat::LoadPixmap(datatest::RuntimeDir() + "/" + rel);
  return pixmap && pixmap->width == english->width && pixmap->height == english->height;
}

}  // namespace

TEST(GeneratedTree, HoldsEveryFileOfTheManifestAndNothingElse) {
  REQUIRE_DATA_TREE();
  std::set<std::string> listed;
  for (const Entry& e : datagen::Manifest()) {
    if (e.InArchive()) continue;
    listed.insert(e.Path());
    std::string path = datatest::RuntimeDir() + "/" + e.Path();
    EXPECT_TRUE(fs::is_regular_file(path)) << e.Path();
    if (fs::is_regular_file(path)) {
      EXPECT_GT(fs::file_size(path), 0u) << e.Path();
    }
  }
  // Stale or misnamed files would be found by the game's case-insensitive lookup.
  for (const char* top : {"data", "Data"}) {
    for (const auto& item : fs::recursive_directory_iterator(datatest::RuntimeDir() + "/" + top)) {
      if (!item.is_regular_file()) continue;
      std::string rel = item.path().lexically_relative(datatest::RuntimeDir()).string();
      EXPECT_TRUE(listed.count(rel) || IsTranslation(rel)) << "unexpected file " << rel;
    }
  }
  EXPECT_TRUE(fs::is_directory(datatest::RuntimeDir() + "/layouts"));
}

TEST(GeneratedTree, EveryPictureDecodesAtItsStatedSize) {
  REQUIRE_DATA_TREE();
  int checked = 0;
  for (const Entry& e : datagen::Manifest()) {
    if (!e.IsPicture() || e.InArchive()) continue;
    SCOPED_TRACE(e.Path());
    auto pixmap = plat::LoadPixmap(datatest::RuntimeDir() + "/" + e.Path());
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->width, e.width);
    EXPECT_EQ(pixmap->height, e.height);
    ++checked;
  }
  EXPECT_GT(checked, 250);
}

TEST(GeneratedTree, TextsAreTheCommittedSources) {
  REQUIRE_DATA_TREE();
  const std::string text = datatest::SourceDir() + "/tools/datagen/text/";
  EXPECT_EQ(datatest::ReadBytes(datatest::RuntimeDir() + "/Data/text/gametext.txt"),
            datatest::ReadBytes(text + "gametext.txt"));
  EXPECT_EQ(datatest::ReadBytes(datatest::RuntimeDir() + "/data/Default.ini"),
            datatest::ReadBytes(text + "Default.ini"));
  for (const std::string& code : datagen::TranslationCodes()) {
    EXPECT_EQ(datatest::ReadBytes(datatest::RuntimeDir() + "/Data/languages/" + code +
                                  "/text/gametext.txt"),
              datatest::ReadBytes(text + "gametext." + code + ".txt"))
        << code;
    // Every language has its own words on the title's first button.
    EXPECT_TRUE(
        fs::is_regular_file(datatest::RuntimeDir() + "/Data/languages/" + code + "/menus/play.png"))
        << code;
  }
  auto licence =
      datatest::ReadBytes(datatest::RuntimeDir() + "/data/resources/LICENSE-Carlito.txt");
  std::string s(licence.begin(), licence.end());
  EXPECT_NE(s.find("SIL OPEN FONT LICENSE"), std::string::npos);
}

TEST(GeneratedTree, PngFilesCarryNoTimeStamp) {
  REQUIRE_DATA_TREE();
  // A tIME chunk would make two builds differ.
  for (const Entry& e : datagen::Manifest()) {
    if (e.kind != datagen::Kind::Png || e.InArchive()) continue;
    auto b = datatest::ReadBytes(datatest::RuntimeDir() + "/" + e.Path());
    for (size_t at = 8; at + 8 <= b.size();) {
      uint32_t len =
          uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
      std::string type(b.begin() + long(at) + 4, b.begin() + long(at) + 8);
      EXPECT_NE(type, "tIME") << e.Path();
      at += 12 + len;
    }
  }
}
