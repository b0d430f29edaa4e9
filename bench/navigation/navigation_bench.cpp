// The route planner against Boost Graph Library's astar_search: the same graphs, costs, estimate
// and nearest-node lookups, one query per iteration. Each pair reports per query the nodes
// expanded, the edges examined, the heap allocations (malloc calls, also those of the core's
// allocator) and the points handed off; the planner keeps its own search rules (stale keys, the
// 1000-point hand-off), so its counts may differ from the anchor's.
//
// Cases: grids 4- and 8-connected with 10% and 30% blocked cells, random geometric graphs with
// four groups, a wall that makes every goal unreachable, a corridor longer than the hand-off cap,
// and loading a graph from its stream.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <tuple>
#include <memory>
#include <string>
#include <string_view>

#include "bench_graphs.h"
#include "boost_anchor.h"
#include "common/allocation_counter.h"
#include "host/core_host.h"
#include "kivo/navigation/navigation_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/stream_calls.h"

namespace {

using namespace navbench;
using namespace kivo;

constexpr std::string_view kComponents[] = {"RTComponent",   "RTStream",       "RTMemoryStream", "RTBrellinFileStream",
                                            "RTResource",    "RTInstanceStore", "RTPathfinding",  "RTSteerPathway",
                                            "RTRoutePlanner", "RTPathFollower"};

tesk::testing::CoreHost& Host() { return tesk::testing::ProcessCore(kComponents); }

enum class Kind { kGrid4, kGrid8, kGeometric, kUnreachable, kCorridor };

const BenchGraph& GraphFor(Kind kind, uint32_t nodes, uint32_t blockedPercent) {
  static std::map<std::tuple<Kind, uint32_t, uint32_t>, std::unique_ptr<BenchGraph>> graphs;
  auto& graph = graphs[{kind, nodes, blockedPercent}];
  if (!graph) {
    const uint32_t seed = 0x5EED0000u + nodes + blockedPercent;
    switch (kind) {
      case Kind::kGrid4: graph = std::make_unique<BenchGraph>(Grid(nodes, 4, blockedPercent, seed)); break;
      case Kind::kGrid8: graph = std::make_unique<BenchGraph>(Grid(nodes, 8, blockedPercent, seed)); break;
      case Kind::kGeometric: graph = std::make_unique<BenchGraph>(Geometric(nodes, seed)); break;
      case Kind::kUnreachable: graph = std::make_unique<BenchGraph>(Unreachable(nodes, seed)); break;
      case Kind::kCorridor: graph = std::make_unique<BenchGraph>(Corridor(nodes)); break;
    }
  }
  return *graph;
}

// A memory stream holding the bytes, at its start.
RTInstance StreamOf(const std::string& bytes) {
  RTInstance stream = nullptr;
  if (!memory_stream::CreateWith(bytes.data(), static_cast<uint32_t>(bytes.size()), &stream)) std::abort();
  return stream;
}

// A planner streamed in from the graph's stream; kept for the whole run.
RTInstance PlannerFor(const BenchGraph& graph) {
  static std::map<const BenchGraph*, RTInstance> planners;
  RTInstance& planner = planners[&graph];
  if (!planner) {
    CoreTable& core = Host().table();
    InstanceRef stream(StreamOf(PlannerStream(graph)));
    if (!core.CreateInstanceByString(nullptr, route_planner::kClassName, &planner, 0, 0) ||
        !component::StreamIn(planner, component::kStreamWhole, stream.get()))
      std::abort();
  }
  return planner;
}

int32_t GroupOf(const BenchGraph& graph, uint32_t node) { return graph.useGroups ? graph.groups[node] : -1; }

RTSuccess TeskQuery(RTInstance planner, const BenchGraph& graph, const Query& q) {
  return route_planner::CanPathAStar(planner, graph.positions[q.start], GroupOf(graph, q.start),
                                     graph.positions[q.goal], GroupOf(graph, q.goal));
}

// The planner's search calls Cost once per edge it examines, with the node being expanded first:
// counting wrappers in its slot table count both while the counts are taken.
using NodeMeasure = RTSuccess (*)(RTInstance, const RTRoutePlannerNode*, const RTRoutePlannerNode*, float*);
NodeMeasure gPlannerCost = nullptr;
const RTRoutePlannerNode* gLastExpanded = nullptr;
SearchCounts gTeskCounts;

RTSuccess CountingCost(RTInstance self, const RTRoutePlannerNode* from, const RTRoutePlannerNode* to, float* cost) {
  ++gTeskCounts.edges;
  if (from != gLastExpanded) ++gTeskCounts.expanded;
  gLastExpanded = from;
  return gPlannerCost(self, from, to, cost);
}

void ReportCounts(benchmark::State& state, const SearchCounts& counts, uint64_t allocations, uint64_t points,
                  size_t queries) {
  const double n = static_cast<double>(queries);
  state.counters["expanded"] = static_cast<double>(counts.expanded) / n;
  state.counters["edges"] = static_cast<double>(counts.edges) / n;
  if (tesk::bench::AllocationsCounted()) state.counters["allocs"] = static_cast<double>(allocations) / n;
  state.counters["points"] = static_cast<double>(points) / n;
}

void SearchTesk(benchmark::State& state, Kind kind, uint32_t blockedPercent) {
  Host();
  const BenchGraph& graph = GraphFor(kind, static_cast<uint32_t>(state.range(0)), blockedPercent);
  RTInstance planner = PlannerFor(graph);

  // One counted pass over the queries.
  RTMethodFunc& costSlot = SlotEntry(LevelTable(ComponentObject(planner), route_planner::kLevel), route_planner::kCost);
  gPlannerCost = reinterpret_cast<NodeMeasure>(costSlot);
  costSlot = reinterpret_cast<RTMethodFunc>(CountingCost);
  gTeskCounts = {};
  tesk::bench::ResetAllocationCount();
  uint64_t points = 0;
  for (const Query& q : graph.queries) {
    gLastExpanded = nullptr;
    tesk::bench::StartCountingAllocations();
    const RTSuccess found = TeskQuery(planner, graph, q);
    tesk::bench::StopCountingAllocations();
    InstanceRef pathway;
    uint32_t count = 0;
    if (found && route_planner::GetPath(planner, pathway.out())) path_follower::GetPointCount(pathway.get(), &count);
    points += count;
  }
  costSlot = reinterpret_cast<RTMethodFunc>(gPlannerCost);
  ReportCounts(state, gTeskCounts, tesk::bench::CountedAllocations(), points, graph.queries.size());

  size_t next = 0;
  for (auto _ : state) {
    const RTSuccess found = TeskQuery(planner, graph, graph.queries[next++ % graph.queries.size()]);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations());
}

void SearchAnchor(benchmark::State& state, Kind kind, uint32_t blockedPercent) {
  const BenchGraph& graph = GraphFor(kind, static_cast<uint32_t>(state.range(0)), blockedPercent);
  BoostAnchor anchor(graph);
  std::vector<PathPoint> path;
  SearchCounts counts;
  tesk::bench::ResetAllocationCount();
  uint64_t points = 0;
  for (const Query& q : graph.queries) {
    tesk::bench::StartCountingAllocations();
    const bool found = anchor.Search(graph.positions[q.start], GroupOf(graph, q.start), graph.positions[q.goal],
                                     GroupOf(graph, q.goal), &path, &counts);
    tesk::bench::StopCountingAllocations();
    if (found) points += path.size();
  }
  ReportCounts(state, counts, tesk::bench::CountedAllocations(), points, graph.queries.size());

  size_t next = 0;
  for (auto _ : state) {
    const Query& q = graph.queries[next++ % graph.queries.size()];
    const bool found = anchor.Search(graph.positions[q.start], GroupOf(graph, q.start), graph.positions[q.goal],
                                     GroupOf(graph, q.goal), &path, nullptr);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations());
}

void GraphCounters(benchmark::State& state, const BenchGraph& graph) {
  state.counters["nodes"] = static_cast<double>(graph.positions.size());
  state.counters["edges"] = static_cast<double>(graph.edges.size());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(graph.positions.size() + graph.edges.size()));
}

