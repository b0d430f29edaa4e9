// The state record of an RTRoutePlanner instance and the operations that keep its parts in step:
// the node array with its links, groups and all-nodes list, the edge array, and the search lists.
#pragma once

#include <cstdint>

#include "kivo/navigation/navigation_calls.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/list.h"
#include "open_list.h"

namespace kivo::planner {

inline constexpr uint32_t kStateWord = route_planner::kLevel + 8;
inline constexpr uint32_t kObjectSize = kStateWord + 4;
inline constexpr uint32_t kGroupBuckets = 31;

// A node's neighbours and the edges that join it to them: pairs {neighbour index, edge index} in
// the order the edges were linked.
struct NodeLinks {
  uint32_t count;
  uint32_t* pairs;  // plain block of 2 * count words
};

// A value of the group table: the list of the group's nodes that callers get (first, so that the
// value is that List), and the same nodes as indexes for scanning.
struct GroupNodes {
  List list;
  uint32_t* indexes;  // plain block
  uint32_t indexCount;
  uint32_t capacity;
};

struct RoutePlannerState {
  RTRoutePlannerNode* nodes;  // array block
  uint32_t nodeCount;
  NodeLinks* links;  // one per node, in a plain block
  RTRoutePlannerEdge* edges;  // array block; null until an edge pool is set
  uint32_t edgeCount;
  List* allNodes;     // every node in array order
  HashTable* groups;  // group number -> GroupNodes, in array order

  OpenList open;
  // Per node: the search generation in the high bits and the node's list in the low two, so a
  // new search starts with every node in neither list without touching the array.
  uint32_t* marks;
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
// Frees the node array with everything that points into it (links, group lists, all-nodes list,
// search marks) and installs the new one.
void InstallNodes(RoutePlannerState* state, const NodeArrays& fresh);
// Builds the group table and the all-nodes list from the node array.
bool RebuildGroups(RoutePlannerState* state);
// The group's entry, or null when no node has the group.
GroupNodes* FindGroup(const RoutePlannerState* state, int32_t group);
// Drops every node's neighbours and edges (the edges they name are about to go).
void ClearLinks(RoutePlannerState* state);
// Frees the edge array and clears the links into it.
void ReleaseEdges(RoutePlannerState* state);

// The index of a node record of this planner, or false for any other pointer.
bool NodeIndex(const RoutePlannerState* state, const RTRoutePlannerNode* node, uint32_t* index);

}  // namespace kivo::planner
