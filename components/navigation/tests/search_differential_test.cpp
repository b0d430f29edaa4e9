// The planner's searches against the model of how they were first written (search_reference.h):
// the same found flags, path points, node f, g, h and parent values after every search, and the
// same refusal messages, on random graphs (duplicate and loop edges, equal costs, shared positions,
// blocked nodes, groups) with costs and edge ends rewritten in place and links made twice, and on
// the benchmark's graphs. One table of seeds.
#include <bit>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench_graphs.h"
#include "kivo/support/instance_ref.h"
#include "navigation_fixture.h"
#include "search_reference.h"

namespace {

using namespace navtest;
using namespace kivo;

// A planner and its model, given the same graph and the same changes.
class Pair {
 public:
  Pair(RTInstance planner, const std::vector<RTRoutePlannerNode>& nodes, const std::vector<RTRoutePlannerEdge>& edges)
      : planner_(planner) {
    EXPECT_EQ(route_planner::SetAStarEdgePool(planner, edges.data(), static_cast<uint32_t>(edges.size())), kRTSuccess);
    EXPECT_EQ(route_planner::SetAStarNodePool(planner, nodes.data(), static_cast<uint32_t>(nodes.size())), kRTSuccess);
    route_planner::AssociateNodesEdges(planner);
    model_.SetEdgePool(edges);
    model_.SetNodePool(nodes);
    model_.AssociateNodesEdges();
  }

  RTInstance planner() const { return planner_; }
  ReferencePlanner& model() { return model_; }

  RTRoutePlannerEdge* Edges(uint32_t* count) const {
    RTRoutePlannerEdge* edges = nullptr;
    route_planner::GetAStarEdgePool(planner_, &edges, count);
    return edges;
  }

  // Rewrites edge `e`'s cost or ends in both.
  void EditEdge(uint32_t e, float cost, uint32_t a, uint32_t b) {
    uint32_t count = 0;
    RTRoutePlannerEdge* edges = Edges(&count);
    ASSERT_LT(e, count);
    ASSERT_EQ(count, model_.edges().size());
    for (RTRoutePlannerEdge* edge : {&edges[e], &model_.edges()[e]}) {
      edge->cost = cost;
      edge->a = a;
      edge->b = b;
    }
  }

  void LinkAgain() {
    route_planner::AssociateNodesEdges(planner_);
    model_.AssociateNodesEdges();
  }

  const std::vector<PathPoint>& lastPath() const { return lastPath_; }
  // The expected path points after a found route.
  void SetLastPath(std::vector<PathPoint> points) { lastPath_ = std::move(points); }

