#include "boost_anchor.h"

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <limits>

#include <boost/graph/astar_search.hpp>

#include "kivo/support/vector.h"

namespace navbench {

namespace {

constexpr size_t kGroupLists = 4;

struct FoundGoal {};

class Visitor : public boost::default_astar_visitor {
 public:
  Visitor(size_t goal, SearchCounts* counts) : goal_(goal), counts_(counts) {}
  template <class Graph>
  void examine_vertex(size_t v, const Graph&) {
    if (counts_) ++counts_->expanded;
    if (v == goal_) throw FoundGoal{};
  }
  template <class Edge, class Graph>
  void examine_edge(Edge, const Graph&) {
    if (counts_) ++counts_->edges;
  }

 private:
  size_t goal_;
  SearchCounts* counts_;
};

template <class Graph>
class Estimate : public boost::astar_heuristic<Graph, float> {
 public:
  Estimate(const std::vector<RTFVector3D>& positions, size_t goal) : positions_(&positions), goal_(goal) {}
  float operator()(size_t v) const { return kivo::Vec3Distance((*positions_)[v], (*positions_)[goal_]); }

 private:
  const std::vector<RTFVector3D>* positions_;
  size_t goal_;
};

}  // namespace

BoostAnchor::BoostAnchor(const BenchGraph& graph)
    : positions_(graph.positions),
      widths_(graph.positions.size(), 1.0f),
      groups_(graph.groups),
      blocked_(graph.blocked) {
  Build(graph.edges);
}

BoostAnchor BoostAnchor::FromStream(const std::string& bytes) {
  BoostAnchor anchor;
  size_t at = 0;
  auto u32 = [&] {
    uint32_t v = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 4);
    at += 4;
    return v;
  };
  auto f32 = [&] {
    const uint32_t v = u32();
    float f = 0;
    std::memcpy(&f, &v, 4);
    return f;
  };
  u32();  // parent block
  u32();  // version
  const uint32_t nodes = u32();
  for (uint32_t i = 0; i < nodes; ++i) {
    const float x = f32(), y = f32(), z = f32();
    anchor.positions_.push_back(RTFVector3D{x, y, z, 0});
    anchor.widths_.push_back(f32());
    anchor.groups_.push_back(static_cast<int32_t>(u32()));
    anchor.blocked_.push_back(at < bytes.size() ? static_cast<uint8_t>(bytes[at]) : 0);
    ++at;
  }
  std::vector<BenchEdge> edges(u32());
  for (BenchEdge& e : edges) {
    e.a = u32();
    e.b = u32();
    f32();
    e.cost = f32();
  }
  anchor.Build(edges);
  return anchor;
}

void BoostAnchor::Build(const std::vector<BenchEdge>& edges) {
  const size_t count = positions_.size();
  graph_ = Graph(count);
  for (const BenchEdge& e : edges)
    if (!blocked_[e.a] && !blocked_[e.b] && e.a != e.b) boost::add_edge(e.a, e.b, e.cost, graph_);
  groupNodes_.assign(kGroupLists, {});
  for (uint32_t v = 0; v < count; ++v)
    if (groups_[v] >= 0 && static_cast<size_t>(groups_[v]) < kGroupLists) groupNodes_[groups_[v]].push_back(v);
  predecessor_.resize(count);
  distance_.resize(count);
  rank_.resize(count);
  color_.resize(count);
}

// The planner's rule: the least squared distance (in float), the earlier node on a tie.
bool BoostAnchor::Nearest(const RTFVector3D& position, int32_t group, uint32_t* node) const {
  float best = FLT_MAX;
  bool found = false;
  auto consider = [&](uint32_t v) {
    const RTFVector3D& p = positions_[v];
    const float dx = p.x - position.x;
    const float dy = p.y - position.y;
    const float dz = p.z - position.z;
    const float d = dx * dx + dy * dy + dz * dz;
    if (d < best) {
      best = d;
      *node = v;
      found = true;
    }
  };
  if (group < 0) {
    for (uint32_t v = 0; v < positions_.size(); ++v) consider(v);
  } else if (static_cast<size_t>(group) < groupNodes_.size()) {
    for (uint32_t v : groupNodes_[group]) consider(v);
  }
  return found;
}

bool BoostAnchor::Search(const RTFVector3D& startPosition, int32_t startGroup, const RTFVector3D& goalPosition,
                         int32_t goalGroup, std::vector<kivo::PathPoint>* path, SearchCounts* counts) {
  uint32_t start = 0;
  uint32_t goal = 0;
  if (!Nearest(startPosition, startGroup, &start) || !Nearest(goalPosition, goalGroup, &goal)) return false;
  const auto index = boost::get(boost::vertex_index, graph_);
  try {
    boost::astar_search(graph_, start, Estimate<Graph>(positions_, goal),
                        boost::visitor(Visitor(goal, counts))
                            .predecessor_map(boost::make_iterator_property_map(predecessor_.begin(), index))
                            .distance_map(boost::make_iterator_property_map(distance_.begin(), index))
                            .rank_map(boost::make_iterator_property_map(rank_.begin(), index))
                            .color_map(boost::make_iterator_property_map(color_.begin(), index))
                            .distance_inf(std::numeric_limits<float>::max())
                            .distance_zero(0.0f));
  } catch (const FoundGoal&) {
    path->clear();
    for (size_t v = goal; path->size() < kivo::route_planner::kHandOffLimit; v = predecessor_[v]) {
      const RTFVector3D& p = positions_[v];
      path->push_back(kivo::PathPoint{p.x, p.y, p.z, p.w, widths_[v]});
      if (v == start) break;
    }
    std::reverse(path->begin(), path->end());
    return true;
  }
  return false;
}

}  // namespace navbench
