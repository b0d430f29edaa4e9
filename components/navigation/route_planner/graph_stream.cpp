// The route planner's stream. After the block of the parent class RTPathfinding (written and read
// through that level's own slot table), all little-endian:
//
//   u32 version                 512; 511 streams have no blocked flags
//   u32 node count
//   per node                    position x, y, z (3 x f32), width (f32), group (s32), blocked (u8)
//   u32 edge count
//   per edge                    node index A (u32), node index B (u32), value (f32), cost (f32)
//
// Reading tolerates a node whose fields after the position are cut off (width 1.0, group -1,
// unblocked) and a missing edge count (no edges). It refuses, with a message and before the graph
// is touched: a newer version, node or edge counts that the rest of the stream cannot hold, a cut
// off edge, an edge naming a node past the node count, and a cost that is negative or not finite.
#include <bit>
#include <cmath>

#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "planner_methods.h"
#include "planner_state.h"

namespace kivo::planner {

namespace {

constexpr uint32_t kWholeInstance = component::kStreamWhole;
constexpr uint32_t kPositionBytes = 12;
constexpr uint32_t kEdgeBytes = 16;
constexpr float kDefaultWidth = 1.0f;
constexpr int32_t kDefaultGroup = -1;

// A float of exactly four bytes (a short read fails rather than leaving part of a value).
bool ReadFloat(RTInstance stream, float* value) {
  uint32_t bits = 0;
  if (!StreamReadUInt(stream, &bits)) return false;
  *value = std::bit_cast<float>(bits);
  return true;
}

// False when the stream cannot hold `count` records of at least `bytes` each.
bool CountFits(RTInstance stream, uint32_t count, uint32_t bytes) {
  return StreamHolds(stream, uint64_t{count} * bytes);
}

template <class... Args>
RTSuccess Refuse(std::u16string_view format, const Args&... args) {
  RaiseFormatted(kLevelError, format, args...);
  return kRTFailure;
}

// Temporary arrays of a graph being read; freed with the reader.
struct ReadGraph {
  RTRoutePlannerNode* nodes = nullptr;
  uint32_t nodeCount = 0;
  RTRoutePlannerEdge* edges = nullptr;
  uint32_t edgeCount = 0;
  ~ReadGraph() {
    ModuleCore()->ArrayFree(nullptr, nodes);
    ModuleCore()->ArrayFree(nullptr, edges);
  }
};

void ReadNode(RTInstance stream, uint32_t version, RTRoutePlannerNode* node) {
  RTFVector3D position{};
  if (!ReadFloat(stream, &position.x) || !ReadFloat(stream, &position.y) || !ReadFloat(stream, &position.z)) {
    position = RTFVector3D{};
    RaiseFormatted(kLevelError, u"[RTRoutePlanner] Unable to stream in node position.");
  }
  node->position = position;
  if (!ReadFloat(stream, &node->width)) node->width = kDefaultWidth;
  uint32_t group = 0;
  node->group = StreamReadUInt(stream, &group) ? static_cast<int32_t>(group) : kDefaultGroup;
  uint32_t blocked = 0;
  if (version >= route_planner::kFirstVersionWithBlocked && StreamReadByte(stream, &blocked)) node->blocked = blocked;
}

RTSuccess ReadNodes(RTInstance stream, uint32_t version, ReadGraph* graph) {
  uint32_t count = 0;
  if (!StreamReadUInt(stream, &count)) count = 0;
  if (!CountFits(stream, count, kPositionBytes))
    return Refuse(u"RTRoutePlanner::StreamIn() -- The node count %u is larger than the stream", count);
  void* block = nullptr;
  if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(RTRoutePlannerNode), count, &block, 1)) return kRTFailure;
  graph->nodes = static_cast<RTRoutePlannerNode*>(block);
  graph->nodeCount = count;
  for (uint32_t i = 0; i < count; ++i) ReadNode(stream, version, &graph->nodes[i]);
  return kRTSuccess;
}

