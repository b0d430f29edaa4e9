// The rooms' hit geometry on its own: a ray and a moving circle against one segment.
#include "planar_hits.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using room::CircleContact;

constexpr float kNoLimit = 3.4028235e38f;

// The segment the rays meet: x = 2, z from -1 to 1.
constexpr RTFVector2D kUpright[2] = {{2, -1}, {2, 1}};

TEST(PlanarHits, ARayCrossesASegmentBetweenItsEndsAheadOfItsOrigin) {
  const struct {
    const char* what;
    RTFVector2D origin;
    RTFVector2D direction;
    float limit;
    bool hits;
    float t;
  } cases[] = {
      {"straight on", {0, 0}, {1, 0}, kNoLimit, true, 2},
      {"a short direction: t beyond 1", {0, 0}, {0.25f, 0}, kNoLimit, true, 8},
      {"slanted", {0, -2}, {1, 1}, kNoLimit, true, 2},
      {"at an end", {0, 1}, {1, 0}, kNoLimit, true, 2},
      {"from the segment itself", {2, 0}, {1, 0}, kNoLimit, true, 0},
      {"from the other side", {5, 0.5f}, {-1, 0}, kNoLimit, true, 3},
      {"just below the limit", {0, 0}, {1, 0}, 2.0001f, true, 2},
      {"at the limit", {0, 0}, {1, 0}, 2, false, 0},
      {"behind the origin", {0, 0}, {-1, 0}, kNoLimit, false, 0},
      {"past an end", {0, 1.01f}, {1, 0}, kNoLimit, false, 0},
      {"parallel", {0, 0}, {0, 1}, kNoLimit, false, 0},
      {"along the segment's own line", {2, -5}, {0, 1}, kNoLimit, false, 0},
      {"no direction", {0, 0}, {0, 0}, kNoLimit, false, 0},
  };
  for (const auto& c : cases) {
    float t = -7;
    EXPECT_EQ(room::RayHitsSegment(c.origin, c.direction, kUpright[0], kUpright[1], c.limit, &t), c.hits) << c.what;
    EXPECT_NEAR(t, c.hits ? c.t : -7, 1e-6f) << c.what << (c.hits ? "" : ": t untouched");
  }
  float t = -7;
  EXPECT_FALSE(room::RayHitsSegment({0, 0}, {1, 0}, {2, 0}, {2, 0}, kNoLimit, &t)) << "a segment of zero length";
}

// The segment the circles meet: z = 0, x from 0 to 10.
constexpr RTFVector2D kLying[2] = {{0, 0}, {10, 0}};

TEST(PlanarHits, AMovingCircleTouchesASegmentsInteriorOrEndsFirst) {
  const float slant = 2 - std::sqrt(0.75f);  // a unit circle at z 0.5 reaches (0, 0) when its x is -0.866
  const struct {
    const char* what;
    RTFVector2D start;
    RTFVector2D movement;
    float radius;
    float limit;
    bool touches;
    CircleContact contact;
  } cases[] = {
      {"the interior from above", {5, 3}, {0, -1}, 1, kNoLimit, true, {2, {5, 0}, {0, 1}}},
      {"the interior from below", {5, -3}, {0, 2}, 1, kNoLimit, true, {1, {5, 0}, {0, -1}}},
      {"slanted onto the interior", {3, 4}, {1, -1}, 1, kNoLimit, true, {3, {6, 0}, {0, 1}}},
      {"t beyond 1", {5, 11}, {0, -0.5f}, 1, kNoLimit, true, {20, {5, 0}, {0, 1}}},
      {"an end point head on", {-3, 0}, {1, 0}, 1, kNoLimit, true, {2, {0, 0}, {-1, 0}}},
      {"an end point off centre", {-2, 0.5f}, {1, 0}, 1, kNoLimit, true, {slant, {0, 0}, {-std::sqrt(0.75f), 0.5f}}},
      {"the far end point", {14, 0}, {-2, 0}, 1, kNoLimit, true, {1.5f, {10, 0}, {1, 0}}},
      {"touching at the start, moving in", {5, 1}, {0, -1}, 1, kNoLimit, true, {0, {5, 0}, {0, 1}}},
      {"overlapping, moving in", {5, 0.5f}, {0.5f, -1}, 1, kNoLimit, true, {0, {5, 0}, {0, 1}}},
      {"overlapping an end, moving in",
       {-0.5f, 0.5f},
       {1, 0},
       1,
       kNoLimit,
       true,
       {0, {0, 0}, {-0.70710677f, 0.70710677f}}},
      {"overlapping, moving away", {5, 0.5f}, {0, 1}, 1, kNoLimit, false, {}},
      {"overlapping, sliding along", {5, 0.5f}, {1, 0}, 1, kNoLimit, false, {}},
      {"overlapping, standing still", {5, 0.5f}, {0, 0}, 1, kNoLimit, false, {}},
      {"touching at the start, moving away", {5, 1}, {0, 1}, 1, kNoLimit, false, {}},
      {"standing still apart", {5, 3}, {0, 0}, 1, kNoLimit, false, {}},
      {"passing beside an end", {11.5f, 3}, {0, -1}, 1, kNoLimit, false, {}},
      {"passing parallel", {-5, 2}, {1, 0}, 1, kNoLimit, false, {}},
      {"moving away", {5, 3}, {0, 1}, 1, kNoLimit, false, {}},
      {"at the limit", {5, 3}, {0, -1}, 1, 2, false, {}},
      {"just below the limit", {5, 3}, {0, -1}, 1, 2.0001f, true, {2, {5, 0}, {0, 1}}},
      {"no radius", {5, 3}, {0, -1}, 0, kNoLimit, false, {}},
  };
  for (const auto& c : cases) {
    CircleContact contact{-7, {-7, -7}, {-7, -7}};
    ASSERT_EQ(room::CircleHitsSegment(c.start, c.movement, c.radius, kLying[0], kLying[1], c.limit, &contact),
              c.touches)
        << c.what;
    const CircleContact& expected = c.touches ? c.contact : CircleContact{-7, {-7, -7}, {-7, -7}};
    EXPECT_NEAR(contact.t, expected.t, 1e-5f) << c.what;
    EXPECT_NEAR(contact.point.x, expected.point.x, 1e-5f) << c.what;
    EXPECT_NEAR(contact.point.y, expected.point.y, 1e-5f) << c.what;
    EXPECT_NEAR(contact.normal.x, expected.normal.x, 1e-5f) << c.what;
    EXPECT_NEAR(contact.normal.y, expected.normal.y, 1e-5f) << c.what;
  }
}

TEST(PlanarHits, ACircleMeetsASegmentOfZeroLengthAsAPoint) {
  CircleContact contact{};
  ASSERT_TRUE(room::CircleHitsSegment({-3, 0}, {1, 0}, 1, {0, 0}, {0, 0}, kNoLimit, &contact));
  EXPECT_NEAR(contact.t, 2, 1e-6f);
  EXPECT_NEAR(contact.normal.x, -1, 1e-6f);
}

}  // namespace
