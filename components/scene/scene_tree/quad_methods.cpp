// The quad tree's methods: rebuilding it, finding the room under a point, registering scene nodes
// (each by one quad item that holds one reference on its node) and the neighbourhood queries.
//
// The tree keeps a list of its live items: a rebuild frees the cells and files every item again,
// so a node registered before the first rebuild (kept unfiled until then) or before a later one is
// found after it.
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/raise.h"
#include "quad_tree.h"
#include "scene_tree_methods.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;

bool IsTeskNode(const SceneTreeState& tree, RTInstance node) {
  return node && Core().IsKindOf(nullptr, node, tree.classes.teskSceneNode);
}

void Unfile(SceneTreeState& tree, QuadItem* item) {
  if (tree.quadRoot) quad::Remove(tree.quadRoot, item);
  item->cell = nullptr;
}

void FreeItem(QuadItem* item) {
  void* held = nullptr;
  if (tesk_scene_node::GetQuadItem(item->node, &held) && held == item)
    tesk_scene_node::SetQuadItem(item->node, nullptr);
  Core().ReleaseInstance(nullptr, item->node);
  Core().MemFree(nullptr, item);
}

// Files the node at the translation of its placement, in a new item or in the one it has.
RTSuccess Register(SceneTreeState& tree, RTInstance node) {
  const RTFMatrix4x4* placement = nullptr;
  if (!IsTeskNode(tree, node) || !scene_node::GetLocalMatrix(node, &placement)) return kRTFailure;
  const RTFVector3D position{placement->m[3][0], placement->m[3][1], placement->m[3][2], 0.0f};
  QuadItem* item = QuadItemOf(tree, node);
  if (item) {
    Unfile(tree, item);
  } else {
    void* block = nullptr;
    if (!Core().MemAlloc(nullptr, sizeof(QuadItem), &block, 1)) return kRTFailure;
    item = static_cast<QuadItem*>(block);
    if (!ListAppend(tree.quadItems, item) || !Core().ResolveHandle(nullptr, node)) {
      ListRemove(tree.quadItems, item);
      Core().MemFree(nullptr, item);
      return kRTFailure;
    }
    item->node = node;
    item->owner = &tree;
    tesk_scene_node::SetQuadItem(node, item);
  }
  item->position = position;
  if (tree.quadRoot) quad::Insert(tree.quadRoot, item);
  return kRTSuccess;
}

void AddNodesOf(SceneTreeState& tree, List* items, const QuadItem* except) {
  for (QuadItem* item : ListItems<QuadItem>(items))
    if (item != except) ListAppendRecycled(tree.quadQuery, tree.spareLinks, item->node);
}

// The nodes of the cell's items (but `except`'s) and of its neighbour leaves' items, into the
// query answer.
void AnswerNeighbourhood(SceneTreeState& tree, const QuadTreeNode& cell, const QuadItem* except) {
  AddNodesOf(tree, cell.items, except);
  for (const QuadTreeNode* neighbour : cell.neighbours)
    if (neighbour) AddNodesOf(tree, neighbour->items, nullptr);
}

}  // namespace

QuadItem* QuadItemOf(SceneTreeState& tree, RTInstance node) {
  return IsTeskNode(tree, node) ? TeskNodeQuadItem(tree, node) : nullptr;
}

QuadItem* TeskNodeQuadItem(SceneTreeState& tree, RTInstance node) {
  void* item = nullptr;
  if (!tesk_scene_node::GetQuadItem(node, &item) || !item) return nullptr;
  auto* quadItem = static_cast<QuadItem*>(item);
  return quadItem->owner == &tree ? quadItem : nullptr;
}

void FreeQuadTree(SceneTreeState& tree) {
  quad::FreeCells(tree.quadRoot);
  tree.quadRoot = nullptr;
  for (QuadItem* item : ListItems<QuadItem>(tree.quadItems)) FreeItem(item);
  ListDestroy(tree.quadItems);
  ListDestroy(tree.leaves);
  tree.quadItems = nullptr;
  tree.leaves = nullptr;
}

