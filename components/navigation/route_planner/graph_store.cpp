// The graph of a route planner: the node and edge pools, the links between them, the node groups
// and the nearest-node lookup.
//
// Whenever the node array is replaced, the group table and the all-nodes list are rebuilt from the
// new nodes and the old links are freed; whenever the edge array is replaced, the nodes lose their
// links (AssociateNodesEdges makes them again). Link fields of records handed in belong to the
// pool they came from and are cleared on copying.
#include <cfloat>
#include <cstring>

#include "kivo/support/core_memory.h"
#include "kivo/support/format.h"
#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"
#include "edge_pairs.h"
#include "planner_methods.h"
#include "planner_state.h"

namespace kivo::planner {

namespace {

constexpr size_t kMessageUnits = 1024;

float SquaredDistance(const RTFVector3D& a, const RTFVector3D& b) {
  const float dx = a.x - b.x;
  const float dy = a.y - b.y;
  const float dz = a.z - b.z;
  return dx * dx + dy * dy + dz * dz;
}

void CopyNode(const RTRoutePlannerNode& source, RTRoutePlannerNode* target) {
  std::memcpy(target, &source, sizeof source);
  target->parent = 0;
  target->neighbourCount = target->edgeCount = 0;
  target->neighbours = target->edges = 0;
}

RTSuccess StoreNodes(RTInstance self, const RTRoutePlannerNode* nodes, uint32_t count) {
  RoutePlannerState* state = StateOf(self);
  NodeArrays fresh{};
  if (!state || (count && !nodes) || !AllocateNodes(count, &fresh)) return kRTFailure;
  for (uint32_t i = 0; i < count; ++i) CopyNode(nodes[i], &fresh.nodes[i]);
  InstallNodes(state, fresh);
  return RebuildGroups(state) ? kRTSuccess : kRTFailure;
}

void InstallEdges(RoutePlannerState* state, RTRoutePlannerEdge* edges, uint32_t count) {
  ReleaseEdges(state);
  state->edges = edges;
  state->edgeCount = count;
}

RTRoutePlannerEdge* AllocateEdges(uint32_t count) {
  void* block = nullptr;
  return ModuleCore()->ArrayAlloc(nullptr, sizeof(RTRoutePlannerEdge), count, &block, 1)
             ? static_cast<RTRoutePlannerEdge*>(block)
             : nullptr;
}

// Appends one {neighbour, edge} pair to a node's links, whose block has room for it.
void Link(RoutePlannerState* state, uint32_t node, uint32_t neighbour, uint32_t edge) {
  NodeLinks& links = state->links[node];
  links.pairs[2 * links.count] = neighbour;
  links.pairs[2 * links.count + 1] = edge;
  ++links.count;
}

// Pair flags of the edges, in a core block freed with the holder.
class EdgeFlags {
 public:
  EdgeFlags(const RTRoutePlannerEdge* edges, uint32_t count)
      : flags_(static_cast<uint8_t*>(CoreAlloc(count ? count : 1))) {
    if (flags_ && !FlagPairs(edges, count, flags_)) {
      CoreFree(flags_);
      flags_ = nullptr;
    }
  }
  ~EdgeFlags() { CoreFree(flags_); }
  EdgeFlags(const EdgeFlags&) = delete;
  EdgeFlags& operator=(const EdgeFlags&) = delete;
  bool ok() const { return flags_ != nullptr; }
  bool has(uint32_t edge, PairFlag flag) const { return (flags_[edge] & flag) != 0; }