 private:
  RTInstance planner_;
  ReferencePlanner model_;
  std::vector<PathPoint> lastPath_;
};

class SearchDifferential : public NavigationTest {
 protected:
  // Runs one search on both and tells what differs, or nothing.
  std::string Compare(Pair& pair, bool withGroups, const RTFVector3D& start, int32_t startGroup, const RTFVector3D& end,
                      int32_t endGroup) {
    RTInstance planner = pair.planner();
    ReferencePlanner& model = pair.model();
    const size_t logged = host_.ErrorLog().size();
    const RTSuccess found = withGroups ? route_planner::CanPathAStar(planner, start, startGroup, end, endGroup)
                                       : route_planner::CanPath(planner, start, end);
    const ReferencePlanner::Result expected =
        withGroups ? model.CanPathAStar(start, startGroup, end, endGroup) : model.CanPath(start, end);
    if ((found == kRTSuccess) != expected.found) return "found " + std::to_string(found);
    if (expected.found) {
      std::vector<PathPoint> points;
      for (uint32_t node : expected.path) {
        const RTRoutePlannerNode& n = model.nodes()[node];
        points.push_back(PathPoint{n.position.x, n.position.y, n.position.z, n.position.w, n.width});
      }
      pair.SetLastPath(std::move(points));
    }
    const std::vector<PathPoint> points = PathPoints(planner);
    const std::vector<PathPoint>& wanted = pair.lastPath();
    if (points.size() != wanted.size() ||
        (!points.empty() && std::memcmp(points.data(), wanted.data(), points.size() * sizeof(PathPoint)) != 0))
      return "path of " + std::to_string(points.size()) + " points";
    if (!expected.message.empty() && host_.ErrorLog().find(expected.message, logged) == std::string::npos)
      return "no message \"" + expected.message + "\"";
    RTRoutePlannerNode* nodes = nullptr;
    uint32_t count = 0;
    route_planner::GetAStarNodePool(planner, &nodes, &count);
    for (uint32_t i = 0; i < count; ++i) {
      const RTRoutePlannerNode& ours = nodes[i];
      const RTRoutePlannerNode& theirs = model.nodes()[i];
      if (std::bit_cast<uint32_t>(ours.f) != std::bit_cast<uint32_t>(theirs.f) ||
          std::bit_cast<uint32_t>(ours.g) != std::bit_cast<uint32_t>(theirs.g) ||
          std::bit_cast<uint32_t>(ours.h) != std::bit_cast<uint32_t>(theirs.h) || ours.parent != theirs.parent)
        return "node " + std::to_string(i) + " f, g, h or parent";
    }
    return "";
  }
};

RTRoutePlannerEdge EdgeRecord(uint32_t a, uint32_t b, float cost) {
  RTRoutePlannerEdge edge{};
  edge.a = a;
  edge.b = b;
  edge.cost = cost;
  return edge;
}

// Positions on a small lattice (so that many nodes share a distance or a spot), a few anywhere.
RTFVector3D RandomPosition(std::mt19937& random) {
  auto coordinate = [&] {
    return random() % 8 ? static_cast<float>(random() % 12)
                        : std::uniform_real_distribution<float>(-50.0f, 50.0f)(random);
  };
  return RTFVector3D{coordinate(), coordinate(), random() % 4 ? 0.0f : coordinate(), 0.0f};
}

struct RandomGraph {
  std::vector<RTRoutePlannerNode> nodes;
  std::vector<RTRoutePlannerEdge> edges;
};

RandomGraph MakeRandomGraph(std::mt19937& random, uint32_t nodeCount, uint32_t edgeCount) {
  RandomGraph graph;
  graph.nodes.resize(nodeCount);
  for (RTRoutePlannerNode& n : graph.nodes) {
    std::memset(&n, 0, sizeof n);
    n.position = RandomPosition(random);
    n.width = static_cast<float>(random() % 4) * 0.5f;
    n.group = static_cast<int32_t>(random() % 4) - 1;
    n.blocked = random() % 10 == 0;
    n.g = static_cast<float>(random() % 7);  // left from an earlier search: the first visit overwrites it
  }
  const float costs[] = {0.0f, 0.5f, 1.0f, 1.0f, 2.0f, 3.0f};
  for (uint32_t i = 0; i < edgeCount; ++i) {
    const uint32_t a = random() % nodeCount;
    // Near neighbours mostly, so that routes are long; loops and repeated pairs come by chance.
    const uint32_t b = random() % 4 ? (a + 1 + random() % 5) % nodeCount : random() % nodeCount;
    const float cost =
        random() % 3 ? costs[random() % std::size(costs)] : std::uniform_real_distribution<float>(0.0f, 4.0f)(random);
    graph.edges.push_back(EdgeRecord(a, b, cost));
  }
  return graph;
}

TEST_F(SearchDifferential, RandomGraphsWithEditsInPlace) {
  for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
    std::mt19937 random(seed);
    const uint32_t nodeCount = 20 + random() % 300;
    const RandomGraph graph = MakeRandomGraph(random, nodeCount, nodeCount * (1 + random() % 4));
    Pair pair(NewPlanner(), graph.nodes, graph.edges);
    for (uint32_t round = 0; round < 60; ++round) {
      uint32_t edgeCount = 0;
      pair.Edges(&edgeCount);
      const uint32_t change = random() % 10;
      if (edgeCount && change < 3) {
        // A cost rewritten in place, now and then a negative one that can make parent cycles.
        const uint32_t e = random() % edgeCount;
        const RTRoutePlannerEdge& old = pair.model().edges()[e];
        const float cost = random() % 8 ? static_cast<float>(random() % 5) : -1e38f;
        pair.EditEdge(e, cost, old.a, old.b);
      } else if (edgeCount && change == 3) {
        // The ends of an edge rewritten in place: its pairs no longer match it.
        const uint32_t e = random() % edgeCount;
        pair.EditEdge(e, pair.model().edges()[e].cost, random() % nodeCount, random() % nodeCount);
      } else if (change == 4 && round % 20 == 4) {
        pair.LinkAgain();  // every neighbour now appears twice
      }
      const bool withGroups = random() % 2;
      const RTFVector3D start = RandomPosition(random), end = RandomPosition(random);
      const int32_t startGroup = static_cast<int32_t>(random() % 5) - 1,
                    endGroup = static_cast<int32_t>(random() % 5) - 1;
      const std::string difference = Compare(pair, withGroups, start, startGroup, end, endGroup);
      ASSERT_EQ(difference, "") << "seed " << seed << " round " << round;
    }
  }
}

