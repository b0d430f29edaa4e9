// The navigation components as their callers see them: the records RTRoutePlanner exchanges
// (nodes, edges) and the path points of RTPathFollower, the levels and method slots of both
// classes and of their parent classes, and one calling wrapper per method.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/slots.h"
#include "kivo/support/list.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"

// A graph node. Every link is an index, never a pointer, so the record keeps its 60 bytes on
// every build: `parent` is the parent node's index + 1 (0 for none); `neighbours` and `edges`
// name the planner's own neighbour and edge arrays of the node (the node's index + 1 once it has
// them, else 0), whose lengths the two counts give.
struct RTRoutePlannerNode {
  uint32_t parent;
  uint32_t neighbourCount;
  uint32_t neighbours;
  uint32_t edgeCount;
  uint32_t edges;
  RTFVector3D position;  // the fourth float is carried along
  float f;               // search total g + h
  float g;               // cost from the start
  float h;               // estimate to the goal
  float width;
  int32_t group;
  uint32_t blocked;  // non-zero: CanPathAStar never steps on the node
};
static_assert(sizeof(RTRoutePlannerNode) == 60);
static_assert(offsetof(RTRoutePlannerNode, position) == 20);
static_assert(offsetof(RTRoutePlannerNode, f) == 36);
static_assert(offsetof(RTRoutePlannerNode, width) == 48);
static_assert(offsetof(RTRoutePlannerNode, blocked) == 56);

// An edge between the nodes at indexes `a` and `b`. Callers may edit the cost in place.
struct RTRoutePlannerEdge {
  uint32_t a;
  uint32_t b;
  float value;  // streamed and copied, never read by the planner
  float cost;
  uint8_t reserved[64];
};
static_assert(sizeof(RTRoutePlannerEdge) == 80);

// The short edge record that SetEdgePool takes: the edge gets cost 0.
struct RTRoutePlannerEdgeInput {
  uint32_t a;
  uint32_t b;
  float value;
};
static_assert(sizeof(RTRoutePlannerEdgeInput) == 12);

namespace kivo {

// A point of a path: position, the fourth position float, and the width of its node.
struct PathPoint {
  float x;
  float y;
  float z;
  float w;
  float width;
};
static_assert(sizeof(PathPoint) == 20);

// RTPathfinding (components/framework): the parent class of route planners.
namespace pathfinding {
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x00};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x04};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = kLevel + 4;  // the level's own functions, without overrides
inline constexpr uint32_t kStreamVersion = 1;
}  // namespace pathfinding

// RTSteerPathway (components/framework): the parent class of path stores.
namespace steer_pathway {
inline constexpr uint32_t kLevel = 0x08;
}

namespace route_planner {

inline constexpr MethodSlot<uint32_t*> kGetStageCount{0x00};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x04};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x08};
inline constexpr MethodSlot<RTInstance*> kGetPath{0x0C};
inline constexpr MethodSlot<const RTFVector3D*, const RTFVector3D*> kCanPath{0x10};
inline constexpr MethodSlot<const void*, uint32_t> kSetNodePool{0x14};
inline constexpr MethodSlot<RTRoutePlannerNode**, uint32_t*> kGetNodePool{0x18};
inline constexpr MethodSlot<const void*, uint32_t> kSetEdgePool{0x1C};
inline constexpr MethodSlot<RTRoutePlannerEdge**, uint32_t*> kGetEdgePool{0x20};
inline constexpr MethodSlot<void**> kNodeFactory{0x24};
inline constexpr MethodSlot<void*> kNodeDestructor{0x28};
inline constexpr MethodSlot<const RTRoutePlannerEdge*, uint32_t> kSetAStarEdgePool{0x2C};
inline constexpr MethodSlot<RTRoutePlannerEdge**, uint32_t*> kGetAStarEdgePool{0x30};
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kGenerateNodesFromPoints{0x34};
inline constexpr MethodSlot<const RTRoutePlannerNode*, const RTRoutePlannerNode*, float*> kCost{0x38};
inline constexpr MethodSlot<const RTRoutePlannerNode*, const RTRoutePlannerNode*, float*> kGoalDistanceEstimate{0x3C};
inline constexpr MethodSlot<const RTFVector3D*, int32_t, RTRoutePlannerNode**> kGetNodeAtPosition{0x40};
inline constexpr MethodSlot<> kAssociateNodesEdges{0x44};
inline constexpr MethodSlot<const RTRoutePlannerNode*, uint32_t> kSetAStarNodePool{0x48};
inline constexpr MethodSlot<RTRoutePlannerNode**, uint32_t*> kGetAStarNodePool{0x4C};
inline constexpr MethodSlot<const RTFVector3D*, int32_t, const RTFVector3D*, int32_t> kCanPathAStar{0x50};
inline constexpr MethodSlot<int32_t, List**> kGetNodesByGroup{0x54};

// The framework's own.
inline constexpr MethodSlot<const RTRoutePlannerNode*, float> kAddToEdgeCosts{0x200};
inline constexpr uint32_t kLevel = 0x10;
inline constexpr uint32_t kSlotTableSize = kAddToEdgeCosts + 4;
inline constexpr char16_t kClassName[] = u"RTRoutePlanner";
inline constexpr uint32_t kStreamVersion = 512;
inline constexpr uint32_t kFirstVersionWithBlocked = 512;
inline constexpr int32_t kAllGroups = -1;
inline constexpr uint32_t kHandOffLimit = 1000;  // CanPathAStar hands off at most this many points

