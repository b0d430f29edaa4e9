#include "search_reference.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace navtest {

namespace {

struct Entry {
  float key;
  uint32_t node;
};

// The open list: heap position p at heap[p - 1].
class Heap {
 public:
  void Push(float key, uint32_t node) {
    heap_.push_back({});
    size_t p = heap_.size();
    while (p > 1) {
      if (key > heap_[p / 2 - 1].key) break;
      heap_[p - 1] = heap_[p / 2 - 1];
      p /= 2;
    }
    heap_[p - 1] = Entry{key, node};
  }
  bool Pop(uint32_t* node) {
    if (heap_.empty()) return false;
    *node = heap_[0].node;
    const Entry last = heap_.back();
    heap_.pop_back();
    const size_t count = heap_.size();
    size_t p = 1;
    for (;;) {
      size_t child = p * 2;
      if (child > count) break;
      if (child < count && heap_[child].key < heap_[child - 1].key) ++child;
      if (!(heap_[child - 1].key < last.key)) break;
      heap_[p - 1] = heap_[child - 1];
      p = child;
    }
    if (count) heap_[p - 1] = last;
    return true;
  }

 private:
  std::vector<Entry> heap_;
};

float Distance(const RTFVector3D& a, const RTFVector3D& b) {
  using Ext = long double;
  const Ext dx = Ext{a.x} - b.x, dy = Ext{a.y} - b.y, dz = Ext{a.z} - b.z;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

bool SamePair(const RTRoutePlannerEdge& e, uint32_t a, uint32_t b) {
  return (e.a == a && e.b == b) || (e.a == b && e.b == a);
}

}  // namespace

void ReferencePlanner::SetEdgePool(const std::vector<RTRoutePlannerEdge>& edges) {
  edges_.clear();
  for (const RTRoutePlannerEdge& e : edges) {
    bool valid = edges_.empty();
    if (!valid && e.a != e.b) {
      valid = std::none_of(edges_.begin(), edges_.end(),
                           [&](const RTRoutePlannerEdge& k) { return SamePair(k, e.a, e.b); });
    }
    if (valid) edges_.push_back(e);
  }
  for (auto& pairs : links_) pairs.clear();
}

void ReferencePlanner::SetNodePool(const std::vector<RTRoutePlannerNode>& nodes) {
  nodes_ = nodes;
  groups_.clear();
  for (RTRoutePlannerNode& n : nodes_) {
    n.parent = n.neighbourCount = n.neighbours = n.edgeCount = n.edges = 0;
    groups_.push_back(n.group);
  }
  links_.assign(nodes_.size(), {});
}

void ReferencePlanner::AssociateNodesEdges() {
  for (uint32_t e = 0; e < edges_.size(); ++e) {
    const RTRoutePlannerEdge& edge = edges_[e];
    if (edge.a >= nodes_.size() || edge.b >= nodes_.size() || edge.a == edge.b) continue;
    bool joinedByAnother = false;
    for (uint32_t k = 0; k < edges_.size(); ++k)
      if (k != e && SamePair(edges_[k], edge.a, edge.b)) joinedByAnother = true;
    if (joinedByAnother) continue;
    links_[edge.a].push_back({edge.b, e});
    links_[edge.b].push_back({edge.a, e});
  }
}

float ReferencePlanner::Cost(uint32_t a, uint32_t b) const {
  for (const auto& [neighbour, edge] : links_[a]) {
    if (neighbour != b) continue;
    if (SamePair(edges_[edge], a, b)) return edges_[edge].cost;
    break;
  }
  for (const auto& pair : links_[a])
    if (SamePair(edges_[pair.second], a, b)) return edges_[pair.second].cost;
  return 0;
}

int64_t ReferencePlanner::NodeAtPosition(const RTFVector3D& position, int32_t group) const {
  if (group != -1 && std::find(groups_.begin(), groups_.end(), group) == groups_.end()) return -2;
  float best = FLT_MAX;
  int64_t found = -1;
  for (uint32_t i = 0; i < nodes_.size(); ++i) {
    if (group != -1 && groups_[i] != group) continue;
    const RTFVector3D& p = nodes_[i].position;
    const float dx = p.x - position.x, dy = p.y - position.y, dz = p.z - position.z;
    const float d = dx * dx + dy * dy + dz * dz;
    if (d < best) {
      best = d;
      found = i;
    }
  }
  return found;
}

ReferencePlanner::Result ReferencePlanner::CanPath(const RTFVector3D& start, const RTFVector3D& end) {
  return Search(start, -1, end, -1, false);
}

ReferencePlanner::Result ReferencePlanner::CanPathAStar(const RTFVector3D& start, int32_t startGroup,
                                                        const RTFVector3D& end, int32_t endGroup) {
  return Search(start, startGroup, end, endGroup, true);
}

ReferencePlanner::Result ReferencePlanner::Search(const RTFVector3D& startPosition, int32_t startGroup,
                                                  const RTFVector3D& endPosition, int32_t endGroup, bool withGroups) {
  Result result;
  const int64_t start = NodeAtPosition(startPosition, startGroup);
  const int64_t goal = NodeAtPosition(endPosition, endGroup);
  if (start < 0 || goal < 0) return result;
  enum Mark { kNeither, kOpen, kClosed };
  std::vector<Mark> marks(nodes_.size(), kNeither);
  Heap open;
  RTRoutePlannerNode& first = nodes_[start];
  first.g = 0;
  first.h = Distance(first.position, nodes_[goal].position);
  first.f = first.g + first.h;
  first.parent = 0;
  open.Push(first.f, static_cast<uint32_t>(start));
  marks[start] = kOpen;
  uint32_t current = 0;
  while (open.Pop(&current)) {
    if (current == goal) {
      result.found = HandOff(current, withGroups, &result);
      return result;
    }
    marks[current] = kNeither;
    for (const auto& [n, edge] : links_[current]) {
      RTRoutePlannerNode& next = nodes_[n];
      if (withGroups && (next.blocked || nodes_[current].parent == n + 1)) continue;
      const float g = nodes_[current].g + Cost(current, n);
      if (marks[n] != kNeither && !(next.g > g)) continue;
      next.parent = current + 1;
      next.g = g;
      next.h = Distance(next.position, nodes_[goal].position);
      next.f = next.g + next.h;
      if (marks[n] == kOpen) continue;
      open.Push(next.f, n);
      marks[n] = kOpen;
    }
    marks[current] = kClosed;
  }
  return result;
}

bool ReferencePlanner::HandOff(uint32_t goal, bool withGroups, Result* result) {
  const uint32_t count = static_cast<uint32_t>(nodes_.size());
  const uint32_t cap = withGroups ? kivo::route_planner::kHandOffLimit : UINT32_MAX;
  const uint32_t bound = withGroups ? std::min(kivo::route_planner::kHandOffLimit, count) : count;
  const std::string method = withGroups ? "CanPathAStar" : "CanPath";
  std::vector<uint32_t> path;
  for (uint32_t node = goal;;) {
    path.push_back(node);
    const uint32_t parent = nodes_[node].parent;
    if (parent == 0 || path.size() == cap) break;
    if (parent > count) {
      result->message = "RTRoutePlanner::" + method + "() -- Node " + std::to_string(node) + " has the parent " +
                        std::to_string(parent - 1) + ", past the node count";
      return false;
    }
    if (path.size() == bound) {
      result->message = "RTRoutePlanner::" + method + "() -- The parent links of the route form a cycle";
      return false;
    }
    node = parent - 1;
  }
  for (uint32_t node : path) nodes_[node].parent = 0;
  result->path.assign(path.rbegin(), path.rend());
  return true;
}

}  // namespace navtest
