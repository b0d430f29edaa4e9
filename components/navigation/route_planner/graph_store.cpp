// The graph of a route planner: the node and edge pools, the links between them, the node groups
// and the nearest-node lookup.
//
// Whenever the node array is replaced, the group table and the all-nodes list are rebuilt from the
// new nodes and the old links are freed; whenever the edge array is replaced, the nodes lose their
// links (AssociateNodesEdges makes them again). Link fields of records handed in belong to the
// pool they came from and are cleared on copying.
#include <algorithm>
#include <cstring>

#include "kivo/support/core_memory.h"
#include "kivo/support/format.h"
#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"
#include "edge_pairs.h"
#include "graph_store.h"
#include "planner_methods.h"
#include "planner_state.h"

namespace kivo::planner {

namespace {

constexpr size_t kMessageUnits = 1024;

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
  return InstallReadNodes(state, fresh);
}

void InstallEdges(RoutePlannerState* state, RTRoutePlannerEdge* edges, uint32_t count) {
  ReleaseEdges(state);
  state->edges = edges;
  state->edgeCount = count;
}

// `zeroed` when the caller does not write every byte of every record.
RTRoutePlannerEdge* AllocateEdges(uint32_t count, bool zeroed) {
  void* block = nullptr;
  return ModuleCore()->ArrayAlloc(nullptr, sizeof(RTRoutePlannerEdge), count, &block, zeroed)
             ? static_cast<RTRoutePlannerEdge*>(block)
             : nullptr;
}

// An edge's two nodes as they stand at the start of its record.
struct EdgeEnds {
  uint32_t a;
  uint32_t b;
};

const RTRoutePlannerEdge& FullEdge(const RTRoutePlannerEdge& edge) { return edge; }

RTRoutePlannerEdge FullEdge(const StreamEdge& edge) {
  RTRoutePlannerEdge full{};
  full.a = edge.a;
  full.b = edge.b;
  full.value = edge.value;
  full.cost = edge.cost;
  return full;
}

// Pair flags of the edges, in a core block freed with the holder.
class EdgeFlags {
 public:
  template <class Record>
  EdgeFlags(const Record* edges, uint32_t count) : flags_(static_cast<uint8_t*>(CoreAlloc(count ? count : 1))) {
    if (flags_ && !FlagPairs(edges, sizeof(Record), count, flags_)) {
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
bool IsValidEdge(uint32_t a, uint32_t b, uint32_t stored, bool pairJoinedByAnother) {
  if (stored == 0) return true;
  if (a == b) return false;
  return !pairJoinedByAnother;
}

// Keeps each edge that is valid against the edges kept before it. The first edge is always kept,
// so a later edge's pair is joined by a kept edge exactly when an earlier edge has the same pair.
template <class Record>
RTSuccess StoreEdges(RoutePlannerState* state, const Record* edges, uint32_t count) {
  RTRoutePlannerEdge* fresh = AllocateEdges(count, false);
  const EdgeFlags pairs(edges, count);
  if (!fresh || !pairs.ok()) {
    ModuleCore()->ArrayFree(nullptr, fresh);
    return kRTFailure;
  }
  uint32_t accepted = 0;
  for (uint32_t i = 0; i < count; ++i) {
    if (IsValidEdge(edges[i].a, edges[i].b, accepted, !pairs.has(i, kFirstOfPair)))
      fresh[accepted++] = FullEdge(edges[i]);
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

}  // namespace

RTSuccess SetNodePool(RTInstance self, const void* nodes, uint32_t count) {
  return StoreNodes(self, static_cast<const RTRoutePlannerNode*>(nodes), count);
}

RTSuccess SetAStarNodePool(RTInstance self, const RTRoutePlannerNode* nodes, uint32_t count) {
  return StoreNodes(self, nodes, count);
}

RTSuccess GetNodePool(RTInstance self, RTRoutePlannerNode** nodes, uint32_t* count) {
  return GetAStarNodePool(self, nodes, count);
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
  RTRoutePlannerEdge* fresh = AllocateEdges(count, true);
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

RTSuccess GetEdgePool(RTInstance self, RTRoutePlannerEdge** edges, uint32_t* count) {
  return GetAStarEdgePool(self, edges, count);
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

RTSuccess SetAStarEdgePool(RTInstance self, const RTRoutePlannerEdge* edges, uint32_t count) {
  RoutePlannerState* state = StateOf(self);
  if (!state || (count && !edges)) return kRTFailure;
  return StoreEdges(state, edges, count);
}

RTSuccess StoreStreamEdges(RoutePlannerState* state, const StreamEdge* edges, uint32_t count) {
  return StoreEdges(state, edges, count);
}

RTSuccess InstallReadNodes(RoutePlannerState* state, const NodeArrays& nodes) {
  InstallNodes(state, nodes);
  return RebuildGroups(state) ? kRTSuccess : kRTFailure;
}

// Links every stored edge that is valid against the whole store into its two nodes: each node
// gets the other as a neighbour and the edge beside it, in edge order. Links already made stay,
// ahead of the new ones. Edges naming a node past the node count are left out, and the call then
// fails.
RTSuccess AssociateNodesEdges(RTInstance self) {
  RoutePlannerState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (state->edgeCount == 0) return kRTSuccess;
  // The edges' ends, taken once from the wide records.
  auto* ends = static_cast<EdgeEnds*>(CoreAlloc(sizeof(EdgeEnds) * size_t{state->edgeCount}));
  if (!ends) return kRTFailure;
  for (uint32_t e = 0; e < state->edgeCount; ++e) ends[e] = EdgeEnds{state->edges[e].a, state->edges[e].b};
  const EdgeFlags pairs(ends, state->edgeCount);
  if (!pairs.ok()) {
    CoreFree(ends);
    return kRTFailure;
  }

  const uint32_t nodeCount = state->nodeCount;
  uint32_t outside = 0;
  auto linked = [&](uint32_t e) {
    const EdgeEnds& edge = ends[e];
    return edge.a < nodeCount && edge.b < nodeCount &&
           IsValidEdge(edge.a, edge.b, state->edgeCount, !pairs.has(e, kOnlyOfPair));
  };
  // One new block holds every node's pairs: those it had, then room for those it gains. `fill`
  // counts each node's pairs and then serves as its next free place.
  auto* fill = static_cast<uint32_t*>(CoreAlloc(sizeof(uint32_t) * size_t{nodeCount}));
  if (nodeCount && !fill) {
    CoreFree(ends);
    return kRTFailure;
  }
  for (uint32_t i = 0; i < nodeCount; ++i) fill[i] = state->links[i].count;
  uint64_t total = 0;
  for (uint32_t e = 0; e < state->edgeCount; ++e) {
    const EdgeEnds& edge = ends[e];
    if (edge.a >= nodeCount || edge.b >= nodeCount) ++outside;
    if (!linked(e)) continue;
    ++fill[edge.a];
    ++fill[edge.b];
    total += 2;
  }
  for (uint32_t i = 0; i < nodeCount; ++i) total += state->links[i].count;
  auto* block = total * sizeof(LinkPair) <= UINT32_MAX
                    ? static_cast<LinkPair*>(CoreAlloc(sizeof(LinkPair) * size_t{total ? total : 1}))
                    : nullptr;
  if (!block) {
    CoreFree(fill);
    CoreFree(ends);
    return kRTFailure;
  }
  uint32_t first = 0;
  for (uint32_t i = 0; i < nodeCount; ++i) {
    NodeLinks& links = state->links[i];
    if (links.count) std::copy_n(state->linkPairs + links.first, links.count, block + first);
    const uint32_t room = fill[i];
    fill[i] = first + links.count;
    links.first = first;
    first += room;
  }
  for (uint32_t e = 0; e < state->edgeCount; ++e) {
    if (!linked(e)) continue;
    const EdgeEnds& edge = ends[e];
    block[fill[edge.a]++] = LinkPair{edge.b, e};
    block[fill[edge.b]++] = LinkPair{edge.a, e};
  }
  CoreFree(state->linkPairs);
  state->linkPairs = block;
  for (uint32_t i = 0; i < nodeCount; ++i) state->links[i].count = fill[i] - state->links[i].first;
  // `fill` now marks, per neighbour, the last node (+ 1) that listed it.
  std::fill_n(fill, nodeCount, 0u);
  for (uint32_t i = 0; i < nodeCount; ++i) {
    NodeLinks& links = state->links[i];
    links.repeats = 0;
    for (uint32_t k = 0; k < links.count; ++k) {
      uint32_t& mark = fill[block[links.first + k].neighbour];
      if (mark == i + 1) links.repeats = 1;
      mark = i + 1;
    }
    RTRoutePlannerNode& node = state->nodes[i];
    node.neighbourCount = node.edgeCount = links.count;
    node.neighbours = node.edges = links.count ? i + 1 : 0;
  }
  CoreFree(fill);
  CoreFree(ends);
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
    if (!FillNodeList(state, state->allNodes, nullptr, state->nodeCount)) return kRTFailure;
    *nodes = state->allNodes;
    return kRTSuccess;
  }
  GroupNodes* found = FindGroup(state, group);
  if (!found || !FillNodeList(state, &found->list, found->indexes, found->indexCount)) return kRTFailure;
  *nodes = &found->list;
  return kRTSuccess;
}

RTSuccess AddToEdgeCosts(RTInstance self, const RTRoutePlannerNode* node, float delta) {
  RoutePlannerState* state = StateOf(self);
  uint32_t index = 0;
  if (!state || !NodeIndex(state, node, &index)) return kRTFailure;
  const NodeLinks& links = state->links[index];
  for (uint32_t k = 0; k < links.count; ++k) state->edges[state->linkPairs[links.first + k].edge].cost += delta;
  return kRTSuccess;
}

// The node of the group nearest the position; of equally near nodes the earlier one in the group's
// list. An empty list succeeds with no node. The lookup index of the list is made on first use.
RTSuccess GetNodeAtPosition(RTInstance self, const RTFVector3D* position, int32_t group, RTRoutePlannerNode** node) {
  if (!node) return kRTFailure;
  *node = nullptr;
  RoutePlannerState* state = StateOf(self);
  if (!position || !state) return kRTFailure;
  const uint32_t* indexes = nullptr;
  NearestIndex** index = &state->allNodesIndex;
  uint32_t count = state->nodeCount;
  if (group != route_planner::kAllGroups) {
    GroupNodes* found = FindGroup(state, group);
    if (!found) return kRTFailure;
    indexes = found->indexes;
    index = &found->nearest;
    count = found->indexCount;
  }
  if (!*index) *index = MakeNearestIndex(state->nodes, count, indexes);
  if (!*index) return kRTFailure;
  uint32_t order = 0;
  if (FindNearest(*index, *position, &order)) *node = &state->nodes[indexes ? indexes[order] : order];
  return kRTSuccess;
}

RTSuccess GetEdgeCount(RTInstance self, uint32_t* count) {
  RoutePlannerState* state = StateOf(self);
  if (!state || !count) return kRTFailure;
  *count = state->edgeCount;
  return kRTSuccess;
}

}  // namespace kivo::planner