inline RTSuccess GetStageCount(RTInstance p, uint32_t* count) { return CallMethod(p, kLevel, kGetStageCount, count); }
inline RTSuccess GetPath(RTInstance p, RTInstance* pathway) { return CallMethod(p, kLevel, kGetPath, pathway); }
inline RTSuccess CanPath(RTInstance p, const RTFVector3D& start, const RTFVector3D& end) {
  return CallMethod(p, kLevel, kCanPath, &start, &end);
}
inline RTSuccess CanPathAStar(RTInstance p, const RTFVector3D& start, int32_t startGroup, const RTFVector3D& end,
                              int32_t endGroup) {
  return CallMethod(p, kLevel, kCanPathAStar, &start, startGroup, &end, endGroup);
}
inline RTSuccess SetNodePool(RTInstance p, const RTRoutePlannerNode* nodes, uint32_t count) {
  return CallMethod(p, kLevel, kSetNodePool, static_cast<const void*>(nodes), count);
}
inline RTSuccess GetNodePool(RTInstance p, RTRoutePlannerNode** nodes, uint32_t* count) {
  return CallMethod(p, kLevel, kGetNodePool, nodes, count);
}
inline RTSuccess SetEdgePool(RTInstance p, const RTRoutePlannerEdgeInput* edges, uint32_t count) {
  return CallMethod(p, kLevel, kSetEdgePool, static_cast<const void*>(edges), count);
}
inline RTSuccess GetEdgePool(RTInstance p, RTRoutePlannerEdge** edges, uint32_t* count) {
  return CallMethod(p, kLevel, kGetEdgePool, edges, count);
}
inline RTSuccess SetAStarEdgePool(RTInstance p, const RTRoutePlannerEdge* edges, uint32_t count) {
  return CallMethod(p, kLevel, kSetAStarEdgePool, edges, count);
}
inline RTSuccess GetAStarEdgePool(RTInstance p, RTRoutePlannerEdge** edges, uint32_t* count) {
  return CallMethod(p, kLevel, kGetAStarEdgePool, edges, count);
}
inline RTSuccess SetAStarNodePool(RTInstance p, const RTRoutePlannerNode* nodes, uint32_t count) {
  return CallMethod(p, kLevel, kSetAStarNodePool, nodes, count);
}
inline RTSuccess GetAStarNodePool(RTInstance p, RTRoutePlannerNode** nodes, uint32_t* count) {
  return CallMethod(p, kLevel, kGetAStarNodePool, nodes, count);
}
// Points are 16-byte vectors.
inline RTSuccess GenerateNodesFromPoints(RTInstance p, const RTFVector3D* points, uint32_t count) {
  return CallMethod(p, kLevel, kGenerateNodesFromPoints, points, count);
}
inline RTSuccess Cost(RTInstance p, const RTRoutePlannerNode* a, const RTRoutePlannerNode* b, float* cost) {
  return CallMethod(p, kLevel, kCost, a, b, cost);
}
inline RTSuccess GoalDistanceEstimate(RTInstance p, const RTRoutePlannerNode* a, const RTRoutePlannerNode* b,
                                      float* estimate) {
  return CallMethod(p, kLevel, kGoalDistanceEstimate, a, b, estimate);
}
inline RTSuccess GetNodeAtPosition(RTInstance p, const RTFVector3D& position, int32_t group,
                                   RTRoutePlannerNode** node) {
  return CallMethod(p, kLevel, kGetNodeAtPosition, &position, group, node);
}
inline RTSuccess AssociateNodesEdges(RTInstance p) { return CallMethod(p, kLevel, kAssociateNodesEdges); }
// The planner's own list of the group's nodes (kAllGroups: every node), valid until the nodes change.
inline RTSuccess GetNodesByGroup(RTInstance p, int32_t group, List** nodes) {
  return CallMethod(p, kLevel, kGetNodesByGroup, group, nodes);
}
// Adds `delta` to the cost of each edge of the node, a node record of this planner (an edge that
// joins two nodes changes once for each end it is asked for). The graph's stream is not touched.
inline RTSuccess AddToEdgeCosts(RTInstance p, const RTRoutePlannerNode* node, float delta) {
  return CallMethod(p, kLevel, kAddToEdgeCosts, node, delta);
}

}  // namespace route_planner

namespace path_follower {

inline constexpr MethodSlot<uint32_t*> kGetPointCount{0x18};
inline constexpr MethodSlot<const PathPoint*, uint32_t> kSetPoints{0x1C};
inline constexpr MethodSlot<PathPoint**, uint32_t*> kGetPoints{0x20};
inline constexpr MethodSlot<RTBool*> kGetIsCyclic{0x24};
inline constexpr MethodSlot<float*> kGetTotalPathLength{0x38};
inline constexpr uint32_t kLevel = 0x10;
inline constexpr uint32_t kSlotTableSize = 0x3C;
inline constexpr char16_t kClassName[] = u"RTPathFollower";

inline RTSuccess GetPointCount(RTInstance f, uint32_t* count) { return CallMethod(f, kLevel, kGetPointCount, count); }
inline RTSuccess SetPoints(RTInstance f, const PathPoint* points, uint32_t count) {
  return CallMethod(f, kLevel, kSetPoints, points, count);
}
// The follower's own array (no copy).
inline RTSuccess GetPoints(RTInstance f, PathPoint** points, uint32_t* count) {
  return CallMethod(f, kLevel, kGetPoints, points, count);
}
inline RTSuccess GetIsCyclic(RTInstance f, RTBool* cyclic) { return CallMethod(f, kLevel, kGetIsCyclic, cyclic); }
inline RTSuccess GetTotalPathLength(RTInstance f, float* length) {
  return CallMethod(f, kLevel, kGetTotalPathLength, length);
}

}  // namespace path_follower

}  // namespace kivo
