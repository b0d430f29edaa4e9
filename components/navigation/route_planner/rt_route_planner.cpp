// RTRoutePlanner: one navigation graph of nodes and edges, searched with A* for routes that it
// hands out as RTPathFollower instances. Its parent class RTPathfinding writes the first block of
// its stream. The state record lives in the object word after the level's two table words.
#include "kivo/support/component_kit.h"
#include "planner_methods.h"
#include "planner_state.h"

namespace {

using namespace kivo;
using namespace kivo::planner;
namespace slot = kivo::route_planner;

constexpr bool kOverrides = true;
constexpr uint32_t kUIntProperty = 0x60404;  // packed type word of a uint property

RTSuccess Construct(RTInstance self) { return CreateState(self); }

RTSuccess Destroy(RTInstance self) {
  DestroyState(self);
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"GetStageCount", GetStageCount, slot::kGetStageCount, u"RTSuccess", u"uint out opCount"),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"GetPath", GetPath, slot::kGetPath, u"RTSuccess", u"RTInstance out ophPathway"),
    Method(u"CanPath", CanPath, slot::kCanPath, u"RTSuccess", u"RTFVector3D in apStart, RTFVector3D in apEnd"),
    Method(u"SetNodePool", SetNodePool, slot::kSetNodePool, u"RTSuccess", u"void* apNodes, uint anNodes"),
    Method(u"GetNodePool", GetNodePool, slot::kGetNodePool, u"RTSuccess", u"void* out oppNodes, uint out opnNodes"),
    Method(u"SetEdgePool", SetEdgePool, slot::kSetEdgePool, u"RTSuccess", u"void* apEdges, uint anEdges"),
    Method(u"GetEdgePool", GetEdgePool, slot::kGetEdgePool, u"RTSuccess", u"void* out oppEdges, uint out opnEdges"),
    Method(u"NodeFactory", NodeFactory, slot::kNodeFactory, u"RTSuccess", u"void* out oppNode"),
    Method(u"NodeDestructor", NodeDestructor, slot::kNodeDestructor, u"RTSuccess", u"void* apNode"),
    Method(u"SetAStarEdgePool", SetAStarEdgePool, slot::kSetAStarEdgePool, u"RTSuccess",
           u"RTRoutePlannerEdge* apEdges, uint anEdges"),
    Method(u"GetAStarEdgePool", GetAStarEdgePool, slot::kGetAStarEdgePool, u"RTSuccess",
           u"RTRoutePlannerEdge* out oppEdges, uint out opnEdges"),
    Method(u"GenerateNodesFromPoints", GenerateNodesFromPoints, slot::kGenerateNodesFromPoints, u"RTSuccess",
           u"RTFVector3D* apPoints, uint anPoints"),
    Method(u"Cost", Cost, slot::kCost, u"RTSuccess",
           u"RTRoutePlannerNode* apStartNode, RTRoutePlannerNode* apEndNode, float out opCost"),
    Method(u"GoalDistanceEstimate", GoalDistanceEstimate, slot::kGoalDistanceEstimate, u"RTSuccess",
           u"RTRoutePlannerNode* apStartNode, RTRoutePlannerNode* apGoalNode, float out opEstimatedDistance"),
    Method(u"GetNodeAtPosition", GetNodeAtPosition, slot::kGetNodeAtPosition, u"RTSuccess",
           u"RTFVector3D in apPosition, RTRoutePlannerNode* out oppNode"),
    Method(u"AssociateNodesEdges", AssociateNodesEdges, slot::kAssociateNodesEdges, u"RTSuccess", u""),
    Method(u"SetAStarNodePool", SetAStarNodePool, slot::kSetAStarNodePool, u"RTSuccess",
           u"RTRoutePlannerNode* apNodes, uint anNodes"),
    Method(u"GetAStarNodePool", GetAStarNodePool, slot::kGetAStarNodePool, u"RTSuccess",
           u"RTRoutePlannerNode* out oppNodes, uint out opnNodes"),
    Method(u"CanPathAStar", CanPathAStar, slot::kCanPathAStar, u"RTSuccess",
           u"RTFVector3D in apStart, RTFVector3D in apEnd"),
    Method(u"GetNodesByGroup", GetNodesByGroup, slot::kGetNodesByGroup, u"RTSuccess", u""),
    Method(u"AddToEdgeCosts", AddToEdgeCosts, slot::kAddToEdgeCosts, u"RTSuccess",
           u"RTRoutePlannerNode in apNode, float aDelta"),
    kEndOfMethods,
};

RTPropertyRecord gProperties[] = {
    {u"EdgeCount", kUIntProperty, nullptr, reinterpret_cast<RTMethodFunc>(GetEdgeCount)},
    {},
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTPathfinding",
    .description = u"A* route planning over a graph of nodes and edges",
    .objectSize = kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kLevel + 4,
    .methods = gMethods,
    .properties = gProperties,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
