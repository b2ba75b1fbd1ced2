// The generator's manifest against the files the game asks for by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "DataTree.h"
#include "Manifest.h"
#include "Walls.h"

using datagen::Entry;
using datagen::Kind;
using datagen::Manifest;

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

const Entry* FindIgnoringCase(const std::string& folder, const std::string& name) {
  for (const Entry& e : Manifest())
    if (Lower(e.folder) == Lower(folder) && Lower(e.name) == Lower(name)) return &e;
  return nullptr;
}

// The picture a button look belongs to: "playMO" -> "play", "Exit_down" -> "Exit".
std::string ButtonBase(const std::string& stem) {
  for (const char* suffix : {"OnMO", "_disabled", "_down", "On", "MO"}) {
    std::string s = suffix;
    if (stem.size() > s.size() && stem.compare(stem.size() - s.size(), s.size(), s) == 0)
      return stem.substr(0, stem.size() - s.size());
  }
  return stem;
}

}  // namespace

TEST(Manifest, HoldsEveryFileTheGameAsksFor) {
  // Optional files the game never loads in practice are left out on purpose.
  const std::set<std::string> leftOut = {"data/graphics/splashbg.jpg"};
  auto expected = datatest::ReadFixture("expected-files.tsv");
  ASSERT_GT(expected.size(), 250u);
  for (const auto& row : expected) {
    ASSERT_EQ(row.size(), 3u);
    std::string path = row[0] + row[1];
    if (leftOut.count(path)) continue;
    EXPECT_NE(datagen::FindEntry(row[0], row[1]), nullptr)
        << path << " (required: " << row[2] << ")";
  }
}

TEST(Manifest, NamesAreUniqueWithoutRegardToLetterCase) {
  // The game finds its read-only files case-insensitively: two names that
  // differ only in case would shadow each other.
  std::set<std::string> seen;
  for (const Entry& e : Manifest()) EXPECT_TRUE(seen.insert(Lower(e.Path())).second) << e.Path();
}

TEST(Manifest, EveryEntryKnowsHowItIsMade) {
  int archives = 0;
  for (const Entry& e : Manifest()) {
    SCOPED_TRACE(e.Path());
    EXPECT_FALSE(e.shows.empty());
    switch (e.kind) {
      case Kind::Png:
      case Kind::Jpeg:
        EXPECT_TRUE(e.paint);
        EXPECT_GT(e.width, 0);
        EXPECT_GT(e.height, 0);
        break;
      case Kind::Wav:
      case Kind::Ogg:
        EXPECT_TRUE(e.sound);
        break;
      case Kind::Copy:
        EXPECT_FALSE(e.source.empty());
        break;
      case Kind::Particle:
        EXPECT_TRUE(e.effect == 1 || e.effect == 2);
        break;
      case Kind::Archive:
        ++archives;
        break;
    }
  }
  EXPECT_EQ(archives, 2);  // data.pak and the pictures at twice their size
}

TEST(Manifest, SizesFollowWhereThePicturesAreDrawn) {
  for (const Entry& e : Manifest()) {
    if (!e.IsPicture()) continue;
    SCOPED_TRACE(e.Path());
    bool cell = e.folder == "Data/graphics/" &&
                (e.name.rfind("cell", 0) == 0 || e.name.rfind("wall-", 0) == 0);
    if (cell) {
      EXPECT_EQ(e.width, 36);
      EXPECT_EQ(e.height, 36);
    }
    if (e.kind == Kind::Jpeg) {
      EXPECT_EQ(e.width, 800);
      EXPECT_EQ(e.height, 600);
    }
  }
  const Entry* strip = datagen::FindEntry("Data/graphics/", "particles.png");
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->width % 128, 0);
  EXPECT_EQ(strip->height % 128, 0);
  EXPECT_EQ((strip->width / 128) * (strip->height / 128), 9);
  const Entry* pointer = datagen::FindEntry("Data/graphics/", "pointer.png");
  ASSERT_NE(pointer, nullptr);
  EXPECT_GE(pointer->width, 21);
  EXPECT_GE(pointer->height, 26);
  // The editor's button row sits at y = 565: its buttons must end on screen.
  for (const char* name : {"savecustom.png", "loadcustom.png", "reset.png", "backtomenu.png"})
    EXPECT_LE(datagen::FindEntry("Data/menus/", name)->height, 35) << name;
}

