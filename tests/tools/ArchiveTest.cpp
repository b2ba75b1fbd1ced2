// data.pak, read back by a reader of its own here: the magic, the version,
// the compressed table of 272-byte records, then one zlib stream per item.
#include <gtest/gtest.h>

#include <map>

#include "Archive.h"
#include "Canvas.h"
#include "DataTree.h"
#include "Platform.h"

using datatest::Item;
using datatest::ReadPak;

namespace {

datatest::Bytes Text(const std::string& s) { return datatest::Bytes(s.begin(), s.end()); }

}  // namespace

TEST(Archive, GeneratedPakHoldsExactlyTheTenItems) {
  REQUIRE_DATA_TREE();
  auto items = ReadPak(datatest::ReadBytes(datatest::RuntimeDir() + "/data/resources/data.pak"));
  std::map<std::string, uint32_t> kinds;
  for (const Item& it : items) kinds[it.name] = it.kind;
  const std::map<std::string, uint32_t> expected = {{"calibri.ttf", 3},     {"gamescreen1.jpg", 2},
                                                    {"gamescreen2.jpg", 2}, {"gamescreen3.jpg", 2},
                                                    {"gamescreen4.jpg", 2}, {"gamescreen5.jpg", 2},
                                                    {"playscreen.jpg", 2},  {"titlescreen.jpg", 2},
                                                    {"particle1.png", 2},   {"particle2.png", 2}};
  EXPECT_EQ(kinds, expected);
}

TEST(Archive, ItsPicturesAndFaceLoad) {
  REQUIRE_DATA_TREE();
  for (const Item& it :
       ReadPak(datatest::ReadBytes(datatest::RuntimeDir() + "/data/resources/data.pak"))) {
    SCOPED_TRACE(it.name);
    if (it.kind == 2) {
      plat::TMemoryStream stream(it.data);
      auto pixmap = plat::LoadPixmap(stream);
      ASSERT_NE(pixmap, nullptr);
      bool screen = it.name.find(".jpg") != std::string::npos;
      EXPECT_EQ(pixmap->width, screen ? 800 : 32);
      EXPECT_EQ(pixmap->height, screen ? 600 : 32);
    } else {
      EXPECT_EQ(it.data, datatest::ReadBytes(datagen::FontFile(datagen::Face::Regular)));
      EXPECT_NE(plat::LoadImageFont(it.data, 20), nullptr);
    }
  }
}

TEST(Archive, WriterRoundTripsNamesKindsAndBytes) {
  datatest::Bytes noise(20000);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 7919u >> 3);
  std::vector<datagen::PakItem> in = {{"readme.txt", Text("crystal")},
                                      {"empty.dat", {}},
                                      {"pictures/shard.PNG", noise},
                                      {"score.ogg", Text("OggS")},
                                      {"noextension", Text("x")}};
  auto out = ReadPak(datagen::BuildPak(in));
  ASSERT_EQ(out.size(), in.size());
  const uint32_t kinds[] = {1, 0, 2, 4, 0};
  for (size_t i = 0; i < in.size(); ++i) {
    EXPECT_EQ(out[i].name, in[i].name);
    EXPECT_EQ(out[i].data, in[i].data);
    EXPECT_EQ(out[i].kind, kinds[i]) << in[i].name;
  }
}

TEST(Archive, RecordedOffsetsMatchForAnyMixOfItems) {
  // Each record holds its item's offset, which depends on the size of the
  // table in front of the items; any number and size of items must agree.
  uint32_t state = 1;
  for (int count = 1; count <= 40; count += 3) {
    std::vector<datagen::PakItem> items;
    for (int i = 0; i < count; ++i) {
      state = state * 1664525u + 1013904223u;
      datatest::Bytes data(state % 5000);
      for (auto& b : data) b = uint8_t((state = state * 1664525u + 1013904223u) >> 24);
      items.push_back({"item" + std::to_string(i * 7919 % 1000) + ".bin", data});
    }
    EXPECT_NO_THROW(ReadPak(datagen::BuildPak(items))) << count << " items";
  }
}

TEST(Archive, WriterRefusesNamesThatDoNotFitTheTable) {
  EXPECT_THROW(datagen::BuildPak({{std::string(256, 'a'), Text("x")}}), std::invalid_argument);
  EXPECT_THROW(datagen::BuildPak({{"", Text("x")}}), std::invalid_argument);
  EXPECT_NO_THROW(datagen::BuildPak({{std::string(255, 'a'), Text("x")}}));
}
