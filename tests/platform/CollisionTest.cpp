// Collision layers with identity objects.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "HeadlessDisplay.h"

using namespace plat;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

class CollisionTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetCollisions(); }
  void TearDown() override {
    ResetCollisions();
    SetTransform(0, 1, 1);
    SetOrigin(0, 0);
  }
  TImagePtr solid = gfxtest::SolidImage(10, 10, 0xFFFFFFFFu);
  int first = 1, second = 2;
};

TEST_F(CollisionTest, OverlapFindsTheWrittenIdentities) {
  CollideImageWrite(*solid, 0, 0, 0, 1, &first);
  CollideImageWrite(*solid, 50, 0, 0, 1, &second);
  EXPECT_THAT(CollideImageTest(*solid, 5, 5, 0, 1), ElementsAre(&first));
  EXPECT_THAT(CollideImageTest(*solid, 45, 0, 0, 1), UnorderedElementsAre(&second));
  EXPECT_THAT(CollideImageTest(*solid, 10, 0, 0, 1), IsEmpty());  // edges touch only
  EXPECT_THAT(CollideImageTest(*solid, 9, 0, 0, 1), ElementsAre(&first));
  EXPECT_THAT(CollideImageTest(*solid, 200, 200, 0, 1), IsEmpty());
}

TEST_F(CollisionTest, LayersAreSeparateAndResetByMask) {
  CollideImageWrite(*solid, 0, 0, 0, 1, &first);
  CollideImageWrite(*solid, 0, 0, 0, 2, &second);
  EXPECT_THAT(CollideImageTest(*solid, 0, 0, 0, 2), ElementsAre(&second));
  EXPECT_THAT(CollideImageTest(*solid, 0, 0, 0, 3), UnorderedElementsAre(&first, &second));
  ResetCollisions(1);
  EXPECT_THAT(CollideImageTest(*solid, 0, 0, 0, 3), ElementsAre(&second));
  ResetCollisions();
  EXPECT_THAT(CollideImageTest(*solid, 0, 0, 0, 3), IsEmpty());
}

TEST_F(CollisionTest, TransparentPixelsDoNotCollide) {
  // A ring: opaque border, transparent 6 x 6 hole.
  TPixmap ring(10, 10, 0xFFFFFFFFu);
  for (int y = 2; y < 8; ++y)
    for (int x = 2; x < 8; ++x) ring.WritePixel(x, y, 0x00FFFFFFu);
  auto ringImage = LoadImageFromPixmap(ring, 0);
  auto dot = gfxtest::SolidImage(2, 2, 0xFFFFFFFFu);
  CollideImageWrite(*ringImage, 100, 100, 0, 1, &first);
  EXPECT_THAT(CollideImageTest(*dot, 104, 104, 0, 1), IsEmpty());
  EXPECT_THAT(CollideImageTest(*dot, 100, 104, 0, 1), ElementsAre(&first));
  EXPECT_THAT(CollideImageTest(*dot, 107, 107, 0, 1), ElementsAre(&first));  // one pixel on the rim
}

TEST_F(CollisionTest, HandleOriginAndTransformPlaceTheMask) {
  auto bar = gfxtest::SolidImage(20, 2, 0xFFFFFFFFu);
  MidHandleImage(*bar);
  auto dot = gfxtest::SolidImage(1, 1, 0xFFFFFFFFu);
  SetRotation(90);  // the bar now stands upright about (100, 100)
  CollideImageWrite(*bar, 100, 100, 0, 1, &first);
  SetRotation(0);
  EXPECT_THAT(CollideImageTest(*dot, 100, 92, 0, 1), ElementsAre(&first));
  EXPECT_THAT(CollideImageTest(*dot, 92, 100, 0, 1), IsEmpty());

  SetOrigin(50, 0);
  CollideImageWrite(*dot, 0, 0, 0, 2, &second);
  SetOrigin(0, 0);
  EXPECT_THAT(CollideImageTest(*dot, 50, 0, 0, 2), ElementsAre(&second));
  EXPECT_THAT(CollideImageTest(*dot, 0, 0, 0, 2), IsEmpty());
}

}  // namespace
