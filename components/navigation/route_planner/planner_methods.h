// The methods of RTRoutePlanner, as its definition record declares them.
#pragma once

#include "kivo/navigation/navigation_calls.h"

namespace kivo::planner {

// Graph store (graph_store.cpp).
RTSuccess SetNodePool(RTInstance self, const void* nodes, uint32_t count);
RTSuccess GetNodePool(RTInstance self, RTRoutePlannerNode** nodes, uint32_t* count);
RTSuccess SetEdgePool(RTInstance self, const void* edges, uint32_t count);
RTSuccess GetEdgePool(RTInstance self, RTRoutePlannerEdge** edges, uint32_t* count);
RTSuccess NodeFactory(RTInstance self, void** node);
RTSuccess NodeDestructor(RTInstance self, void* node);
RTSuccess SetAStarEdgePool(RTInstance self, const RTRoutePlannerEdge* edges, uint32_t count);
RTSuccess GetAStarEdgePool(RTInstance self, RTRoutePlannerEdge** edges, uint32_t* count);
RTSuccess GenerateNodesFromPoints(RTInstance self, const RTFVector3D* points, uint32_t count);
RTSuccess GetNodeAtPosition(RTInstance self, const RTFVector3D* position, int32_t group, RTRoutePlannerNode** node);
RTSuccess AssociateNodesEdges(RTInstance self);
RTSuccess SetAStarNodePool(RTInstance self, const RTRoutePlannerNode* nodes, uint32_t count);
RTSuccess GetAStarNodePool(RTInstance self, RTRoutePlannerNode** nodes, uint32_t* count);
RTSuccess GetNodesByGroup(RTInstance self, int32_t group, List** nodes);
RTSuccess GetEdgeCount(RTInstance self, uint32_t* count);
RTSuccess AddToEdgeCosts(RTInstance self, const RTRoutePlannerNode* node, float delta);

// Stream (graph_stream.cpp).
RTSuccess GetStageCount(RTInstance self, uint32_t* count);
RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream);
RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream);

// Search (astar_search.cpp).
RTSuccess Cost(RTInstance self, const RTRoutePlannerNode* start, const RTRoutePlannerNode* end, float* cost);
RTSuccess GoalDistanceEstimate(RTInstance self, const RTRoutePlannerNode* start, const RTRoutePlannerNode* goal,
                               float* estimate);
RTSuccess CanPath(RTInstance self, const RTFVector3D* start, const RTFVector3D* end);
RTSuccess CanPathAStar(RTInstance self, const RTFVector3D* start, int32_t startGroup, const RTFVector3D* end,
                       int32_t endGroup);
RTSuccess GetPath(RTInstance self, RTInstance* pathway);

}  // namespace kivo::planner