 private:
  uint8_t* flags_;
};

// Whether an edge may join the store of `stored` edges: any edge while the store is empty (even a
// loop); after that no loop, and no edge whose two nodes another stored edge already joins, in
// either order.
bool IsValidEdge(const RTRoutePlannerEdge* edge, uint32_t stored, bool pairJoinedByAnother) {
  if (!edge) return false;
  if (stored == 0) return true;
  if (edge->a == edge->b) return false;
  return !pairJoinedByAnother;
}

}  // namespace

RTSuccess SetNodePool(RTInstance self, const void* nodes, uint32_t count) {
  return StoreNodes(self, static_cast<const RTRoutePlannerNode*>(nodes), count);
}

RTSuccess SetAStarNodePool(RTInstance self, const RTRoutePlannerNode* nodes, uint32_t count) {
  return StoreNodes(self, nodes, count);
}

RTSuccess GetNodePool(RTInstance self, void** nodes, uint32_t* count) {
  return GetAStarNodePool(self, reinterpret_cast<RTRoutePlannerNode**>(nodes), count);
}

RTSuccess GetAStarNodePool(RTInstance self, RTRoutePlannerNode** nodes, uint32_t* count) {
  RoutePlannerState* state = StateOf(self);
  if (!state || !nodes || !count) return kRTFailure;
  *nodes = state->nodes;
  *count = state->nodeCount;
  return kRTSuccess;
}

RTSuccess SetEdgePool(RTInstance self, const void* edges, uint32_t count) {
  RoutePlannerState* state = StateOf(self);
  if (!state || (count && !edges)) return kRTFailure;
  RTRoutePlannerEdge* fresh = AllocateEdges(count);
  if (!fresh) return kRTFailure;
  const auto* input = static_cast<const RTRoutePlannerEdgeInput*>(edges);
  for (uint32_t i = 0; i < count; ++i) {
    fresh[i].a = input[i].a;
    fresh[i].b = input[i].b;
    fresh[i].value = input[i].value;
  }
  InstallEdges(state, fresh, count);
  return kRTSuccess;
}

RTSuccess GetEdgePool(RTInstance self, void** edges, uint32_t* count) {
  return GetAStarEdgePool(self, reinterpret_cast<RTRoutePlannerEdge**>(edges), count);
}

RTSuccess GetAStarEdgePool(RTInstance self, RTRoutePlannerEdge** edges, uint32_t* count) {
  RoutePlannerState* state = StateOf(self);
  if (!state || !edges || !count) return kRTFailure;
  *edges = state->edges;
  *count = state->edgeCount;
  return kRTSuccess;
}

RTSuccess NodeFactory(RTInstance, void**) { return kRTSuccess; }
RTSuccess NodeDestructor(RTInstance, void*) { return kRTSuccess; }

// Keeps each edge that is valid against the edges kept before it. The first edge is always kept,
// so a later edge's pair is joined by a kept edge exactly when an earlier edge has the same pair.
RTSuccess SetAStarEdgePool(RTInstance self, const RTRoutePlannerEdge* edges, uint32_t count) {
  RoutePlannerState* state = StateOf(self);
  if (!state || (count && !edges)) return kRTFailure;
  RTRoutePlannerEdge* fresh = AllocateEdges(count);
  const EdgeFlags pairs(edges, count);
  if (!fresh || !pairs.ok()) {
    ModuleCore()->ArrayFree(nullptr, fresh);
    return kRTFailure;
  }
  uint32_t accepted = 0;
  for (uint32_t i = 0; i < count; ++i) {
    if (IsValidEdge(&edges[i], accepted, !pairs.has(i, kFirstOfPair))) fresh[accepted++] = edges[i];
  }
  void* shrunk = nullptr;
  if (!ModuleCore()->ArrayResize(nullptr, accepted, fresh, &shrunk)) {
    ModuleCore()->ArrayFree(nullptr, fresh);
    return kRTFailure;
  }
  InstallEdges(state, static_cast<RTRoutePlannerEdge*>(shrunk), accepted);
  char16_t message[kMessageUnits];
  FormatTo(message, kMessageUnits, u"# loop edges removed: %d", count - accepted);
  ModuleCore()->DebugPrint(nullptr, message);
  return kRTSuccess;
}

// Links every stored edge that is valid against the whole store into its two nodes: each node
// gets the other as a neighbour and the edge beside it, in edge order. Links already made stay.
// Edges naming a node past the node count are left out, and the call then fails.
RTSuccess AssociateNodesEdges(RTInstance self) {
  RoutePlannerState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (state->edgeCount == 0) return kRTSuccess;
  const EdgeFlags pairs(state->edges, state->edgeCount);
  if (!pairs.ok()) return kRTFailure;

  const uint32_t nodeCount = state->nodeCount;
  uint32_t outside = 0;
  auto linked = [&](uint32_t e) {
    const RTRoutePlannerEdge& edge = state->edges[e];
    return edge.a < nodeCount && edge.b < nodeCount &&
           IsValidEdge(&edge, state->edgeCount, !pairs.has(e, kOnlyOfPair));
  };
  // Each node's block grows once, by the number of links it gains.
  auto* gained = static_cast<uint32_t*>(CoreAlloc(sizeof(uint32_t) * size_t{nodeCount}));
  if (nodeCount && !gained) return kRTFailure;
  if (gained) std::memset(gained, 0, sizeof(uint32_t) * size_t{nodeCount});
  for (uint32_t e = 0; e < state->edgeCount; ++e) {
    const RTRoutePlannerEdge& edge = state->edges[e];
    if (edge.a >= nodeCount || edge.b >= nodeCount) ++outside;
    if (!linked(e)) continue;
    ++gained[edge.a];
    ++gained[edge.b];
  }
  for (uint32_t i = 0; i < nodeCount; ++i) {
    if (gained[i] == 0) continue;
    NodeLinks& links = state->links[i];
    void* grown = nullptr;
    const uint64_t bytes = (uint64_t{links.count} + gained[i]) * 2 * sizeof(uint32_t);
    if (bytes > UINT32_MAX || !ModuleCore()->MemRealloc(nullptr, static_cast<uint32_t>(bytes), links.pairs, &grown)) {
      CoreFree(gained);
      return kRTFailure;
    }
    links.pairs = static_cast<uint32_t*>(grown);
  }
  CoreFree(gained);
  for (uint32_t e = 0; e < state->edgeCount; ++e) {
    if (!linked(e)) continue;
    const RTRoutePlannerEdge& edge = state->edges[e];
    Link(state, edge.a, edge.b, e);
    Link(state, edge.b, edge.a, e);
  }
  for (uint32_t i = 0; i < nodeCount; ++i) {
    RTRoutePlannerNode& node = state->nodes[i];
    node.neighbourCount = node.edgeCount = state->links[i].count;
    node.neighbours = node.edges = state->links[i].count ? i + 1 : 0;
  }
  if (outside == 0) return kRTSuccess;
  RaiseFormatted(kLevelError, u"RTRoutePlanner::AssociateNodesEdges() -- %u edges name nodes past the node count %u",
                 outside, nodeCount);
  return kRTFailure;
}

RTSuccess GenerateNodesFromPoints(RTInstance self, const RTFVector3D* points, uint32_t count) {
  RoutePlannerState* state = StateOf(self);
  NodeArrays fresh{};
  if (!state || !state->edges || (count && !points) || !AllocateNodes(count, &fresh)) return kRTFailure;
  for (uint32_t i = 0; i < count; ++i) fresh.nodes[i].position = points[i];
  InstallNodes(state, fresh);
  if (!RebuildGroups(state)) return kRTFailure;
  return AssociateNodesEdges(self);
}

RTSuccess GetNodesByGroup(RTInstance self, int32_t group, List** nodes) {
  RoutePlannerState* state = StateOf(self);
  if (!nodes) return kRTFailure;
  *nodes = nullptr;
  if (!state) return kRTFailure;
  if (group == route_planner::kAllGroups) {
    *nodes = state->allNodes;
    return kRTSuccess;
  }
  GroupNodes* found = FindGroup(state, group);
  if (!found) return kRTFailure;
  *nodes = &found->list;
  return kRTSuccess;
}

// The node of the group nearest the position; of equally near nodes the earlier one. An empty
// list succeeds with no node. Nodes are scanned in the array (all of them) or through the group's
// indexes, both in list order.
RTSuccess GetNodeAtPosition(RTInstance self, const RTFVector3D* position, int32_t group, RTRoutePlannerNode** node) {
  if (!node) return kRTFailure;
  *node = nullptr;
  List* list = nullptr;
  if (!position || !GetNodesByGroup(self, group, &list)) return kRTFailure;
  const RoutePlannerState* state = StateOf(self);
  float best = FLT_MAX;
  auto consider = [&](RTRoutePlannerNode* candidate) {
    const float distance = SquaredDistance(candidate->position, *position);
    if (distance < best) {
      best = distance;
      *node = candidate;
    }
  };
  if (list == state->allNodes) {
    for (uint32_t i = 0; i < state->nodeCount; ++i) consider(&state->nodes[i]);
  } else {
    const GroupNodes* members = reinterpret_cast<const GroupNodes*>(list);
    for (uint32_t i = 0; i < members->indexCount; ++i) consider(&state->nodes[members->indexes[i]]);
  }
  return kRTSuccess;
}

RTSuccess GetEdgeCount(RTInstance self, uint32_t* count) {
  RoutePlannerState* state = StateOf(self);
  if (!state || !count) return kRTFailure;
  *count = state->edgeCount;
  return kRTSuccess;
}

}  // namespace kivo::planner
