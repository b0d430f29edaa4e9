// The route planner's graph: edge filtering, linking, the node and edge pools, groups and the
// nearest-node lookup.
#include <cstring>
#include <utility>
#include <vector>

#include "navigation_fixture.h"

namespace {

using namespace navtest;
using namespace kivo;
using Pair = std::pair<uint32_t, uint32_t>;

std::vector<Pair> StoredEdges(RTInstance planner) {
  RTRoutePlannerEdge* edges = nullptr;
  uint32_t count = 0;
  EXPECT_EQ(route_planner::GetAStarEdgePool(planner, &edges, &count), kRTSuccess);
  std::vector<Pair> pairs;
  for (uint32_t i = 0; i < count; ++i) pairs.emplace_back(edges[i].a, edges[i].b);
  return pairs;
}

// Each node's neighbours, in link order.
std::vector<std::vector<uint32_t>> Neighbours(RTInstance planner) {
  RTRoutePlannerNode* nodes = nullptr;
  uint32_t count = 0;
  route_planner::GetAStarNodePool(planner, &nodes, &count);
  std::vector<std::vector<uint32_t>> result(count);
  for (uint32_t i = 0; i < count; ++i) {
    EXPECT_EQ(nodes[i].neighbourCount, nodes[i].edgeCount);
    for (uint32_t j = 0; j < count; ++j) {
      float cost = -1;
      route_planner::Cost(planner, &nodes[i], &nodes[j], &cost);
      if (cost > 0) result[i].push_back(j);
    }
  }
  return result;
}

using GraphStore = NavigationTest;

TEST_F(GraphStore, EdgePoolKeepsTheEdgesValidAgainstThoseKeptBefore) {
  const struct {
    const char* what;
    std::vector<Pair> input;
    std::vector<Pair> kept;
    const char* message;
  } cases[] = {
      {"duplicates either way and a loop", {{1, 2}, {2, 1}, {3, 3}, {1, 2}}, {{1, 2}}, "# loop edges removed: 3"},
      {"a loop given first stays", {{3, 3}, {1, 2}, {3, 3}}, {{3, 3}, {1, 2}}, "# loop edges removed: 1"},
      {"distinct pairs", {{0, 1}, {1, 2}, {2, 0}}, {{0, 1}, {1, 2}, {2, 0}}, "# loop edges removed: 0"},
      {"nothing", {}, {}, "# loop edges removed: 0"},
  };
  for (const auto& c : cases) {
    RTInstance planner = NewPlanner();
    std::vector<EdgeSpec> specs;
    for (const auto& [a, b] : c.input) specs.push_back({.a = a, .b = b});
    const auto records = EdgeRecords(specs);
    ASSERT_EQ(route_planner::SetAStarEdgePool(planner, records.data(), static_cast<uint32_t>(records.size())),
              kRTSuccess);
    EXPECT_EQ(StoredEdges(planner), c.kept) << c.what;
    EXPECT_TRUE(Logged(c.message)) << c.what;
    RTPropertyRecord* property = nullptr;
    ASSERT_EQ(core().FindProperty(nullptr, planner, u"EdgeCount", &property), kRTSuccess);
    uint32_t count = 99;
    reinterpret_cast<RTSuccess (*)(RTInstance, uint32_t*)>(property->getter)(planner, &count);
    EXPECT_EQ(count, c.kept.size()) << c.what;
  }
}

TEST_F(GraphStore, LinksJoinDistinctPairsInEdgeOrderAndLeaveLoopsOut) {
  Graph graph;
  graph.nodes.resize(4);
  // The loop is first, so the edge pool keeps it; linking leaves it out.
  graph.edges = {{.a = 3, .b = 3, .cost = 5}, {.a = 0, .b = 2, .cost = 2}, {.a = 1, .b = 0, .cost = 3}};
  RTInstance planner = PlannerWith(graph);
  EXPECT_EQ(StoredEdges(planner).size(), 3u);
  const std::vector<std::vector<uint32_t>> expected = {{1, 2}, {0}, {0}, {}};
  EXPECT_EQ(Neighbours(planner), expected);

  RTRoutePlannerNode* nodes = nullptr;
  uint32_t count = 0;
  route_planner::GetAStarNodePool(planner, &nodes, &count);
  EXPECT_EQ(nodes[0].neighbourCount, 2u);
  EXPECT_EQ(nodes[3].neighbourCount, 0u) << "the loop is never linked";
  float cost = -1;
  route_planner::Cost(planner, &nodes[2], &nodes[0], &cost);
  EXPECT_EQ(cost, 2.0f) << "either direction";
  route_planner::Cost(planner, &nodes[1], &nodes[2], &cost);
  EXPECT_EQ(cost, 0.0f) << "a pair without an edge costs 0";
}

TEST_F(GraphStore, RawEdgePoolKeepsDuplicatesButLinksNeitherCopy) {
  RTInstance planner = NewPlanner();
  const auto nodes = NodeRecords(std::vector<NodeSpec>(3));
  route_planner::SetAStarNodePool(planner, nodes.data(), 3);
  const RTRoutePlannerEdgeInput raw[] = {{0, 1, 7.5f}, {1, 0, 0}, {1, 2, 0}};
  ASSERT_EQ(route_planner::SetEdgePool(planner, raw, 3), kRTSuccess);
  RTRoutePlannerEdge* edges = nullptr;
  uint32_t count = 0;
  route_planner::GetEdgePool(planner, &edges, &count);
  ASSERT_EQ(count, 3u);
  EXPECT_EQ(edges[0].value, 7.5f);
  EXPECT_EQ(edges[0].cost, 0.0f);
  for (uint8_t byte : edges[0].reserved) EXPECT_EQ(byte, 0);
  ASSERT_EQ(route_planner::AssociateNodesEdges(planner), kRTSuccess);
  RTRoutePlannerNode* stored = nullptr;
  route_planner::GetNodePool(planner, &stored, &count);
  EXPECT_EQ(stored[0].neighbourCount, 0u) << "both copies of (0,1) are invalid against the store";
  EXPECT_EQ(stored[1].neighbourCount, 1u);
}

TEST_F(GraphStore, EdgesPastTheNodeCountAreLeftOutAndReported) {
  Graph graph;
  graph.nodes.resize(2);
  graph.edges = {{.a = 0, .b = 1}, {.a = 1, .b = 5}};
  RTInstance planner = NewPlanner();
  const auto nodes = NodeRecords(graph.nodes);
  const auto edges = EdgeRecords(graph.edges);
  route_planner::SetAStarEdgePool(planner, edges.data(), 2);
  route_planner::SetAStarNodePool(planner, nodes.data(), 2);
  EXPECT_EQ(route_planner::AssociateNodesEdges(planner), kRTFailure);
  EXPECT_NE(host_.ErrorLog().find("RTRoutePlanner::AssociateNodesEdges() -- 1 edges name nodes past the node count 2"),
            std::string::npos);
  EXPECT_EQ(Neighbours(planner), (std::vector<std::vector<uint32_t>>{{1}, {0}}));
}

TEST_F(GraphStore, ReplacingEitherPoolKeepsGroupsAndLinksInStep) {
  RTInstance planner = PlannerWith(Corridor(4));
  // A new edge pool drops the links into the old edges until they are linked again.
  const auto edges = EdgeRecords({{.a = 0, .b = 3, .cost = 2}});
  ASSERT_EQ(route_planner::SetAStarEdgePool(planner, edges.data(), 1), kRTSuccess);
  EXPECT_EQ(Neighbours(planner), (std::vector<std::vector<uint32_t>>(4)));
  ASSERT_EQ(route_planner::AssociateNodesEdges(planner), kRTSuccess);
  EXPECT_EQ(Neighbours(planner), (std::vector<std::vector<uint32_t>>{{3}, {}, {}, {0}}));

  // A new node pool, here the planner's own array handed back, rebuilds groups and the all-nodes
  // list over the new array and starts without links.
  RTRoutePlannerNode* nodes = nullptr;
  uint32_t count = 0;
  route_planner::GetNodePool(planner, &nodes, &count);
  nodes[2].group = 4;
  ASSERT_EQ(route_planner::SetNodePool(planner, nodes, count), kRTSuccess);
  RTRoutePlannerNode* fresh = nullptr;
  route_planner::GetNodePool(planner, &fresh, &count);
  EXPECT_EQ(fresh[0].neighbourCount, 0u);
  EXPECT_EQ(fresh[0].neighbours, 0u);
  List* group = nullptr;
  ASSERT_EQ(route_planner::GetNodesByGroup(planner, 4, &group), kRTSuccess);
  ASSERT_EQ(group->count, 1u);
  EXPECT_EQ(group->first->data, &fresh[2]);
  List* all = nullptr;
  ASSERT_EQ(route_planner::GetNodesByGroup(planner, route_planner::kAllGroups, &all), kRTSuccess);
  uint32_t i = 0;
  for (RTRoutePlannerNode* node : ListItems<RTRoutePlannerNode>(all)) EXPECT_EQ(node, &fresh[i++]);
  EXPECT_EQ(i, 4u);
}

TEST_F(GraphStore, NodesFromPointsNeedEdgesAndAreLinkedAndFound) {
  RTInstance planner = NewPlanner();
  const RTFVector3D points[] = {At(0, 0, 0), At(5, 0, 0), At(5, 5, 0)};
  EXPECT_EQ(route_planner::GenerateNodesFromPoints(planner, points, 3), kRTFailure) << "no edge pool yet";
  const auto edges = EdgeRecords({{.a = 0, .b = 1}, {.a = 1, .b = 2}});
  route_planner::SetAStarEdgePool(planner, edges.data(), 2);
  ASSERT_EQ(route_planner::GenerateNodesFromPoints(planner, points, 3), kRTSuccess);
  EXPECT_EQ(Neighbours(planner), (std::vector<std::vector<uint32_t>>{{1}, {0, 2}, {1}}));
  RTRoutePlannerNode* nearest = nullptr;
  ASSERT_EQ(route_planner::GetNodeAtPosition(planner, At(6, 6, 0), route_planner::kAllGroups, &nearest), kRTSuccess);
  EXPECT_EQ(IndexOf(planner, nearest), 2u);
  EXPECT_EQ(nearest->width, 0.0f);
  EXPECT_EQ(nearest->group, 0);
}

TEST_F(GraphStore, NearestNodeLookup) {
  Graph graph;
  graph.nodes = {{.x = 0, .group = 1}, {.x = 10, .group = 2}, {.x = 20, .group = 1}, {.x = -10, .group = 2}};
  RTInstance planner = PlannerWith(graph);
  RTInstance empty = NewPlanner();
  const struct {
    const char* what;
    RTInstance planner;
    RTFVector3D position;
    int32_t group;
    RTSuccess result;
    uint32_t node;  // UINT32_MAX: none
  } cases[] = {
      {"nearest of all", planner, At(12), -1, kRTSuccess, 1},
      {"a tie goes to the earlier node", planner, At(5), -1, kRTSuccess, 0},
      {"a tie inside a group", planner, At(0), 2, kRTSuccess, 1},
      {"only the group's nodes", planner, At(12), 1, kRTSuccess, 2},
      {"a group no node has", planner, At(0), 7, kRTFailure, UINT32_MAX},
      {"distance in three dimensions", planner, At(-9, 0, 30), -1, kRTSuccess, 3},
      {"an empty graph finds nothing", empty, At(0), -1, kRTSuccess, UINT32_MAX},
  };
  for (const auto& c : cases) {
    RTRoutePlannerNode* node = reinterpret_cast<RTRoutePlannerNode*>(1);
    EXPECT_EQ(route_planner::GetNodeAtPosition(c.planner, c.position, c.group, &node), c.result) << c.what;
    EXPECT_EQ(IndexOf(c.planner, node), c.node) << c.what;
  }
  List* list = reinterpret_cast<List*>(1);
  EXPECT_EQ(route_planner::GetNodesByGroup(planner, 7, &list), kRTFailure);
  EXPECT_EQ(list, nullptr);
}

}  // namespace

