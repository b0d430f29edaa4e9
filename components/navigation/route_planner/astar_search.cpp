// The A* search of a route planner and the hand-off of a found route to a new RTPathFollower.
//
// The search works on one compact record per node (SearchNode: cost, parent and list mark,
// stamped with a search generation so that a search starts with every node in neither list at no
// cost) beside the open list's heap, and writes f, g, h and parent into the node records as well.
// A node already open that gets a better cost keeps its heap entry and that entry's old key: the
// order in which nodes come off the list, and so the route chosen, depends on it.
#include <algorithm>
#include <cstring>

#include "kivo/support/core_memory.h"
#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"
#include "kivo/support/vector.h"
#include "planner_methods.h"
#include "planner_state.h"

namespace kivo::planner {

namespace {

using NodeMeasure = RTSuccess (*)(RTInstance, const RTRoutePlannerNode*, const RTRoutePlannerNode*, float*);

enum Mark : uint32_t { kNeither = 0, kOpen = 1, kClosed = 2 };
constexpr uint32_t kMarkBits = 2;
constexpr uint32_t kLastGeneration = UINT32_MAX >> kMarkBits;

struct Search {
  RTInstance self;
  RoutePlannerState* state;
  bool withGroups;  // CanPathAStar: blocked nodes and the parent are skipped, the hand-off capped

