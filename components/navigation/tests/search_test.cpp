// A* search and the hand-off of routes: groups, blocked nodes, the hand-off cap, the open list's
// stale keys, the held pathway.
#include <vector>

#include "kivo/support/instance_ref.h"
#include "navigation_fixture.h"

namespace {

using namespace navtest;
using namespace kivo;
using Nodes = std::vector<uint32_t>;

enum class Method { kCanPath, kCanPathAStar };

// 0 - 1 - 2 - 3 along x, and a bypass 0 - 4 - 3 above; node 1 is blocked and node 4 is far
// enough above that the bypass costs more. Groups: 0..3 group 1, node 4 group 2; node 5 stands
// alone in group 3.
Graph Bridge() {
  Graph graph;
  graph.nodes = {{.x = 0, .group = 1}, {.x = 1, .group = 1, .blocked = 1}, {.x = 2, .group = 1},
                 {.x = 3, .group = 1}, {.x = 1.5f, .y = 4, .group = 2}, {.x = 50, .y = 50, .group = 3}};
  graph.edges = {{.a = 0, .b = 1}, {.a = 1, .b = 2}, {.a = 2, .b = 3}, {.a = 0, .b = 4, .cost = 5},
                 {.a = 4, .b = 3, .cost = 5}};
  return graph;
}

// 0 - 1 - 2 with node 1 blocked and no way around it.
Graph BlockedBridge() {
  Graph graph = Corridor(3);
  graph.nodes[1].blocked = 1;
  return graph;
}

using Search = NavigationTest;

RTSuccess StepCost(RTInstance, const RTRoutePlannerNode*, const RTRoutePlannerNode*, float* cost) {
  *cost = 100;
  return kRTSuccess;
}

TEST_F(Search, RoutesBetweenTheNodesNearestTheTwoPositions) {
  const struct {
    const char* what;
    Graph graph;
    Method method;
    RTFVector3D start;
    int32_t startGroup;
    RTFVector3D end;
    int32_t endGroup;
    RTSuccess found;
    Nodes route;
  } cases[] = {
      {"start and goal on one node", Corridor(3), Method::kCanPathAStar, At(1.2f), -1, At(0.9f), -1, kRTSuccess, {1}},
      {"along a corridor", Corridor(4), Method::kCanPath, At(-5), -1, At(9), -1, kRTSuccess, {0, 1, 2, 3}},
      {"a blocked bridge stops CanPathAStar", BlockedBridge(), Method::kCanPathAStar, At(0), -1, At(2), -1, kRTFailure,
       {}},
      {"CanPath crosses it", BlockedBridge(), Method::kCanPath, At(0), -1, At(2), -1, kRTSuccess, {0, 1, 2}},
      {"CanPath takes the cheap way over the blocked node", Bridge(), Method::kCanPath, At(0), -1, At(3), -1,
       kRTSuccess, {0, 1, 2, 3}},
      {"CanPathAStar goes round it", Bridge(), Method::kCanPathAStar, At(0), -1, At(3), -1, kRTSuccess, {0, 4, 3}},
      {"groups choose the end nodes", Bridge(), Method::kCanPathAStar, At(-1, 3), 1, At(-1, 3), 2, kRTSuccess,
       {0, 4}},
      {"an unknown group fails", Bridge(), Method::kCanPathAStar, At(0), 1, At(3), 9, kRTFailure, {}},
      {"an unreachable goal fails", Bridge(), Method::kCanPathAStar, At(0), -1, At(50, 50), -1, kRTFailure, {}},
      {"an empty graph fails", Graph{}, Method::kCanPath, At(0), -1, At(1), -1, kRTFailure, {}},
      {"an empty graph fails with groups too", Graph{}, Method::kCanPathAStar, At(0), -1, At(1), -1, kRTFailure, {}},
  };
  for (const auto& c : cases) {
    RTInstance planner = PlannerWith(c.graph);
    const RTSuccess found = c.method == Method::kCanPath
                                ? route_planner::CanPath(planner, c.start, c.end)
                                : route_planner::CanPathAStar(planner, c.start, c.startGroup, c.end, c.endGroup);
    EXPECT_EQ(found, c.found) << c.what;
    EXPECT_EQ(PathNodes(planner), c.route) << c.what;
  }
}

TEST_F(Search, PointsCarryPositionsFourthFloatAndWidths) {
  RTInstance planner = NewPlanner();
  auto nodes = NodeRecords({{.x = 0, .width = 0.5f}, {.x = 3, .y = 4, .width = 2}});
  nodes[1].position.w = 7;
  const auto edges = EdgeRecords({{.a = 0, .b = 1}});
  route_planner::SetAStarEdgePool(planner, edges.data(), 1);
  route_planner::SetAStarNodePool(planner, nodes.data(), 2);
  route_planner::AssociateNodesEdges(planner);
  ASSERT_EQ(route_planner::CanPathAStar(planner, At(0), -1, At(3, 4), -1), kRTSuccess);
  const auto points = PathPoints(planner);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[0].width, 0.5f);
  EXPECT_EQ(points[1].x, 3.0f);
  EXPECT_EQ(points[1].y, 4.0f);
  EXPECT_EQ(points[1].w, 7.0f);
  EXPECT_EQ(points[1].width, 2.0f);
  InstanceRef pathway;
  ASSERT_EQ(route_planner::GetPath(planner, pathway.out()), kRTSuccess);
  float length = 0;
  path_follower::GetTotalPathLength(pathway.get(), &length);
  EXPECT_EQ(length, 5.0f);
  EXPECT_EQ(core().IsKindOfByName(nullptr, pathway.get(), u"RTSteerPathway"), 1u);
}

