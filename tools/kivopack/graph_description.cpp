#include "graph_description.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "kivo/navigation/navigation_calls.h"
#include "kivo/support/stream_values.h"
#include "tool_support.h"

namespace kivopack {

namespace {

using nlohmann::json;

struct Node {
  RTFVector3D position{};
  float width = 1.0f;
  int32_t group = -1;
  bool blocked = false;
};

struct Edge {
  uint32_t a = 0;
  uint32_t b = 0;
  float cost = 0;
};

bool ReadNode(const json& item, size_t index, Node* node, std::string* error) {
  const std::string where = "graph node " + std::to_string(index);
  if (!item.is_object() || !item.contains("position") || !ReadVector(item["position"], &node->position)) {
    *error = where + ": \"position\" must be three finite numbers";
    return false;
  }
  if (item.contains("width") && !FiniteFloat(item["width"], &node->width)) {
    *error = where + ": \"width\" must be a finite number";
    return false;
  }
  if (item.contains("group")) {
    const json& group = item["group"];
    if (!group.is_number_integer() || group.get<int64_t>() < std::numeric_limits<int32_t>::min() ||
        group.get<int64_t>() > std::numeric_limits<int32_t>::max()) {
      *error = where + ": \"group\" must be a 32-bit integer";
      return false;
    }
    node->group = static_cast<int32_t>(group.get<int64_t>());
  }
  if (item.contains("blocked")) {
    if (!item["blocked"].is_boolean()) {
      *error = where + ": \"blocked\" must be true or false";
      return false;
    }
    node->blocked = item["blocked"].get<bool>();
  }
  return true;
}

bool ReadEdge(const json& item, size_t index, size_t nodeCount, Edge* edge, std::string* error) {
  const std::string where = "graph edge " + std::to_string(index);
  const json* ends = item.is_object() && item.contains("nodes") ? &item["nodes"] : nullptr;
  if (!ends || !ends->is_array() || ends->size() != 2 || !(*ends)[0].is_number_unsigned() ||
      !(*ends)[1].is_number_unsigned()) {
    *error = where + ": \"nodes\" must be two node indexes";
    return false;
  }
  const uint64_t a = (*ends)[0].get<uint64_t>();
  const uint64_t b = (*ends)[1].get<uint64_t>();
  if (a >= nodeCount || b >= nodeCount) {
    *error = where + " joins nodes " + std::to_string(a) + " and " + std::to_string(b) + ", but there are " +
             std::to_string(nodeCount) + " nodes";
    return false;
  }
  if (!item.contains("cost") || !FiniteFloat(item["cost"], &edge->cost) || edge->cost < 0) {
    *error = where + ": \"cost\" must be a finite number of at least 0";
    return false;
  }
  edge->a = static_cast<uint32_t>(a);
  edge->b = static_cast<uint32_t>(b);
  return true;
}

bool Write(RTInstance s, const std::vector<Node>& nodes, const std::vector<Edge>& edges) {
  using namespace kivo;
  if (!StreamWriteUInt(s, pathfinding::kStreamVersion) || !StreamWriteUInt(s, route_planner::kStreamVersion) ||
      !StreamWriteUInt(s, static_cast<uint32_t>(nodes.size())))
    return false;
  for (const Node& n : nodes)
    if (!StreamWriteVector(s, n.position) || !StreamWriteFloat(s, n.width) ||
        !StreamWriteUInt(s, static_cast<uint32_t>(n.group)) || !StreamWriteByte(s, n.blocked ? 1 : 0))
      return false;
  if (!StreamWriteUInt(s, static_cast<uint32_t>(edges.size()))) return false;
  for (const Edge& e : edges)
    if (!StreamWriteUInt(s, e.a) || !StreamWriteUInt(s, e.b) || !StreamWriteFloat(s, 0) || !StreamWriteFloat(s, e.cost))
      return false;
  return true;
}

}  // namespace

bool WriteGraphStream(const json& graph, RTInstance stream, std::string* error) {
  if (!graph.is_object() || !graph.contains("nodes") || !graph["nodes"].is_array() ||
      (graph.contains("edges") && !graph["edges"].is_array())) {
    *error = "a \"graph\" needs a list of \"nodes\" (and may have a list of \"edges\")";
    return false;
  }
  const json& nodeItems = graph["nodes"];
  if (nodeItems.size() > std::numeric_limits<uint32_t>::max()) {
    *error = "the graph has too many nodes";
    return false;
  }
  std::vector<Node> nodes(nodeItems.size());
  for (size_t i = 0; i < nodes.size(); ++i)
    if (!ReadNode(nodeItems[i], i, &nodes[i], error)) return false;
  std::vector<Edge> edges;
  if (graph.contains("edges")) {
    const json& edgeItems = graph["edges"];
    if (edgeItems.size() > std::numeric_limits<uint32_t>::max()) {
      *error = "the graph has too many edges";
      return false;
    }
    edges.resize(edgeItems.size());
    for (size_t i = 0; i < edges.size(); ++i)
      if (!ReadEdge(edgeItems[i], i, nodes.size(), &edges[i], error)) return false;
  }
  if (!Write(stream, nodes, edges)) {
    *error = "cannot write the graph stream";
    return false;
  }
  return true;
}

}  // namespace kivopack
