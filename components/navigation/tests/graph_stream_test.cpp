// The route planner's stream: the exact bytes, the older version, fields cut short, and refusal of
// malformed graphs before the planner's graph is touched.
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

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

// The graph a stream gives when every field is read on its own, as the reader first did: a field
// running past the end fails and leaves the stream at its end; node fields fall back to their
// defaults (a lost position with a message), edges must be whole and valid. Empty when refused.
struct FieldByField {
  std::optional<Graph> graph;
  uint32_t lostPositions = 0;
};

FieldByField ReadFieldByField(const std::string& bytes) {
  size_t at = 8;  // the parent block and the version
  auto take = [&](void* out, size_t size) {
    if (bytes.size() - at < size) {
      at = bytes.size();
      return false;
    }
    std::memcpy(out, bytes.data() + at, size);
    at += size;
    return true;
  };
  FieldByField result;
  uint32_t nodeCount = 0;
  if (!take(&nodeCount, 4)) nodeCount = 0;
  if (uint64_t{nodeCount} * 12 > bytes.size() - at) return result;
  Graph graph;
  for (uint32_t i = 0; i < nodeCount; ++i) {
    NodeSpec node;
    if (!take(&node.x, 4) || !take(&node.y, 4) || !take(&node.z, 4)) {
      node.x = node.y = node.z = 0;
      ++result.lostPositions;
    }
    if (!take(&node.width, 4)) node.width = 1.0f;
    if (!take(&node.group, 4)) node.group = -1;
    uint8_t blocked = 0;
    if (take(&blocked, 1)) node.blocked = blocked;
    graph.nodes.push_back(node);
  }
  uint32_t edgeCount = 0;
  if (!take(&edgeCount, 4)) edgeCount = 0;
  if (uint64_t{edgeCount} * 16 > bytes.size() - at) return result;
  for (uint32_t i = 0; i < edgeCount; ++i) {
    EdgeSpec edge;
    if (!take(&edge.a, 4) || !take(&edge.b, 4) || !take(&edge.value, 4) || !take(&edge.cost, 4)) return result;
    if (edge.a >= nodeCount || edge.b >= nodeCount || !std::isfinite(edge.cost) || edge.cost < 0) return result;
    // The edge pool keeps an edge valid against those kept before it.
    bool kept = graph.edges.empty();
    if (!kept && edge.a != edge.b) {
      kept = true;
      for (const EdgeSpec& k : graph.edges)
        if ((k.a == edge.a && k.b == edge.b) || (k.a == edge.b && k.b == edge.a)) kept = false;
    }
    if (kept) graph.edges.push_back(edge);
  }
  result.graph = graph;
  return result;
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST_F(GraphStream, CutAnywhereOrCorruptedItReadsAsFieldByField) {
  Graph graph = SampleGraph();
  graph.edges.push_back({.a = 1, .b = 0, .cost = 4});  // a pair joined twice: the pool drops it
  graph.edges.push_back({.a = 2, .b = 2, .cost = 1});  // a loop
  const std::string whole = navtest::GraphStream(graph);
  std::vector<std::string> streams;
  for (size_t size = 8; size <= whole.size(); ++size) streams.push_back(whole.substr(0, size));
  // Counts and fields overwritten with large and odd values, at every word of the graph.
  for (size_t word = 8; word + 4 <= whole.size(); ++word)
    for (const uint32_t value : {0xFFFFFFFFu, 0x7FC00000u, 3u}) {
      std::string bytes = whole;
      std::memcpy(bytes.data() + word, &value, 4);
      streams.push_back(bytes);
    }
  const std::string lost = "[RTRoutePlanner] Unable to stream in node position.";
  for (const std::string& bytes : streams) {
    RTInstance planner = PlannerWith(SampleGraph());
    const std::string before = StreamedOut(planner);
    const size_t lostBefore = Occurrences(host_.ErrorLog(), lost);
    const FieldByField expected = ReadFieldByField(bytes);
    const RTSuccess read = StreamIn(planner, bytes);
    ASSERT_EQ(read == kRTSuccess, expected.graph.has_value()) << bytes.size() << " bytes";
    EXPECT_EQ(StreamedOut(planner), expected.graph ? navtest::GraphStream(*expected.graph) : before) << bytes.size();
    EXPECT_EQ(Occurrences(host_.ErrorLog(), lost) - lostBefore, expected.lostPositions) << bytes.size();
  }
}

}  // namespace
