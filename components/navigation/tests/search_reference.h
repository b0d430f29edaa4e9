// The route planner's graph and search as they were first written, on plain arrays: the model
// the planner's results are held to. Edge pools keep what is valid against the edges kept before;
// linking adds, per stored edge valid against the whole store, both pairs in edge order (linking
// again adds them again); a step costs the first edge among the node's pairs that joins the two
// (found beside the neighbour's first pair, or by trying every pair when an edge's ends were
// rewritten); the estimate is the distance in long double; the open list is the binary heap with
// its rule for equal keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kivo/navigation/navigation_calls.h"

namespace navtest {

class ReferencePlanner {
 public:
  void SetEdgePool(const std::vector<RTRoutePlannerEdge>& edges);
  void SetNodePool(const std::vector<RTRoutePlannerNode>& nodes);
  void AssociateNodesEdges();

  std::vector<RTRoutePlannerNode>& nodes() { return nodes_; }
  std::vector<RTRoutePlannerEdge>& edges() { return edges_; }

  struct Result {
    bool found = false;
    std::vector<uint32_t> path;  // node indexes from the start end to the goal
    std::string message;         // a refusal's message, empty for none
  };
  Result CanPath(const RTFVector3D& start, const RTFVector3D& end);
  Result CanPathAStar(const RTFVector3D& start, int32_t startGroup, const RTFVector3D& end, int32_t endGroup);
  // Index of the nearest node of the group (-1: all), or -1 for none; -2 when the group is unknown.
  int64_t NodeAtPosition(const RTFVector3D& position, int32_t group) const;

 private:
  Result Search(const RTFVector3D& start, int32_t startGroup, const RTFVector3D& end, int32_t endGroup,
                bool withGroups);
  float Cost(uint32_t a, uint32_t b) const;
  bool HandOff(uint32_t goal, bool withGroups, Result* result);

  std::vector<RTRoutePlannerNode> nodes_;
  std::vector<int32_t> groups_;  // each node's group as the node pool had it
  std::vector<RTRoutePlannerEdge> edges_;
  std::vector<std::vector<std::pair<uint32_t, uint32_t>>> links_;  // per node {neighbour, edge}
};

}  // namespace navtest