TEST_F(Search, LongRoutesAreHandedOffUpToTheCapNearestTheGoal) {
  RTInstance planner = PlannerWith(Corridor(1200));
  ASSERT_EQ(route_planner::CanPathAStar(planner, At(0), -1, At(1199), -1), kRTSuccess);
  auto points = PathPoints(planner);
  ASSERT_EQ(points.size(), 1000u);
  EXPECT_EQ(points.front().x, 200.0f);
  EXPECT_EQ(points.back().x, 1199.0f) << "the last point is the goal";
  RTRoutePlannerNode* nodes = nullptr;
  uint32_t count = 0;
  route_planner::GetAStarNodePool(planner, &nodes, &count);
  EXPECT_EQ(nodes[200].parent, 0u) << "handed-off nodes lose their parent links";
  EXPECT_EQ(nodes[199].parent, 199u) << "links beyond the cap stay (index 198, stored + 1)";

  ASSERT_EQ(route_planner::CanPath(planner, At(0), At(1199)), kRTSuccess);
  points = PathPoints(planner);
  ASSERT_EQ(points.size(), 1200u) << "CanPath hands off the whole route";
  EXPECT_EQ(points.front().x, 0.0f);
}

TEST_F(Search, AnOpenNodeKeepsItsFirstKey) {
  // All nodes stand on one spot, so every estimate is 0 and keys are costs. Node 2 is opened at
  // 12 from the start; the way through node 1 lowers its cost to 2, but its entry keeps key 12,
  // so the goal (key 10 through node 3) comes off first: the route is 0, 3, 4.
  Graph graph;
  graph.nodes.resize(5);
  graph.edges = {{.a = 0, .b = 2, .cost = 12}, {.a = 0, .b = 1, .cost = 1}, {.a = 1, .b = 2, .cost = 1},
                 {.a = 2, .b = 4, .cost = 1},  {.a = 0, .b = 3, .cost = 5}, {.a = 3, .b = 4, .cost = 5}};
  for (uint32_t i = 0; i < 5; ++i) graph.nodes[i].z = static_cast<float>(i) * 1e-3f;
  RTInstance planner = PlannerWith(graph);
  ASSERT_EQ(route_planner::CanPath(planner, At(0, 0, 0), At(0, 0, 0.004f)), kRTSuccess);
  EXPECT_EQ(PathNodes(planner), (Nodes{0, 3, 4}));
}

TEST_F(Search, EdgeCostsEditedInPlaceChangeTheRoute) {
  RTInstance planner = PlannerWith(Bridge());
  ASSERT_EQ(route_planner::CanPath(planner, At(0), At(3)), kRTSuccess);
  EXPECT_EQ(PathNodes(planner), (Nodes{0, 1, 2, 3}));
  RTRoutePlannerEdge* edges = nullptr;
  uint32_t count = 0;
  route_planner::GetAStarEdgePool(planner, &edges, &count);
  edges[1].cost = 100;
  ASSERT_EQ(route_planner::CanPath(planner, At(0), At(3)), kRTSuccess);
  EXPECT_EQ(PathNodes(planner), (Nodes{0, 4, 3}));
}

TEST_F(Search, ANeighbourListedTwiceCostsTheFirstEdgeThatJoinsThem) {
  // Node 0 comes to list node 1 twice: beside edge 0 when first linked, and beside edge 1 after
  // edge 0 was moved to (0, 2), edge 1 to (0, 1) and the links made again. With edge 0 moved back,
  // both edges join 0 and 1, and every step from 0 to 1 costs edge 0's 9, the first of 0's pairs.
  Graph graph;
  graph.nodes = {{.x = 0}, {.x = 1}, {.x = 20}};
  graph.edges = {{.a = 0, .b = 1, .cost = 9}, {.a = 1, .b = 2, .cost = 1}};
  RTInstance planner = PlannerWith(graph);
  RTRoutePlannerEdge* edges = nullptr;
  uint32_t count = 0;
  route_planner::GetAStarEdgePool(planner, &edges, &count);
  edges[0].b = 2;
  edges[1].a = 0;
  edges[1].b = 1;
  ASSERT_EQ(route_planner::AssociateNodesEdges(planner), kRTSuccess);
  edges[0].b = 1;
  ASSERT_EQ(route_planner::CanPath(planner, At(0), At(1)), kRTSuccess);
  EXPECT_EQ(PathNodes(planner), (Nodes{0, 1}));
  RTRoutePlannerNode* nodes = nullptr;
  route_planner::GetAStarNodePool(planner, &nodes, &count);
  EXPECT_EQ(nodes[1].g, 9.0f);
}

