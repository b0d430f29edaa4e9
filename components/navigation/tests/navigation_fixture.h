// A started core with the navigation components and their parent classes, and short helpers to
// make planners, build graphs and read streams.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core_host.h"
#include "host/stream_bytes.h"
#include "kivo/navigation/navigation_calls.h"

namespace navtest {

struct NodeSpec {
  float x = 0, y = 0, z = 0;
  int32_t group = -1;
  uint32_t blocked = 0;
  float width = 1.0f;
};

struct EdgeSpec {
  uint32_t a = 0, b = 0;
  float cost = 1.0f;
  float value = 0;
};

struct Graph {
  std::vector<NodeSpec> nodes;
  std::vector<EdgeSpec> edges;
};

// Nodes 0 .. count-1 in a row along x, one unit apart, each joined to the next at cost 1.
Graph Corridor(uint32_t count);

std::vector<RTRoutePlannerNode> NodeRecords(const std::vector<NodeSpec>& nodes);
std::vector<RTRoutePlannerEdge> EdgeRecords(const std::vector<EdgeSpec>& edges);

// The planner's stream written by hand, field by field: the RTPathfinding block, then the
// planner's block of the given version.
class StreamBytes : public tesk::testing::StreamBytes {
 public:
  // Pathfinding block, version, node count and nodes (blocked flags from version 512 on).
  StreamBytes& Nodes(const std::vector<NodeSpec>& nodes, uint32_t version = 512);
  StreamBytes& Edges(const std::vector<EdgeSpec>& edges);
};
std::string GraphStream(const Graph& graph, uint32_t version = 512);

RTFVector3D At(float x, float y = 0, float z = 0);

class NavigationTest : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override;
  void TearDown() override;

  // A new planner (released at the end of the test).
  RTInstance NewPlanner();
  // A planner holding the graph, set through the pool methods as StreamIn sets it.
  RTInstance PlannerWith(const Graph& graph);
  // Keeps a handle to release at the end of the test.
  RTInstance Hold(RTInstance instance);

  // A new memory stream holding the bytes, at position 0.
  RTInstance StreamOf(const std::string& bytes);
  std::string Contents(RTInstance stream);
  // The planner's StreamOut (whole instance) as bytes; empty when it fails.
  std::string StreamedOut(RTInstance planner);
  RTSuccess StreamIn(RTInstance planner, const std::string& bytes, uint32_t stage = 0xFFFFFFFFu);

  // The points of the planner's current pathway; empty when it has none.
  std::vector<kivo::PathPoint> PathPoints(RTInstance planner);
  // The node indexes the points of the planner's current pathway stand on.
  std::vector<uint32_t> PathNodes(RTInstance planner);
  uint32_t IndexOf(RTInstance planner, const RTRoutePlannerNode* node);

  bool Logged(const std::string& text) const { return host_.DebugLog().find(text) != std::string::npos; }
  uint32_t RefCount(RTInstance instance);

 private:
  std::vector<RTInstance> held_;
};

}  // namespace navtest