namespace method {

RTSuccess UpdateQuadTree(RTInstance self) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || (!tree->leaves && !ListCreate(&tree->leaves))) return kRTFailure;
  quad::SquareExtent(tree->rooms, &tree->extentMin, &tree->extentMax);
  quad::FreeCells(tree->quadRoot);
  tree->quadRoot = nullptr;
  for (QuadItem* item : ListItems<QuadItem>(tree->quadItems)) item->cell = nullptr;
  ListClear(tree->leaves);

  uint32_t blocksBefore = 0, heapBefore = 0, blocksAfter = 0, heapAfter = 0;
  Core().GetMemoryStats(nullptr, &blocksBefore, &heapBefore);
  tree->quadRoot = quad::NewCell(tree->extentMin, tree->extentMax, nullptr);
  if (!tree->quadRoot) return kRTFailure;
  quad::Subdivide(tree->quadRoot, tree->rooms, tree->leaves);
  Core().GetMemoryStats(nullptr, &blocksAfter, &heapAfter);
  Core().DebugPrint(
      nullptr, Format(u"************ QuadTree - memory used: delta blocks = %d, delta heap = %d",
                      static_cast<int32_t>(blocksAfter - blocksBefore), static_cast<int32_t>(heapAfter - heapBefore))
                   .c_str());
  quad::LinkNeighbours(tree->quadRoot, tree->leaves);
  for (QuadItem* item : ListItems<QuadItem>(tree->quadItems)) quad::Insert(tree->quadRoot, item);
  return kRTSuccess;
}

RTSuccess GetRoomByPoint(RTInstance self, const RTFVector3D* point, RTInstance* room) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !point || !room) return kRTFailure;
  *room = nullptr;
  const QuadTreeNode* cell = tree->quadRoot ? quad::FindLeaf(tree->quadRoot, *point) : nullptr;
  if (!cell) return kRTFailure;
  for (RTInstance candidate : ListItems<RTInstanceRecord>(cell->rooms)) {
    uint32_t flags = 0;
    if (!room::ContainsPoint(candidate, point) || !room::GetFlags(candidate, &flags) ||
        (flags & (room::kOutOfQuadTree | room::kDisabled)))
      continue;
    *room = candidate;
    return Core().ResolveHandle(nullptr, candidate);
  }
  return kRTFailure;
}

RTSuccess QTAddNode(RTInstance self, RTInstance node) {
  SceneTreeState* tree = StateOf(self);
  return tree && node ? Register(*tree, node) : kRTFailure;
}

RTSuccess AddNodeToRoom(RTInstance self, RTInstance room, RTInstance node) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !room || !node || !Core().IsKindOfByName(nullptr, room, room::kClassName)) return kRTFailure;
  room::AddNode(room, node);
  return Register(*tree, node);
}

RTSuccess AddNodeToRoomN(RTInstance self, uint32_t index, RTInstance node) {
  SceneTreeState* tree = StateOf(self);
  void* room = nullptr;
  if (!tree || !node || !ListDataAt(tree->rooms, index, &room)) return kRTFailure;
  return AddNodeToRoom(self, static_cast<RTInstance>(room), node);
}

RTSuccess QTRemoveNode(RTInstance self, RTInstance node) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !node) return kRTFailure;
  QuadItem* item = QuadItemOf(*tree, node);
  if (!item) {
    Core().RaiseError(nullptr,
                      u"RTTeskSceneTree::QTRemoveNode(): The scene node was never added to the quad-tree.  Unable to "
                      u"complete remove request.",
                      kLevelError);
    return kRTFailure;
  }
  Unfile(*tree, item);
  ListRemove(tree->quadItems, item);
  FreeItem(item);
  return kRTSuccess;
}

RTSuccess QTQueryRadius(RTInstance self, RTInstance node, float, List** nodes) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  if (!node) {
    Core().RaiseError(nullptr, u"RTTeskSceneTree::QTQueryRadius(): NULL node parameter!", kLevelError);
    return kRTFailure;
  }
  ListRecycle(tree->quadQuery, tree->spareLinks);
  if (nodes) *nodes = tree->quadQuery;
  const QuadItem* item = QuadItemOf(*tree, node);
  if (!nodes || !item || !item->cell) return kRTFailure;
  AnswerNeighbourhood(*tree, *item->cell, item);
  return kRTSuccess;
}

RTSuccess QTQueryRadiusByPoint(RTInstance self, const RTFVector3D* point, float, List** nodes) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !point) return kRTFailure;
  ListRecycle(tree->quadQuery, tree->spareLinks);
  if (nodes) *nodes = tree->quadQuery;
  const QuadTreeNode* cell = tree->quadRoot ? quad::FindLeaf(tree->quadRoot, *point) : nullptr;
  if (!nodes || !cell) return kRTFailure;
  AnswerNeighbourhood(*tree, *cell, nullptr);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::scene_tree
