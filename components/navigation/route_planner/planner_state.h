// The state record of an RTRoutePlanner instance and the operations that keep its parts in step:
// the node array with its links, groups and all-nodes list, the edge array, and the search lists.
#pragma once

#include <cstdint>

#include "kivo/navigation/navigation_calls.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/list.h"
#include "nearest_index.h"
#include "open_list.h"

namespace kivo::planner {

inline constexpr uint32_t kStateWord = route_planner::kLevel + 8;
inline constexpr uint32_t kObjectSize = kStateWord + 4;
inline constexpr uint32_t kGroupBuckets = 31;

// A node's neighbour and the edge that joins it to the neighbour.
struct LinkPair {
  uint32_t neighbour;
  uint32_t edge;
};

// A node's pairs in the link block, in the order the edges were linked. `repeats` is set when a
// neighbour appears in more than one pair (linking again adds the same pairs once more).
struct NodeLinks {
  uint32_t first;
  uint32_t count;
  uint32_t repeats;
};

// The search's own record of a node, beside the node's f, g, h and parent (which it writes too):
// the cost from the start, the parent (index + 1, 0 for none), and the search generation in the
// high bits of `mark` with the node's list in the low two, so a new search starts with every node
// in neither list without touching the array.
struct SearchNode {
  float g;
  uint32_t parent;
  uint32_t mark;
};

// A value of the group table: the list of the group's nodes that callers get (first, so that the
// value is that List; filled when a caller first asks for it), and the same nodes as indexes.
struct GroupNodes {
  List list;
  uint32_t* indexes;  // plain block
  uint32_t indexCount;
  uint32_t capacity;
  NearestIndex* nearest;  // the nearest-node lookup over the group, made on first use
};

struct RoutePlannerState {
  RTRoutePlannerNode* nodes;  // array block
  uint32_t nodeCount;
  NodeLinks* links;     // one per node, in a plain block
  LinkPair* linkPairs;  // every node's pairs, in a plain block
  RTRoutePlannerEdge* edges;  // array block; null until an edge pool is set
  uint32_t edgeCount;
  List* allNodes;     // every node in array order, filled when a caller first asks for it
  HashTable* groups;  // group number -> GroupNodes, in array order
  NearestIndex* allNodesIndex;  // the nearest-node lookup over every node, made on first use

  OpenList open;
  SearchNode* search;  // one per node, made on the first search
  uint32_t generation;

  RTInstance pathway;  // the RTPathFollower of the last found path, or null
  RTUUID pathwayId;
};

RoutePlannerState* StateOf(RTInstance self);
RTSuccess CreateState(RTInstance self);
void DestroyState(RTInstance self);

// A new node array with its (empty) links, made before the old one goes so that a caller may
// fill it from the old array.
struct NodeArrays {
  RTRoutePlannerNode* nodes;
  NodeLinks* links;
  uint32_t count;
};
// `count` zeroed nodes; false when memory runs out.
bool AllocateNodes(uint32_t count, NodeArrays* out);
// Frees arrays that were never installed.
void FreeNodeArrays(const NodeArrays& arrays);
// Frees the node array with everything that points into it (links, group lists, all-nodes list,
// lookup indexes, search records) and installs the new one.
void InstallNodes(RoutePlannerState* state, const NodeArrays& fresh);
// Builds the group table from the node array (the node lists stay empty until asked for).
bool RebuildGroups(RoutePlannerState* state);
// Fills a node list that callers get with the nodes at `indexes` (every node when null), unless it
// holds them already.
bool FillNodeList(RoutePlannerState* state, List* list, const uint32_t* indexes, uint32_t count);
// The group's entry, or null when no node has the group.
GroupNodes* FindGroup(const RoutePlannerState* state, int32_t group);
// Drops every node's neighbours and edges (the edges they name are about to go).
void ClearLinks(RoutePlannerState* state);
// Frees the edge array and clears the links into it.
void ReleaseEdges(RoutePlannerState* state);

// The index of a node record of this planner, or false for any other pointer.
bool NodeIndex(const RoutePlannerState* state, const RTRoutePlannerNode* node, uint32_t* index);

}  // namespace kivo::planner
