#include "bench_graphs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <random>

#include "kivo/support/numeric.h"

namespace navbench {

namespace {

constexpr uint32_t kQueries = 64;

RTFVector3D At(float x, float y) { return RTFVector3D{x, y, 0, 0}; }

float Length(const RTFVector3D& a, const RTFVector3D& b) { return std::hypot(a.x - b.x, a.y - b.y); }

class Regions {
 public:
  explicit Regions(size_t count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), 0u); }
  uint32_t Find(uint32_t v) {
    while (parent_[v] != v) v = parent_[v] = parent_[parent_[v]];
    return v;
  }
  void Join(uint32_t a, uint32_t b) { parent_[Find(a)] = Find(b); }

 private:
  std::vector<uint32_t> parent_;
};

// The open nodes of the largest region that open edges make.
std::vector<uint32_t> LargestRegion(const BenchGraph& graph) {
  Regions regions(graph.positions.size());
  for (const BenchEdge& e : graph.edges)
    if (!graph.blocked[e.a] && !graph.blocked[e.b]) regions.Join(e.a, e.b);
  std::vector<uint32_t> size(graph.positions.size());
  for (uint32_t v = 0; v < size.size(); ++v)
    if (!graph.blocked[v]) ++size[regions.Find(v)];
  const auto largest = static_cast<uint32_t>(std::max_element(size.begin(), size.end()) - size.begin());
  std::vector<uint32_t> members;
  for (uint32_t v = 0; v < size.size(); ++v)
    if (!graph.blocked[v] && regions.Find(v) == largest) members.push_back(v);
  return members;
}

void AddQueries(BenchGraph* graph, const std::vector<uint32_t>& starts, const std::vector<uint32_t>& goals,
                std::mt19937& random) {
  if (starts.empty() || goals.empty()) return;
  while (graph->queries.size() < kQueries) {
    const uint32_t start = starts[random() % starts.size()];
    const uint32_t goal = goals[random() % goals.size()];
    if (start != goal || starts.size() == 1) graph->queries.push_back({start, goal});
  }
}

float CostFactor(std::mt19937& random) { return 1.0f + 0.5f * std::uniform_real_distribution<float>(0, 1)(random); }

BenchGraph GridOf(uint32_t side, uint32_t connectivity, uint32_t blockedPercent, std::mt19937& random) {
  BenchGraph graph;
  const uint32_t count = side * side;
  for (uint32_t y = 0; y < side; ++y)
    for (uint32_t x = 0; x < side; ++x) graph.positions.push_back(At(static_cast<float>(x), static_cast<float>(y)));
  graph.groups.assign(count, -1);
  graph.blocked.resize(count);
  for (uint8_t& b : graph.blocked) b = random() % 100 < blockedPercent ? 1 : 0;
  auto join = [&](uint32_t a, uint32_t b) {
    graph.edges.push_back({a, b, Length(graph.positions[a], graph.positions[b]) * CostFactor(random)});
  };
  for (uint32_t y = 0; y < side; ++y) {
    for (uint32_t x = 0; x < side; ++x) {
      const uint32_t v = y * side + x;
      if (x + 1 < side) join(v, v + 1);
      if (y + 1 < side) join(v, v + side);
      if (connectivity == 8 && x + 1 < side && y + 1 < side) join(v, v + side + 1);
      if (connectivity == 8 && x > 0 && y + 1 < side) join(v, v + side - 1);
    }
  }
  return graph;
}

uint32_t SideOf(uint32_t nodes) {
  return std::max(2u, kivo::FloatToInt<uint32_t>(std::round(std::sqrt(static_cast<double>(nodes)))));
}

}  // namespace

BenchGraph Grid(uint32_t nodes, uint32_t connectivity, uint32_t blockedPercent, uint32_t seed) {
  std::mt19937 random(seed);
  BenchGraph graph = GridOf(SideOf(nodes), connectivity, blockedPercent, random);
  const auto region = LargestRegion(graph);
  AddQueries(&graph, region, region, random);
  return graph;
}

