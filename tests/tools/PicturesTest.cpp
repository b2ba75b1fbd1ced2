// Properties of the shipped pictures the game relies on: jewels that read
// apart and sit centred, walls that join, a pointer whose tip is its hot
// spot, particles that fade out before their frame's edge, backgrounds that
// stay quiet under the board.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "DataTree.h"
#include "Platform.h"
#include "Review.h"
#include "Walls.h"

namespace {

plat::TPixmap Load(const std::string& relative) {
  auto p = plat::LoadPixmap(datatest::RuntimeDir() + "/" + relative);
  if (!p) {
    ADD_FAILURE() << "cannot load " << relative;
    return plat::TPixmap(1, 1);
  }
  return *p;
}

int Alpha(uint32_t p) { return int(p >> 24); }

struct Box {
  int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
  int Width() const { return x1 - x0 + 1; }
  int Height() const { return y1 - y0 + 1; }
};

Box OpaqueBox(const plat::TPixmap& p, int threshold) {
  Box b;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (Alpha(p.ReadPixel(x, y)) >= threshold) {
        b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
      }
  return b;
}

double Luma(uint32_t p) {
  return (0.2126 * (p >> 16 & 255) + 0.7152 * (p >> 8 & 255) + 0.0722 * (p & 255)) / 255;
}

// Premultiplied colour difference between two pixels, 0..1 per channel summed.
double Difference(uint32_t a, uint32_t b) {
  double d = 0;
  for (int shift : {0, 8, 16}) {
    double ca = (a >> shift & 255) * Alpha(a) / 65025.0,
           cb = (b >> shift & 255) * Alpha(b) / 65025.0;
    d += std::fabs(ca - cb);
  }
  return d + std::fabs(Alpha(a) - Alpha(b)) / 255.0;
}

}  // namespace

TEST(Pictures, JewelsAreCentredAndAboutThirtyTwoPixelsAcross) {
  REQUIRE_DATA_TREE();
  for (int c = 1; c <= 6; ++c) {
    SCOPED_TRACE(c);
    Box b = OpaqueBox(Load("Data/graphics/cell" + std::to_string(c) + ".png"), 160);
    EXPECT_GE(std::max(b.Width(), b.Height()), 29);
    EXPECT_LE(std::max(b.Width(), b.Height()), 34);
    // Centred both ways, so the half turn while falling does not shift it.
    EXPECT_NEAR((b.x0 + b.x1) / 2.0, 17.5, 1.0);
    EXPECT_NEAR((b.y0 + b.y1) / 2.0, 17.5, 1.0);
  }
}

TEST(Pictures, JewelsDifferInShapeNotOnlyInColour) {
  REQUIRE_DATA_TREE();
  std::vector<plat::TPixmap> gems;
  for (int c = 1; c <= 6; ++c)
    gems.push_back(Load("Data/graphics/cell" + std::to_string(c) + ".png"));
  for (int a = 0; a < 6; ++a)
    for (int b = a + 1; b < 6; ++b) {
      int differ = 0;
      for (int i = 0; i < 36 * 36; ++i)
        differ += (Alpha(gems[a].pixels[i]) >= 160) != (Alpha(gems[b].pixels[i]) >= 160);
      EXPECT_GT(differ, 36 * 36 / 20) << "jewels " << a + 1 << " and " << b + 1;
    }
}

namespace {

struct TColour {
  double r = 0, g = 0, b = 0;
  double DistanceTo(const TColour& o) const {
    return std::sqrt((r - o.r) * (r - o.r) + (g - o.g) * (g - o.g) + (b - o.b) * (b - o.b));
  }
};

// The mean colour (0..1 a channel) of the pixels at least `alpha` opaque.
TColour MeanColour(const plat::TPixmap& p, int alpha) {
  TColour sum;
  int n = 0;
  for (uint32_t px : p.pixels) {
    if (Alpha(px) < alpha) continue;
    sum.r += (px >> 16 & 255) / 255.0, sum.g += (px >> 8 & 255) / 255.0,
        sum.b += (px & 255) / 255.0;
    ++n;
  }
  if (n) sum.r /= n, sum.g /= n, sum.b /= n;
  return sum;
}

// `top` over `bottom` over the dark cavern behind the board.
plat::TPixmap Over(const plat::TPixmap& top, const plat::TPixmap& bottom) {
  plat::TPixmap out(top.width, top.height, 0);
  for (int y = 0; y < top.height; ++y)
    for (int x = 0; x < top.width; ++x) {
      uint32_t a = top.ReadPixel(x, y), b = bottom.ReadPixel(x, y);
      uint32_t px = 0xff000000u;
      for (int shift : {0, 8, 16}) {
        double under = (b >> shift & 255) * Alpha(b) / 255.0;
        double c = (a >> shift & 255) * Alpha(a) / 255.0 + under * (1 - Alpha(a) / 255.0);
        px |= uint32_t(std::lround(c)) << shift;
      }
      out.WritePixel(x, y, px);
    }
  return out;
}

}  // namespace

