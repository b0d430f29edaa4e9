// The route planner's stream: the exact bytes, the older version, fields cut short, and refusal of
// malformed graphs before the planner's graph is touched.
#include <cmath>
#include <limits>

#include "navigation_fixture.h"

namespace {

using namespace navtest;
using namespace kivo;

Graph SampleGraph() {
  Graph graph;
  graph.nodes = {{.x = 1, .y = 2, .z = 3, .group = 4, .blocked = 1, .width = 0.5f},
                 {.x = -1, .y = 0, .z = 8, .group = -1},
                 {.x = 7, .group = 4, .width = 2}};
  graph.edges = {{.a = 0, .b = 1, .cost = 2.5f, .value = 9}, {.a = 2, .b = 1, .cost = 0}};
  return graph;
}

using GraphStream = NavigationTest;

TEST_F(GraphStream, WritesTheParentBlockThenTheGraphFieldByField) {
  RTInstance planner = PlannerWith(SampleGraph());
  EXPECT_EQ(StreamedOut(planner), navtest::GraphStream(SampleGraph()));
  uint32_t stages = 0;
  EXPECT_EQ(route_planner::GetStageCount(planner, &stages), kRTSuccess);
  EXPECT_EQ(stages, 1u);
}

TEST_F(GraphStream, ReadsBackIntoTheSameGraphAndBytes) {
  const std::string bytes = navtest::GraphStream(SampleGraph());
  RTInstance planner = NewPlanner();
  ASSERT_EQ(StreamIn(planner, bytes), kRTSuccess);
  EXPECT_EQ(StreamedOut(planner), bytes);
  RTRoutePlannerNode* nodes = nullptr;
  uint32_t count = 0;
  route_planner::GetAStarNodePool(planner, &nodes, &count);
  ASSERT_EQ(count, 3u);
  EXPECT_EQ(nodes[0].blocked, 1u);
  EXPECT_EQ(nodes[1].neighbourCount, 2u) << "linked after reading";
  List* group = nullptr;
  ASSERT_EQ(route_planner::GetNodesByGroup(planner, 4, &group), kRTSuccess);
  EXPECT_EQ(group->count, 2u);
}

TEST_F(GraphStream, StageZeroOrWholeInstanceOnly) {
  const std::string bytes = navtest::GraphStream(SampleGraph());
  for (const uint32_t stage : {0u, 0xFFFFFFFFu}) EXPECT_EQ(StreamIn(NewPlanner(), bytes, stage), kRTSuccess) << stage;
  EXPECT_EQ(StreamIn(NewPlanner(), bytes, 1), kRTFailure);
  RTInstance stream = StreamOf("");
  EXPECT_EQ(kivo::CallMethod(PlannerWith(SampleGraph()), route_planner::kLevel, route_planner::kStreamOut, 2u, stream),
            kRTFailure);
}

TEST_F(GraphStream, Version511HasNoBlockedFlags) {
  Graph graph = SampleGraph();
  RTInstance planner = NewPlanner();
  ASSERT_EQ(StreamIn(planner, navtest::GraphStream(graph, 511)), kRTSuccess);
  RTRoutePlannerNode* nodes = nullptr;
  uint32_t count = 0;
  route_planner::GetAStarNodePool(planner, &nodes, &count);
  ASSERT_EQ(count, 3u);
  for (uint32_t i = 0; i < count; ++i) EXPECT_EQ(nodes[i].blocked, 0u);
  EXPECT_EQ(nodes[2].width, 2.0f);
  RTRoutePlannerEdge* edges = nullptr;
  route_planner::GetAStarEdgePool(planner, &edges, &count);
  EXPECT_EQ(count, 2u);
}

TEST_F(GraphStream, FieldsCutShortTakeTheirDefaults) {
  const struct {
    const char* what;
    std::string bytes;
    float width;
    int32_t group;
  } cases[] = {
      {"cut inside the width",
       StreamBytes().U32(1).U32(512).U32(1).F32(1).F32(2).F32(3).U8(0).U8(0).bytes(), 1.0f, -1},
      {"cut before the group", StreamBytes().U32(1).U32(512).U32(1).F32(1).F32(2).F32(3).F32(0.25f).bytes(), 0.25f, -1},
      {"cut before the blocked flag",
       StreamBytes().U32(1).U32(512).U32(1).F32(1).F32(2).F32(3).F32(0.25f).U32(6).bytes(), 0.25f, 6},
  };
  for (const auto& c : cases) {
    RTInstance planner = NewPlanner();
    ASSERT_EQ(StreamIn(planner, c.bytes), kRTSuccess) << c.what;
    RTRoutePlannerNode* nodes = nullptr;
    uint32_t count = 0;
    route_planner::GetAStarNodePool(planner, &nodes, &count);
    ASSERT_EQ(count, 1u) << c.what;
    EXPECT_EQ(nodes[0].position.z, 3.0f) << c.what;
    EXPECT_EQ(nodes[0].width, c.width) << c.what;
    EXPECT_EQ(nodes[0].group, c.group) << c.what;
    EXPECT_EQ(nodes[0].blocked, 0u) << c.what;
  }
}

TEST_F(GraphStream, MalformedStreamsAreRefusedAndTheGraphKept) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<NodeSpec> two(2);
  const struct {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"edge index past the node count", StreamBytes().Nodes(two).Edges({{.a = 0, .b = 2}}).bytes(),
       "RTRoutePlanner::StreamIn() -- Edge 0 joins nodes 0 and 2, but there are 2 nodes"},
      {"a huge edge index", StreamBytes().Nodes(two).Edges({{.a = 0xFFFFFFFF, .b = 1}}).bytes(),
       "RTRoutePlanner::StreamIn() -- Edge 0 joins nodes 4294967295 and 1, but there are 2 nodes"},
      {"negative cost", StreamBytes().Nodes(two).Edges({{.a = 0, .b = 1, .cost = -1}}).bytes(),
       "RTRoutePlanner::StreamIn() -- Edge 0 has a negative or non-finite cost"},
      {"NaN cost", StreamBytes().Nodes(two).Edges({{.a = 0, .b = 1}, {.a = 1, .b = 0, .cost = nan}}).bytes(),
       "RTRoutePlanner::StreamIn() -- Edge 1 has a negative or non-finite cost"},
      {"infinite cost", StreamBytes().Nodes(two).Edges({{.a = 0, .b = 1, .cost = inf}}).bytes(),
       "RTRoutePlanner::StreamIn() -- Edge 0 has a negative or non-finite cost"},
      {"node count larger than the stream", StreamBytes().U32(1).U32(512).U32(0x40000000).F32(1).bytes(),
       "RTRoutePlanner::StreamIn() -- The node count 1073741824 is larger than the stream"},
      {"edge count larger than the stream", StreamBytes().Nodes(two).U32(3).U32(0).U32(1).F32(0).F32(1).bytes(),
       "RTRoutePlanner::StreamIn() -- The edge count 3 is larger than the stream"},
      {"edge cut short", StreamBytes().Nodes(two).U32(1).U32(0).U32(1).F32(0).U8(0).U8(0).U8(0).bytes(),
       "RTRoutePlanner::StreamIn() -- The edge count 1 is larger than the stream"},
      {"newer version", StreamBytes().U32(1).U32(513).U32(0).U32(0).bytes(),
       "RTRoutePlanner::StreamIn() -- Version is newer than reader"},
      {"no version", StreamBytes().U32(1).bytes(), "RTRoutePlanner::StreamIn() -- The stream ended before the version"},
      {"newer parent block", StreamBytes().U32(2).U32(512).U32(0).U32(0).bytes(),
       "RTPathfinding::StreamIn() -- Version is newer than reader"},
      {"empty stream", "", "RTPathfinding::StreamIn() -- The stream ended before the version"},
  };
  for (const auto& c : cases) {
    RTInstance planner = PlannerWith(SampleGraph());
    const std::string before = StreamedOut(planner);
    EXPECT_EQ(StreamIn(planner, c.bytes), kRTFailure) << c.what;
    EXPECT_NE(host_.ErrorLog().find(c.message), std::string::npos) << c.what;
    EXPECT_EQ(StreamedOut(planner), before) << c.what << ": the graph is untouched";
  }
}

}  // namespace
