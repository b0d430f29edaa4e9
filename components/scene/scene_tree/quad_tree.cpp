// Filing quad items in the cells of the quad tree. The cells' item lists take their links from the
// tree's spare links and give them back there, so that items moving between cells allocate nothing.
#include "quad_tree.h"

#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"

namespace tesk::scene_tree::quad {

namespace {

using namespace kivo;

// Quadrant numbers from the east and north sides.
int Quadrant(bool east, bool north) { return north ? (east ? 0 : 1) : (east ? 3 : 2); }

}  // namespace

int QuadrantOfPoint(const QuadTreeNode& c, const RTFVector3D& p) {
  const bool east = c.centre.x <= p.x && p.x <= c.max.x;
  const bool west = c.min.x <= p.x && p.x < c.centre.x;
  const bool north = c.centre.z <= p.z && p.z <= c.max.z;
  const bool south = c.min.z <= p.z && p.z < c.centre.z;
  return (east || west) && (north || south) ? Quadrant(east, north) : -1;
}

int QuadrantIndex(const QuadTreeNode& c, const RTFVector3D& p) {
  const bool east = c.centre.x < p.x && p.x <= c.max.x;
  const bool west = c.min.x <= p.x && p.x <= c.centre.x;
  const bool north = c.centre.z < p.z && p.z <= c.max.z;
  const bool south = c.min.z <= p.z && p.z <= c.centre.z;
  return (east || west) && (north || south) ? Quadrant(east, north) : -1;
}

QuadTreeNode* FindLeaf(QuadTreeNode* cell, const RTFVector3D& point) {
  while (cell) {
    const int quadrant = QuadrantOfPoint(*cell, point);
    if (quadrant < 0) return nullptr;
    if (!cell->children[quadrant]) return cell;
    cell = cell->children[quadrant];
  }
  return nullptr;
}

bool Insert(QuadTreeNode* cell, QuadItem* item) {
  while (true) {
    ListAppendRecycled(cell->items, item->owner->spareLinks, item);
    item->cell = cell;
    if (cell->leaf == 1) return true;
    const int quadrant = QuadrantIndex(*cell, item->position);
    if (quadrant < 0) {
      item->cell = nullptr;
      return false;
    }
    if (!cell->children[quadrant]) return false;
    cell = cell->children[quadrant];
  }
}

bool Remove(QuadTreeNode* cell, QuadItem* item) {
  while (cell) {
    ListRemoveRecycled(cell->items, item, item->owner->spareLinks);
    const int quadrant = QuadrantIndex(*cell, item->position);
    if (quadrant < 0) {
      item->cell = nullptr;
      return false;
    }
    cell = cell->children[quadrant];
  }
  return true;
}

bool Update(QuadItem* item) {
  if (!item) return false;
  QuadTreeNode* cell = item->cell;
  // An item that left the tree is filed again once its position is back inside.
  if (!cell) {
    QuadTreeNode* root = item->owner ? item->owner->quadRoot : nullptr;
    return root && QuadrantIndex(*root, item->position) >= 0 && Insert(root, item);
  }
  // An item of the root (a tree of one cell) has no parent to test against: it is filed again.
  if (!cell->parent) {
    Remove(cell, item);
    return Insert(cell, item);
  }
  // An item is listed in its cell and the cells above it, so one still in its cell stays filed.
  const int quadrant = QuadrantIndex(*cell->parent, item->position);
  if (quadrant >= 0 && cell->parent->children[quadrant] == cell) return true;
  ListRemoveRecycled(cell->items, item, item->owner->spareLinks);
  for (QuadTreeNode* above = cell->parent; above; above = above->parent) {
    ListRemoveRecycled(above->items, item, item->owner->spareLinks);
    if (QuadrantIndex(*above, item->position) >= 0) return Insert(above, item);
  }
  item->cell = nullptr;
  RaiseFormatted(kLevelError,
                 u"RTTeskSceneTree::RTQuadNodeUpdate(): Reached the top of the quad-tree and still cannot re-classify "
                 u"the item. The item is outside the quad-tree extents. (<%.2f, %.2f, %.2f>)",
                 item->position.x, item->position.y, item->position.z);
  return false;
}

QuadTreeNode* NewCell(const RTFVector3D& min, const RTFVector3D& max, QuadTreeNode* parent) {
  void* block = nullptr;
  if (!ModuleCore()->MemAlloc(nullptr, sizeof(QuadTreeNode), &block, 1)) return nullptr;
  auto* cell = static_cast<QuadTreeNode*>(block);
  cell->min = RTFVector3D{min.x, 0, min.z, 0};
  cell->max = RTFVector3D{max.x, 0, max.z, 0};
  cell->centre = RTFVector3D{min.x + (max.x - min.x) * 0.5f, 0, min.z + (max.z - min.z) * 0.5f, 0};
  cell->parent = parent;
  if (ListCreate(&cell->items) && ListCreate(&cell->rooms)) return cell;
  FreeCells(cell);
  return nullptr;
}

void FreeCells(QuadTreeNode* cell) {
  if (!cell) return;
  for (QuadTreeNode* child : cell->children) FreeCells(child);
  ListDestroy(cell->rooms);
  ListDestroy(cell->items);
  ModuleCore()->MemFree(nullptr, cell);
}

}  // namespace tesk::scene_tree::quad
