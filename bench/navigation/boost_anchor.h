// The anchor of the route planner benchmarks: the same graph in a Boost Graph Library adjacency
// list, the same nearest-node lookup, searched with boost::astar_search on the same costs and the
// same estimate, the route handed off as at most as many points as the planner hands off.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <boost/graph/adjacency_list.hpp>

#include "bench_graphs.h"
#include "kivo/navigation/navigation_calls.h"

namespace navbench {

struct SearchCounts {
  uint64_t expanded = 0;  // nodes whose edges were examined
  uint64_t edges = 0;     // edges examined
};

class BoostAnchor {
 public:
  // Open nodes only: edges touching a blocked node are left out, as the planner skips them.
  explicit BoostAnchor(const BenchGraph& graph);
  // Builds the anchor from the planner's stream form, as loading a planner does.
  static BoostAnchor FromStream(const std::string& bytes);

  // True when a route was found; `path` then holds its points from the start end to the goal.
  bool Search(const RTFVector3D& start, int32_t startGroup, const RTFVector3D& goal, int32_t goalGroup,
              std::vector<kivo::PathPoint>* path, SearchCounts* counts);
  size_t nodeCount() const { return positions_.size(); }

 private:
  using Graph = boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS, boost::no_property,
                                      boost::property<boost::edge_weight_t, float>>;
  BoostAnchor() = default;
  void Build(const std::vector<BenchEdge>& edges);
  bool Nearest(const RTFVector3D& position, int32_t group, uint32_t* node) const;

  Graph graph_;
  std::vector<RTFVector3D> positions_;
  std::vector<float> widths_;
  std::vector<int32_t> groups_;
  std::vector<uint8_t> blocked_;
  std::vector<std::vector<uint32_t>> groupNodes_;  // by group, for groups 0..3
  std::vector<size_t> predecessor_;
  std::vector<float> distance_;
  std::vector<float> rank_;
  std::vector<boost::default_color_type> color_;
};

}  // namespace navbench