TEST(Manifest, EveryButtonLookMatchesItsButton) {
  for (const Entry& e : Manifest()) {
    if (e.folder != "Data/menus/") continue;
    std::string stem = e.name.substr(0, e.name.size() - 4);
    std::string base = ButtonBase(stem);
    if (base == stem) continue;
    const Entry* normal = FindIgnoringCase(e.folder, base + ".png");
    ASSERT_NE(normal, nullptr) << e.name << " has no " << base << ".png";
    EXPECT_EQ(normal->width, e.width) << e.name;
    EXPECT_EQ(normal->height, e.height) << e.name;
  }
}

TEST(Manifest, ArchiveHoldsTheNineScreenPicturesAndTheFace) {
  std::set<std::string> items;
  for (const Entry& e : Manifest())
    if (e.InArchive()) items.insert(e.name);
  const std::set<std::string> expected = {
      "calibri.ttf",     "gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg", "gamescreen4.jpg",
      "gamescreen5.jpg", "playscreen.jpg",  "titlescreen.jpg", "particle1.png",   "particle2.png"};
  EXPECT_EQ(items, expected);
}

TEST(Manifest, HasATileForEveryWallRule) {
  std::set<std::string> walls;
  for (const Entry& e : Manifest())
    if (e.name.rfind("wall-", 0) == 0) walls.insert(e.name.substr(0, e.name.size() - 4));
  EXPECT_EQ(walls.size(), 55u);
  for (const datagen::WallRule& rule : datagen::WallRules()) {
    EXPECT_TRUE(walls.count(rule.tile)) << rule.tile;
    if (!rule.decoration.empty()) {
      EXPECT_TRUE(walls.count(rule.decoration)) << rule.decoration;
    }
  }
}

// ---------------------------------------------------------------- wall rules

namespace {

datagen::BoardLayout Empty() { return datagen::BoardLayout{}; }

std::string TileAt(const datagen::BoardLayout& l, int x, int y) {
  int rule = datagen::ChooseWallRule(datagen::WallFlagsAt(l, x, y));
  return rule < 0 ? "" : datagen::WallRules()[size_t(rule)].tile;
}

}  // namespace

TEST(WallRules, ASinglePlayingCellIsRimmedOnAllSides) {
  auto l = Empty();
  l[5][5] = 1;
  EXPECT_EQ(TileAt(l, 4, 5), "wall-right");  // its right neighbour plays
  EXPECT_EQ(TileAt(l, 6, 5), "wall-left");
  EXPECT_EQ(TileAt(l, 5, 4), "wall-bottom");
  EXPECT_EQ(TileAt(l, 5, 6), "wall-top");
  EXPECT_EQ(TileAt(l, 4, 4), "wall-corner-outside-se");
  EXPECT_EQ(TileAt(l, 6, 4), "wall-corner-outside-sw");
  EXPECT_EQ(TileAt(l, 4, 6), "wall-corner-outside-ne");
  EXPECT_EQ(TileAt(l, 6, 6), "wall-corner-outside-nw");
  EXPECT_EQ(TileAt(l, 5, 5), "");  // a playing cell has no wall
  EXPECT_EQ(TileAt(l, 2, 2), "");  // nor does rock far from the board
}

TEST(WallRules, EnclosedAndNarrowCellsTakeTheirCombinedTiles) {
  auto l = Empty();
  for (auto [x, y] : {std::pair{4, 5}, {6, 5}, {5, 4}, {5, 6}}) l[y][x] = 1;
  EXPECT_EQ(TileAt(l, 5, 5), "wall-full");
  l = Empty();
  l[5][4] = l[5][6] = 2;  // marble cells play too
  EXPECT_EQ(TileAt(l, 5, 5), "wall-leftright");
  l = Empty();
  l[4][4] = l[6][6] = 1;  // diagonal neighbours only
  EXPECT_EQ(TileAt(l, 5, 5), "wall-nwse");
  l = Empty();
  l[4][5] = l[5][4] = l[6][6] = 1;  // top, left and the opposite corner
  EXPECT_EQ(TileAt(l, 5, 5), "wall-topleftse");
}

TEST(WallRules, CellsOutsideTheGridDoNotPlay) {
  auto l = Empty();
  l[0][1] = 1;  // a playing cell on the top row: nothing above it counts
  EXPECT_EQ(TileAt(l, 0, 0), "wall-right");
  EXPECT_EQ(datagen::WallFlagsAt(l, 0, 0) & (datagen::kOutNW | datagen::kOutNE), 0u);
}
