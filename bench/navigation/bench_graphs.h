// Seeded navigation graphs for the route planner benchmarks, with their queries, and the planner's
// stream form of each graph.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kivo/support/math_types.h"

namespace navbench {

struct BenchEdge {
  uint32_t a;
  uint32_t b;
  float cost;
};

struct Query {
  uint32_t start;
  uint32_t goal;
};

struct BenchGraph {
  std::vector<RTFVector3D> positions;
  std::vector<int32_t> groups;
  std::vector<uint8_t> blocked;
  std::vector<BenchEdge> edges;
  std::vector<Query> queries;
  bool useGroups = false;  // queries name the groups of their end nodes
};

// A square grid of about `nodes` cells, 4- or 8-connected, each cell blocked with the given
// percentage. Costs are the step length times a factor in [1, 1.5). Queries join cells of the
// largest open region.
BenchGraph Grid(uint32_t nodes, uint32_t connectivity, uint32_t blockedPercent, uint32_t seed);
// Points scattered at density 1 over a square, joined within radius 1.6; four groups by quadrant.
BenchGraph Geometric(uint32_t nodes, uint32_t seed);
// A 4-connected grid cut in two by a blocked column: every query's goal lies across the wall.
BenchGraph Unreachable(uint32_t nodes, uint32_t seed);
// One winding corridor of `nodes` nodes, searched end to end.
BenchGraph Corridor(uint32_t nodes);

// The RTRoutePlanner stream of the graph: the RTPathfinding block, then version 512.
std::string PlannerStream(const BenchGraph& graph);

}  // namespace navbench
