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
// The nodes and the edges are each read with one stream read and taken apart in memory.
#include <cmath>
#include <cstring>

#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "graph_store.h"
#include "planner_methods.h"
#include "planner_state.h"

namespace kivo::planner {

namespace {

constexpr uint32_t kPositionBytes = 12;
constexpr uint32_t kNodeBytes = 21;  // position, width, group, blocked
constexpr uint32_t kEdgeBytes = 16;
constexpr float kDefaultWidth = 1.0f;
constexpr int32_t kDefaultGroup = -1;

// False when the stream cannot hold `count` records of at least `bytes` each.
bool CountFits(RTInstance stream, uint32_t count, uint32_t bytes) {
  return StreamHolds(stream, uint64_t{count} * bytes);
}

template <class... Args>
RTSuccess Refuse(std::u16string_view format, const Args&... args) {
  RaiseFormatted(kLevelError, format, args...);
  return kRTFailure;
}

// The bytes of one part of the stream (the nodes, the edges), read at once and taken field by
// field as the stream would give them: a field that runs past the bytes read fails, and so does
// every field after it (a short read leaves the stream at its end).
class Fields {
 public:
  // Up to `bytes` bytes from the stream's position: fewer at its end, none when the read fails (the
  // fields then fail as they would one by one). False only when memory runs out.
  bool Read(RTInstance stream, uint64_t bytes) {
    if (bytes > UINT32_MAX) return false;
    data_ = static_cast<uint8_t*>(CoreAlloc(bytes ? bytes : 1));
    if (!data_) return false;
    uint32_t read = 0;
    if (bytes) stream::Read(stream, data_, static_cast<uint32_t>(bytes), &read);
    at_ = data_;
    end_ = data_ + read;
    return true;
  }
  ~Fields() { CoreFree(data_); }
  Fields() = default;
  Fields(const Fields&) = delete;
  Fields& operator=(const Fields&) = delete;

  template <class T>
  bool Take(T* value) {
    if (static_cast<size_t>(end_ - at_) < sizeof(T)) {
      at_ = end_;
      return false;
    }
    std::memcpy(value, at_, sizeof(T));
    at_ += sizeof(T);
    return true;
  }
  bool TakeByte(uint32_t* value) {
    uint8_t byte = 0;
    if (!Take(&byte)) return false;
    *value = byte;
    return true;
  }
  const void* Data() const { return data_; }

 private:
  uint8_t* data_ = nullptr;
  const uint8_t* at_ = nullptr;
  const uint8_t* end_ = nullptr;
};

// A graph read from the stream and not yet handed to the planner: the nodes in fresh arrays, the
// edges as the stream holds them. What is not handed over is freed with the reader.
struct ReadGraph {
  NodeArrays nodes{};
  Fields edgeFields;
  uint32_t edgeCount = 0;
  ReadGraph() = default;
  ReadGraph(const ReadGraph&) = delete;
  ReadGraph& operator=(const ReadGraph&) = delete;
  ~ReadGraph() { FreeNodeArrays(nodes); }

