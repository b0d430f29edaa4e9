#include "navigation_fixture.h"

#include <cstring>

#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"

namespace navtest {

using namespace kivo;

Graph Corridor(uint32_t count) {
  Graph graph;
  for (uint32_t i = 0; i < count; ++i) graph.nodes.push_back({.x = static_cast<float>(i)});
  for (uint32_t i = 0; i + 1 < count; ++i) graph.edges.push_back({.a = i, .b = i + 1});
  return graph;
}

std::vector<RTRoutePlannerNode> NodeRecords(const std::vector<NodeSpec>& nodes) {
  std::vector<RTRoutePlannerNode> records(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i) {
    RTRoutePlannerNode& r = records[i];
    std::memset(&r, 0, sizeof r);
    r.position = At(nodes[i].x, nodes[i].y, nodes[i].z);
    r.width = nodes[i].width;
    r.group = nodes[i].group;
    r.blocked = nodes[i].blocked;
  }
  return records;
}

std::vector<RTRoutePlannerEdge> EdgeRecords(const std::vector<EdgeSpec>& edges) {
  std::vector<RTRoutePlannerEdge> records(edges.size());
  for (size_t i = 0; i < edges.size(); ++i) {
    std::memset(&records[i], 0, sizeof records[i]);
    records[i].a = edges[i].a;
    records[i].b = edges[i].b;
    records[i].value = edges[i].value;
    records[i].cost = edges[i].cost;
  }
  return records;
}

StreamBytes& StreamBytes::Nodes(const std::vector<NodeSpec>& nodes, uint32_t version) {
  U32(pathfinding::kStreamVersion).U32(version).U32(static_cast<uint32_t>(nodes.size()));
  for (const NodeSpec& n : nodes) {
    F32(n.x).F32(n.y).F32(n.z).F32(n.width).U32(static_cast<uint32_t>(n.group));
    if (version >= 512) U8(static_cast<uint8_t>(n.blocked));
  }
  return *this;
}

StreamBytes& StreamBytes::Edges(const std::vector<EdgeSpec>& edges) {
  U32(static_cast<uint32_t>(edges.size()));
  for (const EdgeSpec& e : edges) U32(e.a).U32(e.b).F32(e.value).F32(e.cost);
  return *this;
}

std::string GraphStream(const Graph& graph, uint32_t version) {
  return StreamBytes().Nodes(graph.nodes, version).Edges(graph.edges).bytes();
}

RTFVector3D At(float x, float y, float z) { return RTFVector3D{x, y, z, 0}; }

void NavigationTest::InstallComponents(tesk::testing::CoreHost& host) {
  for (const char* name : {"RTPathfinding", "RTSteerPathway", "RTRoutePlanner", "RTPathFollower"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
}

void NavigationTest::TearDown() {
  for (auto it = held_.rbegin(); it != held_.rend(); ++it) core().ReleaseInstance(nullptr, *it);
  held_.clear();
  StartedCore::TearDown();
}

RTInstance NavigationTest::Hold(RTInstance instance) {
  if (instance) held_.push_back(instance);
  return instance;
}

RTInstance NavigationTest::NewPlanner() {
  RTInstance planner = nullptr;
  EXPECT_EQ(core().CreateInstanceByString(nullptr, route_planner::kClassName, &planner, 0, 0), kRTSuccess);
  return Hold(planner);
}

RTInstance NavigationTest::PlannerWith(const Graph& graph) {
  RTInstance planner = NewPlanner();
  const auto nodes = NodeRecords(graph.nodes);
  const auto edges = EdgeRecords(graph.edges);
  EXPECT_EQ(route_planner::SetAStarEdgePool(planner, edges.data(), static_cast<uint32_t>(edges.size())), kRTSuccess);
  EXPECT_EQ(route_planner::SetAStarNodePool(planner, nodes.data(), static_cast<uint32_t>(nodes.size())), kRTSuccess);
  EXPECT_EQ(route_planner::AssociateNodesEdges(planner), kRTSuccess);
  return planner;
}

RTInstance NavigationTest::StreamOf(const std::string& bytes) {
  return Hold(tesk::testing::MemoryStreamWith(bytes).Take());
}

std::string NavigationTest::Contents(RTInstance stream) { return tesk::testing::MemoryStreamBytes(stream); }

std::string NavigationTest::StreamedOut(RTInstance planner) {
  RTInstance stream = StreamOf("");
  if (!component::StreamOut(planner, component::kStreamWhole, stream)) return {};
  return Contents(stream);
}

RTSuccess NavigationTest::StreamIn(RTInstance planner, const std::string& bytes, uint32_t stage) {
  return component::StreamIn(planner, stage, StreamOf(bytes));
}

std::vector<PathPoint> NavigationTest::PathPoints(RTInstance planner) {
  InstanceRef pathway;
  if (!route_planner::GetPath(planner, pathway.out())) return {};
  PathPoint* points = nullptr;
  uint32_t count = 0;
  EXPECT_EQ(path_follower::GetPoints(pathway.get(), &points, &count), kRTSuccess);
  return std::vector<PathPoint>(points, points + count);
}

std::vector<uint32_t> NavigationTest::PathNodes(RTInstance planner) {
  RTRoutePlannerNode* nodes = nullptr;
  uint32_t count = 0;
  route_planner::GetAStarNodePool(planner, &nodes, &count);
  std::vector<uint32_t> indexes;
  for (const PathPoint& p : PathPoints(planner)) {
    uint32_t found = UINT32_MAX;
    for (uint32_t i = 0; i < count && found == UINT32_MAX; ++i)
      if (nodes[i].position.x == p.x && nodes[i].position.y == p.y && nodes[i].position.z == p.z) found = i;
    indexes.push_back(found);
  }
  return indexes;
}

uint32_t NavigationTest::IndexOf(RTInstance planner, const RTRoutePlannerNode* node) {
  RTRoutePlannerNode* nodes = nullptr;
  uint32_t count = 0;
  route_planner::GetAStarNodePool(planner, &nodes, &count);
  return node ? static_cast<uint32_t>(node - nodes) : UINT32_MAX;
}

uint32_t NavigationTest::RefCount(RTInstance instance) {
  uint32_t count = 0;
  core().GetRefCount(nullptr, instance, &count);
  return count;
}

}  // namespace navtest