RTRoutePlannerNode BenchNode(const navbench::BenchGraph& graph, uint32_t i) {
  RTRoutePlannerNode node{};
  node.position = graph.positions[i];
  node.width = 1.0f;
  node.group = graph.groups[i];
  node.blocked = graph.blocked[i];
  return node;
}

TEST_F(SearchDifferential, BenchmarkGraphs) {
  const navbench::BenchGraph graphs[] = {
      navbench::Grid(900, 4, 30, 11), navbench::Grid(900, 8, 10, 12), navbench::Geometric(1000, 13),
      navbench::Unreachable(400, 14), navbench::Corridor(1200),
  };
  for (const navbench::BenchGraph& graph : graphs) {
    std::vector<RTRoutePlannerNode> nodes;
    for (uint32_t i = 0; i < graph.positions.size(); ++i) nodes.push_back(BenchNode(graph, i));
    std::vector<RTRoutePlannerEdge> edges;
    for (const navbench::BenchEdge& e : graph.edges) edges.push_back(EdgeRecord(e.a, e.b, e.cost));
    Pair pair(NewPlanner(), nodes, edges);
    for (const navbench::Query& q : graph.queries)
      for (const bool withGroups : {true, false}) {
        const int32_t startGroup = graph.useGroups ? graph.groups[q.start] : -1;
        const int32_t endGroup = graph.useGroups ? graph.groups[q.goal] : -1;
        ASSERT_EQ(Compare(pair, withGroups, graph.positions[q.start], startGroup, graph.positions[q.goal], endGroup),
                  "")
            << graph.positions.size() << " nodes, query " << q.start << " to " << q.goal;
      }
  }
}

TEST_F(SearchDifferential, NearestNodeOverRandomPositionsAndExactTies) {
  for (uint32_t seed : {21u, 22u, 23u}) {
    std::mt19937 random(seed);
    const RandomGraph graph = MakeRandomGraph(random, 50 + random() % 500, 0);
    Pair pair(NewPlanner(), graph.nodes, graph.edges);
    for (uint32_t i = 0; i < 2000; ++i) {
      // Lattice points tie often; halfway points tie between lattice neighbours.
      RTFVector3D position = RandomPosition(random);
      if (i % 3 == 0) position.x += 0.5f;
      const int32_t group = static_cast<int32_t>(random() % 6) - 1;
      RTRoutePlannerNode* node = nullptr;
      const RTSuccess result = route_planner::GetNodeAtPosition(pair.planner(), position, group, &node);
      const int64_t expected = pair.model().NodeAtPosition(position, group);
      ASSERT_EQ(result == kRTSuccess, expected != -2) << "seed " << seed << " lookup " << i;
      ASSERT_EQ(node ? static_cast<int64_t>(IndexOf(pair.planner(), node)) : -1, expected < 0 ? -1 : expected)
          << "seed " << seed << " lookup " << i;
    }
  }
}

}  // namespace