  const StreamEdge* edges() const { return static_cast<const StreamEdge*>(edgeFields.Data()); }
  NodeArrays TakeNodes() {
    const NodeArrays taken = nodes;
    nodes = NodeArrays{};
    return taken;
  }
};

void ReadNode(Fields& fields, uint32_t version, RTRoutePlannerNode* node) {
  RTFVector3D position{};
  if (!fields.Take(&position.x) || !fields.Take(&position.y) || !fields.Take(&position.z)) {
    position = RTFVector3D{};
    RaiseFormatted(kLevelError, u"[RTRoutePlanner] Unable to stream in node position.");
  }
  node->position = position;
  if (!fields.Take(&node->width)) node->width = kDefaultWidth;
  if (!fields.Take(&node->group)) node->group = kDefaultGroup;
  uint32_t blocked = 0;
  if (version >= route_planner::kFirstVersionWithBlocked && fields.TakeByte(&blocked)) node->blocked = blocked;
}

RTSuccess ReadNodes(RTInstance stream, uint32_t version, ReadGraph* graph) {
  uint32_t count = 0;
  if (!StreamReadUInt(stream, &count)) count = 0;
  if (!CountFits(stream, count, kPositionBytes))
    return Refuse(u"RTRoutePlanner::StreamIn() -- The node count %u is larger than the stream", count);
  if (!AllocateNodes(count, &graph->nodes)) return kRTFailure;
  const uint32_t nodeBytes = version >= route_planner::kFirstVersionWithBlocked ? kNodeBytes : kNodeBytes - 1;
  Fields fields;
  if (!fields.Read(stream, uint64_t{count} * nodeBytes)) return kRTFailure;
  for (uint32_t i = 0; i < count; ++i) ReadNode(fields, version, &graph->nodes.nodes[i]);
  return kRTSuccess;
}

// Checks every edge, in order, before any is used.
RTSuccess ReadEdges(RTInstance stream, ReadGraph* graph) {
  uint32_t count = 0;
  if (!StreamReadUInt(stream, &count)) count = 0;
  if (!CountFits(stream, count, kEdgeBytes))
    return Refuse(u"RTRoutePlanner::StreamIn() -- The edge count %u is larger than the stream", count);
  Fields& fields = graph->edgeFields;
  if (!fields.Read(stream, uint64_t{count} * kEdgeBytes)) return kRTFailure;
  graph->edgeCount = count;
  const uint32_t nodeCount = graph->nodes.count;
  for (uint32_t i = 0; i < count; ++i) {
    StreamEdge edge;
    if (!fields.Take(&edge)) return Refuse(u"RTRoutePlanner::StreamIn() -- Edge %u of %u is cut short", i, count);
    if (edge.a >= nodeCount || edge.b >= nodeCount)
      return Refuse(u"RTRoutePlanner::StreamIn() -- Edge %u joins nodes %u and %u, but there are %u nodes", i, edge.a,
                    edge.b, nodeCount);
    if (!std::isfinite(edge.cost) || edge.cost < 0)
      return Refuse(u"RTRoutePlanner::StreamIn() -- Edge %u has a negative or non-finite cost", i);
  }
  return kRTSuccess;
}

// Hands the graph to the planner through its own table (SetAStarEdgePool, SetAStarNodePool,
// AssociateNodesEdges): as records those methods take, or, while the table holds the planner's own
// methods, directly.
RTSuccess HandOver(RTInstance self, ReadGraph* graph) {
  using namespace route_planner;
  const SlotTable table = LevelTable(ComponentObject(self), kLevel);
  auto own = [&](uint32_t slot, auto method) {
    return SlotEntry(table, slot) == reinterpret_cast<RTMethodFunc>(method);
  };
  if (own(kSetAStarEdgePool, SetAStarEdgePool) && own(kSetAStarNodePool, SetAStarNodePool) &&
      own(kAssociateNodesEdges, AssociateNodesEdges)) {
    RoutePlannerState* state = StateOf(self);
    if (!StoreStreamEdges(state, graph->edges(), graph->edgeCount) || !InstallReadNodes(state, graph->TakeNodes()))
      return kRTFailure;
    return AssociateNodesEdges(self);
  }
  void* block = nullptr;
  if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(RTRoutePlannerEdge), graph->edgeCount, &block, 1)) return kRTFailure;
  auto* edges = static_cast<RTRoutePlannerEdge*>(block);
  for (uint32_t i = 0; i < graph->edgeCount; ++i) {
    const StreamEdge& edge = graph->edges()[i];
    edges[i].a = edge.a;
    edges[i].b = edge.b;
    edges[i].value = edge.value;
    edges[i].cost = edge.cost;
  }
  const bool handed =
      CallMethod(self, kLevel, kSetAStarEdgePool, static_cast<const RTRoutePlannerEdge*>(edges), graph->edgeCount) &&
      CallMethod(self, kLevel, kSetAStarNodePool, static_cast<const RTRoutePlannerNode*>(graph->nodes.nodes),
                 graph->nodes.count);
  ModuleCore()->ArrayFree(nullptr, edges);
  return handed ? CallMethod(self, kLevel, kAssociateNodesEdges) : kRTFailure;
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
  return HandOver(self, &graph);
}

}  // namespace kivo::planner