TEST(Pictures, NoJewelLooksLikeAMarbleCellAndAMarbleCellShowsUnderEveryJewel) {
  // The goal of a level is its marble cells: a pale jewel once passed for
  // one, and a jewel on a marble cell hid it.
  REQUIRE_DATA_TREE();
  plat::TPixmap marble = Load("Data/graphics/cellmarble.png");
  plat::TPixmap normal = Load("Data/graphics/cellnormal.png");
  TColour marbleColour = MeanColour(marble, 0);
  for (int c = 1; c <= 6; ++c) {
    SCOPED_TRACE(c);
    plat::TPixmap gem = Load("Data/graphics/cell" + std::to_string(c) + ".png");
    EXPECT_GT(MeanColour(gem, 160).DistanceTo(marbleColour), 0.45) << "the jewel's colour";
    // What shows of the cell round the jewel: its rim and corners.
    plat::TPixmap onMarble = Over(gem, marble), onNormal = Over(gem, normal);
    double apart = 0;
    for (size_t i = 0; i < onMarble.pixels.size(); ++i)
      apart += Difference(onMarble.pixels[i], onNormal.pixels[i]);
    EXPECT_GT(apart / double(onMarble.pixels.size()), 0.5) << "a marble cell under the jewel";
  }
}

TEST(Pictures, JewelsLookTheSameAfterAHalfTurn) {
  // A jewel turns by half a turn for every row it falls and may rest so: it
  // must not then read as another kind.
  REQUIRE_DATA_TREE();
  for (int c = 1; c <= 6; ++c) {
    SCOPED_TRACE(c);
    plat::TPixmap gem = Load("Data/graphics/cell" + std::to_string(c) + ".png");
    double sum = 0, worst = 0;
    for (int y = 0; y < 36; ++y)
      for (int x = 0; x < 36; ++x) {
        double d = Difference(gem.ReadPixel(x, y), gem.ReadPixel(35 - x, 35 - y));
        sum += d;
        worst = std::max(worst, d);
      }
    EXPECT_LT(sum / (36 * 36), 0.01);
    EXPECT_LT(worst, 0.25);
  }
}

TEST(Pictures, WallTilesJoinSeamlesslyOnABoardUsingEveryRule) {
  REQUIRE_DATA_TREE();
  datagen::BoardLayout layout = datagen::WallTestLayout();
  ASSERT_EQ(datagen::WallRulesUsed(layout).size(), datagen::WallRules().size());
  const int S = 36;
  // The board as the game draws its walls, into one picture.
  plat::TPixmap board(datagen::kBoardWidth * S, datagen::kBoardHeight * S, 0);
  std::map<std::string, plat::TPixmap> tiles;
  for (int y = 0; y < datagen::kBoardHeight; ++y)
    for (int x = 0; x < datagen::kBoardWidth; ++x) {
      int rule = datagen::ChooseWallRule(datagen::WallFlagsAt(layout, x, y));
      if (rule < 0) continue;
      const std::string& name = datagen::WallRules()[size_t(rule)].tile;
      if (!tiles.count(name)) tiles.emplace(name, Load("Data/graphics/" + name + ".png"));
      const plat::TPixmap& t = tiles.at(name);
      for (int j = 0; j < S; ++j)
        for (int i = 0; i < S; ++i) board.WritePixel(x * S + i, y * S + j, t.ReadPixel(i, j));
    }
  // Across a border between two cells the picture changes no more than it
  // does between neighbouring pixels inside the tiles.
  double inside = 0, across = 0;
  int nInside = 0, nAcross = 0;
  for (int y = 0; y < board.height; ++y)
    for (int x = 0; x + 1 < board.width; ++x) {
      int cx = x / S, cy = y / S, nx = (x + 1) / S;
      bool wallHere = layout[cy][cx] == 0, wallNext = layout[cy][nx] == 0;
      if (!wallHere || !wallNext) continue;
      double d = Difference(board.ReadPixel(x, y), board.ReadPixel(x + 1, y));
      if (nx != cx) {
        across += d;
        ++nAcross;
      } else {
        inside += d;
        ++nInside;
      }
    }
  for (int y = 0; y + 1 < board.height; ++y)
    for (int x = 0; x < board.width; ++x) {
      int cx = x / S, cy = y / S, ny = (y + 1) / S;
      if (layout[cy][cx] != 0 || layout[ny][cx] != 0 || ny == cy) continue;
      across += Difference(board.ReadPixel(x, y), board.ReadPixel(x, y + 1));
      ++nAcross;
    }
  ASSERT_GT(nAcross, 1000);
  EXPECT_LT(across / nAcross, 1.6 * inside / nInside + 0.005);
}

