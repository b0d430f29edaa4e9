// The path store: points, count, total length and the cyclic flag.
#include <vector>

#include "kivo/support/instance_ref.h"
#include "navigation_fixture.h"

namespace {

using namespace navtest;
using namespace kivo;

using PathFollower = NavigationTest;

PathPoint Point(float x, float y, float z) { return PathPoint{x, y, z, 0, 1}; }

TEST_F(PathFollower, StoresACopyOfThePointsWithTheirLength) {
  const struct {
    const char* what;
    std::vector<PathPoint> points;
    float length;
  } cases[] = {
      {"two segments", {Point(0, 0, 0), Point(3, 4, 0), Point(3, 4, 12)}, 17.0f},
      {"a single point", {Point(5, 5, 5)}, 0.0f},
      {"no segment back to the start", {Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), Point(0, 0, 0)},
       4.0f},
      {"no points", {}, 0.0f},
  };
  for (const auto& c : cases) {
    InstanceRef follower;
    ASSERT_EQ(core().CreateInstanceByString(nullptr, path_follower::kClassName, follower.out(), 0, 0), kRTSuccess);
    auto input = c.points;
    ASSERT_EQ(path_follower::SetPoints(follower.get(), input.data(), static_cast<uint32_t>(input.size())), kRTSuccess)
        << c.what;
    for (PathPoint& p : input) p.x = -99;  // the follower keeps its own copy

    uint32_t count = 99;
    ASSERT_EQ(path_follower::GetPointCount(follower.get(), &count), kRTSuccess);
    EXPECT_EQ(count, c.points.size()) << c.what << ": an integer count";
    PathPoint* stored = nullptr;
    ASSERT_EQ(path_follower::GetPoints(follower.get(), &stored, &count), kRTSuccess);
    ASSERT_EQ(count, c.points.size());
    for (uint32_t i = 0; i < count; ++i) EXPECT_EQ(stored[i].x, c.points[i].x) << c.what;
    float length = -1;
    ASSERT_EQ(path_follower::GetTotalPathLength(follower.get(), &length), kRTSuccess);
    EXPECT_EQ(length, c.length) << c.what;
    RTBool cyclic = 1;
    ASSERT_EQ(path_follower::GetIsCyclic(follower.get(), &cyclic), kRTSuccess);
    EXPECT_EQ(cyclic, 0u) << c.what;
  }
}

TEST_F(PathFollower, ReplacingThePointsWithItsOwnArrayOrFailingLeavesNoStaleState) {
  InstanceRef follower;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, path_follower::kClassName, follower.out(), 0, 0), kRTSuccess);
  const PathPoint points[] = {Point(0, 0, 0), Point(0, 2, 0)};
  ASSERT_EQ(path_follower::SetPoints(follower.get(), points, 2), kRTSuccess);
  PathPoint* stored = nullptr;
  uint32_t count = 0;
  path_follower::GetPoints(follower.get(), &stored, &count);
  ASSERT_EQ(path_follower::SetPoints(follower.get(), stored, count), kRTSuccess) << "its own array handed back";
  float length = 0;
  path_follower::GetTotalPathLength(follower.get(), &length);
  EXPECT_EQ(length, 2.0f);

  // More points than memory can hold: the follower is left empty, never with a count and no array.
  EXPECT_EQ(path_follower::SetPoints(follower.get(), points, 0x40000000), kRTFailure);
  path_follower::GetPoints(follower.get(), &stored, &count);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(stored, nullptr);
  path_follower::GetTotalPathLength(follower.get(), &length);
  EXPECT_EQ(length, 0.0f);
  EXPECT_EQ(path_follower::SetPoints(follower.get(), nullptr, 3), kRTFailure) << "no points to copy";
}

}  // namespace