namespace {

// Edge costs change in place through the node they are asked for, and the search reads the new ones.
TEST_F(GraphStore, EdgeCostsOfANodeChangeInPlace) {
  Graph graph = Corridor(3);
  graph.edges.push_back({.a = 0, .b = 2, .cost = 5});
  RTInstance planner = PlannerWith(graph);
  RTRoutePlannerNode* nodes = nullptr;
  uint32_t count = 0;
  route_planner::GetNodePool(planner, &nodes, &count);
  ASSERT_EQ(route_planner::AddToEdgeCosts(planner, &nodes[1], 10.0f), kRTSuccess);
  RTRoutePlannerEdge* edges = nullptr;
  route_planner::GetAStarEdgePool(planner, &edges, &count);
  EXPECT_EQ(edges[0].cost, 11.0f);
  EXPECT_EQ(edges[1].cost, 11.0f);
  EXPECT_EQ(edges[2].cost, 5.0f) << "an edge of other nodes";
  float cost = 0;
  route_planner::Cost(planner, &nodes[0], &nodes[1], &cost);
  EXPECT_EQ(cost, 11.0f);

  const RTRoutePlannerNode stranger{};
  EXPECT_EQ(route_planner::AddToEdgeCosts(planner, &stranger, 1.0f), kRTFailure) << "not a node of the planner";
  EXPECT_EQ(route_planner::AddToEdgeCosts(planner, nullptr, 1.0f), kRTFailure);
}

}  // namespace