TEST_F(Search, CostIsTakenThroughThePlannersOwnTable) {
  RTInstance planner = PlannerWith(Bridge());
  // What a derived class would do: put its own Cost in the planner level's table.
  RTMethodFunc& slot = SlotEntry(LevelTable(ComponentObject(planner), route_planner::kLevel), route_planner::kCost);
  const RTMethodFunc own = slot;
  slot = reinterpret_cast<RTMethodFunc>(StepCost);
  const RTSuccess found = route_planner::CanPath(planner, At(0), At(3));
  slot = own;
  ASSERT_EQ(found, kRTSuccess);
  EXPECT_EQ(PathNodes(planner), (Nodes{0, 4, 3})) << "the fewest steps when every step costs the same";
}

TEST_F(Search, ThePlannerHoldsOnePathwayAndHandsOutReferences) {
  RTInstance planner = PlannerWith(Bridge());
  RTInstance none = reinterpret_cast<RTInstance>(1);
  EXPECT_EQ(route_planner::GetPath(planner, &none), kRTFailure) << "no route found yet";
  EXPECT_EQ(none, nullptr);

  ASSERT_EQ(route_planner::CanPathAStar(planner, At(0), -1, At(3), -1), kRTSuccess);
  InstanceRef first;
  ASSERT_EQ(route_planner::GetPath(planner, first.out()), kRTSuccess);
  EXPECT_EQ(RefCount(first.get()), 2u) << "the planner's and ours";

  // A failed search keeps the pathway of the last found route.
  EXPECT_EQ(route_planner::CanPathAStar(planner, At(0), -1, At(50, 50), -1), kRTFailure);
  InstanceRef kept;
  ASSERT_EQ(route_planner::GetPath(planner, kept.out()), kRTSuccess);
  EXPECT_EQ(kept.get(), first.get());
  EXPECT_EQ(PathNodes(planner), (Nodes{0, 4, 3}));

  // A found route replaces it; the old one lives on while someone holds it.
  ASSERT_EQ(route_planner::CanPath(planner, At(0), At(2)), kRTSuccess);
  InstanceRef second;
  ASSERT_EQ(route_planner::GetPath(planner, second.out()), kRTSuccess);
  EXPECT_NE(second.get(), first.get());
  kept.Reset();
  EXPECT_EQ(RefCount(first.get()), 1u) << "only ours";
}

TEST_F(Search, APlannerReleasedWithItsPathwayLetsItGo) {
  RTInstance planner = nullptr;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, route_planner::kClassName, &planner, 0, 0), kRTSuccess);
  const auto nodes = NodeRecords(Corridor(2).nodes);
  const auto edges = EdgeRecords(Corridor(2).edges);
  route_planner::SetAStarEdgePool(planner, edges.data(), 1);
  route_planner::SetAStarNodePool(planner, nodes.data(), 2);
  route_planner::AssociateNodesEdges(planner);
  ASSERT_EQ(route_planner::CanPath(planner, At(0), At(1)), kRTSuccess);
  RTInstance pathway = nullptr;
  ASSERT_EQ(route_planner::GetPath(planner, &pathway), kRTSuccess);
  core().ReleaseInstance(nullptr, planner);
  EXPECT_EQ(RefCount(pathway), 1u) << "the planner gave its reference back";
  core().ReleaseInstance(nullptr, pathway);
}

TEST_F(Search, AParentCycleEndsTheHandOffInsteadOfLoopingForever) {
  // A huge negative cost edited in place drives the costs of nodes 1 and 2 down to minus infinity
  // through each other, so each ends up the other's parent; the walk back from the goal would
  // never reach the start.
  RTInstance planner = PlannerWith(Corridor(4));
  ASSERT_EQ(route_planner::CanPath(planner, At(0), At(3)), kRTSuccess);
  InstanceRef before;
  ASSERT_EQ(route_planner::GetPath(planner, before.out()), kRTSuccess);
  RTRoutePlannerEdge* edges = nullptr;
  uint32_t count = 0;
  route_planner::GetAStarEdgePool(planner, &edges, &count);
  edges[1].cost = -1e38f;
  EXPECT_EQ(route_planner::CanPath(planner, At(0), At(3)), kRTFailure);
  EXPECT_NE(host_.ErrorLog().find("RTRoutePlanner::CanPath() -- The parent links of the route form a cycle"),
            std::string::npos);
  InstanceRef after;
  ASSERT_EQ(route_planner::GetPath(planner, after.out()), kRTSuccess);
  EXPECT_EQ(after.get(), before.get()) << "the previous pathway stays";
}

}  // namespace
