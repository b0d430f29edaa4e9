// Building the quad tree over the rooms: the square extent, subdivision where footprints overlap
// the cells, and the links between neighbour leaves.
#include <algorithm>
#include <cfloat>

#include "kivo/scene/room_calls.h"
#include "kivo/support/geometry.h"
#include "kivo/support/raise.h"
#include "quad_tree.h"

namespace tesk::scene_tree::quad {

namespace {

using namespace kivo;

constexpr float kMinimumSide = 5.0f;
// A damaged footprint far from the rest would otherwise split the extent into billions of cells.
constexpr uint32_t kMaxDepth = 16;

struct Corners {
  RTFVector2D point[4];
};

// In order: (max.x, max.z), (min.x, max.z), (min.x, min.z), (max.x, min.z).
Corners CornersOf(const QuadTreeNode& c) {
  return {{{c.max.x, c.max.z}, {c.min.x, c.max.z}, {c.min.x, c.min.z}, {c.max.x, c.min.z}}};
}

// A room overlaps a cell when a corner of the cell lies in the room, a footprint vertex lies in
// the cell, or an edge of the cell crosses an edge of the footprint: tried in that order.
bool Overlaps(RTInstance room, const Corners& cell) {
  for (const RTFVector2D& corner : cell.point) {
    const RTFVector3D point{corner.x, 0.0f, corner.y, 0.0f};
    if (room::ContainsPoint(room, &point)) return true;
  }
  const RTFVector3D* footprint = nullptr;
  uint32_t count = 0;
  uint32_t word = 0;
  if (!room::GetFootprint(room, &footprint, &count, &word) || count == 0) return false;
  auto vertex = [&](uint32_t j) { return RTFVector2D{footprint[j].x, footprint[j].z}; };
  for (uint32_t j = 0; j < count; ++j)
    if (PointInPolygon2D(cell.point, 4, vertex(j))) return true;
  for (uint32_t k = 0; k < 4; ++k)
    for (uint32_t j = 0; j < count; ++j)
      if (SegmentsIntersect2D(cell.point[k], cell.point[(k + 1) % 4], vertex(j), vertex((j + 1) % count))) return true;
  return false;
}

bool Split(QuadTreeNode* cell) {
  const RTFVector3D& lo = cell->min;
  const RTFVector3D& hi = cell->max;
  const RTFVector3D& mid = cell->centre;
  const RTFVector3D corners[4][2] = {
      {{mid.x, 0, mid.z, 0}, {hi.x, 0, hi.z, 0}},  // east-north
      {{lo.x, 0, mid.z, 0}, {mid.x, 0, hi.z, 0}},  // west-north
      {{lo.x, 0, lo.z, 0}, {mid.x, 0, mid.z, 0}},  // west-south
      {{mid.x, 0, lo.z, 0}, {hi.x, 0, mid.z, 0}},  // east-south
  };
  for (uint32_t q = 0; q < kQuadrants; ++q)
    if (!(cell->children[q] = NewCell(corners[q][0], corners[q][1], cell))) return false;
  return true;
}

struct Subdivision {
  List* rooms;
  List* leaves;
  bool capped = false;
  float cappedSide = 0;

  void Visit(QuadTreeNode* cell, uint32_t depth) {
    const Corners corners = CornersOf(*cell);
    bool overlapped = false;
    for (RTInstance room : ListItems<RTInstanceRecord>(rooms)) {
      uint32_t flags = 0;
      room::GetFlags(room, &flags);
      if ((flags & room::kOutOfQuadTree) || !Overlaps(room, corners)) continue;
      ListAppend(cell->rooms, room);
      overlapped = true;
    }
    if (!overlapped) return;
    const float side = cell->max.x - cell->min.x;
    if (side >= kMinimumSide && depth < kMaxDepth && Split(cell)) {
      for (QuadTreeNode* child : cell->children) Visit(child, depth + 1);
      return;
    }
    if (side >= kMinimumSide && depth >= kMaxDepth) {
      capped = true;
      cappedSide = side;
    }
    cell->flags |= kLeafFlag;
    cell->leaf = 1;
    ListAppend(leaves, cell);
  }
};

const float kDirectionOffsets[kDirections][2] = {{0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}};

}  // namespace

void SquareExtent(List* rooms, RTFVector3D* min, RTFVector3D* max) {
  *min = RTFVector3D{FLT_MAX, 0, FLT_MAX, 0};
  *max = RTFVector3D{-FLT_MAX, 0, -FLT_MAX, 0};
  for (RTInstance room : ListItems<RTInstanceRecord>(rooms)) {
    RTFVector3D boxMin{}, boxMax{};
    room::GetBoundingBox(room, &boxMin, &boxMax);
    min->x = std::min(min->x, boxMin.x);
    min->z = std::min(min->z, boxMin.z);
    max->x = std::max(max->x, boxMax.x);
    max->z = std::max(max->z, boxMax.z);
  }
  const float dx = max->x - min->x;
  const float dz = max->z - min->z;
  const float half = std::max(dx, dz) * 0.5f;
  const float middleX = min->x + dx * 0.5f;
  const float middleZ = min->z + dz * 0.5f;
  *min = RTFVector3D{middleX - half, 0, middleZ - half, 0};
  *max = RTFVector3D{middleX + half, 0, middleZ + half, 0};
}

void Subdivide(QuadTreeNode* root, List* rooms, List* leaves) {
  Subdivision subdivision{rooms, leaves};
  subdivision.Visit(root, 0);
  if (subdivision.capped)
    RaiseFormatted(kLevelError,
                   u"RTTeskSceneTree::UpdateQuadTree(): the rooms' extent needs more than %u levels of cells; the "
                   u"cells of side %.2f at that depth stay leaves",
                   kMaxDepth, subdivision.cappedSide);
}

QuadTreeNode* LeafHolding(QuadTreeNode* root, const RTFVector3D& point) {
  QuadTreeNode* cell = FindLeaf(root, point);
  if (!cell || !cell->leaf) return nullptr;
  const Corners corners = CornersOf(*cell);
  return PointInPolygon2D(corners.point, 4, RTFVector2D{point.x, point.z}) ? cell : nullptr;
}

// Leaves tile the plane without overlap (each holds its square, half-open at the maximum sides,
// by the winding rule), so the one leaf that holds a probe is found by going down the tree.
void LinkNeighbours(QuadTreeNode* root, List* leaves) {
  for (QuadTreeNode* leaf : ListItems<QuadTreeNode>(leaves)) {
    const float side = leaf->max.x - leaf->min.x;
    for (uint32_t d = 0; d < kDirections; ++d) {
      if (leaf->neighbours[d]) continue;
      const RTFVector3D probe{leaf->centre.x + kDirectionOffsets[d][0] * side, 0,
                              leaf->centre.z + kDirectionOffsets[d][1] * side, 0};
      if (QuadTreeNode* other = LeafHolding(root, probe)) {
        leaf->neighbours[d] = other;
        other->neighbours[(d + 4) % kDirections] = leaf;
      }
    }
  }
}

}  // namespace tesk::scene_tree::quad