  Mark MarkOf(const SearchNode& node) const {
    return (node.mark >> kMarkBits) == state->generation ? static_cast<Mark>(node.mark & 3) : kNeither;
  }
  void SetMark(SearchNode* node, Mark mark) const { node->mark = (state->generation << kMarkBits) | mark; }
};

// Empties the open list and starts a new generation of marks.
bool BeginSearch(RoutePlannerState* state) {
  OpenListClear(&state->open);
  if (state->nodeCount == 0) return true;
  if (!state->search) {
    void* records = nullptr;
    if (uint64_t{state->nodeCount} * sizeof(SearchNode) > UINT32_MAX ||
        !ModuleCore()->MemAlloc(nullptr, state->nodeCount * static_cast<uint32_t>(sizeof(SearchNode)), &records, 1))
      return false;
    state->search = static_cast<SearchNode*>(records);
  }
  if (++state->generation > kLastGeneration) {
    std::memset(state->search, 0, sizeof(SearchNode) * size_t{state->nodeCount});
    state->generation = 1;
  }
  return true;
}

bool Joins(const RTRoutePlannerEdge& edge, uint32_t a, uint32_t b) {
  return (edge.a == a && edge.b == b) || (edge.a == b && edge.b == a);
}

// The cost of the first edge among a's pairs that joins a and b; 0 when none does.
float FirstJoiningCost(const RoutePlannerState* state, uint32_t a, uint32_t b) {
  const NodeLinks& links = state->links[a];
  const LinkPair* pairs = state->linkPairs + links.first;
  for (uint32_t k = 0; k < links.count; ++k)
    if (Joins(state->edges[pairs[k].edge], a, b)) return state->edges[pairs[k].edge].cost;
  return 0;
}

// The cost of the first edge in node a's edge array that joins a and b; 0 when no edge does.
// Each pair's edge joins the node to the pair's neighbour, so that edge is found beside b's first
// pair; only when a caller has rewritten the ends of an edge in place is every edge of a tried.
float EdgeCost(const RoutePlannerState* state, uint32_t a, uint32_t b) {
  const NodeLinks& links = state->links[a];
  const LinkPair* pairs = state->linkPairs + links.first;
  for (uint32_t k = 0; k < links.count; ++k) {
    if (pairs[k].neighbour != b) continue;
    const RTRoutePlannerEdge& edge = state->edges[pairs[k].edge];
    if (Joins(edge, a, b)) return edge.cost;
    break;
  }
  return FirstJoiningCost(state, a, b);
}

// EdgeCost for a node's pair at hand: its edge is the first that joins the two, unless the node
// lists a neighbour twice.
float PairCost(const RoutePlannerState* state, uint32_t a, const NodeLinks& links, const LinkPair& pair) {
  if (links.repeats) return EdgeCost(state, a, pair.neighbour);
  const RTRoutePlannerEdge& edge = state->edges[pair.edge];
  return Joins(edge, a, pair.neighbour) ? edge.cost : FirstJoiningCost(state, a, pair.neighbour);
}

template <class... Args>
RTSuccess Refuse(std::u16string_view format, const Args&... args) {
  RaiseFormatted(kLevelError, format, args...);
  return kRTFailure;
}

// Collects the route from the goal back along the parent links, at most `bound` nodes.
// CanPath walks to the start; CanPathAStar stops after kHandOffLimit nodes. A walk that neither
// reaches the start nor the cap within the node count has met a parent cycle. Every node on the
// way was reached by this search, so the search's own compact records hold the same links as the
// node records.
RTSuccess WalkBack(const Search& search, uint32_t goal, uint32_t* path, uint32_t bound, uint32_t* count) {
  const RoutePlannerState* state = search.state;
  const uint32_t cap = search.withGroups ? route_planner::kHandOffLimit : UINT32_MAX;
  const char16_t* method = search.withGroups ? u"CanPathAStar" : u"CanPath";
  uint32_t node = goal;
  *count = 0;
  for (;;) {
    path[(*count)++] = node;
    const uint32_t parent = state->search[node].parent;
    if (parent == 0 || *count == cap) return kRTSuccess;
    if (parent > state->nodeCount)
      return Refuse(u"RTRoutePlanner::%s() -- Node %u has the parent %u, past the node count", method, node,
                    parent - 1);
    if (*count == bound) return Refuse(u"RTRoutePlanner::%s() -- The parent links of the route form a cycle", method);
    node = parent - 1;
  }
}

// Makes the new pathway with the route's points, from the start end to the goal.
RTSuccess HandOff(const Search& search, uint32_t goal) {
  RoutePlannerState* state = search.state;
  CoreTable& core = *ModuleCore();
  const uint32_t bound =
      search.withGroups ? std::min(route_planner::kHandOffLimit, state->nodeCount) : state->nodeCount;
  auto* path = static_cast<uint32_t*>(CoreAlloc(sizeof(uint32_t) * size_t{bound}));
  uint32_t count = 0;
  if (!path || !WalkBack(search, goal, path, bound, &count)) {
    CoreFree(path);
    return kRTFailure;
  }

  if (state->pathway) core.ReleaseInstance(nullptr, state->pathway);
  state->pathway = nullptr;
  RTInstance made = nullptr;
  if (!core.CreateInstanceByString(nullptr, path_follower::kClassName, &made, 0, 0)) {
    CoreFree(path);
    return kRTFailure;
  }
  state->pathway = made;
  core.GetInstanceUUID(nullptr, made, &state->pathwayId);

  for (uint32_t i = 0; i < count; ++i) state->nodes[path[i]].parent = 0;
  void* block = nullptr;
  RTSuccess result = kRTFailure;
  if (core.ArrayAlloc(nullptr, sizeof(PathPoint), count, &block, 1)) {
    auto* points = static_cast<PathPoint*>(block);
    for (uint32_t i = 0; i < count; ++i) {
      const RTRoutePlannerNode& node = state->nodes[path[count - 1 - i]];
      points[i] = PathPoint{node.position.x, node.position.y, node.position.z, node.position.w, node.width};
    }
    result = CallMethod(made, path_follower::kLevel, path_follower::kSetPoints, static_cast<const PathPoint*>(points),
                        count);
    core.ArrayFree(nullptr, block);
  }
  CoreFree(path);
  return result;
}

RTSuccess Run(Search& search, const RTFVector3D* startPosition, int32_t startGroup, const RTFVector3D* endPosition,
              int32_t endGroup) {
  RoutePlannerState* state = search.state;
  if (!startPosition || !endPosition || !BeginSearch(state)) return kRTFailure;
  RTRoutePlannerNode* start = nullptr;
  RTRoutePlannerNode* goal = nullptr;
  uint32_t startIndex = 0;
  uint32_t goalIndex = 0;
  // An empty graph or group gives no node: there is nothing to search.
  if (!GetNodeAtPosition(search.self, startPosition, startGroup, &start) ||
      !GetNodeAtPosition(search.self, endPosition, endGroup, &goal) || !NodeIndex(state, start, &startIndex) ||
      !NodeIndex(state, goal, &goalIndex))
    return kRTFailure;

  // Cost and estimate go through the instance's own table, so a derived class can replace them;
  // while the table holds this class's own methods they are computed here directly.
  const SlotTable table = LevelTable(ComponentObject(search.self), route_planner::kLevel);
  const auto cost = reinterpret_cast<NodeMeasure>(SlotEntry(table, route_planner::kCost));
  const auto estimate = reinterpret_cast<NodeMeasure>(SlotEntry(table, route_planner::kGoalDistanceEstimate));
  if (!cost || !estimate) return kRTFailure;
  const bool ownCost = cost == &Cost;
  const bool ownEstimate = estimate == &GoalDistanceEstimate;

  RTRoutePlannerNode* nodes = state->nodes;
  SearchNode* records = state->search;
  const RTFVector3D goalPosition = goal->position;
  start->g = 0;
  GoalDistanceEstimate(search.self, start, goal, &start->h);
  start->f = start->g + start->h;
  start->parent = 0;
  records[startIndex] = SearchNode{0, 0, 0};
  if (!OpenListPush(&state->open, start->f, startIndex)) return kRTFailure;
  search.SetMark(&records[startIndex], kOpen);

  float key = 0;
  uint32_t current = 0;
  while (OpenListPop(&state->open, &key, &current)) {
    if (current == goalIndex) return HandOff(search, goalIndex);
    // The next node to expand is most often the one now on top: ask for its pairs early.
    if (state->open.count) {
      const NodeLinks& next = state->links[state->open.entries[0].node];
      __builtin_prefetch(state->linkPairs + next.first);
    }
    SearchNode& here = records[current];
    search.SetMark(&here, kNeither);
    RTRoutePlannerNode& node = nodes[current];
    const NodeLinks& links = state->links[current];
    const LinkPair* pairs = state->linkPairs + links.first;
    // What each neighbour's step reads lies scattered over three arrays: ask for all of it at once.
    for (uint32_t k = 0; k < links.count; ++k) {
      __builtin_prefetch(&state->edges[pairs[k].edge]);
      __builtin_prefetch(&nodes[pairs[k].neighbour].blocked);
      __builtin_prefetch(&records[pairs[k].neighbour]);
    }
    for (uint32_t k = 0; k < links.count; ++k) {
      const uint32_t n = pairs[k].neighbour;
      RTRoutePlannerNode& next = nodes[n];
      if (search.withGroups && (next.blocked || here.parent == n + 1)) continue;
      float step = 0;
      if (ownCost) {
        step = PairCost(state, current, links, pairs[k]);
      } else {
        cost(search.self, &node, &next, &step);
      }
      const float g = here.g + step;
      SearchNode& there = records[n];
      const Mark mark = search.MarkOf(there);
      if (mark != kNeither && !(there.g > g)) continue;
      there.parent = next.parent = current + 1;
      there.g = next.g = g;
      if (ownEstimate) {
        next.h = Vec3Distance(next.position, goalPosition);
      } else {
        estimate(search.self, &next, goal, &next.h);
      }
      next.f = next.g + next.h;
      if (mark == kOpen) continue;
      if (!OpenListPush(&state->open, next.f, n)) return kRTFailure;
      search.SetMark(&there, kOpen);
    }
    search.SetMark(&here, kClosed);
  }
  return kRTFailure;
}

}  // namespace

// EdgeCost of the two nodes; 0 when either is not one of this planner's.
RTSuccess Cost(RTInstance self, const RTRoutePlannerNode* start, const RTRoutePlannerNode* end, float* cost) {
  if (!cost) return kRTFailure;
  *cost = 0;
  const RoutePlannerState* state = StateOf(self);
  uint32_t a = 0;
  uint32_t b = 0;
  if (state && NodeIndex(state, start, &a) && NodeIndex(state, end, &b)) *cost = EdgeCost(state, a, b);
  return kRTSuccess;
}

RTSuccess GoalDistanceEstimate(RTInstance, const RTRoutePlannerNode* start, const RTRoutePlannerNode* goal,
                               float* estimate) {
  if (!start || !goal || !estimate) return kRTFailure;
  *estimate = Vec3Distance(start->position, goal->position);
  return kRTSuccess;
}

RTSuccess CanPath(RTInstance self, const RTFVector3D* start, const RTFVector3D* end) {
  RoutePlannerState* state = StateOf(self);
  if (!state) return kRTFailure;
  Search search{self, state, false};
  return Run(search, start, route_planner::kAllGroups, end, route_planner::kAllGroups);
}

RTSuccess CanPathAStar(RTInstance self, const RTFVector3D* start, int32_t startGroup, const RTFVector3D* end,
                       int32_t endGroup) {
  RoutePlannerState* state = StateOf(self);
  if (!state) return kRTFailure;
  Search search{self, state, true};
  return Run(search, start, startGroup, end, endGroup);
}

// Hands out the pathway of the last found route with a reference for the caller; before any
// route is found there is none and the call fails.
RTSuccess GetPath(RTInstance self, RTInstance* pathway) {
  if (!pathway) return kRTFailure;
  *pathway = nullptr;
  RoutePlannerState* state = StateOf(self);
  if (!state || !state->pathway || !ModuleCore()->ResolveHandle(nullptr, state->pathway)) return kRTFailure;
  *pathway = state->pathway;
  return kRTSuccess;
}

}  // namespace kivo::planner
