// The work behind the pool methods, for the stream to use directly while the planner's table holds
// the planner's own methods: the graph goes in without the records' temporary copies.
#pragma once

#include <cstdint>

#include "planner_state.h"

namespace kivo::planner {

// An edge as the stream holds it: node indexes, the carried float and the cost.
struct StreamEdge {
  uint32_t a;
  uint32_t b;
  float value;
  float cost;
};
static_assert(sizeof(StreamEdge) == 16);

// SetAStarEdgePool on edges in the stream's form (each record otherwise zero).
RTSuccess StoreStreamEdges(RoutePlannerState* state, const StreamEdge* edges, uint32_t count);
// SetAStarNodePool on nodes read into fresh arrays (with their link fields zero), which it takes
// over.
RTSuccess InstallReadNodes(RoutePlannerState* state, const NodeArrays& nodes);

}  // namespace kivo::planner
