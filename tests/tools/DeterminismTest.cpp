// The same sources give the same bytes: fixed seeds, no time stamps, fixed
// Ogg stream serial numbers.
#include <gtest/gtest.h>

#include "Archive.h"
#include "Audio.h"
#include "Encoders.h"
#include "Manifest.h"
#include "Synth.h"

namespace {

datagen::Bytes PaintAndEncode(const std::string& folder, const std::string& name) {
  const datagen::Entry* e = datagen::FindEntry(folder, name);
  if (!e) {
    ADD_FAILURE() << "no " << folder << name;
    return {};
  }
  return datagen::EncodePng(e->paint(e->width, e->height));
}

}  // namespace

TEST(Determinism, PicturesPaintTheSameTwice) {
  for (const char* name : {"cell1.png", "cellmarble.png", "wall-nwneswse.png",
                           "wall-fulldecoration.png", "logo.png"}) {
    auto a = PaintAndEncode("Data/graphics/", name);
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, PaintAndEncode("Data/graphics/", name)) << name;
  }
  EXPECT_EQ(PaintAndEncode("Data/menus/", "playMO.png"),
            PaintAndEncode("Data/menus/", "playMO.png"));
}

TEST(Determinism, SoundsEncodeTheSameTwiceWithTheirSerial) {
  datagen::Audio click = datagen::SynthButtonClick();
  EXPECT_EQ(datagen::EncodeWav(click), datagen::EncodeWav(datagen::SynthButtonClick()));
  datagen::Audio score = datagen::SynthScore();
  datagen::Bytes ogg = datagen::EncodeOgg(score, 0.5, 1234);
  EXPECT_EQ(ogg, datagen::EncodeOgg(datagen::SynthScore(), 0.5, 1234));
  EXPECT_NE(ogg, datagen::EncodeOgg(score, 0.5, 1235));  // the serial is the one given
}

TEST(Determinism, ArchiveBuildsTheSameTwice) {
  std::vector<datagen::PakItem> items = {{"a.txt", {1, 2, 3}}, {"b.png", {4, 5, 6, 7}}};
  EXPECT_EQ(datagen::BuildPak(items), datagen::BuildPak(items));
}