RTSuccess ReadEdges(RTInstance stream, ReadGraph* graph) {
  uint32_t count = 0;
  if (!StreamReadUInt(stream, &count)) count = 0;
  if (!CountFits(stream, count, kEdgeBytes))
    return Refuse(u"RTRoutePlanner::StreamIn() -- The edge count %u is larger than the stream", count);
  void* block = nullptr;
  if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(RTRoutePlannerEdge), count, &block, 1)) return kRTFailure;
  graph->edges = static_cast<RTRoutePlannerEdge*>(block);
  graph->edgeCount = count;
  for (uint32_t i = 0; i < count; ++i) {
    RTRoutePlannerEdge& edge = graph->edges[i];
    if (!StreamReadUInt(stream, &edge.a) || !StreamReadUInt(stream, &edge.b) || !ReadFloat(stream, &edge.value) ||
        !ReadFloat(stream, &edge.cost))
      return Refuse(u"RTRoutePlanner::StreamIn() -- Edge %u of %u is cut short", i, count);
    if (edge.a >= graph->nodeCount || edge.b >= graph->nodeCount)
      return Refuse(u"RTRoutePlanner::StreamIn() -- Edge %u joins nodes %u and %u, but there are %u nodes", i, edge.a,
                    edge.b, graph->nodeCount);
    if (!std::isfinite(edge.cost) || edge.cost < 0)
      return Refuse(u"RTRoutePlanner::StreamIn() -- Edge %u has a negative or non-finite cost", i);
  }
  return kRTSuccess;
}

// The blocked flag as one byte that reads back non-zero whenever the flag is.
uint32_t BlockedByte(uint32_t blocked) { return (blocked & 0xFF) || !blocked ? blocked & 0xFF : 1; }

}  // namespace

RTSuccess GetStageCount(RTInstance, uint32_t* count) {
  if (!count) return kRTFailure;
  *count = 1;
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  RoutePlannerState* state = StateOf(self);
  if (!state || !CallParentMethod(self, pathfinding::kOwnTable, pathfinding::kStreamOut, stage, stream))
    return kRTFailure;
  if (!StreamWriteUInt(stream, route_planner::kStreamVersion) || !component::IsWholeStage(stage)) return kRTFailure;
  if (!StreamWriteUInt(stream, state->nodeCount)) return kRTFailure;
  for (uint32_t i = 0; i < state->nodeCount; ++i) {
    const RTRoutePlannerNode& node = state->nodes[i];
    if (!StreamWriteVector(stream, node.position) || !StreamWriteFloat(stream, node.width) ||
        !StreamWriteUInt(stream, static_cast<uint32_t>(node.group)) ||
        !StreamWriteByte(stream, BlockedByte(node.blocked)))
      return kRTFailure;
  }
  if (!StreamWriteUInt(stream, state->edgeCount)) return kRTFailure;
  for (uint32_t i = 0; i < state->edgeCount; ++i) {
    const RTRoutePlannerEdge& edge = state->edges[i];
    if (!StreamWriteUInt(stream, edge.a) || !StreamWriteUInt(stream, edge.b) || !StreamWriteFloat(stream, edge.value) ||
        !StreamWriteFloat(stream, edge.cost))
      return kRTFailure;
  }
  return kRTSuccess;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  if (!StateOf(self) || !CallParentMethod(self, pathfinding::kOwnTable, pathfinding::kStreamIn, stage, stream))
    return kRTFailure;
  uint32_t version = 0;
  if (!StreamReadUInt(stream, &version))
    return Refuse(u"RTRoutePlanner::StreamIn() -- The stream ended before the version");
  if (version > route_planner::kStreamVersion)
    return Refuse(u"RTRoutePlanner::StreamIn() -- Version is newer than reader");
  if (!component::IsWholeStage(stage)) return kRTFailure;
  ReadGraph graph;
  if (!ReadNodes(stream, version, &graph) || !ReadEdges(stream, &graph)) return kRTFailure;
  using namespace route_planner;
  if (!CallMethod(self, kLevel, kSetAStarEdgePool, static_cast<const RTRoutePlannerEdge*>(graph.edges),
                  graph.edgeCount) ||
      !CallMethod(self, kLevel, kSetAStarNodePool, static_cast<const RTRoutePlannerNode*>(graph.nodes),
                  graph.nodeCount))
    return kRTFailure;
  return CallMethod(self, kLevel, kAssociateNodesEdges);
}

}  // namespace kivo::planner