// Loading: a new planner streamed in from the graph's stream, then released.
void BM_GraphLoad_Tesk(benchmark::State& state) {
  CoreTable& core = Host().table();
  const BenchGraph& graph = GraphFor(Kind::kGrid8, static_cast<uint32_t>(state.range(0)), 20);
  InstanceRef stream(StreamOf(PlannerStream(graph)));
  for (auto _ : state) {
    RTInstance planner = nullptr;
    stream::Seek(stream.get(), 0);
    if (!core.CreateInstanceByString(nullptr, route_planner::kClassName, &planner, 0, 0) ||
        !component::StreamIn(planner, component::kStreamWhole, stream.get()))
      state.SkipWithError("the planner refused its stream");
    core.ReleaseInstance(nullptr, planner);
  }
  GraphCounters(state, graph);
}

void BM_GraphLoad_Anchor(benchmark::State& state) {
  const BenchGraph& graph = GraphFor(Kind::kGrid8, static_cast<uint32_t>(state.range(0)), 20);
  const std::string bytes = PlannerStream(graph);
  for (auto _ : state) {
    BoostAnchor anchor = BoostAnchor::FromStream(bytes);
    benchmark::DoNotOptimize(anchor.nodeCount());
  }
  GraphCounters(state, graph);
}

#define NAV_SEARCH_PAIR(Case, kind, blocked)                                                    \
  void BM_##Case##_Tesk(benchmark::State& state) { SearchTesk(state, kind, blocked); }       \
  void BM_##Case##_Anchor(benchmark::State& state) { SearchAnchor(state, kind, blocked); }