TEST(Pictures, WallTilesFadeOutBeforeCellsWithoutWall) {
  REQUIRE_DATA_TREE();
  // A tile's rock ends inside it, so an empty cell with no tile beside it
  // shows no cut edge. The tile "wall-left" borders plain rock on three sides.
  plat::TPixmap t = Load("Data/graphics/wall-left.png");
  for (int i = 0; i < 36; ++i) {
    EXPECT_LT(Alpha(t.ReadPixel(35, i)), 8);  // its right edge
  }
}

TEST(Pictures, PointerTipIsTheTopLeftPixel) {
  REQUIRE_DATA_TREE();
  plat::TPixmap p = Load("Data/graphics/pointer.png");
  EXPECT_GE(Alpha(p.ReadPixel(0, 0)), 96);
  Box b = OpaqueBox(p, 128);
  EXPECT_EQ(b.x0, 0);
  EXPECT_EQ(b.y0, 0);
}

TEST(Pictures, ParticleFramesFadeOutBeforeTheirEdges) {
  REQUIRE_DATA_TREE();
  plat::TPixmap strip = Load("Data/graphics/particles.png");
  ASSERT_EQ(strip.width, 9 * 128);
  for (int f = 0; f < 9; ++f) {
    int x0 = f * 128, maxEdge = 0, maxAlpha = 0;
    for (int i = 0; i < 128; ++i) {
      for (uint32_t p : {strip.ReadPixel(x0 + i, 0), strip.ReadPixel(x0 + i, 127),
                         strip.ReadPixel(x0, i), strip.ReadPixel(x0 + 127, i)})
        maxEdge = std::max(maxEdge, Alpha(p));
      for (int j = 0; j < 128; ++j)
        maxAlpha = std::max(maxAlpha, Alpha(strip.ReadPixel(x0 + i, j)));
    }
    EXPECT_LE(maxEdge, 4) << "frame " << f;
    EXPECT_GE(maxAlpha, 200) << "frame " << f << " is visible";
  }
}

TEST(Pictures, BackgroundsAreQuietUnderTheBoard) {
  REQUIRE_DATA_TREE();
  auto items =
      datatest::ReadPak(datatest::ReadBytes(datatest::RuntimeDir() + "/data/resources/data.pak"));
  int screens = 0;
  for (const datatest::Item& it : items) {
    if (it.name.rfind("gamescreen", 0) != 0) continue;
    SCOPED_TRACE(it.name);
    plat::TMemoryStream stream(it.data);
    auto p = plat::LoadPixmap(stream);
    ASSERT_NE(p, nullptr);
    // The board lies over x 76..724, y 48..552: dark there, and with little
    // fine detail (broad gradients are fine), while the cave around it
    // carries the detail.
    auto stats = [&](bool board) {
      double light = 0, detail = 0;
      int n = 0;
      for (int y = 0; y + 4 < p->height; y += 2)
        for (int x = 0; x + 4 < p->width; x += 2) {
          bool in = x >= 96 && x < 700 && y >= 68 && y < 528;
          bool out = x < 56 || x >= 740 || y < 32 || y >= 564;
          if (board ? !in : !out) continue;
          double l = Luma(p->ReadPixel(x, y));
          light += l;
          detail += std::fabs(l - Luma(p->ReadPixel(x + 4, y))) +
                    std::fabs(l - Luma(p->ReadPixel(x, y + 4)));
          ++n;
        }
      return std::pair{light / n, detail / n};
    };
    auto [boardLight, boardDetail] = stats(true);
    double edgeDetail = stats(false).second;
    EXPECT_LT(boardLight, 0.22);
    EXPECT_LT(boardDetail, 0.015);
    EXPECT_GT(edgeDetail, 2 * boardDetail);
    ++screens;
  }
  EXPECT_EQ(screens, 5);
}
