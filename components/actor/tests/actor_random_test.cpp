// The component's random values: indexes below their bound, points of the unit sphere and unit
// directions on the ground.
#include "actor_random.h"

#include <gtest/gtest.h>

#include "kivo/support/vector.h"

namespace {

using namespace tesk::actor;

TEST(ActorRandom, ValuesStayWithinTheirShapes) {
  for (int i = 0; i < 1000; ++i) {
    EXPECT_LT(RandomIndex(5), 5u);
    EXPECT_EQ(RandomIndex(1), 0u) << "one variant: always the first";
    const double r = RandomRange(-2, 3);
    EXPECT_GE(r, -2);
    EXPECT_LE(r, 3);
    RTFVector3D sphere{0, 0, 0, 7};
    RandomUnitVector(&sphere);
    EXPECT_NEAR(kivo::Vec3Length(sphere), 1.0f, 1e-5f);
    EXPECT_EQ(sphere.w, 7.0f) << "the fourth float is left alone";
    RTFVector3D ground{0, 5, 0, 7};
    RandomDirectionXZ(&ground);
    EXPECT_EQ(ground.y, 0.0f);
    EXPECT_NEAR(kivo::Vec3Length(ground), 1.0f, 1e-5f);
  }
}

}  // namespace
