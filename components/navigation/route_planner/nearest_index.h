// The nearest-node lookup over a list of nodes (every node, or one group's): the node whose
// position is nearest a point by the float squared distance (dx^2 + dy^2) + dz^2, the earliest in
// the list on a tie, and none when no node is nearer than the largest float.
//
// The nodes are kept sorted by their coordinate on the axis where they spread widest. A lookup
// walks out from the point both ways and stops on each side where the square of the gap on that
// axis alone passes the best distance so far: a node's full distance is never below it, and on
// either side the gap only grows. Nodes whose coordinate on that axis is not finite are never
// nearest and are left out. The index copies the positions when it is made (the graph's positions
// change only through the pool methods and the stream).
#pragma once

#include <cstdint>

#include "kivo/navigation/navigation_calls.h"

namespace kivo::planner {

struct NearestEntry {
  float position[3];
  uint32_t order;  // place in the list
};
static_assert(sizeof(NearestEntry) == 16);

struct NearestIndex {
  uint32_t axis;
  uint32_t count;
  NearestEntry* entries;  // plain block, sorted by position[axis]
};

// The index of the nodes at `indexes` (list order), or of every node when `indexes` is null; null
// when memory runs out.
NearestIndex* MakeNearestIndex(const RTRoutePlannerNode* nodes, uint32_t count, const uint32_t* indexes);
void FreeNearestIndex(NearestIndex* index);

// The list place of the node nearest `position`, or false when none is nearer than the largest
// float.
bool FindNearest(const NearestIndex* index, const RTFVector3D& position, uint32_t* order);

}  // namespace kivo::planner