BenchGraph Unreachable(uint32_t nodes, uint32_t seed) {
  std::mt19937 random(seed);
  const uint32_t side = SideOf(nodes);
  BenchGraph graph = GridOf(side, 4, 10, random);
  for (uint32_t y = 0; y < side; ++y) graph.blocked[y * side + side / 2] = 1;
  // Queries start in the largest open region and aim at any open cell across the wall.
  const auto region = LargestRegion(graph);
  const float wall = static_cast<float>(side / 2);
  const bool regionLeft = graph.positions[region.front()].x < wall;
  std::vector<uint32_t> across;
  for (uint32_t v = 0; v < graph.positions.size(); ++v)
    if (!graph.blocked[v] && (graph.positions[v].x < wall) != regionLeft) across.push_back(v);
  AddQueries(&graph, region, across, random);
  return graph;
}

BenchGraph Geometric(uint32_t nodes, uint32_t seed) {
  constexpr float kRadius = 1.6f;
  std::mt19937 random(seed);
  BenchGraph graph;
  graph.useGroups = true;
  const float side = std::sqrt(static_cast<float>(nodes));
  std::uniform_real_distribution<float> coordinate(0, side);
  for (uint32_t i = 0; i < nodes; ++i) {
    graph.positions.push_back(At(coordinate(random), coordinate(random)));
    const RTFVector3D& p = graph.positions.back();
    graph.groups.push_back((p.x < side / 2 ? 0 : 1) + (p.y < side / 2 ? 0 : 2));
  }
  graph.blocked.assign(nodes, 0);
  // Buckets of radius-sized cells find the pairs within the radius.
  const auto cells = kivo::FloatToInt<uint32_t>(std::ceil(side / kRadius));
  std::vector<std::vector<uint32_t>> bucket(size_t{cells} * cells);
  auto cellOf = [&](float c) { return std::min(cells - 1, kivo::FloatToInt<uint32_t>(c / kRadius)); };
  for (uint32_t i = 0; i < nodes; ++i)
    bucket[cellOf(graph.positions[i].y) * cells + cellOf(graph.positions[i].x)].push_back(i);
  for (uint32_t i = 0; i < nodes; ++i) {
    const uint32_t cx = cellOf(graph.positions[i].x);
    const uint32_t cy = cellOf(graph.positions[i].y);
    for (uint32_t y = cy ? cy - 1 : 0; y <= std::min(cells - 1, cy + 1); ++y)
      for (uint32_t x = cx ? cx - 1 : 0; x <= std::min(cells - 1, cx + 1); ++x)
        for (uint32_t j : bucket[y * cells + x]) {
          const float length = Length(graph.positions[i], graph.positions[j]);
          if (j > i && length <= kRadius) graph.edges.push_back({i, j, length * CostFactor(random)});
        }
  }
  const auto region = LargestRegion(graph);
  AddQueries(&graph, region, region, random);
  return graph;
}

BenchGraph Corridor(uint32_t nodes) {
  constexpr uint32_t kRow = 40;
  BenchGraph graph;
  for (uint32_t i = 0; i < nodes; ++i) {
    const uint32_t row = i / kRow;
    const uint32_t column = row % 2 ? kRow - 1 - i % kRow : i % kRow;
    graph.positions.push_back(At(static_cast<float>(column), static_cast<float>(row) * 2));
    if (i > 0) graph.edges.push_back({i - 1, i, Length(graph.positions[i - 1], graph.positions[i])});
  }
  graph.groups.assign(nodes, -1);
  graph.blocked.assign(nodes, 0);
  graph.queries.assign(kQueries, Query{0, nodes - 1});
  return graph;
}

std::string PlannerStream(const BenchGraph& graph) {
  std::string bytes;
  auto u32 = [&](uint32_t v) {
    char b[4];
    std::memcpy(b, &v, 4);
    bytes.append(b, 4);
  };
  auto f32 = [&](float f) {
    uint32_t v = 0;
    std::memcpy(&v, &f, 4);
    u32(v);
  };
  u32(1);    // RTPathfinding block
  u32(512);  // planner version
  u32(static_cast<uint32_t>(graph.positions.size()));
  for (size_t i = 0; i < graph.positions.size(); ++i) {
    f32(graph.positions[i].x);
    f32(graph.positions[i].y);
    f32(graph.positions[i].z);
    f32(1.0f);
    u32(static_cast<uint32_t>(graph.groups[i]));
    bytes.push_back(static_cast<char>(graph.blocked[i]));
  }
  u32(static_cast<uint32_t>(graph.edges.size()));
  for (const BenchEdge& e : graph.edges) {
    u32(e.a);
    u32(e.b);
    f32(0);
    f32(e.cost);
  }
  return bytes;
}

}  // namespace navbench