NAV_SEARCH_PAIR(Grid4Blocked10, Kind::kGrid4, 10)
NAV_SEARCH_PAIR(Grid4Blocked30, Kind::kGrid4, 30)
NAV_SEARCH_PAIR(Grid8Blocked10, Kind::kGrid8, 10)
NAV_SEARCH_PAIR(Grid8Blocked30, Kind::kGrid8, 30)
NAV_SEARCH_PAIR(GeometricGroups, Kind::kGeometric, 0)
NAV_SEARCH_PAIR(Unreachable, Kind::kUnreachable, 0)
NAV_SEARCH_PAIR(Corridor, Kind::kCorridor, 0)

#define NAV_SIZES ->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_Grid4Blocked10_Tesk) NAV_SIZES;
BENCHMARK(BM_Grid4Blocked10_Anchor) NAV_SIZES;
BENCHMARK(BM_Grid4Blocked30_Tesk) NAV_SIZES;
BENCHMARK(BM_Grid4Blocked30_Anchor) NAV_SIZES;
BENCHMARK(BM_Grid8Blocked10_Tesk) NAV_SIZES;
BENCHMARK(BM_Grid8Blocked10_Anchor) NAV_SIZES;
BENCHMARK(BM_Grid8Blocked30_Tesk) NAV_SIZES;
BENCHMARK(BM_Grid8Blocked30_Anchor) NAV_SIZES;
BENCHMARK(BM_GeometricGroups_Tesk) NAV_SIZES;
BENCHMARK(BM_GeometricGroups_Anchor) NAV_SIZES;
BENCHMARK(BM_Unreachable_Tesk)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Unreachable_Anchor)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Corridor_Tesk)->Arg(1200)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Corridor_Anchor)->Arg(1200)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GraphLoad_Tesk) NAV_SIZES;
BENCHMARK(BM_GraphLoad_Anchor) NAV_SIZES;

}  // namespace
